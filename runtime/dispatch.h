#pragma once
// The event boundary: every handler runs through dispatch, the one place where
// errors are caught and reported, and where the program is ended.

#include "description.h"
#include "numeric/error.h"

#include <functional>
#include <optional>
#include <span>
#include <string_view>

namespace runtime {

// Runs a handler. Whatever leaves it is caught here: a run-time error is
// reported, and the program goes on after it if its number is one of
// `recoverable`, or else ends with status 1; any other exception is reported
// as an internal error and ends the program with status 1. Once the program
// has ended, no handler runs any more.
void dispatch(const Handler& handler, std::span<const int> recoverable = {});

// What dispatch does with the exception in flight; call only from a catch
// block. `where` names the handler or event it left, for the user's message.
void handleException(std::string_view where, std::span<const int> recoverable = {});

// Ends the program at once with status 0; the calling handler goes no further.
[[noreturn]] void end();

// Shows the user an uncaught error. Replaceable, so that tests never block on a
// modal message; the default is set by start-up.
using ErrorReporter = std::function<void(const RuntimeError&)>;
void setErrorReporter(ErrorReporter reporter);
void report(const RuntimeError& error);

// The status the program ended with, or nothing while it runs.
std::optional<int> exitStatus();

} // namespace runtime

#pragma once
// The event boundary: every handler runs through dispatch, the one place where
// run-time errors are caught, reported, and where the program is ended.

#include "description.h"
#include "error.h"

#include <functional>
#include <optional>

namespace runtime {

// Runs a handler. Whatever leaves it is caught here: a RuntimeError is reported,
// and an arithmetic error (6 or 11) leaves the program running while any other
// ends it with status 1; any other exception is reported as an internal error
// and ends the program with status 1. Once the program has ended, no handler
// runs any more.
void dispatch(const Handler& handler);

// What dispatch does with the exception in flight; call only from a catch
// block. `where` names the handler or event it left, for the user's message.
void handleException(std::string_view where);

// Ends the program at once with status 0; the calling handler goes no further.
[[noreturn]] void end();

// Shows the user an uncaught error. Replaceable, so that tests never block on a
// modal message; the default is set by start-up.
using ErrorReporter = std::function<void(const RuntimeError&)>;
void setErrorReporter(ErrorReporter reporter);
void report(const RuntimeError& error);

// The status the program ended with, or nothing while it runs.
std::optional<int> exitStatus();

// Marks the program ended: stops the event loop, or keeps it from starting.
void endProgram(int status);

// Lets a test start over with a running program.
void resetProgramState();

} // namespace runtime

#include "dispatch.h"

#include "platform.h"
#include "test_seams.h"

#include <algorithm>
#include <exception>
#include <new>
#include <string>

namespace runtime {

namespace {

// Thrown by end(), caught only at the event boundary: unwinds the handler that
// ended the program so that nothing after the call runs.
struct EndRequest {};

std::optional<int> endedWith;
ErrorReporter reporter;

// A fault that is no run-time error of the program: the user is told where it
// happened and what to do, and the program ends as after any uncaught error.
RuntimeError internalError(std::string_view where, std::string_view what) {
    return RuntimeError(InternalError, "Internal error in " + std::string(where) + ": " +
                                           std::string(what) +
                                           ". The calculator must close; please report this.");
}

} // namespace

void handleException(std::string_view where, std::span<const int> recoverable) {
    try {
        throw;
    } catch (const EndRequest&) {
        endProgram(0);
    } catch (const RuntimeError& error) {
        report(error);
        if (std::find(recoverable.begin(), recoverable.end(), error.number()) == recoverable.end())
            endProgram(1);
    } catch (const std::bad_alloc&) {
        report(RuntimeError(OutOfMemory, "Out of memory"));
        endProgram(1);
    } catch (const std::exception& fault) {
        report(internalError(where, fault.what()));
        endProgram(1);
    } catch (...) {
        report(internalError(where, "an exception of unknown type"));
        endProgram(1);
    }
}

void dispatch(const Handler& handler, std::span<const int> recoverable) {
    if (endedWith)
        return;
    try {
        handler.run();
    } catch (...) {
        handleException(handler.name, recoverable);
    }
}

void end() { throw EndRequest{}; }

void setErrorReporter(ErrorReporter newReporter) { reporter = std::move(newReporter); }

void report(const RuntimeError& error) {
    if (reporter)
        reporter(error);
}

std::optional<int> exitStatus() { return endedWith; }

void endProgram(int status) {
    if (endedWith)
        return;
    endedWith = status;
    platform::quitEventLoop(status);
}

void resetProgramState() { endedWith.reset(); }

} // namespace runtime

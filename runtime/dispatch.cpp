#include "dispatch.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <new>

namespace runtime {

namespace {

// Thrown by end(), caught only by dispatch(): unwinds the handler that ended
// the program so that nothing after the call runs.
struct EndRequest {};

std::optional<int> endedWith;
ErrorReporter reporter;

} // namespace

void dispatch(const Handler& handler) {
    if (endedWith)
        return;
    try {
        try {
            handler.run();
        } catch (const std::bad_alloc&) {
            throw RuntimeError(OutOfMemory, "Out of memory");
        }
    } catch (const EndRequest&) {
        endProgram(0);
    } catch (const RuntimeError& error) {
        report(error);
        if (!isArithmeticError(error))
            endProgram(1);
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
    // No window outlives the program's end, even before the event loop runs.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

void resetProgramState() { endedWith.reset(); }

} // namespace runtime

// Start-up as every platform has it; each supplies how a form is shown and
// its event loop.

#include "startup.h"

#include "dispatch.h"
#include "error_message.h"
#include "form.h"
#include "platform.h"
#include "test_seams.h"

namespace runtime {

void reportInMessages(const Project& project) {
    setErrorReporter([&project](const RuntimeError& error) {
        showErrorMessage(project.startupForm.caption, error);
    });
}

int run(const Project& project) {
    try {
        Form& form = formInstance(project.startupForm);
        form.raise("Load");
        if (exitStatus())
            return *exitStatus();
        platform::show(form);
    } catch (const RuntimeError& error) {
        // The description itself is at fault: reported like any other error,
        // it ends the program.
        report(error);
        endProgram(1);
        return 1;
    }
    return platform::runEventLoop();
}

} // namespace runtime

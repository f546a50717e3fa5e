// The project handed to start-up, and its one program-wide window instance.

#include "form1.h"

#include "resources/version.h"

namespace window {

const runtime::Project& project() {
    static const runtime::Project calculator{
        .name = CALCULATOR_PROGRAM_NAME,
        .version = CALCULATOR_VERSION,
        .desktopEntry = CALCULATOR_APP_ID,
        .startupForm = form1Description(),
    };
    return calculator;
}

runtime::Form& Form1() { return runtime::formInstance(form1Description()); }

} // namespace window

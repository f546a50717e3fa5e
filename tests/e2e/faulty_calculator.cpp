// The calculator with faults built in, for the real-program and web tests:
// File ▸ New throws a standard exception, as a container indexed out of range
// would; on the web, Minus makes a call the page rejects, a JavaScript
// exception that no C++ catch sees. Everything else is the real program: its
// start-up, window and handlers.

#include "runtime/startup.h"
#include "window/form1.h"
#include "window/form1_events.h"

#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten/val.h>

#include <string>
#endif

namespace {

void new_Click() { (void)std::vector<int>().at(0); }

#ifdef __EMSCRIPTEN__
void minus_Click() {
    emscripten::val::global("document").call<void>("createElement", std::string("no tag"));
}
#endif

std::vector<runtime::Handler> handlers() {
    std::vector<runtime::Handler> table(window::form1Handlers().begin(),
                                        window::form1Handlers().end());
    for (runtime::Handler& handler : table)
        if (handler.name == "new_Click")
            handler.run = new_Click;
#ifdef __EMSCRIPTEN__
        else if (handler.name == "minus_Click")
            handler.run = minus_Click;
#endif
    return table;
}

} // namespace

int main() {
    static const std::vector<runtime::Handler> faultyHandlers = handlers();
    static runtime::FormDescription form = window::form1Description();
    form.handlers = faultyHandlers;
    const runtime::Project& real = window::project();
    static const runtime::Project project{real.name, real.version, real.desktopEntry, form};
    return runtime::start(project);
}

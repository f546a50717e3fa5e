// Start-up on the web: the form the page already draws bound, loaded and
// shown; from then on the browser's event loop runs the program, and its end
// takes the form away.

#include "runtime/startup.h"

#include "built_form.h"
#include "dom.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/platform.h"

#include <string>

namespace runtime {

using dom::val;

namespace {

bool ended = false;

// Every file of the site kept by the service worker, so that the calculator
// starts with no network and installs as an app.
void keepForOffline() {
    const val navigator = val::global("navigator");
    if (!navigator["serviceWorker"].isUndefined() && val::global("isSecureContext").as<bool>()) {
        const val console = val::global("console");
        navigator["serviceWorker"]
            .call<val>("register", std::string("service-worker.js"))
            .call<void>("catch", console["warn"].call<val>("bind", console));
    }
}

bool messageOpen() {
    return !dom::document()
                .call<val>("querySelector", std::string("dialog.message[open]"))
                .isNull();
}

// Once the last message is read: an app window closes; in a tab (or where the
// browser keeps the window open) the page says the calculator has ended.
void finishEnding() {
    if (ended || messageOpen())
        return;
    ended = true;
    if (inAppWindow())
        val::global("window").call<void>("close");
    val notice = dom::element("section", "ended");
    notice.call<void>("setAttribute", std::string("role"), std::string("status"));
    val text = dom::element("p");
    dom::setText(text, dom::document()["title"].as<std::string>() + " has ended.");
    val again = dom::element("button");
    again.set("type", std::string("button"));
    dom::setText(again, "Start again");
    dom::listen(again, "click", dom::listener(dom::Event::StartAgain));
    notice.call<void>("append", text, again);
    const val landmark = dom::document().call<val>("querySelector", std::string("main"));
    (landmark.isNull() ? dom::document()["body"] : landmark).call<void>("append", notice);
    again.call<void>("focus");
}

const Project* starting = nullptr;

} // namespace

// A reload with no argument: Firefox takes one (the click's event, were the
// listener reload itself) as an order to pass by the service worker, which
// leaves a user with no network on an error page.
void dom::onStartAgain() { val::global("location").call<void>("reload"); }

// Binding the form, loading and showing it, in a task after the one that
// started the program: neither keeps the page from answering for long. Then
// the site is kept, which nothing on screen waits for.
void dom::onStartup() {
    run(*starting);
    keepForOffline();
}

void dom::onMessageClosed() {
    if (exitStatus())
        finishEnding();
}

void platform::show(Form& form) {
    Form::Impl& impl = form.impl();
    impl.window.set("inert", false);
    fitToScreen(form);
    // The first control in the focus order that can take the focus has it.
    const val first = impl.client.call<val>("querySelector", std::string("button, input"));
    if (!first.isNull())
        first.call<void>("focus", val::object());
}

// The browser's event loop goes on running the program.
int platform::runEventLoop() { return 0; }

void platform::quitEventLoop(int) {
    const val forms = dom::document().call<val>("querySelectorAll", std::string(".form"));
    const int count = forms["length"].as<int>();
    for (int i = 0; i < count; ++i)
        forms[i].call<void>("remove");
    finishEnding();
}

int start(const Project& project, int, char**) {
    reportInMessages(project);
    starting = &project;
    val::global("setTimeout")(dom::listener(dom::Event::Startup), 0);
    return 0; // the rest of start-up runs from the browser's event loop
}

} // namespace runtime

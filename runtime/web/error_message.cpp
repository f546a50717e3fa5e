#include "runtime/error_message.h"

#include "dom.h"

#include <string>

namespace runtime {

using dom::val;

// A modal dialog with the form's caption and an OK button, which has the
// focus; Escape closes it too. The focus goes back where it was.
void showErrorMessage(std::string_view title, const RuntimeError& error) {
    // The page behind a modal message leaves the accessibility tree, and comes
    // back when it closes: a result still in a live region would be read out
    // again then, over the control that gets the focus back.
    const val regions = dom::document().call<val>("querySelectorAll", std::string("[aria-live]"));
    for (int i = 0, count = regions["length"].as<int>(); i < count; ++i)
        regions[i].call<void>("replaceChildren");
    static int shown = 0;
    const std::string id = "message-" + std::to_string(++shown);
    val dialog = dom::element("dialog", "message");
    dialog.call<void>("setAttribute", std::string("role"), std::string("alertdialog"));
    dialog.call<void>("setAttribute", std::string("aria-labelledby"), id + "-title");
    dialog.call<void>("setAttribute", std::string("aria-describedby"), id + "-text");
    val heading = dom::element("h2");
    heading.set("id", id + "-title");
    dom::setText(heading, title);
    val text = dom::element("p");
    text.set("id", id + "-text");
    dom::setText(text, "Error " + std::to_string(error.number()) + ": " + error.description());
    val ok = dom::element("button");
    ok.set("type", std::string("button"));
    dom::setText(ok, "OK");
    dom::listen(ok, "click", dialog["close"].call<val>("bind", dialog));
    dom::listen(dialog, "close", dialog["remove"].call<val>("bind", dialog));
    dom::listen(dialog, "close", dom::listener(dom::Event::MessageClosed));
    // Used as a desktop's message is: a screen reader, which might read it as a
    // page from its title on, hands the OK button Enter and the space bar.
    val content = dom::element("div");
    content.call<void>("setAttribute", std::string("role"), std::string("application"));
    content.call<void>("append", heading, text, ok);
    dialog.call<void>("append", content);
    dom::document()["body"].call<void>("append", dialog);
    dialog.call<void>("showModal");
    ok.call<void>("focus");
}

} // namespace runtime

// Forms and their objects' properties as elements of the page.

#include "runtime/form.h"

#include "built_form.h"
#include "css_pixels.h"
#include "dom.h"
#include "runtime/platform.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace runtime {

using dom::val;

Form::Form(const FormDescription& description) : description_(description), impl_(new Impl) {
    try {
        bindForm(*this);
    } catch (...) {
        unbindForm(*this);
        throw;
    }
}

// The form leaves the page with the landmark around it.
Form::~Form() {
    unbindForm(*this);
    if (!impl_->landmark.isUndefined() && !impl_->landmark.isNull())
        impl_->landmark.call<void>("remove");
}

void Form::setWidth(int twips) {
    impl_->outerWidth = twips;
    sizeClientArea(*this);
}

void sizeClientArea(const Form& form) {
    Form::Impl& impl = form.impl();
    const FormDescription& description = form.description();
    impl.client["style"].set(
        "width", cssPixels(std::max(0, impl.outerWidth -
                                           (description.outerWidth - description.clientWidth))));
    impl.fitTries = 5;
    fitToScreen(form);
}

bool inAppWindow() {
    return val::global("matchMedia")(std::string("(display-mode: standalone)"))["matches"]
        .as<bool>();
}

// The page's own script zooms the form to fit the screen, before its first
// frame; again here, as the page or the form changes size.
void zoomToScreen(const Form& form) { val::global("zoomToScreen")(form.impl().window); }

// The window's inside made the size of the form, or a little more where the
// form is no whole number of pixels (at device scale 1.5), so that the page
// never scrolls. Asked for as the window's whole size, the same however often
// it is asked while a resize is on its way, and again on each resize until
// what came out is the size asked for.
void fitToScreen(const Form& form) {
    Form::Impl& impl = form.impl();
    if (impl.window["inert"].as<bool>())
        return;
    zoomToScreen(form);
    if (!inAppWindow() || impl.fitTries <= 0)
        return;
    const val window = val::global("window");
    const val wanted = impl.window.call<val>("getBoundingClientRect");
    const val inside = val::global("visualViewport"); // in fractions of a CSS pixel
    const auto missing = [&](const char* size) {
        return int(std::ceil(wanted[size].as<double>() - inside[size].as<double>() - 1e-3));
    };
    const int wide = missing("width");
    const int high = missing("height");
    if (wide == 0 && high == 0)
        return;
    --impl.fitTries;
    window.call<void>("resizeTo", window["outerWidth"].as<int>() + wide,
                      window["outerHeight"].as<int>() + high);
}

void dom::onWindowResize(int number) {
    if (const Form* form = formNumbered(number))
        fitToScreen(*form);
}

platform::NamedObject platform::findObject(const Form& form, std::string_view name) {
    return findIn(form.impl().objects, name);
}

// ---- Object ----------------------------------------------------------------

std::string Object::text() const {
    require(Property::Text);
    return object_->element["value"].as<std::string>();
}

void Object::setText(std::string_view text) {
    require(Property::Text);
    object_->element.set("value", std::string(text));
}

// A new paragraph in the live region, in place of the last: a screen reader
// reads out what is added, even when it says what the last one did. (A text
// node replaced by an equal one changes nothing that it is told of.)
void Object::announceText() const {
    require(Property::Text);
    val paragraph = dom::element("p");
    paragraph.set("textContent", object_->element["value"].call<val>("slice", -announcedLength));
    val added = dom::element("div");
    added.call<void>("setAttribute", std::string("role"), std::string("group"));
    added.call<void>("append", paragraph);
    form_->impl().announcer.call<void>("replaceChildren", added);
}

void Object::setLeft(int twips) {
    require(Property::Left);
    object_->element["style"].set("left", cssPixels(twips));
}

void Object::setWidth(int twips) {
    require(Property::Width);
    object_->element["style"].set("width", cssPixels(twips));
}

void Object::setEnabled(bool enabled) {
    require(Property::Enabled);
    if (kind_ == ObjectKind::Button || kind_ == ObjectKind::TextBox) {
        object_->element.set("disabled", !enabled);
    } else if (enabled) {
        object_->element.call<void>("removeAttribute", std::string("aria-disabled"));
    } else { // greyed, yet still reached with the arrow keys, as in a desktop's menus
        object_->element.call<void>("setAttribute", std::string("aria-disabled"),
                                    std::string("true"));
    }
}

} // namespace runtime

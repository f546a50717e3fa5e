// Forms and their objects' properties as data, on the build machine: what
// start-up leaves of them is what the page shows first.

#include "form_state.h"

#include "runtime/locale.h"
#include "runtime/platform.h"

namespace runtime {

Form::Form(const FormDescription& description) : description_(description), impl_(new Impl) {
    impl_->outerWidth = description.outerWidth;
    const auto add = [this](std::string_view name, BuiltObject object) {
        impl_->objects.emplace(name, std::move(object));
    };
    for (const Control& control : description.controls)
        add(control.name, {.kind = control.kind == ControlKind::TextBox ? ObjectKind::TextBox
                                                                        : ObjectKind::Button,
                           .text = std::string(control.caption),
                           .left = control.left,
                           .width = control.width});
    for (const Line& line : description.lines)
        add(line.name, {.kind = ObjectKind::Line});
    for (const MenuEntry& entry : description.menu)
        add(entry.name, {.kind = entry.level == 0 ? ObjectKind::Menu : ObjectKind::MenuItem});
}

Form::~Form() = default;

void Form::setWidth(int twips) { impl_->outerWidth = twips; }

platform::NamedObject platform::findObject(const Form& form, std::string_view name) {
    return findIn(form.impl().objects, name);
}

// Nothing is on screen to hide: the page is written once start-up is done.
void platform::quitEventLoop(int) {}

// The page is written in no locale; results are the browser's to write.
std::string decimalSeparator() { return "."; }

std::string Object::text() const {
    require(Property::Text);
    return object_->text;
}

void Object::setText(std::string_view text) {
    require(Property::Text);
    object_->text = text;
}

void Object::announceText() const { require(Property::Text); }

void Object::setLeft(int twips) {
    require(Property::Left);
    object_->left = twips;
}

void Object::setWidth(int twips) {
    require(Property::Width);
    object_->width = twips;
}

void Object::setEnabled(bool enabled) {
    require(Property::Enabled);
    object_->enabled = enabled;
}

} // namespace runtime

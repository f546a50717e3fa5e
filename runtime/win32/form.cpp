// Forms and their objects' properties as Win32 windows and menus.

#include "runtime/form.h"

#include "accessibility.h"
#include "built_form.h"
#include "native.h"
#include "runtime/platform.h"
#include "text.h"

#include <algorithm>

namespace runtime {

Form::Form(const FormDescription& description) : description_(description), impl_(new Impl) {
    try {
        buildForm(*this);
    } catch (...) {
        destroyForm(*impl_);
        throw;
    }
}

Form::~Form() { destroyForm(*impl_); }

HWND nativeWindow(const Form& form) { return form.impl().window; }

void Form::setWidth(int twips) {
    impl_->outerWidth = twips;
    sizeWindow(*this); // the controls keep their places
}

platform::NamedObject platform::findObject(const Form& form, std::string_view name) {
    return findIn(form.impl().objects, name);
}

// ---- Object ----------------------------------------------------------------

namespace {

std::wstring windowText(HWND control) {
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return text;
}

} // namespace

std::string Object::text() const {
    require(Property::Text);
    return narrow(windowText(object_->control));
}

void Object::setText(std::string_view text) {
    require(Property::Text);
    SetWindowTextW(object_->control, widen(text).c_str());
}

void Object::announceText() const {
    require(Property::Text);
    const std::wstring said = windowText(object_->control);
    announce(object_->control,
             said.substr(said.size() - std::min<std::size_t>(said.size(), announcedLength)));
}

void Object::setLeft(int twips) {
    require(Property::Left);
    object_->left = twips; // kept in twips, so that it holds at any later DPI
    const Form::Impl& impl = form_->impl();
    SetWindowPos(object_->control, nullptr, impl.px(object_->left), impl.px(object_->top), 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void Object::setWidth(int twips) {
    require(Property::Width);
    object_->width = twips;
    const Form::Impl& impl = form_->impl();
    SetWindowPos(object_->control, nullptr, 0, 0, impl.px(object_->width), impl.px(object_->height),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void Object::setEnabled(bool enabled) {
    require(Property::Enabled);
    const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
    if (kind_ == ObjectKind::MenuItem) {
        EnableMenuItem(object_->menu, object_->item, MF_BYCOMMAND | state);
    } else if (kind_ == ObjectKind::Menu) {
        EnableMenuItem(object_->menu, object_->item, MF_BYPOSITION | state);
        DrawMenuBar(form_->impl().window);
    } else {
        EnableWindow(object_->control, enabled);
    }
}

} // namespace runtime

#include "form.h"

#include "dispatch.h"
#include "error.h"
#include "form_builder.h"
#include "qt_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QLineEdit>

#include <algorithm>
#include <map>
#include <string>

namespace runtime {

struct Form::Impl {
    const FormDescription& description;
    BuiltForm built;
};

Form::Form(const FormDescription& description)
    : impl_(new Impl{description, buildForm(description)}) {}

Form::~Form() = default;

const FormDescription& Form::description() const { return impl_->description; }
QWidget* Form::window() const { return impl_->built.window.get(); }

bool Form::has(std::string_view name) const { return impl_->built.objects.contains(name); }

Object Form::operator[](std::string_view name) const {
    const auto found = impl_->built.objects.find(name);
    if (found == impl_->built.objects.end())
        throw RuntimeError(NoSuchObject, std::string(impl_->description.name) +
                                             " has no object named " + quoted(name));
    return Object(*this, found->first, found->second.kind, found->second.object);
}

int Form::toPixels(int twips) const { return impl_->built.scale.toPixels(twips); }
int Form::toTwips(int pixels) const { return impl_->built.scale.toTwips(pixels); }

int Form::width() const {
    const FormDescription& laidOut = impl_->description;
    return clientWidth() + (laidOut.outerWidth - laidOut.clientWidth);
}

void Form::setWidth(int twips) {
    const FormDescription& laidOut = impl_->description;
    const int client = std::max(0, twips - (laidOut.outerWidth - laidOut.clientWidth));
    QWidget* area = impl_->built.client;
    area->setFixedWidth(toPixels(client));
    // Apply now rather than at the next layout pass: a write shows at once.
    impl_->built.window->layout()->activate();
}

int Form::clientWidth() const { return toTwips(impl_->built.client->width()); }
int Form::clientHeight() const { return toTwips(impl_->built.client->height()); }

void Form::raise(std::string_view event) const {
    for (const Handler& handler : impl_->description.handlers)
        if (handler.name.starts_with("Form_") && handler.name.substr(5) == event)
            dispatch(handler);
}

namespace {
// Forms are known by name: the instance of a name is the one start-up shows.
std::map<std::string, std::unique_ptr<Form>, std::less<>>& instances() {
    static std::map<std::string, std::unique_ptr<Form>, std::less<>> forms;
    return forms;
}
} // namespace

Form& formInstance(const FormDescription& description) {
    std::unique_ptr<Form>& instance = instances()[std::string(description.name)];
    if (!instance) {
        // Widgets must go before the application object does.
        static const bool unloadsWithApplication = (qAddPostRoutine(unloadForms), true);
        (void)unloadsWithApplication;
        instance = std::make_unique<Form>(description);
    }
    return *instance;
}

void unloadForms() { instances().clear(); }

// ---- Object ----------------------------------------------------------------

void Object::lacks(std::string_view property) const {
    throw RuntimeError(NoSuchProperty,
                       "Object " + quoted(name_) + " has no property " + std::string(property));
}

QWidget* Object::geometryWidget(std::string_view property) const {
    if (kind_ != ObjectKind::Button && kind_ != ObjectKind::TextBox)
        lacks(property);
    return static_cast<QWidget*>(object_);
}

std::string Object::text() const {
    if (kind_ != ObjectKind::TextBox)
        lacks("Text");
    return static_cast<QLineEdit*>(object_)->text().toStdString();
}

void Object::setText(std::string_view text) {
    if (kind_ != ObjectKind::TextBox)
        lacks("Text");
    static_cast<QLineEdit*>(object_)->setText(toQString(text));
}

int Object::left() const { return form_->toTwips(geometryWidget("Left")->x()); }
int Object::top() const { return form_->toTwips(geometryWidget("Top")->y()); }
int Object::width() const { return form_->toTwips(geometryWidget("Width")->width()); }
int Object::height() const { return form_->toTwips(geometryWidget("Height")->height()); }

void Object::setLeft(int twips) {
    QWidget* widget = geometryWidget("Left");
    widget->move(form_->toPixels(twips), widget->y());
}

void Object::setWidth(int twips) {
    QWidget* widget = geometryWidget("Width");
    widget->resize(form_->toPixels(twips), widget->height());
}

bool Object::enabled() const {
    switch (kind_) {
    case ObjectKind::MenuItem:
        return static_cast<QAction*>(object_)->isEnabled();
    case ObjectKind::Menu:
    case ObjectKind::Button:
    case ObjectKind::TextBox:
        return static_cast<QWidget*>(object_)->isEnabled();
    case ObjectKind::Line:
        break;
    }
    lacks("Enabled");
}

void Object::setEnabled(bool enabled) {
    switch (kind_) {
    case ObjectKind::MenuItem:
        static_cast<QAction*>(object_)->setEnabled(enabled);
        return;
    case ObjectKind::Menu:
    case ObjectKind::Button:
    case ObjectKind::TextBox:
        static_cast<QWidget*>(object_)->setEnabled(enabled);
        return;
    case ObjectKind::Line:
        break;
    }
    lacks("Enabled");
}

} // namespace runtime

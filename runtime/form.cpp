#include "form.h"

#include "dispatch.h"
#include "form_builder.h"
#include "numeric/error.h"

#include <QAccessible>
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

QWidget* Form::window() const { return impl_->built.window.get(); }

Object Form::operator[](std::string_view name) const {
    const auto found = impl_->built.objects.find(name);
    if (found == impl_->built.objects.end())
        throw RuntimeError(NoSuchObject, std::string(impl_->description.name) +
                                             " has no object named " + quoted(name));
    return Object(found->first, found->second.kind, found->second.object, impl_->built.scale);
}

void Form::setWidth(int twips) {
    const FormDescription& laidOut = impl_->description;
    const int client = std::max(0, twips - (laidOut.outerWidth - laidOut.clientWidth));
    impl_->built.client->setFixedWidth(impl_->built.scale.toPixels(client));
    // Apply now rather than at the next layout pass: a write shows at once.
    impl_->built.window->layout()->activate();
}

void Form::raise(std::string_view event) const {
    for (const Handler& handler : impl_->description.handlers)
        if (handler.name.starts_with("Form_") && handler.name.substr(5) == event)
            dispatch(handler, impl_->description.recoverableErrors);
}

namespace {
// Forms are known by name: the instance of a name is the one start-up shows.
std::map<std::string, std::unique_ptr<Form>, std::less<>>& instances() {
    static std::map<std::string, std::unique_ptr<Form>, std::less<>> forms;
    return forms;
}
} // namespace

Form& formInstance(const FormDescription& description) {
    // Found by its name without building a key: every handler comes this way.
    if (const auto found = instances().find(description.name); found != instances().end())
        return *found->second;
    // Widgets must go before the application object does.
    [[maybe_unused]] static const bool once = (qAddPostRoutine(unloadForms), true);
    auto form = std::make_unique<Form>(description);
    return *instances().emplace(description.name, std::move(form)).first->second;
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
    static_cast<QLineEdit*>(object_)->setText(QString::fromUtf8(text));
}

void Object::announceText() const {
    if (kind_ != ObjectKind::TextBox)
        lacks("Text");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    auto* box = static_cast<QLineEdit*>(object_);
    QAccessibleAnnouncementEvent announcement(box, box->text());
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
#endif
}

void Object::setLeft(int twips) {
    QWidget* widget = geometryWidget("Left");
    widget->move(scale_.toPixels(twips), widget->y());
}

void Object::setWidth(int twips) {
    QWidget* widget = geometryWidget("Width");
    widget->resize(scale_.toPixels(twips), widget->height());
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

// Forms and their objects' properties as Qt widgets.

#include "runtime/form.h"

#include "announcer.h"
#include "form_builder.h"
#include "native.h"
#include "runtime/platform.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLayout>
#include <QLineEdit>

#include <algorithm>

namespace runtime {

struct Form::Impl {
    BuiltForm built;
};

Form::Form(const FormDescription& description)
    : description_(description), impl_(new Impl{buildForm(description)}) {
    // Widgets must go before the application object does; the first form's
    // icon is the application's too, which its messages show.
    [[maybe_unused]] static const bool once =
        (qAddPostRoutine(unloadForms),
         QApplication::setWindowIcon(impl_->built.window->windowIcon()), true);
}

Form::~Form() = default;

QWidget* nativeWindow(const Form& form) { return form.impl().built.window.get(); }

void Form::setWidth(int twips) {
    const int client = std::max(0, twips - (description_.outerWidth - description_.clientWidth));
    impl_->built.client->setFixedWidth(impl_->built.scale.toPixels(client));
    // Apply now rather than at the next layout pass: a write shows at once.
    impl_->built.window->layout()->activate();
}

platform::NamedObject platform::findObject(const Form& form, std::string_view name) {
    return findIn(form.impl().built.objects, name);
}

// ---- Object ----------------------------------------------------------------

std::string Object::text() const {
    require(Property::Text);
    return static_cast<QLineEdit*>(object_->object)->text().toStdString();
}

void Object::setText(std::string_view text) {
    require(Property::Text);
    static_cast<QLineEdit*>(object_->object)->setText(QString::fromUtf8(text));
}

void Object::announceText() const {
    require(Property::Text);
    auto* box = static_cast<QLineEdit*>(object_->object);
    announce(box, box->text().right(announcedLength));
}

void Object::setLeft(int twips) {
    require(Property::Left);
    auto* widget = static_cast<QWidget*>(object_->object);
    widget->move(form_->impl().built.scale.toPixels(twips), widget->y());
}

void Object::setWidth(int twips) {
    require(Property::Width);
    auto* widget = static_cast<QWidget*>(object_->object);
    widget->resize(form_->impl().built.scale.toPixels(twips), widget->height());
}

void Object::setEnabled(bool enabled) {
    require(Property::Enabled);
    if (kind_ == ObjectKind::MenuItem)
        static_cast<QAction*>(object_->object)->setEnabled(enabled);
    else
        static_cast<QWidget*>(object_->object)->setEnabled(enabled);
}

} // namespace runtime

#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStatusBar>
#include <QWidget>

namespace runtime {

namespace {

// Where Qt has no announcement: an object that screen readers take for a
// notification, found by its type.
class Notification : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

} // namespace

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void prepareAnnouncements(QWidget*) {}

void announce(QWidget* source, const QString& text) {
    QAccessibleAnnouncementEvent announcement(source, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&announcement);
}

#else

// Before Qt 6.8 there is no announcement. What screen readers do read out,
// wherever the focus is, is a notification shown: one in a status bar, as its
// text alone. So the window holds a status bar and a notification in it, both
// hidden, never drawn and never in the focus order, and each announcement
// names the notification with the text and says that it is shown.
namespace {

QAccessibleInterface* notificationInterface(const QString&, QObject* object) {
    if (auto* notification = qobject_cast<Notification*>(object))
        return new QAccessibleWidget(notification, QAccessible::Notification);
    return nullptr;
}

} // namespace

void prepareAnnouncements(QWidget* window) {
    [[maybe_unused]] static const bool once =
        (QAccessible::installFactory(notificationInterface), true);
    auto* statusBar = new QStatusBar(window);
    statusBar->hide();
    (new Notification(statusBar))->hide();
}

void announce(QWidget* source, const QString& text) {
    auto* notification = source->window()->findChild<Notification*>();
    notification->setAccessibleName(text);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

#endif

} // namespace runtime

#include "announcer.moc"

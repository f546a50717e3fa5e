#include "menu_bar_key.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>

namespace runtime {

namespace {

// Sees the keys that no control took, on their way up to the window. The menu
// bar's keyboard mode is its own, entered only by Alt alone, which it watches
// for on the window: F10 is handed to it as that.
class F10Filter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier)
            return false;
        if (!key->isAutoRepeat()) {
            // A modifier key's own event gives its modifier as the state after
            // it: Alt's press says Alt, its release says none.
            QKeyEvent altPressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
            QCoreApplication::sendEvent(watched, &altPressed);
            QKeyEvent altReleased(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
            QCoreApplication::sendEvent(watched, &altReleased);
        }
        return true;
    }
};

} // namespace

void reachMenuBarWithF10(QMainWindow* window) { window->installEventFilter(new F10Filter(window)); }

} // namespace runtime

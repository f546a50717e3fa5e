#include "application.h"

#include "dispatch.h"

namespace runtime {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException("the handling of an event");
        return true;
    }
}

} // namespace runtime

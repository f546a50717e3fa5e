// Start-up and the event loop on Qt.

#include "runtime/startup.h"

#include "application.h"
#include "command_line.h"
#include "native.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/platform.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace runtime {

namespace {

std::string programName;

// Qt meets a display it cannot open with a page of advice and an abort;
// the user gets one line instead.
[[noreturn]] void noDisplay(const QString& why) {
    std::fprintf(stderr, "%s: no display to show the window on (%s)\n", programName.c_str(),
                 qPrintable(why));
    std::_Exit(1);
}

QtMessageHandler qtMessages = nullptr;

// What Qt says while it opens the display waits here. If no display can be
// opened, all of it is advice about plugins that would mislead the user, who
// gets one line instead. Once a display is open, it is passed on, less the
// complaints of a platform Qt tried first and then did without.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void passOnHeldMessages() {
    for (const HeldMessage& message : heldMessages) {
        if (message.category.startsWith("qt.qpa") &&
            (message.text.contains("connect") || message.text.contains("Could not load")))
            continue;
        qtMessages(message.type,
                   QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                   message.text);
    }
    heldMessages.clear();
}

void holdStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category, message});
        return;
    }
    if (message.contains("platform plugin")) {
        const QString display =
            qEnvironmentVariable("DISPLAY") + qEnvironmentVariable("WAYLAND_DISPLAY");
        noDisplay(display.isEmpty() ? "DISPLAY is not set" : "cannot open " + display);
    }
    passOnHeldMessages(); // any other fatal error is Qt's to tell, with what led to it
    qtMessages(type, context, message);
}

} // namespace

void platform::quitEventLoop(int status) {
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException("the handling of an event");
        return true;
    }
}

void platform::show(Form& form) { nativeWindow(form)->show(); }

int platform::runEventLoop() { return QApplication::exec(); }

int start(const Project& project, int argc, char** argv) {
    programName = project.name;
    char* nameOnly[] = {programName.data(), nullptr};
    if (argc == 0) { // started by a test, with no command line
        argc = 1;
        argv = nameOnly;
    }
    if (const auto answered = answerHelpOrVersion(project, argc, argv))
        return *answered;
    qtMessages = qInstallMessageHandler(holdStartupMessage);
    Application application(argc, argv); // which takes Qt's own options
    qInstallMessageHandler(qtMessages);
    passOnHeldMessages();
    if (!takeWhatQtLeft(project))
        return 2;
    QCoreApplication::setApplicationName(QString::fromUtf8(project.name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(project.version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(project.desktopEntry));
    reportInMessages(project);
    return run(project);
}

} // namespace runtime

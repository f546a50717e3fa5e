#include "startup.h"

#include "dispatch.h"
#include "error_message.h"
#include "form.h"
#include "numeric/error.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

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

bool displayNamed() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true; // offscreen, vnc and the like need no display
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QtMessageHandler qtMessages = nullptr;

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && message.contains("platform plugin"))
        noDisplay("cannot open " + qEnvironmentVariable("DISPLAY") +
                  qEnvironmentVariable("WAYLAND_DISPLAY"));
    if (QByteArrayView(context.category).startsWith("qt.qpa") &&
        (message.contains("connect") || message.contains("Could not load")))
        return; // the fatal message that follows says it in one line
    qtMessages(type, context, message);
}

} // namespace

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleException("the handling of an event");
        return true;
    }
}

int run(const Project& project) {
    QCoreApplication::setApplicationName(QString::fromUtf8(project.name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(project.version));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(project.desktopEntry));
    try {
        Form& form = formInstance(project.startupForm);
        QApplication::setWindowIcon(form.window()->windowIcon()); // the application's too
        form.raise("Load");
        if (exitStatus())
            return *exitStatus();
        form.window()->show();
    } catch (const RuntimeError& error) {
        // The description itself is at fault: report it like any other error.
        report(error);
        return 1;
    }
    return QApplication::exec();
}

int start(const Project& project) {
    programName = project.name;
    if (!displayNamed())
        noDisplay("DISPLAY is not set");
    // The program takes no command-line arguments: Qt sees only the program's name.
    char* arguments[] = {programName.data(), nullptr};
    int count = 1;
    qtMessages = qInstallMessageHandler(startupMessages);
    Application application(count, arguments);
    qInstallMessageHandler(qtMessages);
    setErrorReporter([&project](const RuntimeError& error) {
        showErrorMessage(project.startupForm.caption, error);
    });
    return run(project);
}

} // namespace runtime

#include "startup.h"

#include "dispatch.h"
#include "error.h"
#include "form.h"
#include "icon.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace runtime {

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void showErrorMessage(const Project& project, const RuntimeError& error) {
    const QString text = QString("Error %1: %2")
                             .arg(error.number())
                             .arg(QString::fromStdString(error.description()));
    QWidget* parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, toQString(project.startupForm.caption), text,
                    QMessageBox::Ok, parent);
    box.setObjectName("runtimeError");
    box.exec();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Qt aborts with a backtrace when no display can be opened; say it in one line.
bool displayAvailable() {
    const std::string platform = environment("QT_QPA_PLATFORM");
    if (!platform.empty() && !platform.starts_with("xcb") && !platform.starts_with("wayland"))
        return true; // offscreen, vnc and the like need no display
    return !environment("DISPLAY").empty() || !environment("WAYLAND_DISPLAY").empty();
}

} // namespace

int run(const Project& project) {
    QCoreApplication::setApplicationName(toQString(project.name));
    QCoreApplication::setApplicationVersion(toQString(project.version));
    QApplication::setWindowIcon(iconFrom(project.startupForm.iconImages));
    try {
        Form& form = formInstance(project.startupForm);
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
    if (!displayAvailable()) {
        std::fprintf(stderr, "%.*s: no display to show the window on (DISPLAY is not set)\n",
                     static_cast<int>(project.name.size()), project.name.data());
        return 1;
    }
    // The program takes no command-line arguments: Qt sees only the program's name.
    static char name[] = "calculator";
    static char* arguments[] = {name, nullptr};
    int count = 1;
    QApplication application(count, arguments);
    setErrorReporter([&project](const RuntimeError& error) { showErrorMessage(project, error); });
    return run(project);
}

} // namespace runtime

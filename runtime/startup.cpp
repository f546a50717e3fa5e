#include "startup.h"

#include "dispatch.h"
#include "error.h"
#include "error_message.h"
#include "form.h"
#include "icon.h"
#include "qt_text.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace runtime {

namespace {

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
    setErrorReporter([&project](const RuntimeError& error) {
        showErrorMessage(project.startupForm.caption, error);
    });
    return run(project);
}

} // namespace runtime

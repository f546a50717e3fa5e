#pragma once
// What the window tests share: the offscreen platform, a log that stands in for
// the error message box, and the real Form1 built, loaded and shown.

#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "window/form1.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace test {

// Widget tests run on Qt's offscreen platform, at 96 dpi, in the C locale
// unless the test's environment names another.
inline void prepareEnvironment() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_ALL", "C");
}

struct ReportedError {
    int number;
    std::string description;
};

// Collects the errors the program reports, instead of showing them.
class ErrorLog {
public:
    ErrorLog() {
        runtime::setErrorReporter([this](const runtime::RuntimeError& error) {
            errors.push_back({error.number(), error.description()});
        });
    }
    ~ErrorLog() { runtime::setErrorReporter(nullptr); }
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    std::vector<ReportedError> errors;
};

// Form1 as start-up leaves it: built, Load raised, shown and active.
inline runtime::Form& openCalculator() {
    runtime::resetProgramState();
    runtime::Form& form = window::Form1();
    form.raise("Load");
    form.window()->show();
    QApplication::setActiveWindow(form.window());
    if (!QTest::qWaitForWindowActive(form.window()))
        qWarning("the calculator window did not become active");
    return form;
}

inline void closeCalculator() {
    runtime::unloadForms();
    runtime::resetProgramState();
}

// A small form of a test's own, for what Form1 cannot show.
inline runtime::FormDescription probeForm(std::string_view name,
                                          std::span<const runtime::Control> controls,
                                          std::span<const runtime::Handler> handlers,
                                          std::span<const runtime::Line> lines = {},
                                          std::span<const runtime::MenuEntry> menu = {}) {
    return {.name = name,
            .caption = name,
            .iconImages = {},
            .clientWidth = 2000,
            .clientHeight = 2000,
            .outerWidth = 2105,
            .controls = controls,
            .lines = lines,
            .menu = menu,
            .handlers = handlers};
}

template <typename Widget = QWidget> Widget* find(const runtime::Form& form, const char* name) {
    return form.window()->findChild<Widget*>(name);
}

} // namespace test

// A Qt Test main for widget tests: the environment is set before Qt starts.
#define CALCULATOR_WIDGET_TEST_MAIN(TestObject)                                                    \
    int main(int argc, char** argv) {                                                              \
        test::prepareEnvironment();                                                                \
        QApplication application(argc, argv);                                                      \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

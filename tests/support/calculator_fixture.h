#pragma once
// What the window tests share: the offscreen platform, a log that stands in for
// the error message box, and the real Form1 built, loaded and shown.

#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/qt/application.h"
#include "runtime/qt/native.h"
#include "runtime/startup.h"
#include "runtime/test_seams.h"
#include "window/form1.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {

// Widget tests run on Qt's offscreen platform, at 96 dpi, in the C.UTF-8 locale
// unless the test's environment names another.
inline void prepareEnvironment() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    if (qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_ALL", "C.UTF-8");
}

// Outside an ErrorLog, any error the program reports fails the running test.
inline void failOnErrorReports() {
    runtime::setErrorReporter([](const runtime::RuntimeError& error) {
        QTest::qFail(qPrintable(QString("unexpected error report: %1: %2")
                                    .arg(error.number())
                                    .arg(QString::fromStdString(error.description()))),
                     __FILE__, __LINE__);
    });
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
    ~ErrorLog() { failOnErrorReports(); }
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    std::vector<ReportedError> errors;
};

// Form1 as start-up leaves it: built, Load raised, shown and active.
inline runtime::Form& openCalculator() {
    runtime::resetProgramState();
    runtime::Form& form = window::Form1();
    form.raise("Load");
    runtime::nativeWindow(form)->show();
    runtime::nativeWindow(form)->activateWindow();
    if (!QTest::qWaitForWindowActive(runtime::nativeWindow(form)))
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
    return runtime::nativeWindow(form)->findChild<Widget*>(name);
}

// What a person does and sees on Form1.
inline void click(const char* name) {
    QTest::mouseClick(find(window::Form1(), name), Qt::LeftButton);
}
inline QLineEdit* box(const char* name) { return find<QLineEdit>(window::Form1(), name); }
inline QAction* menuItem(const char* name) {
    return runtime::nativeWindow(window::Form1())->findChild<QAction*>(name);
}

// With CALCULATOR_TEST_PALETTE=dark, the colours of a dark desktop theme.
inline void applyTestPalette() {
    if (qEnvironmentVariable("CALCULATOR_TEST_PALETTE") != "dark")
        return;
    QPalette dark;
    for (auto [role, colour] : {std::pair{QPalette::Window, 0x2b2b2b},
                                {QPalette::WindowText, 0xe0e0e0},
                                {QPalette::Base, 0x1e1e1e},
                                {QPalette::Text, 0xe0e0e0},
                                {QPalette::Button, 0x353535},
                                {QPalette::ButtonText, 0xe0e0e0}})
        dark.setColor(role, QColor::fromRgb(QRgb(colour)));
    QApplication::setPalette(dark);
}

} // namespace test

// A Qt Test main for widget tests: the environment is set before Qt starts.
#define CALCULATOR_WIDGET_TEST_MAIN(TestObject)                                                    \
    int main(int argc, char** argv) {                                                              \
        test::prepareEnvironment();                                                                \
        runtime::Application application(argc, argv);                                              \
        test::failOnErrorReports();                                                                \
        test::applyTestPalette();                                                                  \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

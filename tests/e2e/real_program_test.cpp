// The real program, started as ./run starts it, in a real X session with a
// window manager, used with the mouse and keyboard as a person would.
// With SCREENSHOT_DIR set, it leaves pictures of what it saw there.

#include "calculator_user.h"
#include "wait.h"
#include "x_session.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include <memory>

using e2e::CalculatorUser;

namespace {

// The darkest grey in an area: text drawn there makes it dark.
int darkest(const QImage& image, const QRect& area) {
    int value = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            value = std::min(value, qGray(image.pixel(x, y)));
    return value;
}

} // namespace

class RealProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { user.reset(); }
    void cleanupTestCase() { session.reset(); }

    void compactWindowWithTitleAndIcon();
    void spaceOnTheFirstFocusedKeyTypesOne();
    void calculationTypedFromTheKeyboard();
    void typicalCalculationInTheKeypadView();
    void divisionByZeroIsReportedAndTheCalculatorGoesOn();
    void internalFaultIsReportedAndEndsWithStatusOne();
    void exitEndsWithStatusZero();
    void closingFromTheFrameEndsWithStatusZero();

private:
    void screenshot(const QRect& area, const char* name) {
        const QString folder = qEnvironmentVariable("SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(user->saveScreenshot(area, QDir(folder).filePath(name)));
    }

    std::unique_ptr<e2e::XSession> session;
    std::unique_ptr<CalculatorUser> user;
};

void RealProgramTest::initTestCase() {
    session = std::make_unique<e2e::XSession>();
    QVERIFY2(session->isRunning(), qPrintable(session->error()));
}

void RealProgramTest::init() {
    user = std::make_unique<CalculatorUser>(*session, CALCULATOR_PROGRAM, GRAB_TOOL);
    QVERIFY2(user->start(), qPrintable(user->error()));
}

void RealProgramTest::compactWindowWithTitleAndIcon() {
    QVERIFY(user->property("_NET_WM_NAME").endsWith("\"Calculator - Tarquel\""));
    // The class the desktop entry's StartupWMClass names, so docks group it with its launcher.
    QVERIFY(user->property("WM_CLASS").endsWith("\"tarquel-calculator\""));
    const QString icon = user->property("_NET_WM_ICON");
    QVERIFY(icon.contains("Icon (16 x 16)"));
    QVERIFY(icon.contains("Icon (32 x 32)"));

    const QRect client = user->clientRect();
    QVERIFY2(client.width() >= 249 && client.width() < 256,
             qPrintable(QString::number(client.width())));
    QCOMPARE(client.height(), 185);

    // Nothing of the keypads shows: right of the frame is the bare screen.
    const QRect frame = user->frameRect();
    const QImage picture = user->screenshot(frame.adjusted(0, 0, 40, 0));
    QVERIFY(!picture.isNull());
    const QRect beyond(frame.width(), 0, 40, frame.height());
    QCOMPARE(darkest(picture, beyond), qGray(picture.pixel(frame.width() + 20, 5)));
    QCOMPARE(qGray(picture.pixel(frame.width() + 20, 5)), 0);
    screenshot(frame, "compact-view.png");
}

void RealProgramTest::spaceOnTheFirstFocusedKeyTypesOne() {
    user->key("space");
    QCOMPARE(user->readBox("Text1"), std::optional<QString>("1"));
    QCOMPARE(user->readBox("Text2"), std::optional<QString>(""));
}

void RealProgramTest::calculationTypedFromTheKeyboard() {
    user->click("Text1");
    user->type("7");
    user->click("Text2");
    user->type("2");
    user->click("plus");
    QCOMPARE(user->readBox("Text3"), std::optional<QString>("9"));
    user->click("times");
    QCOMPARE(user->readBox("Text3"), std::optional<QString>("14"));
    user->click("Text1");
    user->key("BackSpace");
    user->type("2.5E1"); // Tab, as a person moves on, then the button from the keyboard
    user->key("Tab");
    user->click("minus");
    QCOMPARE(user->readBox("Text3"), std::optional<QString>("23"));
}

void RealProgramTest::typicalCalculationInTheKeypadView() {
    QVERIFY(user->chooseFromFileMenu(1));
    QVERIFY(e2e::waitUntil([&] { return user->clientRect().width() >= 409; }));
    QCOMPARE(user->clientRect().width(), 417);

    user->click("Command1");
    user->click("Command2");
    user->click("Command14");
    user->click("devises");
    QCOMPARE(user->readBox("Text1"), std::optional<QString>("12"));
    QCOMPARE(user->readBox("Text2"), std::optional<QString>("4"));
    QCOMPARE(user->readBox("Text3"), std::optional<QString>("3"));
    screenshot(user->frameRect(), "keypad-view.png");

    // View Keyboard is greyed out now: its caption is drawn lighter than New's.
    const QRect popup = user->openFileMenu();
    QVERIFY(!popup.isEmpty());
    const QImage menu = user->screenshot(popup);
    const QRect newItem(0, 2, menu.width(), menu.height() / 2 - 4);
    const QRect viewItem(0, menu.height() / 2 + 2, menu.width(), menu.height() / 2 - 4);
    QVERIFY(darkest(menu, viewItem) > darkest(menu, newItem) + 40);
    // Choosing it does nothing; the menu stays open until Escape.
    user->click(QPoint(popup.center().x(), popup.top() + popup.height() * 3 / 4));
    user->key("Escape");
    QVERIFY(e2e::waitUntil([&] { return user->otherWindows().isEmpty(); }));
    QCOMPARE(user->clientRect().width(), 417);
}

void RealProgramTest::divisionByZeroIsReportedAndTheCalculatorGoesOn() {
    user->click("Text1");
    user->type("5");
    user->click("devises");
    QVERIFY(e2e::waitUntil([&] { return !user->otherWindows().isEmpty(); }));
    const QString message = user->otherWindows().front();
    QVERIFY(e2e::waitUntil([&] { return user->focusedWindow() == message; }));
    screenshot(user->frameRect().united(user->rectOf(message).adjusted(-2, -22, 2, 2)),
               "error-message.png");
    user->key("ctrl+c");
    QVERIFY(e2e::waitUntil(
        [&] { return user->clipboard().value_or("").contains("Error 11: Division by zero"); }));
    user->key("Return");
    QVERIFY(e2e::waitUntil([&] { return user->otherWindows().isEmpty(); }));

    QVERIFY(user->isRunning());
    QCOMPARE(user->readBox("Text1"), std::optional<QString>("5"));
    QCOMPARE(user->readBox("Text2"), std::optional<QString>(""));
    QCOMPARE(user->readBox("Text3"), std::optional<QString>(""));
    user->click("Text2");
    user->type("2");
    user->click("devises");
    QCOMPARE(user->readBox("Text3"), std::optional<QString>("2.5"));
}

// A handler of a program built with a fault throws a standard exception: the
// user is told in the error message, and the program ends with status 1
// instead of dying of a signal.
void RealProgramTest::internalFaultIsReportedAndEndsWithStatusOne() {
    user = std::make_unique<CalculatorUser>(*session, FAULTY_PROGRAM, GRAB_TOOL);
    QVERIFY2(user->start(), qPrintable(user->error()));
    const QRect popup = user->openFileMenu();
    QVERIFY(!popup.isEmpty());
    user->click(QPoint(popup.center().x(), popup.top() + popup.height() / 4)); // New
    QVERIFY(e2e::waitUntil([&] {
        const QStringList others = user->otherWindows();
        return others.size() == 1 && user->focusedWindow() == others.front();
    }));
    user->key("ctrl+c");
    QVERIFY(e2e::waitUntil([&] {
        return user->clipboard().value_or("").startsWith("Error 1005: Internal error in new_Click");
    }));
    user->key("Return");
    QCOMPARE(user->exitStatus(), std::optional<int>(1));
}

void RealProgramTest::exitEndsWithStatusZero() {
    user->click("Text1");
    user->type("unfinished");
    user->click("end1");
    QCOMPARE(user->exitStatus(), std::optional<int>(0));
}

void RealProgramTest::closingFromTheFrameEndsWithStatusZero() {
    // The close box is the title bar's last button, at its right end.
    const QRect frame = user->frameRect();
    const int titleBar = user->windowRect().top() - frame.top();
    user->click(QPoint(frame.right() - titleBar / 2, frame.top() + titleBar / 2));
    QCOMPARE(user->exitStatus(), std::optional<int>(0));
}

QTEST_GUILESS_MAIN(RealProgramTest)
#include "real_program_test.moc"

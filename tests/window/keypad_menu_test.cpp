// The digit keypads and the File menu on the real window.

#include "support/calculator_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

class KeypadMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init() { form = &test::openCalculator(); }
    void cleanup() { test::closeCalculator(); }

    void everyKeyAppendsItsDigitToItsOwnBox_data();
    void everyKeyAppendsItsDigitToItsOwnBox();
    void digitsGoToTheEndWhateverTheCaretAndSelection();
    void hiddenKeysAreReachedWithTabAndPressedWithSpace();
    void longBoxKeepsEveryCharacter();
    void newEmptiesTheThreeBoxesOnly();
    void viewKeyboardShowsTheKeypadsOnceAndForGood();
    void typicalCalculation();

private:
    runtime::Form* form = nullptr;
};

void KeypadMenuTest::everyKeyAppendsItsDigitToItsOwnBox_data() {
    QTest::addColumn<int>("key");
    for (int key = 1; key <= 20; ++key)
        QTest::addRow("Command%d", key) << key;
}

void KeypadMenuTest::everyKeyAppendsItsDigitToItsOwnBox() {
    QFETCH(int, key);
    const QString digit = QString::number(key % 10);
    const char* own = key <= 10 ? "Text1" : "Text2";
    const char* other = key <= 10 ? "Text2" : "Text1";
    test::box("Text1")->setText("-4.5");
    test::box("Text2")->setText("x");
    test::box("Text3")->setText("r");
    const QString ownBefore = test::box(own)->text(), otherBefore = test::box(other)->text();

    auto* button = test::find<QPushButton>(*form, qPrintable(QString("Command%1").arg(key)));
    QCOMPARE(button->text(), digit);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(test::box(own)->text(), ownBefore + digit + digit);
    QCOMPARE(test::box(other)->text(), otherBefore);
    QCOMPARE(test::box("Text3")->text(), QString("r"));
}

void KeypadMenuTest::digitsGoToTheEndWhateverTheCaretAndSelection() {
    test::box("Text1")->setText("123");
    test::box("Text1")->setSelection(0, 2);
    test::click("Command5");
    QCOMPARE(test::box("Text1")->text(), QString("1235"));
    test::box("Text1")->setText("");
    test::click("Command10");
    test::click("Command10");
    QCOMPARE(test::box("Text1")->text(), QString("00"));
}

void KeypadMenuTest::hiddenKeysAreReachedWithTabAndPressedWithSpace() {
    QVERIFY(test::find(*form, "client")->width() <= 3840 / 15); // the keypads are beyond the edge
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(focused->objectName(), QString("Command1"));
    QTest::keyClick(focused, Qt::Key_Space);
    QCOMPARE(test::box("Text1")->text(), QString("1"));

    QTest::keyClick(focused, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(test::box("Text1")->text(), QString("13"));
}

void KeypadMenuTest::longBoxKeepsEveryCharacter() {
    const QString million(1'000'000, QChar('7'));
    test::box("Text2")->setText(million);
    test::click("Command14");
    const QString after = test::box("Text2")->text();
    QCOMPARE(after.size(), million.size() + 1);
    QVERIFY(after.startsWith(million));
    QVERIFY(after.endsWith("74"));
}

void KeypadMenuTest::newEmptiesTheThreeBoxesOnly() {
    test::menuItem("new")->trigger(); // on empty boxes: nothing to do, and no error

    test::box("Text1")->setText("1");
    test::box("Text2")->setText("2");
    test::box("Text3")->setText("3");
    test::menuItem("new")->trigger();
    for (const char* name : {"Text1", "Text2", "Text3"})
        QCOMPARE(test::box(name)->text(), QString());
    QCOMPARE(test::find(*form, "client")->width(), 255);
    QCOMPARE(test::find(*form, "end1")->x(), 2640 / 15);
    QVERIFY(test::menuItem("no")->isEnabled());
}

// At 96 dpi a pixel is 15 twips: Exit moves to 5040, the result box widens to
// 4815 and the window to 6360 less its frame.
void KeypadMenuTest::viewKeyboardShowsTheKeypadsOnceAndForGood() {
    test::box("Text1")->setText("kept");
    test::menuItem("no")->trigger();

    QWidget* client = test::find(*form, "client");
    QCOMPARE(client->width(), 417);
    QCOMPARE(test::find(*form, "end1")->geometry(), QRect(5040 / 15, 2280 / 15, 73, 25));
    QCOMPARE(test::box("Text3")->geometry(), QRect(120 / 15, 2280 / 15, 4815 / 15, 25));
    QCOMPARE(test::box("Text1")->text(), QString("kept"));
    QVERIFY(!test::menuItem("no")->isEnabled());
    // Everything, both keypads and the moved Exit included, is inside the client area.
    for (QWidget* control : client->findChildren<QPushButton*>())
        QVERIFY2(control->geometry().right() < client->width(), qPrintable(control->objectName()));

    // A greyed-out item cannot be chosen: the menu ignores it.
    auto* file = runtime::nativeWindow(*form)->findChild<QMenu*>("view");
    file->popup(runtime::nativeWindow(*form)->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {},
                      file->actionGeometry(test::menuItem("no")).center());
    QCOMPARE(client->width(), 417);

    // New leaves the keypad view alone.
    test::menuItem("new")->trigger();
    QCOMPARE(client->width(), 417);
    QCOMPARE(test::find(*form, "end1")->x(), 5040 / 15);
}

// File > View Keyboard; "1", "2" on the first keypad; "4" on the second; Devises.
void KeypadMenuTest::typicalCalculation() {
    auto* file = runtime::nativeWindow(*form)->findChild<QMenu*>("view");
    auto* bar = qobject_cast<QMainWindow*>(runtime::nativeWindow(*form))->menuBar();
    // Both clicks come through the window system, as a user's do. Since Qt 6.8 the
    // window system's side keeps track of open menus: a click handed straight to
    // the menu bar widget opens a menu that then ignores the pointer and closes on
    // the next click, as if it were outside.
    const QPoint fileTitle = bar->actionGeometry(file->menuAction()).center();
    QTest::mouseClick(runtime::nativeWindow(*form)->windowHandle(), Qt::LeftButton, {},
                      bar->mapTo(runtime::nativeWindow(*form), fileTitle));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file->windowHandle(), Qt::LeftButton, {},
                      file->actionGeometry(test::menuItem("no")).center());
    QVERIFY(!test::menuItem("no")->isEnabled());

    test::click("Command1");
    test::click("Command2");
    test::click("Command14");
    QCOMPARE(test::box("Text1")->text(), QString("12"));
    QCOMPARE(test::box("Text2")->text(), QString("4"));
    test::click("devises");
    QCOMPARE(test::box("Text3")->text(), QString("3"));
}

CALCULATOR_WIDGET_TEST_MAIN(KeypadMenuTest)
#include "keypad_menu_test.moc"

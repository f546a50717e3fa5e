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
    void click(const char* name) { QTest::mouseClick(test::find(*form, name), Qt::LeftButton); }
    QLineEdit* box(const char* name) { return test::find<QLineEdit>(*form, name); }
    QAction* menuItem(const char* name) { return form->window()->findChild<QAction*>(name); }

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
    box("Text1")->setText("-4.5");
    box("Text2")->setText("x");
    box("Text3")->setText("r");
    const QString ownBefore = box(own)->text(), otherBefore = box(other)->text();

    auto* button = test::find<QPushButton>(*form, qPrintable(QString("Command%1").arg(key)));
    QCOMPARE(button->text(), digit);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(box(own)->text(), ownBefore + digit + digit);
    QCOMPARE(box(other)->text(), otherBefore);
    QCOMPARE(box("Text3")->text(), QString("r"));
}

void KeypadMenuTest::digitsGoToTheEndWhateverTheCaretAndSelection() {
    box("Text1")->setText("123");
    box("Text1")->setSelection(0, 2);
    click("Command5");
    QCOMPARE(box("Text1")->text(), QString("1235"));
    box("Text1")->setText("");
    click("Command10");
    click("Command10");
    QCOMPARE(box("Text1")->text(), QString("00"));
}

void KeypadMenuTest::hiddenKeysAreReachedWithTabAndPressedWithSpace() {
    QVERIFY(form->clientWidth() < 3840); // the keypads are beyond the edge
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(focused->objectName(), QString("Command1"));
    QTest::keyClick(focused, Qt::Key_Space);
    QCOMPARE(box("Text1")->text(), QString("1"));

    QTest::keyClick(focused, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(box("Text1")->text(), QString("13"));
}

void KeypadMenuTest::longBoxKeepsEveryCharacter() {
    const QString million(1'000'000, QChar('7'));
    box("Text2")->setText(million);
    click("Command14");
    const QString after = box("Text2")->text();
    QCOMPARE(after.size(), million.size() + 1);
    QVERIFY(after.startsWith(million));
    QVERIFY(after.endsWith("74"));
}

void KeypadMenuTest::newEmptiesTheThreeBoxesOnly() {
    menuItem("new")->trigger(); // on empty boxes: nothing to do, and no error

    box("Text1")->setText("1");
    box("Text2")->setText("2");
    box("Text3")->setText("3");
    menuItem("new")->trigger();
    for (const char* name : {"Text1", "Text2", "Text3"})
        QCOMPARE(box(name)->text(), QString());
    QCOMPARE(test::find(*form, "client")->width(), 255);
    QCOMPARE(test::find(*form, "end1")->x(), 2640 / 15);
    QVERIFY(menuItem("no")->isEnabled());
}

// At 96 dpi a pixel is 15 twips: Exit moves to 5040, the result box widens to
// 4815 and the window to 6360 less its frame.
void KeypadMenuTest::viewKeyboardShowsTheKeypadsOnceAndForGood() {
    box("Text1")->setText("kept");
    menuItem("no")->trigger();

    QWidget* client = test::find(*form, "client");
    QCOMPARE(client->width(), 417);
    QCOMPARE(test::find(*form, "end1")->geometry(), QRect(5040 / 15, 2280 / 15, 73, 25));
    QCOMPARE(box("Text3")->geometry(), QRect(120 / 15, 2280 / 15, 4815 / 15, 25));
    QCOMPARE(box("Text1")->text(), QString("kept"));
    QVERIFY(!menuItem("no")->isEnabled());
    // Everything, both keypads and the moved Exit included, is inside the client area.
    for (QWidget* control : client->findChildren<QPushButton*>())
        QVERIFY2(control->geometry().right() < client->width(), qPrintable(control->objectName()));

    // A greyed-out item cannot be chosen: the menu ignores it.
    auto* file = form->window()->findChild<QMenu*>("view");
    file->popup(form->window()->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(menuItem("no")).center());
    QCOMPARE(client->width(), 417);

    // New leaves the keypad view alone.
    menuItem("new")->trigger();
    QCOMPARE(client->width(), 417);
    QCOMPARE(test::find(*form, "end1")->x(), 5040 / 15);
}

// File > View Keyboard; "1", "2" on the first keypad; "4" on the second; Devises.
void KeypadMenuTest::typicalCalculation() {
    auto* file = form->window()->findChild<QMenu*>("view");
    auto* bar = qobject_cast<QMainWindow*>(form->window())->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(menuItem("no")).center());
    QVERIFY(!menuItem("no")->isEnabled());

    click("Command1");
    click("Command2");
    click("Command14");
    QCOMPARE(box("Text1")->text(), QString("12"));
    QCOMPARE(box("Text2")->text(), QString("4"));
    click("devises");
    QCOMPARE(box("Text3")->text(), QString("3"));
}

CALCULATOR_WIDGET_TEST_MAIN(KeypadMenuTest)
#include "keypad_menu_test.moc"

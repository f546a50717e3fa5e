// The digit keypads and the File menu on the real window.

#include "support/calculator_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

// Names the changes it watches for, in the order they happen.
class ChangeOrder : public QObject {
public:
    void watch(QObject* object, QEvent::Type type, const QString& name) {
        watched.push_back({object, type, name});
        object->installEventFilter(this);
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        for (const Watched& w : watched)
            if (w.object == object && w.type == event->type())
                seen << w.name;
        return false;
    }
    QStringList seen;

private:
    struct Watched {
        QObject* object;
        QEvent::Type type;
        QString name;
    };
    std::vector<Watched> watched;
};

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
    test::ErrorLog log;
    menuItem("new")->trigger(); // on empty boxes: nothing to do, no error
    QVERIFY(log.errors.empty());

    box("Text1")->setText("1");
    box("Text2")->setText("2");
    box("Text3")->setText("3");
    const int width = form->width();
    menuItem("new")->trigger();
    for (const char* name : {"Text1", "Text2", "Text3"})
        QCOMPARE(box(name)->text(), QString());
    QCOMPARE(form->width(), width);
    QCOMPARE((*form)["end1"].left(), 2640);
    QVERIFY(menuItem("no")->isEnabled());
}

void KeypadMenuTest::viewKeyboardShowsTheKeypadsOnceAndForGood() {
    test::ErrorLog log;
    box("Text1")->setText("kept");
    ChangeOrder order;
    order.watch(test::find(*form, "end1"), QEvent::Move, "end1 Left");
    order.watch(box("Text3"), QEvent::Resize, "Text3 Width");
    order.watch(test::find(*form, "client"), QEvent::Resize, "Form1 Width");
    QObject::connect(menuItem("no"), &QAction::changed, [&] { order.seen << "no Enabled"; });
    menuItem("no")->trigger();
    QCOMPARE(order.seen, QStringList({"end1 Left", "Text3 Width", "Form1 Width", "no Enabled"}));

    QCOMPARE((*form)["end1"].left(), 5040);
    QCOMPARE((*form)["Text3"].width(), 4815);
    QCOMPARE(form->width(), 6360);
    QCOMPARE(test::find(*form, "client")->width(), 417);
    QCOMPARE(box("Text1")->text(), QString("kept"));
    QVERIFY(!menuItem("no")->isEnabled());
    // Everything, both keypads and the moved Exit included, is inside the client area.
    for (const runtime::Control& control : window::form1Description().controls) {
        const runtime::Object object = (*form)[control.name];
        QVERIFY2(object.left() + object.width() <= form->clientWidth(), control.name.data());
    }

    // A greyed-out item cannot be chosen: the menu ignores it.
    auto* file = form->window()->findChild<QMenu*>("view");
    file->popup(form->window()->mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(menuItem("no")).center());
    QCOMPARE(form->width(), 6360);
    QVERIFY(log.errors.empty());

    // New leaves the keypad view alone.
    menuItem("new")->trigger();
    QCOMPARE(form->width(), 6360);
    QCOMPARE((*form)["end1"].left(), 5040);
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

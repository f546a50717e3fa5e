// The built Form1 against its description: geometry back in twips, captions,
// kinds, focus order, lines, menu, icon, and the compact view after Load.

#include "support/calculator_fixture.h"

#include "runtime/qt/line_widget.h"

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <set>

using runtime::ControlKind;

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() { form = &test::openCalculator(); }
    void cleanup() { test::closeCalculator(); }

    void tableKeepsItsOwnRules();
    void everyControlStandsWhereTheTableSays();
    void focusFollowsTabIndexAndStartsOnTheFirstKey();
    void compactViewShowsTheLeftColumnOnly();
    void upperSeparatorIsDottedLowerIsSolid();
    void menuHoldsFileWithNewAboveViewKeyboard();
    void windowIsFixedAndCarriesItsIcon();
    void screenReadersHearEveryControlByName();
    void geometryScalesExactlyWithTheScreen();

private:
    runtime::Form* form = nullptr;
};

// Rules of the layout that a typo in the table would break.
void LayoutTest::tableKeepsItsOwnRules() {
    const auto& description = window::form1Description();
    QCOMPARE(description.controls.size(), std::size_t(28));
    std::set<int> tabIndexes;
    std::set<std::string_view> names;
    int keys = 0;
    for (const runtime::Control& control : description.controls) {
        tabIndexes.insert(control.tabIndex);
        names.insert(control.name);
        // A margin of 120 to every edge of the laid-out client area.
        QVERIFY(control.left >= 120 && control.top >= 120);
        QVERIFY(control.left + control.width <= description.clientWidth - 120);
        QVERIFY(control.top + control.height <= description.clientHeight - 120);
        if (control.name.starts_with("Command")) {
            ++keys;
            const int number = std::stoi(std::string(control.name.substr(7)));
            const int inKeypad = (number - 1) % 10;
            QCOMPARE(control.caption, std::string_view("1234567890").substr(inKeypad, 1));
            QCOMPARE(control.left, 3840 + 480 * (inKeypad % 5));
            QCOMPARE(control.width, 375);
            QCOMPARE(control.height, 375);
        }
    }
    QCOMPARE(keys, 20);
    QCOMPARE(tabIndexes.size(), std::size_t(28));
    QCOMPARE(*tabIndexes.begin(), 0);
    QCOMPARE(*tabIndexes.rbegin(), 27);
    QCOMPARE(names.size(), std::size_t(28));
}

void LayoutTest::everyControlStandsWhereTheTableSays() {
    for (const runtime::Control& control : window::form1Description().controls) {
        const QByteArray name(control.name.data(), qsizetype(control.name.size()));
        QWidget* widget = test::find(*form, name.constData());
        QVERIFY2(widget, name.constData());
        // At 96 dpi a pixel is 15 twips.
        QCOMPARE(widget->geometry(), QRect(control.left / 15, control.top / 15, control.width / 15,
                                           control.height / 15));
        QCOMPARE(widget->parentWidget()->objectName(), QString("client"));
        QVERIFY(widget->isEnabled());

        const QString caption = QString::fromUtf8(control.caption.data(), control.caption.size());
        if (control.kind == ControlKind::Button) {
            auto* button = qobject_cast<QPushButton*>(widget);
            QVERIFY2(button, name.constData());
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isDefault() && !button->autoDefault());
            QVERIFY(button->shortcut().isEmpty());
        } else {
            auto* box = qobject_cast<QLineEdit*>(widget);
            QVERIFY2(box, name.constData());
            QCOMPARE(box->text(), QString());
            QVERIFY(!box->isReadOnly());
            QCOMPARE(box->maxLength(), std::numeric_limits<int>::max());
        }
    }
}

void LayoutTest::focusFollowsTabIndexAndStartsOnTheFirstKey() {
    QWidget* first = test::find(*form, "Command1");
    QCOMPARE(QApplication::focusWidget(), first);

    std::vector<const runtime::Control*> byTabIndex(28);
    for (const runtime::Control& control : window::form1Description().controls)
        byTabIndex[std::size_t(control.tabIndex)] = &control;
    QWidget* current = first;
    for (const runtime::Control* control : byTabIndex) {
        QCOMPARE(current->objectName().toStdString(), std::string(control->name));
        do
            current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || !current->parentWidget() ||
               current->parentWidget()->objectName() != "client");
    }
    QCOMPARE(current, first); // and round again
}

// The left column whole, and nothing of the keypads: 3930 twips less the frame.
void LayoutTest::compactViewShowsTheLeftColumnOnly() {
    QWidget* client = test::find(*form, "client");
    QCOMPARE(client->size(), QSize(255, 185));
    for (const runtime::Control& control : window::form1Description().controls) {
        const bool key = control.name.starts_with("Command");
        const QRect place = test::find(*form, QByteArray(control.name.data()))->geometry();
        QVERIFY2(key ? place.left() >= client->width() : place.right() < client->width(),
                 control.name.data());
    }
}

void LayoutTest::upperSeparatorIsDottedLowerIsSolid() {
    auto* upper = test::find<runtime::LineWidget>(*form, "Line2");
    auto* lower = test::find<runtime::LineWidget>(*form, "Line1");
    QVERIFY(upper && lower);
    QCOMPARE(upper->geometry(), QRect(0, 1080 / 15, 6240 / 15 + 1, 1));
    QCOMPARE(lower->geometry(), QRect(0, 2160 / 15, 6360 / 15 + 1, 1));
    QCOMPARE(upper->focusPolicy(), Qt::NoFocus);

    // What is drawn: the solid line is unbroken, the dotted one has gaps, both
    // in the palette's colours, so that a dark palette keeps them readable.
    QWidget* client = test::find(*form, "client");
    const QImage picture = client->grab().toImage();
    const QColor background = picture.pixelColor(1, 2);
    QCOMPARE(background, client->palette().color(QPalette::Window));
    QCOMPARE(picture.pixelColor(1, lower->y() * int(picture.devicePixelRatio())),
             client->palette().color(QPalette::WindowText));
    auto gaps = [&](int y) {
        int count = 0;
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, y) == background;
        return count;
    };
    const int scale = int(picture.devicePixelRatio());
    for (int row = 0; row < scale; ++row) { // a line is one pixel thick at any scale
        QCOMPARE(gaps(lower->y() * scale + row), 0);
        QVERIFY(gaps(upper->y() * scale + row) > picture.width() / 3);
    }
}

void LayoutTest::menuHoldsFileWithNewAboveViewKeyboard() {
    auto* mainWindow = qobject_cast<QMainWindow*>(runtime::nativeWindow(*form));
    const QList<QAction*> bar = mainWindow->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QMenu* file = bar.front()->menu();
    QCOMPARE(file->objectName(), QString("view"));
    QCOMPARE(file->title(), QString("File"));
    const QList<QAction*> items = file->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->objectName(), QString("new"));
    QCOMPARE(items[0]->text(), QString("New"));
    QCOMPARE(items[1]->objectName(), QString("no"));
    QCOMPARE(items[1]->text(), QString("View Keyboard"));
    for (QAction* item : items)
        QVERIFY(item->isEnabled() && item->isVisible() && item->shortcut().isEmpty());
}

void LayoutTest::windowIsFixedAndCarriesItsIcon() {
    QWidget* window = runtime::nativeWindow(*form);
    QCOMPARE(window->objectName(), QString("Form1"));
    QCOMPARE(window->windowTitle(), QString("Calculator - Tarquel"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));
}

void LayoutTest::screenReadersHearEveryControlByName() {
    const std::map<std::string_view, QString> boxes = {
        {"Text1", "First operand"}, {"Text2", "Second operand"}, {"Text3", "Result"}};
    for (const runtime::Control& control : window::form1Description().controls) {
        QWidget* widget = test::find(*form, QByteArray(control.name.data()).constData());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        const QString expected = control.kind == ControlKind::Button
                                     ? QString::fromUtf8(control.caption.data())
                                     : boxes.at(control.name);
        QCOMPARE(accessible->text(QAccessible::Name), expected);
        // The two keypads share their captions: each key is described by the
        // box a press of it types into.
        if (control.kind == ControlKind::Button && control.caption.size() == 1) {
            static_cast<QPushButton*>(widget)->click();
            const auto typedInto = std::ranges::find_if(boxes, [](const auto& box) {
                return !test::box(box.first.data())->text().isEmpty();
            });
            QVERIFY(typedInto != boxes.end());
            QCOMPARE(accessible->text(QAccessible::Description), typedInto->second + " keypad");
            test::box(typedInto->first.data())->clear();
        }
    }
}

// Run at QT_SCALE_FACTOR 1 and again at 2: logical pixels stay at 15 twips
// each, device pixels follow the factor exactly, and the icon is drawn from
// its larger image rather than stretched.
void LayoutTest::geometryScalesExactlyWithTheScreen() {
    const qreal factor = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    QWidget* client = test::find(*form, "client");
    QCOMPARE(client->devicePixelRatio(), factor);
    const QImage picture = client->grab().toImage();
    QCOMPARE(picture.size(), QSize(255, 185) * factor);

    const QPixmap small = runtime::nativeWindow(*form)->windowIcon().pixmap(QSize(16, 16), factor);
    QCOMPARE(small.size(), QSize(16, 16) * factor);
    if (factor == 2.0) {
        QImage drawn = small.toImage().convertToFormat(QImage::Format_ARGB32);
        drawn.setDevicePixelRatio(1.0);
        QCOMPARE(drawn, QImage(window::form1Description().iconImages.back())
                            .convertToFormat(QImage::Format_ARGB32));
    }
}

CALCULATOR_WIDGET_TEST_MAIN(LayoutTest)
#include "layout_test.moc"

// The real window replays the table of cases every platform shares (keypads,
// operations and their errors, the File menu); and what only Qt shows: typed
// operands, the space bar, and the locale's separator.

#include "support/calculator_fixture.h"
#include "tests/cases/form1_cases.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStringList>

#include <string>

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { form = &test::openCalculator(); }
    void cleanup() { test::closeCalculator(); }

    void replaysTheSharedCases();
    void typedOperandsAndSpaceBar();
    void sameButtonTwiceGivesTheSameResult();
    void resultIsWrittenWithTheLocaleSeparator();

private:
    runtime::Form* form = nullptr;
};

// The table every platform replays, on one window in order: the boxes after the
// presses, the message the user is shown, and the properties that then hold.
void OperationsTest::replaysTheSharedCases() {
    for (const test::Case& row : test::form1Cases) {
        test::ErrorLog log;
        test::box("Text1")->setText(row.text1);
        test::box("Text2")->setText(row.text2);
        test::box("Text3")->setText(row.text3);
        for (const std::string& name : test::words(row.presses)) {
            if (QAction* item = test::menuItem(name.c_str()))
                item->trigger(); // as the menu does, only while the item is enabled
            else
                test::click(name.c_str());
        }
        const QString what = row.what;
        const auto same = [&what](const QString& got, const QString& wanted, const char* of) {
            QVERIFY2(got == wanted,
                     qPrintable(what + ": " + of + ": got " + got + ", expected " + wanted));
        };
        same(test::box("Text1")->text() + " | " + test::box("Text2")->text() + " | " +
                 test::box("Text3")->text(),
             QString(row.after1) + " | " + row.after2 + " | " + row.after3, "the boxes");
        QStringList shown;
        for (const test::ReportedError& error : log.errors)
            shown << QString("Error %1: %2").arg(error.number).arg(error.description.c_str());
        same(shown.join("; "), row.message, "the message");
        QVERIFY2(!runtime::exitStatus() && runtime::nativeWindow(*form)->isVisible(),
                 qPrintable(what + ": the program goes on"));
        // At 96 dpi a pixel is 15 twips; the frame takes 105 of the outer width.
        for (const std::string& word : test::words(row.then)) {
            const test::Holds holds = test::holds(word);
            QWidget* widget = test::find(*form, holds.object.c_str());
            QString got;
            if (holds.property == "Enabled")
                got = test::menuItem(holds.object.c_str())->isEnabled() ? "true" : "false";
            else if (holds.object == "Form1")
                got = QString::number(test::find(*form, "client")->width() * 15 + 105);
            else
                got = QString::number((holds.property == "Left" ? widget->x() : widget->width()) *
                                      15);
            same(got, QString::fromStdString(holds.value), word.c_str());
        }
    }
}

void OperationsTest::typedOperandsAndSpaceBar() {
    QTest::keyClicks(test::find(*form, "Text1"), "12.5");
    QTest::keyClicks(test::find(*form, "Text2"), "-0.5");
    QWidget* times = test::find(*form, "times");
    times->setFocus();
    QTest::keyClick(times, Qt::Key_Space);
    QCOMPARE(test::box("Text3")->text(), QString("-6.25"));
}

void OperationsTest::sameButtonTwiceGivesTheSameResult() {
    test::box("Text1")->setText("10");
    test::box("Text2")->setText("4");
    test::click("minus");
    test::click("minus");
    QCOMPARE(test::box("Text3")->text(), QString("6"));
    // Whatever the user typed into the result box never enters the computation.
    test::box("Text3")->setText("1000");
    test::click("plus");
    QCOMPARE(test::box("Text3")->text(), QString("14"));
}

// Run under LC_ALL=C and again under a German locale; the environment names
// the separator the user's locale should give.
void OperationsTest::resultIsWrittenWithTheLocaleSeparator() {
    const QString expected = qEnvironmentVariable("EXPECTED_DECIMAL_SEPARATOR", ".");
    QCOMPARE(QLocale::system().decimalPoint(), expected);
    test::box("Text1")->setText("7");
    test::box("Text2")->setText("2");
    test::click("devises");
    QCOMPARE(test::box("Text3")->text(), "3" + expected + "5");
    test::box("Text1")->setText("1.5E-20"); // read with a full stop in every locale
    test::box("Text2")->setText("1");
    test::click("times");
    QCOMPARE(test::box("Text3")->text(), "1" + expected + "5E-20");
}

CALCULATOR_WIDGET_TEST_MAIN(OperationsTest)
#include "operations_test.moc"

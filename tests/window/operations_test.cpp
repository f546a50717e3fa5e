// The four operation buttons on the real window: both boxes read whole, Text1's
// value on the left, the result written last; arithmetic errors are reported and
// keep every box as it was, with the calculator still running.

#include "support/calculator_fixture.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

class OperationsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { form = &test::openCalculator(); }
    void cleanup() { test::closeCalculator(); }

    void clickWritesTheResult_data();
    void clickWritesTheResult();
    void typedOperandsAndSpaceBar();
    void sameButtonTwiceGivesTheSameResult();
    void resultIsWrittenWithTheLocaleSeparator();

private:
    runtime::Form* form = nullptr;
};

void OperationsTest::clickWritesTheResult_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result"); // empty: an error, Text3 keeps what it held
    QTest::addColumn<int>("error");

    QTest::newRow("7 plus 2") << "7"
                              << "2"
                              << "plus"
                              << "9" << 0;
    QTest::newRow("7 minus 2") << "7"
                               << "2"
                               << "minus"
                               << "5" << 0;
    QTest::newRow("7 times 2") << "7"
                               << "2"
                               << "times"
                               << "14" << 0;
    QTest::newRow("7 devises 2") << "7"
                                 << "2"
                                 << "devises"
                                 << "3.5" << 0;
    QTest::newRow("2 minus 8, left first") << "2"
                                           << "8"
                                           << "minus"
                                           << "-6" << 0;
    QTest::newRow("2 devises 8, left first") << "2"
                                             << "8"
                                             << "devises"
                                             << "0.25" << 0;
    QTest::newRow("empty reads as 0, plus") << "5"
                                            << ""
                                            << "plus"
                                            << "5" << 0;
    QTest::newRow("empty reads as 0, times") << "5"
                                             << ""
                                             << "times"
                                             << "0" << 0;
    QTest::newRow("text after the number") << "12abc"
                                           << "1 2"
                                           << "plus"
                                           << "24" << 0;
    QTest::newRow("fractions") << "-4.5"
                               << ".5"
                               << "plus"
                               << "-4" << 0;
    QTest::newRow("no number") << "abc"
                               << "3"
                               << "minus"
                               << "-3" << 0;
    QTest::newRow("one third") << "1"
                               << "3"
                               << "devises"
                               << "0.333333333333333" << 0;
    QTest::newRow("hexadecimal") << "&HFF"
                                 << "&O10"
                                 << "plus"
                                 << "263" << 0;
    QTest::newRow("huge result") << "1E300"
                                 << "1E300"
                                 << "times"
                                 << "" << 6;
    QTest::newRow("operand beyond range") << "1E309"
                                          << "1"
                                          << "plus"
                                          << "" << 6;
    QTest::newRow("5 devises empty") << "5"
                                     << ""
                                     << "devises"
                                     << "" << 11;
    QTest::newRow("empty devises empty") << ""
                                         << ""
                                         << "devises"
                                         << "" << 6;
}

void OperationsTest::clickWritesTheResult() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, button);
    QFETCH(QString, result);
    QFETCH(int, error);

    test::ErrorLog log;
    test::box("Text1")->setText(first);
    test::box("Text2")->setText(second);
    test::box("Text3")->setText("what was there");
    test::click(button.toLatin1().constData());

    QCOMPARE(test::box("Text1")->text(), first);
    QCOMPARE(test::box("Text2")->text(), second);
    if (!error) {
        QCOMPARE(test::box("Text3")->text(), result);
        QVERIFY(log.errors.empty());
        return;
    }
    QCOMPARE(test::box("Text3")->text(), QString("what was there"));
    QCOMPARE(log.errors.size(), std::size_t(1));
    QCOMPARE(log.errors[0].number, error);
    QCOMPARE(QString::fromStdString(log.errors[0].description),
             QString(error == 6 ? "Overflow" : "Division by zero"));

    // The calculator goes on: the next calculation works as ever.
    QVERIFY(!runtime::exitStatus());
    QVERIFY(runtime::nativeWindow(*form)->isVisible());
    test::box("Text2")->setText("4");
    test::box("Text1")->setText("12");
    test::click("devises");
    QCOMPARE(test::box("Text3")->text(), QString("3"));
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

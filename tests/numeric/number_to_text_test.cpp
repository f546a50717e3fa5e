// Writing numbers as box text: 15 significant digits, no trailing zeros, exponent
// form at the extremes, and the separator the caller passes.

#include "runtime/numeric/error.h"
#include "runtime/numeric/numbers.h"
#include "support/exact.h"

#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

using runtime::numberToText;

class NumberToTextTest : public QObject {
    Q_OBJECT

private slots:
    void writes_data();
    void writes();
    void usesTheSeparatorItIsGiven_data();
    void usesTheSeparatorItIsGiven();
    void refusesValuesThatAreNotFinite();
    void readsBackAsTheValueRoundedTo15Digits();
    void largestDoublesOverflowWhenReadBack();
};

void NumberToTextTest::writes_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole") << 9.0 << "9";
    QTest::newRow("negative whole") << -6.0 << "-6";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("half") << 3.5 << "3.5";
    QTest::newRow("quarter keeps its zero") << 0.25 << "0.25";
    QTest::newRow("negative half") << -0.5 << "-0.5";
    QTest::newRow("one third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("two thirds rounds up") << 2.0 / 3.0 << "0.666666666666667";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("rounding carries into a new digit") << 9.9999999999999995 << "10";
    QTest::newRow("15 digits kept") << 123456789012345.0 << "123456789012345";
    QTest::newRow("16th digit rounded") << 1234567890123456.0 << "1.23456789012346E+15";
    QTest::newRow("largest before exponent form") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds up into exponent form") << 999999999999999.5 << "1E+15";
    QTest::newRow("1E+14 in full") << 1e14 << "100000000000000";
    QTest::newRow("1E+15") << 1e15 << "1E+15";
    QTest::newRow("1E+20") << 1e20 << "1E+20";
    QTest::newRow("exponent of three digits") << 1.5e300 << "1.5E+300";
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << "1.79769313486232E+308";
    QTest::newRow("0.0001 in full") << 0.0001 << "0.0001";
    QTest::newRow("rounds up to 0.0001") << 0.00009999999999999999 << "0.0001";
    QTest::newRow("just below 0.0001") << 0.0000999999999999999 << "9.99999999999999E-05";
    QTest::newRow("1E-05") << 0.00001 << "1E-05";
    QTest::newRow("negative small") << -2.5e-7 << "-2.5E-07";
    QTest::newRow("smallest normal")
        << std::numeric_limits<double>::min() << "2.2250738585072E-308";
    QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min()
                               << "4.94065645841247E-324";
    QTest::newRow("fraction with trailing zeros cut") << 12.5000 << "12.5";
    QTest::newRow("0.1 times 3") << 0.1 * 3 << "0.3";
}

void NumberToTextTest::writes() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(numberToText(value)), expected);
}

void NumberToTextTest::usesTheSeparatorItIsGiven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma") << 3.5 << ","
                           << "3,5";
    QTest::newRow("comma in exponent form") << -1.25e-9 << ","
                                            << "-1,25E-09";
    QTest::newRow("whole number has none") << 14.0 << ","
                                           << "14";
    QTest::newRow("multibyte separator")
        << 0.5 << QString(QChar(0x066B)) << QString("0") + QChar(0x066B) + "5";
}

void NumberToTextTest::usesTheSeparatorItIsGiven() {
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(numberToText(value, separator.toStdString())), expected);
}

void NumberToTextTest::refusesValuesThatAreNotFinite() {
    for (const double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        try {
            numberToText(value);
            QFAIL("no error raised");
        } catch (const runtime::RuntimeError& error) {
            QCOMPARE(error.number(), 6);
        }
    }
}

// For random doubles of every magnitude: at most 15 significant digits, and the
// text reads back as the value rounded to 15 significant digits.
void NumberToTextTest::readsBackAsTheValueRoundedTo15Digits() {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200'000; ++i) {
        double value;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } while (!std::isfinite(value));

        const std::string text = numberToText(value);
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.14e", value);
        const double expected = value == 0.0 ? 0.0 : std::strtod(rounded, nullptr);
        if (std::isinf(expected))
            continue; // beyond the range once rounded: see the next test
        if (runtime::textToNumber(text) != expected)
            QFAIL(qPrintable(QString("%1 was written as %2").arg(rounded).arg(text.c_str())));

        std::string significand = text.substr(0, text.find('E'));
        std::erase_if(significand, [](char c) { return c < '0' || c > '9'; });
        const auto first = significand.find_first_not_of('0');
        const auto last = significand.find_last_not_of('0');
        if (first != std::string::npos && last - first + 1 > 15)
            QFAIL(qPrintable(QString("more than 15 digits in %1").arg(text.c_str())));
    }
}

// Rounded to 15 digits, the largest doubles lie beyond the range: their text
// cannot be read back without overflow.
void NumberToTextTest::largestDoublesOverflowWhenReadBack() {
    const std::string text = numberToText(std::numeric_limits<double>::max());
    QCOMPARE(text, std::string("1.79769313486232E+308"));
    QVERIFY_THROWS_EXCEPTION(runtime::RuntimeError, runtime::textToNumber(text));
    COMPARE_EXACT(runtime::textToNumber(numberToText(1.79769313486231e308)), 1.79769313486231e308);
}

QTEST_APPLESS_MAIN(NumberToTextTest)
#include "number_to_text_test.moc"

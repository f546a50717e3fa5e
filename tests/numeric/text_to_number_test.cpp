// Reading box text as a number: the rules, where they stop, and the limits of a double.

#include "runtime/numeric/error.h"
#include "runtime/numeric/numbers.h"
#include "support/exact.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using runtime::textToNumber;

class TextToNumberTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void overflows_data();
    void overflows();
    void readsTextOfMillionsOfCharacters();
};

void TextToNumberTest::reads_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("whole") << QByteArray("7") << 7.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("blank inside") << QByteArray("1 2") << 12.0;
    QTest::newRow("tabs and line feeds anywhere") << QByteArray("\t1\n2 .\t5\n") << 12.5;
    QTest::newRow("negative fraction") << QByteArray("-4.5") << -4.5;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
    QTest::newRow("blank after sign") << QByteArray("- 8") << -8.0;
    QTest::newRow("no number") << QByteArray("abc") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
    QTest::newRow("second point stops") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("second sign stops") << QByteArray("-+5") << 0.0;
    QTest::newRow("sign after digits stops") << QByteArray("5-3") << 5.0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7.0;
    QTest::newRow("leading zeros of a keypad") << QByteArray("00") << 0.0;
    QTest::newRow("negative zero keeps its sign") << QByteArray("-0") << -0.0;
    QTest::newRow("negative tiny underflows to -0") << QByteArray("-1E-400") << -0.0;
    QTest::newRow("carriage return is no blank") << QByteArray("1\r2") << 1.0;
    QTest::newRow("no-break space is no blank") << QByteArray("1\xC2\xA0"
                                                              "2")
                                                << 1.0;
    QTest::newRow("comma is no point") << QByteArray("3,5") << 3.0;
    QTest::newRow("exponent") << QByteArray("1E3") << 1000.0;
    QTest::newRow("small exponent letter") << QByteArray("2.5e2") << 250.0;
    QTest::newRow("negative exponent") << QByteArray("15E-1") << 1.5;
    QTest::newRow("exponent with plus") << QByteArray("1E+2") << 100.0;
    QTest::newRow("blanks inside the exponent") << QByteArray("1 E - 2") << 0.01;
    QTest::newRow("letter without digits") << QByteArray("4E") << 4.0;
    QTest::newRow("letter and sign without digits") << QByteArray("4E-x") << 4.0;
    QTest::newRow("second exponent sign stops") << QByteArray("4E+-2") << 4.0;
    QTest::newRow("point in the exponent stops") << QByteArray("1E2.5") << 100.0;
    QTest::newRow("exponent alone") << QByteArray("E5") << 0.0;
    QTest::newRow("other exponent letters") << QByteArray("1D2") << 1.0;
    QTest::newRow("huge negative exponent") << QByteArray("1E-99999999999999999999") << 0.0;
    QTest::newRow("zero with huge exponent") << QByteArray("0E99999999999999999999") << 0.0;
    QTest::newRow("hexadecimal") << QByteArray("&HFF") << 255.0;
    QTest::newRow("hexadecimal small letters") << QByteArray("&hff") << 255.0;
    QTest::newRow("hexadecimal, no sign bit") << QByteArray("&HFFFF") << 65535.0;
    QTest::newRow("hexadecimal stops") << QByteArray("&H1G") << 1.0;
    QTest::newRow("hexadecimal with blanks") << QByteArray(" & H 1 0") << 16.0;
    QTest::newRow("hexadecimal without digits") << QByteArray("&H") << 0.0;
    QTest::newRow("hexadecimal 64 bits")
        << QByteArray("&HFFFFFFFFFFFFFFFF") << 18446744073709551615.0;
    QTest::newRow("octal") << QByteArray("&O17") << 15.0;
    QTest::newRow("octal small letter") << QByteArray("&o777") << 511.0;
    QTest::newRow("octal stops at 8") << QByteArray("&O78") << 7.0;
    QTest::newRow("octal leading zeros") << QByteArray("&O0001") << 1.0;
    QTest::newRow("octal 22 digits")
        << QByteArray("&O1777777777777777777777") << 18446744073709551615.0;
    QTest::newRow("ampersand alone") << QByteArray("&") << 0.0;
    QTest::newRow("ampersand other letter") << QByteArray("&X1") << 0.0;
    // Found by fuzzing: a control character once passed for the ampersand.
    QTest::newRow("control character before H") << QByteArray("\x06H10") << 0.0;
    QTest::newRow("control character before O") << QByteArray("\x06O78") << 0.0;
    QTest::newRow("signed hexadecimal is no number") << QByteArray("-&H10") << 0.0;
    QTest::newRow("largest double")
        << QByteArray("1.7976931348623157E308") << std::numeric_limits<double>::max();
    QTest::newRow("smallest normal")
        << QByteArray("2.2250738585072014E-308") << std::numeric_limits<double>::min();
    QTest::newRow("subnormal") << QByteArray("4.9406564584124654E-324")
                               << std::numeric_limits<double>::denorm_min();
    QTest::newRow("below the smallest subnormal") << QByteArray("1E-400") << 0.0;
    QTest::newRow("tiny, written long") << QByteArray("0." + QByteArray(400, '0') + "1") << 0.0;
    QTest::newRow("many digits, large exponent back in range")
        << QByteArray("0." + QByteArray(500, '0') + "1E+501") << 1.0;
    QTest::newRow("correct rounding, halfway to even")
        << QByteArray("9007199254740993") << 9007199254740992.0;
    QTest::newRow("correct rounding, just above half")
        << QByteArray("9007199254740993.0000000000000000001") << 9007199254740994.0;
    QTest::newRow("0.1") << QByteArray("0.1") << 0.1;
}

void TextToNumberTest::reads() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    COMPARE_EXACT(textToNumber(text.toStdString()), expected);
}

void TextToNumberTest::overflows_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("just beyond the largest") << QByteArray("1.8E308");
    QTest::newRow("negative") << QByteArray("-1E309");
    QTest::newRow("huge exponent") << QByteArray("1E99999999999999999999");
    QTest::newRow("long run of digits") << QByteArray(400, '9');
    QTest::newRow("hexadecimal beyond range") << QByteArray("&H1" + QByteArray(256, '0'));
    QTest::newRow("octal beyond range") << QByteArray("&O1" + QByteArray(342, '0'));
}

void TextToNumberTest::overflows() {
    QFETCH(QByteArray, text);
    try {
        textToNumber(text.toStdString());
        QFAIL("no error raised");
    } catch (const runtime::RuntimeError& error) {
        QCOMPARE(error.number(), 6);
        QCOMPARE(QString::fromStdString(error.description()), QString("Overflow"));
    }
}

void TextToNumberTest::readsTextOfMillionsOfCharacters() {
    const std::string blanksThenFive = std::string(10'000'000, ' ') + "5";
    COMPARE_EXACT(textToNumber(blanksThenFive), 5.0);

    std::string longFraction = "0.";
    longFraction.append(5'000'000, '3');
    COMPARE_EXACT(textToNumber(longFraction), 1.0 / 3.0);

    const std::string longHex = "&H" + std::string(3'000'000, '0') + "1F";
    COMPARE_EXACT(textToNumber(longHex), 31.0);

    const std::string longOctal = "&O" + std::string(3'000'000, '0') + "17";
    COMPARE_EXACT(textToNumber(longOctal), 15.0);
}

QTEST_APPLESS_MAIN(TextToNumberTest)
#include "text_to_number_test.moc"

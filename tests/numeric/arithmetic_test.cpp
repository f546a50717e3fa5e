// The four operations and their errors: 6 for results out of range and 0 / 0,
// 11 for any other division by zero.

#include "runtime/numeric/arithmetic.h"
#include "runtime/numeric/error.h"
#include "support/exact.h"

#include <QTest>

#include <limits>
#include <optional>

namespace {
using Operation = double (*)(double, double);
constexpr double largest = std::numeric_limits<double>::max();
} // namespace

Q_DECLARE_METATYPE(Operation)

class ArithmeticTest : public QObject {
    Q_OBJECT

private slots:
    void computes_data();
    void computes();
};

void ArithmeticTest::computes_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("expected"); // when no error
    QTest::addColumn<int>("error");       // 0 for none

    const Operation add = runtime::add, subtract = runtime::subtract, multiply = runtime::multiply,
                    divide = runtime::divide;
    QTest::newRow("7 + 2") << add << 7.0 << 2.0 << 9.0 << 0;
    QTest::newRow("7 - 2") << subtract << 7.0 << 2.0 << 5.0 << 0;
    QTest::newRow("7 * 2") << multiply << 7.0 << 2.0 << 14.0 << 0;
    QTest::newRow("7 / 2 is no whole division") << divide << 7.0 << 2.0 << 3.5 << 0;
    QTest::newRow("2 - 8, left first") << subtract << 2.0 << 8.0 << -6.0 << 0;
    QTest::newRow("2 / 8, left first") << divide << 2.0 << 8.0 << 0.25 << 0;
    QTest::newRow("5 + 0") << add << 5.0 << 0.0 << 5.0 << 0;
    QTest::newRow("5 * 0") << multiply << 5.0 << 0.0 << 0.0 << 0;
    QTest::newRow("-5 * 0 keeps the sign") << multiply << -5.0 << 0.0 << -0.0 << 0;
    QTest::newRow("0.1 + 0.2 is not 0.3") << add << 0.1 << 0.2 << 0.30000000000000004 << 0;
    QTest::newRow("0 / 5") << divide << 0.0 << 5.0 << 0.0 << 0;
    QTest::newRow("5 / 0") << divide << 5.0 << 0.0 << 0.0 << 11;
    QTest::newRow("-5 / 0") << divide << -5.0 << 0.0 << 0.0 << 11;
    QTest::newRow("5 / -0") << divide << 5.0 << -0.0 << 0.0 << 11;
    QTest::newRow("0 / 0") << divide << 0.0 << 0.0 << 0.0 << 6;
    QTest::newRow("-0 / 0") << divide << -0.0 << 0.0 << 0.0 << 6;
    QTest::newRow("largest + largest") << add << largest << largest << 0.0 << 6;
    QTest::newRow("-largest - largest") << subtract << -largest << largest << 0.0 << 6;
    QTest::newRow("largest * 2") << multiply << largest << 2.0 << 0.0 << 6;
    QTest::newRow("largest / 0.5") << divide << largest << 0.5 << 0.0 << 6;
    QTest::newRow("largest - largest") << subtract << largest << largest << 0.0 << 0;
    QTest::newRow("underflow is no error") << multiply << 1e-300 << 1e-300 << 0.0 << 0;
    QTest::newRow("tiny / huge") << divide << 1e-300 << 1e300 << 0.0 << 0;
}

void ArithmeticTest::computes() {
    QFETCH(Operation, operation);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, expected);
    QFETCH(int, error);

    std::optional<double> result;
    int raised = 0;
    try {
        result = operation(left, right);
    } catch (const runtime::RuntimeError& e) {
        raised = e.number();
        QCOMPARE(QString::fromStdString(e.description()),
                 QString(raised == 6 ? "Overflow" : "Division by zero"));
    }
    QCOMPARE(raised, error);
    if (!error)
        COMPARE_EXACT(*result, expected);
}

QTEST_APPLESS_MAIN(ArithmeticTest)
#include "arithmetic_test.moc"

#pragma once
// Doubles compared exactly. QCOMPARE on doubles forgives a relative 1e-12, so
// it cannot tell a double from its neighbour, nor 0 from -0; these compare the
// bits and print the value beside them when they differ.

#include <QString>
#include <QTest>

#include <bit>
#include <cstdint>

namespace test {

inline QString exactly(double value) {
    return QString("%1 (bits %2)")
        .arg(value, 0, 'g', 17)
        .arg(std::bit_cast<std::uint64_t>(value), 16, 16, QChar('0'));
}

} // namespace test

#define COMPARE_EXACT(actual, expected) QCOMPARE(test::exactly(actual), test::exactly(expected))

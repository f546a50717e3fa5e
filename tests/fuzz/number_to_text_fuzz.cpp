// Fuzz target: number to text, for every double. At most 15 significant
// digits; read back, the text gives the double rounded to 15 digits; and it is
// what printf's %.15G writes in the C locale (which also drops trailing zeros).

#include "runtime/numeric/error.h"
#include "runtime/numeric/numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const bool comma = size > sizeof(double) && (data[sizeof(double)] & 1);

    std::string text;
    try {
        text = runtime::numberToText(value, comma ? "," : ".");
    } catch (const runtime::RuntimeError& error) {
        if (std::isfinite(value) || error.number() != runtime::Overflow)
            std::abort();
        return 0;
    }
    if (!std::isfinite(value))
        std::abort();

    std::string withPoint = text;
    for (char& c : withPoint)
        if (c == ',')
            c = '.';
    if (comma == false && withPoint != text)
        std::abort();

    char printed[48];
    std::snprintf(printed, sizeof printed, "%.15G", value);
    const std::string expected = std::strcmp(printed, "-0") == 0 ? "0" : printed;
    if (withPoint != expected)
        std::abort();

    // Read back: the value rounded to 15 significant digits. Next to the largest
    // double that rounding goes beyond the range, and reading back overflows.
    char rounded[48];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double expectedBack = std::strtod(rounded, nullptr);
    try {
        if (runtime::textToNumber(withPoint) != expectedBack)
            std::abort();
    } catch (const runtime::RuntimeError&) {
        if (!std::isinf(expectedBack))
            std::abort();
    }

    std::string significand = withPoint.substr(0, withPoint.find('E'));
    std::string digits;
    for (char c : significand)
        if (c >= '0' && c <= '9')
            digits += c;
    const auto first = digits.find_first_not_of('0');
    const auto last = digits.find_last_not_of('0');
    if (first != std::string::npos && last - first + 1 > 15)
        std::abort();
    return 0;
}

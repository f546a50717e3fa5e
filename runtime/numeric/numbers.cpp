#include "numbers.h"

#include "error.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <system_error>
#include <version>

namespace runtime {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Steps through a text as if its blanks, tabs and line feeds were not there.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

    // The current character, or NUL past the end (NUL fits no rule of reading).
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void advance() {
        ++pos_;
        skipBlanks();
    }
    // Takes the current character if it is `wanted`; letters match in either case.
    bool take(char wanted) {
        char c = peek();
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != wanted)
            return false;
        advance();
        return true;
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Hands gathered characters (decimal, or hexadecimal digits without a prefix)
// to a correctly rounded conversion that knows nothing of locales: the standard
// library's where it has one for doubles, else the C library's, whose locale
// is the fixed "C" one where that is all there is (WebAssembly).
enum class Digits { Decimal, Hexadecimal };

double convert(const std::string& gathered, Digits digits, bool& outOfRange) {
#if defined(__cpp_lib_to_chars) && !defined(CALCULATOR_NUMBERS_FROM_C_LIBRARY)
    double value = 0.0;
    const char* first = gathered.data();
    const auto [end, ec] = std::from_chars(
        first, first + gathered.size(), value,
        digits == Digits::Hexadecimal ? std::chars_format::hex : std::chars_format::general);
    outOfRange = ec == std::errc::result_out_of_range;
    return value;
#else
    const std::string text = digits == Digits::Hexadecimal ? "0x" + gathered : gathered;
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    // An underflow is no error here: strtod's nearest value (0 or subnormal) stands.
    outOfRange = errno == ERANGE && std::isinf(value);
    return outOfRange ? 0.0 : value;
#endif
}

double readWholeNumber(Cursor& in, bool (*fits)(char), int bitsPerDigit) {
    std::string digits;
    while (fits(in.peek())) {
        if (!digits.empty() || in.peek() != '0')
            digits += in.peek();
        in.advance();
    }
    if (digits.empty())
        return 0.0;
    if (bitsPerDigit == 3) {
        // Regroup the octal digits' bits into hexadecimal ones, from the right.
        std::string hex;
        hex.reserve(digits.size() * 3 / 4 + 1);
        unsigned bits = 0;
        int count = 0;
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            bits |= static_cast<unsigned>(*it - '0') << count;
            count += 3;
            while (count >= 4) {
                hex += "0123456789abcdef"[bits & 0xF];
                bits >>= 4;
                count -= 4;
            }
        }
        if (count > 0)
            hex += "0123456789abcdef"[bits];
        digits.assign(hex.rbegin(), hex.rend());
    }
    bool outOfRange = false;
    const double value = convert(digits, Digits::Hexadecimal, outOfRange);
    if (outOfRange)
        raiseOverflow(); // a whole number can only be too large
    return value;
}

double readDecimal(Cursor& in) {
    std::string gathered;
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    if (negative)
        gathered += '-';

    // Decimal exponent of the first significant digit, to tell an overflow
    // from an underflow when the value is out of range.
    std::int64_t integerDigits = 0;
    std::int64_t leadingZeros = 0;
    bool significant = false;
    bool anyDigit = false;
    bool afterPoint = false;
    for (;; in.advance()) {
        const char c = in.peek();
        if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else if (isDigit(c)) {
            anyDigit = true;
            if (!afterPoint)
                ++integerDigits;
            if (c != '0')
                significant = true;
            else if (!significant)
                ++leadingZeros;
        } else {
            break;
        }
        gathered += c;
    }
    if (!anyDigit)
        return 0.0;
    if (!significant)
        return negative ? -0.0 : 0.0;

    // Exponent: kept only when digits follow the letter and its sign.
    std::int64_t exponent = 0;
    if (in.peek() == 'E' || in.peek() == 'e') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negativeExponent = in.peek() == '-';
            in.advance();
        }
        if (isDigit(in.peek())) {
            constexpr std::int64_t saturation = 1'000'000'000'000;
            for (; isDigit(in.peek()); in.advance())
                exponent = std::min(exponent * 10 + (in.peek() - '0'), saturation);
            if (negativeExponent)
                exponent = -exponent;
            gathered += 'e';
            gathered += std::to_string(exponent);
        }
    }

    bool outOfRange = false;
    const double value = convert(gathered, Digits::Decimal, outOfRange);
    if (outOfRange) {
        if (integerDigits - 1 - leadingZeros + exponent > 0)
            raiseOverflow();
        return negative ? -0.0 : 0.0; // too small to represent
    }
    return value;
}

} // namespace

double textToNumber(std::string_view text) {
    Cursor in(text);
    if (in.take('&')) {
        if (in.take('H'))
            return readWholeNumber(in, isHexDigit, 4);
        if (in.take('O'))
            return readWholeNumber(in, isOctalDigit, 3);
        return 0.0;
    }
    return readDecimal(in);
}

std::string numberToText(double value, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        raiseOverflow();
    if (value == 0.0)
        return "0"; // negative zero too
    // As %.15G in the C locale: 15 significant digits, no trailing zeros, and
    // exponent form below 1E-04 and from 1E+15, with at least two exponent digits.
    char digits[32];
#if defined(__cpp_lib_to_chars) && !defined(CALCULATOR_NUMBERS_FROM_C_LIBRARY)
    const auto written =
        std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::general, 15);
    std::string text(digits, written.ptr);
#else
    std::string text(digits, std::size_t(std::snprintf(digits, sizeof digits, "%.15G", value)));
#endif
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

} // namespace runtime

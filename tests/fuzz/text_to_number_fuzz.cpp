// Fuzz target: text to number, against a reader written here as plainly as
// possible from the reading rules. For every input the two agree on the value,
// and overflow is raised exactly when the reference value is out of range.

#include "runtime/numeric/error.h"
#include "runtime/numeric/numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Reference {
    bool overflow = false;
    double value = 0.0;
};

bool digit(char c) { return c >= '0' && c <= '9'; }
bool hexDigit(char c) { return digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

Reference fromChars(const std::string& text, std::chars_format format, bool tinyIsZero) {
    Reference result;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), result.value, format);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: tell huge from tiny by the decimal exponent.
        result.value = 0.0;
        result.overflow = !tinyIsZero;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        std::abort(); // the reference built something from_chars cannot read
    }
    return result;
}

// The reading rules, one at a time, over a copy without blanks.
Reference referenceRead(std::string_view input) {
    std::string s;
    for (char c : input)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    std::size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const bool hex = s[1] == 'H' || s[1] == 'h';
        std::string digits;
        for (i = 2; i < s.size() && (hex ? hexDigit(s[i]) : (s[i] >= '0' && s[i] <= '7')); ++i)
            digits += s[i];
        if (digits.empty())
            return {};
        if (hex)
            return fromChars(digits, std::chars_format::hex, false);
        // Octal: each digit is three bits; write them as binary, then as a hex number.
        std::string bits;
        for (char c : digits)
            for (int b = 2; b >= 0; --b)
                bits += ((c - '0') >> b & 1) ? '1' : '0';
        while (bits.size() % 4)
            bits.insert(bits.begin(), '0');
        std::string hexDigits;
        for (std::size_t k = 0; k < bits.size(); k += 4)
            hexDigits += "0123456789abcdef"[std::stoi(bits.substr(k, 4), nullptr, 2)];
        return fromChars(hexDigits, std::chars_format::hex, false);
    }
    if (!s.empty() && s[0] == '&')
        return {};

    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number += '-';
        ++i;
    }
    std::string mantissa;
    bool point = false;
    for (; i < s.size() && (digit(s[i]) || (s[i] == '.' && !point)); ++i) {
        point = point || s[i] == '.';
        mantissa += s[i];
    }
    if (mantissa.find_first_of("0123456789") == std::string::npos)
        return {};
    number += mantissa;
    std::string exponent;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        std::string sign;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            sign = s[j++];
        std::string digits;
        for (; j < s.size() && digit(s[j]); ++j)
            digits += s[j];
        if (!digits.empty()) {
            // Exponents beyond a few thousand decide range on their own; keep them readable.
            const auto firstSignificant = digits.find_first_not_of('0');
            digits = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
            if (digits.size() > 12)
                digits = "999999999999";
            exponent = "e" + sign + digits;
        }
    }
    // Decimal exponent of the leading significant digit, to tell huge from tiny.
    const std::string withoutSign = mantissa;
    const auto dot = withoutSign.find('.');
    const std::string integer = withoutSign.substr(0, dot);
    std::string all = integer + (dot == std::string::npos ? "" : withoutSign.substr(dot + 1));
    const auto first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    long long magnitude =
        static_cast<long long>(integer.size()) - 1 - static_cast<long long>(first);
    if (!exponent.empty())
        magnitude += std::stoll(exponent.substr(1));
    return fromChars(number + exponent, std::chars_format::general, magnitude < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Reference expected = referenceRead(text);
    bool overflow = false;
    double value = 0.0;
    try {
        value = runtime::textToNumber(text);
    } catch (const runtime::RuntimeError& error) {
        if (error.number() != runtime::Overflow)
            std::abort();
        overflow = true;
    }
    if (overflow != expected.overflow)
        std::abort();
    if (!overflow && !(value == expected.value))
        std::abort();
    return 0;
}

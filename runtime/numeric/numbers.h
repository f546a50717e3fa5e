#pragma once
// Conversions between box text and numbers. Plain C++: no toolkit, no locale
// state; the decimal separator for writing is passed in by the caller.

#include <string>
#include <string_view>

namespace runtime {

// Reads the number at the start of `text`. Blanks, tabs and line feeds are
// skipped wherever they stand; then an optional sign, digits with at most one
// full stop and an optional exponent (E or e, optional sign, digits), or &H / &O
// followed by a hexadecimal or octal whole number. Reading stops at the first
// character that does not fit; text without a number reads as 0.
// Throws RuntimeError 6 (Overflow) for a value beyond the range of a double.
double textToNumber(std::string_view text);

// Writes `value` with at most 15 significant digits, no trailing zeros, and in
// exponent form (1E+15, 1E-05) below 1E-04 and from 1E+15 on.
// Throws RuntimeError 6 (Overflow) for a value that is not finite.
std::string numberToText(double value, std::string_view decimalSeparator = ".");

} // namespace runtime

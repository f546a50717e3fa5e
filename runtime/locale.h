#pragma once

#include <string>

namespace runtime {

// The decimal separator of the user's locale, for writing numbers.
std::string decimalSeparator();

} // namespace runtime

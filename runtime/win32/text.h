#pragma once
// Text is UTF-8 inside the program and UTF-16 at the Win32 boundary.

#include <string>
#include <string_view>

namespace runtime {

std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

} // namespace runtime

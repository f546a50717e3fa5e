#include "text.h"

#include <windows.h>

namespace runtime {

std::wstring widen(std::string_view text) {
    if (text.empty())
        return {};
    std::wstring wide(
        std::size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
    return wide;
}

std::string narrow(std::wstring_view text) {
    if (text.empty())
        return {};
    std::string utf8(std::size_t(WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()),
                                                     nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), int(utf8.size()),
                        nullptr, nullptr);
    return utf8;
}

} // namespace runtime

#pragma once
// Box texts cross into Qt as UTF-8.

#include <QString>

#include <string_view>

namespace runtime {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace runtime

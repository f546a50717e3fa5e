#pragma once
// String operations the handlers call.

#include <string>
#include <string_view>

namespace runtime {

inline std::string concatenate(std::string_view left, std::string_view right) {
    return std::string(left).append(right);
}

} // namespace runtime

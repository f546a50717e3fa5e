#pragma once
// String operations the handlers call.

#include <string>
#include <string_view>

namespace runtime {

inline std::string concatenate(std::string_view left, std::string_view right) {
    std::string joined;
    joined.reserve(left.size() + right.size());
    joined.append(left).append(right);
    return joined;
}

} // namespace runtime

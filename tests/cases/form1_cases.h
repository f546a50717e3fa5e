#pragma once
// The table of what Form1 does with a user's presses (form1_cases.inc), for
// the C++ drivers that replay it on their platform's window.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace test {

struct Case {
    const char* what;
    const char *text1, *text2, *text3;
    const char* presses;
    const char *after1, *after2, *after3;
    const char* message;
    const char* then;
};

#define CASE(...) {__VA_ARGS__},
inline constexpr Case form1Cases[] = {
#include "form1_cases.inc"
};
#undef CASE

// Space-separated words: the objects pressed, or the properties that then hold.
inline std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at)
            found.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    return found;
}

// One "Object.Property=value" of a row's last column.
struct Holds {
    std::string object, property, value;
};
inline Holds holds(const std::string& word) {
    const std::size_t dot = word.find('.'), equals = word.find('=');
    return {word.substr(0, dot), word.substr(dot + 1, equals - dot - 1), word.substr(equals + 1)};
}

} // namespace test

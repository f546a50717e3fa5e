#pragma once
// A small harness for the Windows tests, which run under Wine without Qt:
// each check prints what failed, and the run ends with one summary line.

#include <cstdio>
#include <sstream>
#include <string>

namespace test {

class Checks {
public:
    template <typename Actual, typename Expected>
    bool equal(const Actual& actual, const Expected& expected, const std::string& what) {
        if (actual == expected) {
            ++passed_;
            return true;
        }
        std::ostringstream message;
        message << what << ": got " << show(actual) << ", expected " << show(expected);
        fail(message.str());
        return false;
    }

    bool that(bool condition, const std::string& what) { return equal(condition, true, what); }

    int finish() const {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ ? 1 : 0;
    }

private:
    template <typename Value> static std::string show(const Value& value) {
        std::ostringstream text;
        if constexpr (std::is_same_v<Value, bool>)
            text << (value ? "true" : "false");
        else
            text << value;
        return text.str();
    }
    void fail(const std::string& message) {
        ++failed_;
        std::printf("FAIL: %s\n", message.c_str());
        std::fflush(stdout);
    }

    int passed_ = 0, failed_ = 0;
};

} // namespace test

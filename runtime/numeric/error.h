#pragma once
// Run-time errors: a number and a description, thrown as exceptions and caught
// in exactly one place, the event boundary. 6 and 11 are the arithmetic's own;
// from 1001 on they are the platform layer's.

#include <stdexcept>
#include <string>
#include <string_view>

namespace runtime {

enum ErrorNumber : int {
    Overflow = 6,
    DivisionByZero = 11,
    NoSuchObject = 1001,
    NoSuchProperty = 1002,
    NoSuchEvent = 1003,
    OutOfMemory = 1004,
    InternalError = 1005,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int number() const noexcept { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// A name as error descriptions quote it.
inline std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    return text.append(name).append(1, '\''); // not "'" + name + "'": GCC 12 warns at -O3
}

[[noreturn]] inline void raiseOverflow() { throw RuntimeError(Overflow, "Overflow"); }
[[noreturn]] inline void raiseDivisionByZero() {
    throw RuntimeError(DivisionByZero, "Division by zero");
}

} // namespace runtime

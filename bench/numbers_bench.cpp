// The numeric core against its floors: text to number against std::from_chars
// on the same digits, number to text against std::to_chars at 15 digits.

#include "runtime/numeric/numbers.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace {

// What boxes hold: a typed whole number, a fraction, an exponent, a keypad number.
const std::vector<std::string> texts = {"7",   "12345.678",         "-1.2345678901234E-300",
                                        "3.5", "0.333333333333333", "1234567890"};
const std::vector<double> values = {9.0, 3.5, 1.0 / 3.0, -6.25, 1e20, 123456.789, 2.5e-7, 42.0};

void textToNumber(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runtime::textToNumber(texts[i]));
        i = (i + 1) % texts.size();
    }
}

void fromCharsFloor(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        double value = 0;
        const std::string& text = texts[i];
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
        i = (i + 1) % texts.size();
    }
}

void numberToText(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runtime::numberToText(values[i], "."));
        i = (i + 1) % values.size();
    }
}

void toCharsFloor(benchmark::State& state) {
    std::size_t i = 0;
    std::array<char, 32> buffer{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                               values[i], std::chars_format::general, 15));
        benchmark::ClobberMemory();
        i = (i + 1) % values.size();
    }
}

} // namespace

BENCHMARK(textToNumber);
BENCHMARK(fromCharsFloor);
BENCHMARK(numberToText);
BENCHMARK(toCharsFloor);
BENCHMARK_MAIN();

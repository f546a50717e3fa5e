// Clicks end to end on the real window, on Qt's offscreen platform: an
// operation (read both boxes, compute, write the result), and a keypad press on
// boxes of growing length, so the cost's growth with the text shows.

#include "runtime/form.h"
#include "runtime/qt/native.h"
#include "window/form1.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void click(const char* button) {
    runtime::nativeWindow(window::Form1())->findChild<QPushButton*>(button)->click();
}

void operationHandler(benchmark::State& state) {
    runtime::Form& form = window::Form1();
    form["Text1"].setText("12345.678");
    form["Text2"].setText("0.5");
    // Plus and Minus by turns, so that every press writes a text that differs
    // from the one the result box holds.
    bool plus = false;
    for (auto _ : state) {
        plus = !plus;
        click(plus ? "plus" : "minus");
    }
    if (form["Text3"].text() != (plus ? "12346.178" : "12345.178"))
        state.SkipWithError("wrong result");
}

void keypadPress(benchmark::State& state) {
    runtime::Form& form = window::Form1();
    const std::string text(static_cast<std::size_t>(state.range(0)), '7');
    for (auto _ : state) {
        state.PauseTiming();
        form["Text1"].setText(text);
        state.ResumeTiming();
        click("Command1");
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(operationHandler);
BENCHMARK(keypadPress)->Arg(10)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    QApplication application(argc, argv);
    window::Form1().raise("Load");
    runtime::nativeWindow(window::Form1())->show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    runtime::unloadForms();
    return 0;
}

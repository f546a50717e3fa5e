// What the calculator does: every handler of Form1, in the order of the window.

#include "form1_events.h"

#include "form1.h"
#include "runtime/dispatch.h"
#include "runtime/locale.h"
#include "runtime/numeric/arithmetic.h"
#include "runtime/numeric/error.h"
#include "runtime/numeric/numbers.h"
#include "runtime/strings.h"

#include <string>
#include <string_view>

namespace window {

namespace {

// A keypad key: its digit goes to the very end of its box's whole text. The
// focus stays on the key, so a screen reader is asked to read the box out.
void appendDigit(std::string_view box, std::string_view digit) {
    runtime::Object target = Form1()[box];
    target.setText(runtime::concatenate(target.text(), digit));
    target.announceText();
}

// An operation button: Text1's value on the left, Text2's on the right, and
// Text3 written only once the result and its text are there. The focus stays
// on the button, so a screen reader is asked to read the result out.
void calculate(double (*operation)(double, double)) {
    runtime::Form& form = Form1();
    const double left = runtime::textToNumber(form["Text1"].text());
    const double right = runtime::textToNumber(form["Text2"].text());
    const std::string result =
        runtime::numberToText(operation(left, right), runtime::decimalSeparator());
    runtime::Object box = form["Text3"];
    box.setText(result);
    box.announceText();
}

// ---- Start-up and exit -------------------------------------------------------

// The compact view: the keypads lie beyond the right edge until View Keyboard.
void Form_Load() { Form1().setWidth(views::compactWidth); }

void end1_Click() { runtime::end(); }

// ---- First keypad, into Text1 ------------------------------------------------

void Command1_Click() { appendDigit("Text1", "1"); }
void Command2_Click() { appendDigit("Text1", "2"); }
void Command3_Click() { appendDigit("Text1", "3"); }
void Command4_Click() { appendDigit("Text1", "4"); }
void Command5_Click() { appendDigit("Text1", "5"); }
void Command6_Click() { appendDigit("Text1", "6"); }
void Command7_Click() { appendDigit("Text1", "7"); }
void Command8_Click() { appendDigit("Text1", "8"); }
void Command9_Click() { appendDigit("Text1", "9"); }
void Command10_Click() { appendDigit("Text1", "0"); }

// ---- Second keypad, into Text2 -----------------------------------------------

void Command11_Click() { appendDigit("Text2", "1"); }
void Command12_Click() { appendDigit("Text2", "2"); }
void Command13_Click() { appendDigit("Text2", "3"); }
void Command14_Click() { appendDigit("Text2", "4"); }
void Command15_Click() { appendDigit("Text2", "5"); }
void Command16_Click() { appendDigit("Text2", "6"); }
void Command17_Click() { appendDigit("Text2", "7"); }
void Command18_Click() { appendDigit("Text2", "8"); }
void Command19_Click() { appendDigit("Text2", "9"); }
void Command20_Click() { appendDigit("Text2", "0"); }

// ---- Operations --------------------------------------------------------------

void plus_Click() { calculate(runtime::add); }
void minus_Click() { calculate(runtime::subtract); }
void times_Click() { calculate(runtime::multiply); }
void devises_Click() { calculate(runtime::divide); }

// ---- File menu ---------------------------------------------------------------

void new_Click() {
    runtime::Form& form = Form1();
    form["Text1"].setText("");
    form["Text2"].setText("");
    form["Text3"].setText("");
}

// The keypad view, once and for good: the item greys itself out.
void no_Click() {
    runtime::Form& form = Form1();
    form["end1"].setLeft(views::keypadExitLeft);
    form["Text3"].setWidth(views::keypadResultWidth);
    form.setWidth(views::keypadWidth);
    form["no"].setEnabled(false);
}

} // namespace

// ---- Bindings ----------------------------------------------------------------

// The operations read both boxes and write Text3 last, so an arithmetic error
// leaves every box as it was: the calculator reports it and goes on.
std::span<const int> form1RecoverableErrors() {
    static constexpr int errors[] = {runtime::Overflow, runtime::DivisionByZero};
    return errors;
}

std::span<const runtime::Handler> form1Handlers() {
    static constexpr runtime::Handler handlers[] = {
        {"Form_Load", Form_Load},
        {"end1_Click", end1_Click},
        {"Command1_Click", Command1_Click},
        {"Command2_Click", Command2_Click},
        {"Command3_Click", Command3_Click},
        {"Command4_Click", Command4_Click},
        {"Command5_Click", Command5_Click},
        {"Command6_Click", Command6_Click},
        {"Command7_Click", Command7_Click},
        {"Command8_Click", Command8_Click},
        {"Command9_Click", Command9_Click},
        {"Command10_Click", Command10_Click},
        {"Command11_Click", Command11_Click},
        {"Command12_Click", Command12_Click},
        {"Command13_Click", Command13_Click},
        {"Command14_Click", Command14_Click},
        {"Command15_Click", Command15_Click},
        {"Command16_Click", Command16_Click},
        {"Command17_Click", Command17_Click},
        {"Command18_Click", Command18_Click},
        {"Command19_Click", Command19_Click},
        {"Command20_Click", Command20_Click},
        {"plus_Click", plus_Click},
        {"minus_Click", minus_Click},
        {"times_Click", times_Click},
        {"devises_Click", devises_Click},
        {"new_Click", new_Click},
        {"no_Click", no_Click},
    };
    return handlers;
}

} // namespace window

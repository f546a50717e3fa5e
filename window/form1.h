#pragma once
// The calculator's one window, Form1: its description, its program-wide
// instance, and the widths and places of its two views.

#include "runtime/description.h"
#include "runtime/form.h"

namespace window {

const runtime::FormDescription& form1Description();
const runtime::Project& project();

// The window instance, reached by name from every handler; created on first use.
runtime::Form& Form1();

// The two views, in twips. Load narrows the window to the compact view, where
// the keypads lie beyond the right edge; View Keyboard widens it for good and
// moves Exit under the second keypad, with the result box stretched to meet it.
namespace views {
inline constexpr int compactWidth = 3930;
inline constexpr int keypadWidth = 6360;
inline constexpr int keypadExitLeft = 5040;
inline constexpr int keypadResultWidth = 4815;
} // namespace views

} // namespace window

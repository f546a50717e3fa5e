#pragma once
// The calculator's one window, Form1: its description and its program-wide instance.

#include "runtime/description.h"
#include "runtime/form.h"

namespace window {

const runtime::FormDescription& form1Description();
const runtime::Project& project();

// The window instance, reached by name from every handler; created on first use.
runtime::Form& Form1();

} // namespace window

#pragma once
// Form1's event handlers, bound by their names: "Object_Event".

#include "runtime/description.h"

#include <span>

namespace window {

std::span<const runtime::Handler> form1Handlers();

// The run-time errors after which the calculator goes on (see the operations).
std::span<const int> form1RecoverableErrors();

} // namespace window

#pragma once

#include "numeric/error.h"

#include <string_view>

namespace runtime {

// Tells the user of an uncaught error, its number and description, in a modal
// message over the active window. Ctrl+C copies the message, as users expect
// of a desktop message box.
void showErrorMessage(std::string_view title, const RuntimeError& error);

} // namespace runtime

#include "runtime/error_message.h"

#include "text.h"

#include <windows.h>

#include <string>

namespace runtime {

// A standard message box, owned by the active window; Ctrl+C copies its text,
// as in every Windows message box.
void showErrorMessage(std::string_view title, const RuntimeError& error) {
    const std::string text = "Error " + std::to_string(error.number()) + ": " + error.description();
    MessageBoxW(GetActiveWindow(), widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR);
}

} // namespace runtime

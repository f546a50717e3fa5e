#pragma once
// The Win32 window behind a form and the event loop, for start-up and for
// tests that drive the window in their own process.

#include "runtime/form.h"

#include <windows.h>

namespace runtime {

HWND nativeWindow(const Form& form);

// Handles every message waiting for this thread as the event loop does,
// dialog keys included (Tab, Shift+Tab, the space bar on a button).
void processPendingMessages();

} // namespace runtime

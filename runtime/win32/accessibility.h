#pragma once
// What screen readers hear beyond what the standard controls tell them.

#include "runtime/form.h"

#include <windows.h>

#include <string>

namespace runtime {

// Gives the objects without a caption of their own the names the form lists
// for them, as annotations that every screen reader reads.
void nameForScreenReaders(const Form& form);

// Asks screen readers to read out a control's new text through a UI Automation
// notification (Windows 10 1709 and later); where there is none, nothing happens.
void announce(HWND control, const std::wstring& text);

} // namespace runtime

#pragma once
// What screen readers hear beyond what the standard controls tell them.

#include "runtime/form.h"

#include <windows.h>

#include <string>

namespace runtime {

// Gives the objects without a caption of their own the names the form lists
// for them, as annotations that every screen reader reads; once.
void nameForScreenReaders(const Form& form);

// The same, when a screen reader first asks one of the form's controls, or the
// window, what it is (WM_GETOBJECT): nothing of it is loaded before, neither
// COM nor oleacc, and a first frame waits for none of it.
void nameForScreenReadersWhenAsked(const Form& form);

// COM on the program's thread, started when first needed, and ended.
void startCom();
void endCom();

// Asks screen readers to read out a control's new text through a UI Automation
// notification (Windows 10 1709 and later); where there is none, nothing happens.
void announce(HWND control, const std::wstring& text);

} // namespace runtime

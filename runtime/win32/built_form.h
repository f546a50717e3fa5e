#pragma once
// A form as the Win32 layer built it: its window, its objects by name with
// their places in twips, and the command each button and menu item sends.

#include "runtime/form.h"
#include "runtime/twips.h"

#include <windows.h>

#include <map>
#include <string_view>

namespace runtime {

struct BuiltObject {
    ObjectKind kind;
    HWND control = nullptr; // a button or a box
    HMENU menu = nullptr;   // the bar that holds a menu, or the menu that holds an item
    UINT item = 0;          // a menu's position on the bar, or an item's command
    int left = 0, top = 0, width = 0, height = 0; // in twips, as last written
};

struct Form::Impl {
    HWND window = nullptr;
    HFONT font = nullptr; // the system's UI font at the window's DPI
    HICON icons[2] = {};  // small and large
    UINT dpi = 96;
    int outerWidth = 0; // in twips, as last written
    BuiltObjects objects;
    std::map<UINT, const Handler*> clicks; // by command
    HWND lastFocus = nullptr;              // given back when the window is active again
    bool annotated = false;                // for screen readers, once one first asks

    TwipsScale scale() const { return {double(dpi)}; }
    int px(int twips) const { return scale().toPixels(twips); }
};

// Builds the form's window, hidden, with every control, line and menu entry.
void buildForm(const Form& form);
void destroyForm(Form::Impl& form);

// Places every control and sizes the window at the form's current DPI.
void layOut(const Form& form);
// Sizes the window alone: the form's width and laid-out height at its DPI.
void sizeWindow(const Form& form);

} // namespace runtime

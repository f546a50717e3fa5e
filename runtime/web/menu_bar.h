#pragma once
// A form's menu bar as desktop menus behave: opened by the pointer, or from
// the keyboard with Alt or F10 and the arrow keys; Escape goes back a step,
// and choosing an item gives the focus back to where it was before the menu.

#include "built_form.h"

#include "runtime/description.h"

#include <cstddef>

namespace runtime {

// Numbers a menu's title (item -1) or one of its items for the listeners,
// and listens to its clicks and keys.
int addMenuEntry(const Form& form, std::size_t menu, int item, const emscripten::val& element);
void bindMenuItem(int entry, const Handler& handler);
void forgetMenuEntries(const Form& form);

// Listens to the page for Alt and F10, and for presses outside the menus.
void listenForMenuKeys(const Form& form);

} // namespace runtime

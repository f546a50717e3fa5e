#pragma once
// A form's menu bar as desktop menus behave: opened by the pointer, or from
// the keyboard with Alt or F10 and the arrow keys; Escape goes back a step,
// and choosing an item gives the focus back to where it was before the menu.

#include "built_form.h"

namespace runtime {

// Listens to the form's menu bar, and to the page for Alt and F10 and for
// presses outside the menus; until the form is forgotten.
void listenToMenuBar(const Form& form);
void forgetMenuBar(const Form& form);

} // namespace runtime

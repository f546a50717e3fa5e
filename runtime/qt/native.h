#pragma once
// The Qt widgets behind a form, for start-up and for tests that look at them.

#include "runtime/form.h"

class QWidget;

namespace runtime {

// The form's top-level window, with its menu bar above the client area.
QWidget* nativeWindow(const Form& form);

} // namespace runtime

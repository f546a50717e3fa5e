#pragma once
// A form as the web layer found it in the page: its element (a menu bar above
// the client area), its objects by name, and the live region that speaks for it.

#include "runtime/form.h"

#include <emscripten/val.h>

#include <vector>

namespace runtime {

struct BuiltObject {
    ObjectKind kind;
    emscripten::val element; // a button, an input, a line, or a menu's title or item
    const Handler* click = nullptr;
};

struct MenuView {
    BuiltObject* title;
    emscripten::val popup;
    std::vector<BuiltObject*> items;
};

struct Form::Impl {
    int number = -1;                                         // among the page's listeners
    emscripten::val landmark = emscripten::val::undefined(); // the page's main, around the form
    emscripten::val window = emscripten::val::undefined();
    emscripten::val client = emscripten::val::undefined();
    emscripten::val announcer = emscripten::val::undefined(); // a polite live region
    std::vector<MenuView> menus;
    emscripten::val focusBeforeMenu = emscripten::val::null();
    int outerWidth = 0; // in twips, as last written
    int fitTries = 0;   // left for making an app window's size come out exact
    BuiltObjects objects;
};

// Finds the form's element and every control, line and menu entry in the
// page, and listens to them; the form stays inert until it is shown.
void bindForm(const Form& form);
void unbindForm(const Form& form);

// The form a listener was made for; null once it is gone.
const Form* formNumbered(int number);

// The client area the form's outer width leaves once the laid-out frame is off,
// and an app window sized to fit it.
void sizeClientArea(const Form& form);

// The form zoomed to fit the screen, where it is narrower or touched; then, in
// an app window of its own (installed, or opened as an app), the window sized
// to fit the form, measured and made up for.
bool inAppWindow();
void fitToScreen(const Form& form);

} // namespace runtime

#pragma once
// The stored description of a form: its controls, lines and menu as constant
// data in twips, and the handlers bound to its objects' events by name.
//
// A form refers to its description and tables for as long as it lives: they are
// static data, never temporaries (the functions that take one refuse an rvalue).

#include <span>
#include <string_view>
#include <vector>

namespace runtime {

// An image as XPM data: text that is also C source, so it is compiled in.
using XpmImage = const char* const*;

// An event handler: no arguments, no result beyond success or a thrown RuntimeError.
using HandlerFunction = void (*)();

// Bound to an object's event by name: "Object_Event", or "Form_Event" for the form's own.
struct Handler {
    std::string_view name;
    HandlerFunction run;
};

enum class ControlKind { Button, TextBox };

struct Control {
    int tabIndex; // position in the focus order, 0 first
    std::string_view name;
    ControlKind kind;
    std::string_view caption; // a text box's caption is its initial text
    int left, top, width, height;
};

enum class LineStyle { Solid, Dotted };

struct Line {
    std::string_view name;
    int x1, y1, x2, y2;
    LineStyle style;
};

struct MenuEntry {
    std::string_view name;
    std::string_view caption;
    int level; // 0: a menu on the bar; 1: an item of the last menu above it
};

// What a screen reader says of an object that its caption does not: a name, or
// a description read after the name.
struct AccessibleText {
    std::string_view object;
    std::string_view text;
};

struct FormDescription {
    std::string_view name;
    std::string_view caption;
    std::span<const XpmImage> iconImages; // one icon: its images, one per size
    int clientWidth, clientHeight;        // as laid out, below the menu bar
    int outerWidth;                       // as laid out, frame included
    std::span<const Control> controls;
    std::span<const Line> lines;
    std::span<const MenuEntry> menu;
    std::span<const Handler> handlers;
    std::span<const AccessibleText> accessibleNames = {};
    std::span<const AccessibleText> accessibleDescriptions = {};
    // Run-time errors after which the program goes on, because the handlers
    // raise them before they change anything; any other uncaught error ends it.
    std::span<const int> recoverableErrors = {};
};

// Raises a RuntimeError where the description is at fault: two objects of one
// name, a line that runs neither across nor down, a menu item under no menu,
// or what a screen reader says of an object that is not on the form.
void checkDescription(const FormDescription& form);

// The controls in the focus order, which is the order they are built in.
std::vector<const Control*> inTabOrder(const FormDescription& form);

// What the process entry hands to start-up.
struct Project {
    std::string_view name;
    std::string_view version;
    std::string_view desktopEntry; // its id, which desktops match the window to
    const FormDescription& startupForm;
};

} // namespace runtime

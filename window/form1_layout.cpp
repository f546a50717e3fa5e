// Form1 as laid out: every control, line and menu entry in twips, measured
// from the top-left corner of the client area below the menu bar.

#include "form1.h"
#include "form1_events.h"
#include "resources/icons/calculator-16.xpm"
#include "resources/icons/calculator-32.xpm"

namespace window {

namespace {

using runtime::ControlKind::Button;
using runtime::ControlKind::TextBox;

// In focus order: TabIndex, name, kind, caption, Left, Top, Width, Height.
constexpr runtime::Control controls[] = {
    {0, "Command1", Button, "1", 3840, 120, 375, 375},
    {1, "Command2", Button, "2", 4320, 120, 375, 375},
    {2, "Command3", Button, "3", 4800, 120, 375, 375},
    {3, "Command4", Button, "4", 5280, 120, 375, 375},
    {4, "Command5", Button, "5", 5760, 120, 375, 375},
    {5, "Command6", Button, "6", 3840, 600, 375, 375},
    {6, "Command7", Button, "7", 4320, 600, 375, 375},
    {7, "Command8", Button, "8", 4800, 600, 375, 375},
    {8, "Command9", Button, "9", 5280, 600, 375, 375},
    {9, "Command10", Button, "0", 5760, 600, 375, 375},
    {10, "Text1", TextBox, "", 120, 120, 3615, 375},
    {11, "Text2", TextBox, "", 120, 1680, 3615, 375},
    {12, "Command11", Button, "1", 3840, 1200, 375, 375},
    {13, "Command12", Button, "2", 4320, 1200, 375, 375},
    {14, "Command13", Button, "3", 4800, 1200, 375, 375},
    {15, "Command14", Button, "4", 5280, 1200, 375, 375},
    {16, "Command15", Button, "5", 5760, 1200, 375, 375},
    {17, "Command16", Button, "6", 3840, 1680, 375, 375},
    {18, "Command17", Button, "7", 4320, 1680, 375, 375},
    {19, "Command18", Button, "8", 4800, 1680, 375, 375},
    {20, "Command19", Button, "9", 5280, 1680, 375, 375},
    {21, "Command20", Button, "0", 5760, 1680, 375, 375},
    {22, "Text3", TextBox, "", 120, 2280, 2415, 375},
    {23, "plus", Button, "Plus", 120, 600, 1695, 375},
    {24, "minus", Button, "Minus", 120, 1200, 1695, 375},
    {25, "times", Button, "Times", 2040, 600, 1695, 375},
    {26, "devises", Button, "Devises", 2040, 1200, 1695, 375},
    {27, "end1", Button, "Exit", 2640, 2280, 1095, 375},
};

// Separators: name, X1, Y1, X2, Y2, style. The upper one is dotted.
constexpr runtime::Line lines[] = {
    {"Line2", 0, 1080, 6240, 1080, runtime::LineStyle::Dotted},
    {"Line1", 0, 2160, 6360, 2160, runtime::LineStyle::Solid},
};

// Top to bottom: name, caption, level (0 on the menu bar, 1 an item under it).
constexpr runtime::MenuEntry menu[] = {
    {"view", "File", 0},
    {"new", "New", 1},
    {"no", "View Keyboard", 1},
};

// The boxes have no caption: a screen reader names them by what they hold.
constexpr runtime::AccessibleText accessibleNames[] = {
    {"Text1", "First operand"},
    {"Text2", "Second operand"},
    {"Text3", "Result"},
};

// The two keypads' keys share their captions: each is described by its box.
constexpr runtime::AccessibleText accessibleDescriptions[] = {
    {"Command1", "First operand keypad"},   {"Command2", "First operand keypad"},
    {"Command3", "First operand keypad"},   {"Command4", "First operand keypad"},
    {"Command5", "First operand keypad"},   {"Command6", "First operand keypad"},
    {"Command7", "First operand keypad"},   {"Command8", "First operand keypad"},
    {"Command9", "First operand keypad"},   {"Command10", "First operand keypad"},
    {"Command11", "Second operand keypad"}, {"Command12", "Second operand keypad"},
    {"Command13", "Second operand keypad"}, {"Command14", "Second operand keypad"},
    {"Command15", "Second operand keypad"}, {"Command16", "Second operand keypad"},
    {"Command17", "Second operand keypad"}, {"Command18", "Second operand keypad"},
    {"Command19", "Second operand keypad"}, {"Command20", "Second operand keypad"},
};

// The window's icon, also the application's: 16 and 32 pixels square, 16 colours.
constexpr runtime::XpmImage iconImages[] = {calculator_16, calculator_32};

} // namespace

const runtime::FormDescription& form1Description() {
    static const runtime::FormDescription description{
        .name = "Form1",
        .caption = "Calculator - Tarquel",
        .iconImages = iconImages,
        .clientWidth = 6255,
        .clientHeight = 2775,
        .outerWidth = 6360,
        .controls = controls,
        .lines = lines,
        .menu = menu,
        .handlers = form1Handlers(),
        .accessibleNames = accessibleNames,
        .accessibleDescriptions = accessibleDescriptions,
        .recoverableErrors = form1RecoverableErrors(),
    };
    return description;
}

} // namespace window

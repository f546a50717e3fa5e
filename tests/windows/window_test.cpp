// Form1 on Win32, in this process as the program builds it: every control
// where its twips say at the DPI the test set, the two views, the focus order
// and the dialog keys, the focus given back with the window, the table of cases
// every platform replays (keypads, operations and their errors, the File menu),
// the separators as drawn, and Exit. Run under Wine at 96 and at 144 dpi:
//   window_test DPI

#include "checks.h"
#include "tests/cases/form1_cases.h"

#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/test_seams.h"
#include "runtime/win32/built_form.h"
#include "runtime/win32/native.h"
#include "runtime/win32/text.h"
#include "window/form1.h"

#include <windows.h>

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

test::Checks check;
std::vector<std::string> reported; // what the message box would say
UINT expectedDpi = 96;             // as the test's Wine prefix is set

runtime::Form& form() { return window::Form1(); }
const runtime::BuiltObject& object(std::string_view name) {
    return form().impl().objects.at(std::string(name));
}
HWND control(std::string_view name) { return object(name).control; }
// Pixels at the DPI this test set, never the layer's own conversion.
int px(int twips) { return int(std::lround(twips * double(expectedDpi) / 1440.0)); }

std::string windowText(HWND window) {
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return runtime::narrow(text);
}
std::string text(std::string_view box) { return windowText(control(box)); }
void type(std::string_view box, std::string_view text) {
    SetWindowTextW(control(box), runtime::widen(text).c_str());
}
void click(std::string_view name) {
    SendMessageW(control(name), BM_CLICK, 0, 0);
    runtime::processPendingMessages();
}
RECT placeOf(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
int clientWidth() {
    RECT client;
    GetClientRect(runtime::nativeWindow(form()), &client);
    return client.right;
}
// The "File" menu's items, by position.
HMENU fileMenu() { return GetSubMenu(GetMenu(runtime::nativeWindow(form())), 0); }

void layoutFollowsTheTwips() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               form().impl().dpi);
    for (const runtime::Control& c : window::form1Description().controls) {
        const std::string name(c.name);
        HWND child = control(c.name);
        const RECT at = placeOf(child);
        check.equal(at.left, px(c.left), name + " left");
        check.equal(at.top, px(c.top), name + " top");
        check.equal(at.right - at.left, px(c.width), name + " width");
        check.equal(at.bottom - at.top, px(c.height), name + " height");
        check.equal(windowText(child), std::string(c.caption), name + " caption");
        wchar_t type[16] = {};
        GetClassNameW(child, type, 16);
        const bool box = c.kind == runtime::ControlKind::TextBox;
        check.equal(runtime::narrow(type), std::string(box ? "Edit" : "Button"), name + " class");
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        check.that((style & WS_TABSTOP) && (style & WS_VISIBLE) && IsWindowEnabled(child),
                   name + " is a visible, enabled tab stop");
        if (box)
            check.equal(SendMessageW(child, EM_GETLIMITTEXT, 0, 0), LRESULT(0x7FFFFFFE),
                        name + " has no length limit");
        else
            check.equal(style & 0x0F, LONG(BS_PUSHBUTTON), name + " is no default button");
        LOGFONTW font{};
        GetObjectW(HFONT(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        check.equal(font.lfHeight, metrics.lfMessageFont.lfHeight, name + " in the UI font");
    }
}

// What a screen reader asks a button for its name. (The boxes' names are
// annotations, which Wine's accessibility layer does not read back.)
void screenReadersHearButtonsByCaption() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const auto& [object, name] :
         {std::pair{"plus", "Plus"}, {"Command10", "0"}, {"end1", "Exit"}}) {
        IAccessible* accessible = nullptr;
        BSTR said = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        if (SUCCEEDED(AccessibleObjectFromWindow(control(object), DWORD(OBJID_CLIENT),
                                                 IID_IAccessible,
                                                 reinterpret_cast<void**>(&accessible)))) {
            accessible->get_accName(self, &said);
            accessible->Release();
        }
        check.equal(said ? runtime::narrow(said) : std::string("(none)"), std::string(name),
                    std::string(object) + " is named");
        SysFreeString(said);
    }
}

// Compact: the left column whole and no pixel of a key; the frame's 105 twips off.
void compactViewShowsTheLeftColumnOnly() {
    RECT client;
    GetClientRect(runtime::nativeWindow(form()), &client);
    check.equal(client.right, px(3930 - 105), "compact client width");
    check.equal(client.bottom, px(2775), "client height");
    for (const runtime::Control& c : window::form1Description().controls) {
        const RECT at = placeOf(control(c.name));
        if (c.left >= 3840)
            check.that(at.left >= client.right, std::string(c.name) + " is out of sight");
        else
            check.that(at.right <= client.right, std::string(c.name) + " is in sight");
    }
}

// Tab from Command1 through every control in TabIndex order, hidden keys
// included, and round again; the space bar presses the focused key.
void focusFollowsTabIndex() {
    std::vector<const runtime::Control*> order(window::form1Description().controls.size());
    for (const runtime::Control& c : window::form1Description().controls)
        order[std::size_t(c.tabIndex)] = &c;
    check.equal(GetFocus(), control("Command1"), "the focus starts on Command1");
    for (std::size_t i = 1; i <= order.size(); ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        runtime::processPendingMessages();
        check.equal(GetFocus(), control(order[i % order.size()]->name),
                    "Tab reaches " + std::string(order[i % order.size()]->name));
    }
    type("Text1", "");
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(GetFocus(), WM_KEYUP, VK_SPACE, 0xC0000000);
    runtime::processPendingMessages();
    check.equal(text("Text1"), std::string("1"), "space on the focused key 1");
}

// A long box of any script comes back whole, with the digit after it.
void longBoxComesBackWhole() {
    std::string huge;
    while (huge.size() < 100'000)
        huge += "a\xC3\xA4\xE2\x82\xAC\xF0\x9D\x84\x9E"; // a, a-umlaut, euro, G clef
    type("Text2", huge);
    click("Command11");
    check.that(text("Text2") == huge + "1", "a box of 100,000 characters comes back whole");
}

// A press as a user makes it: a button clicked, or a menu item chosen unless greyed.
void press(const std::string& name) {
    const runtime::BuiltObject& pressed = object(name);
    if (pressed.kind != runtime::ObjectKind::MenuItem) {
        click(name);
        return;
    }
    if (!(GetMenuState(pressed.menu, pressed.item, MF_BYCOMMAND) & MF_GRAYED))
        SendMessageW(runtime::nativeWindow(form()), WM_COMMAND, pressed.item, 0);
    runtime::processPendingMessages();
}

bool enabled(const runtime::BuiltObject& item) {
    return !(GetMenuState(item.menu, item.item, MF_BYCOMMAND) & MF_GRAYED);
}

// The table every platform replays: the boxes after the presses, the message
// shown, and the properties that then hold, in pixels at this DPI.
void replayTheSharedCases() {
    for (const test::Case& row : test::form1Cases) {
        type("Text1", row.text1);
        type("Text2", row.text2);
        type("Text3", row.text3);
        reported.clear();
        for (const std::string& name : test::words(row.presses))
            press(name);
        const std::string what = row.what;
        check.equal(text("Text1"), std::string(row.after1), what + ": Text1");
        check.equal(text("Text2"), std::string(row.after2), what + ": Text2");
        check.equal(text("Text3"), std::string(row.after3), what + ": Text3");
        check.equal(reported.empty() ? std::string() : reported.front(), std::string(row.message),
                    what + ": the message");
        check.that(reported.size() <= 1 && !runtime::exitStatus(), what + ": the program goes on");
        for (const std::string& word : test::words(row.then)) {
            const test::Holds holds = test::holds(word);
            if (holds.property == "Enabled")
                check.equal(enabled(object(holds.object)), holds.value == "true",
                            what + ": " + word);
            else if (holds.object == "Form1")
                check.equal(clientWidth(), px(std::stoi(holds.value) - 105), what + ": " + word);
            else {
                const RECT at = placeOf(control(holds.object));
                check.equal(holds.property == "Left" ? at.left : at.right - at.left,
                            px(std::stoi(holds.value)), what + ": " + word);
            }
        }
    }
}

// The user's decimal separator, as set in the region settings.
void resultsInTheRegionsSeparator() {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
    type("Text1", "7");
    type("Text2", "2");
    click("devises");
    check.equal(text("Text3"), std::string("3,5"), "a German separator");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L".");
}

// What the table leaves to each platform: every key in sight, and the item greyed.
void keypadViewShowsEveryControl() {
    for (const runtime::Control& c : window::form1Description().controls)
        check.that(placeOf(control(c.name)).right <= clientWidth(),
                   std::string(c.name) + " in sight in the keypad view");
    check.that(GetMenuState(fileMenu(), GetMenuItemID(fileMenu(), 1), MF_BYCOMMAND) & MF_GRAYED,
               "View Keyboard greyed");
}

// As in a dialog: the focus leaves with the window and comes back with it.
void focusComesBackWithTheWindow() {
    HWND window = runtime::nativeWindow(form());
    SetFocus(control("times"));
    HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    runtime::processPendingMessages();
    check.that(GetFocus() != control("times"), "the focus leaves with the window");
    SetActiveWindow(window);
    runtime::processPendingMessages();
    check.equal(GetFocus(), control("times"), "the focus comes back to where it was");
    DestroyWindow(other);
    runtime::processPendingMessages();
}

// The lower separator solid, the upper one dotted, as the window draws them.
void separatorsAreDrawn() {
    HWND window = runtime::nativeWindow(form());
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, clientWidth(), px(2775));
    SelectObject(memory, bitmap);
    RECT all{0, 0, clientWidth(), px(2775)};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(window, WM_PRINTCLIENT, WPARAM(memory), PRF_CLIENT);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    int solid = 0, dotted = 0;
    for (int x = 0; x < 20; ++x) {
        solid += GetPixel(memory, x, px(2160)) == ink;
        dotted += GetPixel(memory, x, px(1080)) == ink;
    }
    check.equal(solid, 20, "the lower separator is solid");
    check.equal(dotted, 10, "the upper separator is dotted");
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
}

} // namespace

int main(int argc, char** argv) {
    expectedDpi = argc > 1 ? UINT(std::atoi(argv[1])) : 96;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    runtime::setErrorReporter([](const runtime::RuntimeError& error) {
        reported.push_back("Error " + std::to_string(error.number()) + ": " + error.description());
    });

    form().raise("Load");
    HWND window = runtime::nativeWindow(form());
    ShowWindow(window, SW_SHOW);
    runtime::processPendingMessages();
    check.equal(GetDpiForWindow(window), expectedDpi, "the window's DPI");
    check.that(SendMessageW(window, WM_GETICON, ICON_SMALL, 0) &&
                   SendMessageW(window, WM_GETICON, ICON_BIG, 0),
               "the window carries the application icon");

    layoutFollowsTheTwips();
    screenReadersHearButtonsByCaption();
    compactViewShowsTheLeftColumnOnly();
    focusFollowsTabIndex();
    focusComesBackWithTheWindow();
    resultsInTheRegionsSeparator();
    separatorsAreDrawn();
    replayTheSharedCases();
    keypadViewShowsEveryControl();
    longBoxComesBackWhole();

    click("end1");
    check.equal(runtime::exitStatus().value_or(-1), 0, "Exit ends with status 0");
    check.that(!IsWindowVisible(window), "Exit hides the window");
    runtime::unloadForms();
    return check.finish();
}

// Turns a form's description into a Win32 window: one generic builder for any
// table of controls, lines and menu entries, laid out in twips at the window's
// own DPI, with each Click bound to its handler by command.

#include "built_form.h"

#include "accessibility.h"
#include "runtime/dispatch.h"
#include "runtime/event_binding.h"
#include "runtime/numeric/error.h"
#include "runtime/platform.h"
#include "runtime/test_seams.h"
#include "text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace runtime {

namespace {

constexpr wchar_t windowClass[] = L"TarquelForm";
// Fixed size: a wider window would show what a narrower view keeps out of sight.
constexpr DWORD windowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Commands from here on; below are IDOK and IDCANCEL, which the dialog keys send.
constexpr UINT firstCommand = 100;

// Captions are shown as they stand: an ampersand never makes an access key.
std::wstring caption(std::string_view text) {
    std::wstring shown;
    for (wchar_t c : widen(text)) {
        shown += c;
        if (c == L'&')
            shown += L'&';
    }
    return shown;
}

// The form a window was built for; none before it is created or once it goes.
const Form* formAt(HWND window) {
    return reinterpret_cast<const Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
const Form& formOf(HWND window) { return *formAt(window); }
Form::Impl& implOf(HWND window) { return formAt(window)->impl(); }

// The system's message font at this DPI, as every native dialog uses.
HFONT uiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return nullptr;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void useFont(const Form& form) {
    Form::Impl& impl = form.impl();
    HFONT old = impl.font;
    impl.font = uiFont(impl.dpi);
    for (auto& [name, object] : impl.objects)
        if (object.control)
            SendMessageW(object.control, WM_SETFONT, WPARAM(impl.font), TRUE);
    if (old)
        DeleteObject(old);
}

void useIcons(Form::Impl& impl) {
    const int sizes[2][2] = {{SM_CXSMICON, SM_CYSMICON}, {SM_CXICON, SM_CYICON}};
    for (int i = 0; i < 2; ++i) {
        HICON icon = HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetricsForDpi(sizes[i][0], impl.dpi),
                                      GetSystemMetricsForDpi(sizes[i][1], impl.dpi), 0));
        SendMessageW(impl.window, WM_SETICON, i ? ICON_BIG : ICON_SMALL, LPARAM(icon));
        if (impl.icons[i])
            DestroyIcon(impl.icons[i]);
        impl.icons[i] = icon;
    }
}

// Separators one pixel thick per 96 dpi; the dotted one a pixel on, a pixel off.
void paintLines(const Form& form, HDC dc) {
    const Form::Impl& impl = form.impl();
    const int thick = std::max(1, int(impl.dpi / 96));
    HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
    for (const Line& line : form.description().lines) {
        const RECT whole{impl.px(std::min(line.x1, line.x2)), impl.px(std::min(line.y1, line.y2)),
                         impl.px(std::max(line.x1, line.x2)) + thick,
                         impl.px(std::max(line.y1, line.y2)) + thick};
        if (line.style == LineStyle::Solid) {
            FillRect(dc, &whole, ink);
            continue;
        }
        const bool across = whole.right - whole.left >= whole.bottom - whole.top;
        for (int at = across ? whole.left : whole.top; at < (across ? whole.right : whole.bottom);
             at += 2 * thick) {
            const RECT dot =
                across ? RECT{at, whole.top, std::min(at + thick, int(whole.right)), whole.bottom}
                       : RECT{whole.left, at, whole.right, std::min(at + thick, int(whole.bottom))};
            FillRect(dc, &dot, ink);
        }
    }
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        // A button's click, or a menu item chosen: nothing else runs a handler.
        const bool click = lParam ? HIWORD(wParam) == BN_CLICKED : HIWORD(wParam) == 0;
        const auto found = implOf(window).clicks.find(LOWORD(wParam));
        if (click && found != implOf(window).clicks.end())
            dispatch(*found->second, formOf(window).description().recoverableErrors);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintLines(formOf(window), dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        paintLines(formOf(window), HDC(wParam));
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the same twips at the new DPI.
        const Form& form = formOf(window);
        form.impl().dpi = HIWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        useFont(form);
        useIcons(form.impl());
        layOut(form);
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS)
            useFont(formOf(window));
        break;
    case WM_ACTIVATE:
        // As in a dialog: the focus leaves with the window and comes back with it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            implOf(window).lastFocus = GetFocus();
        } else if (implOf(window).lastFocus && IsChild(window, implOf(window).lastFocus)) {
            SetFocus(implOf(window).lastFocus);
            return 0;
        }
        break;
    case WM_GETOBJECT:
        nameForScreenReaders(formOf(window));
        break;
    case WM_CLOSE:
        // The only window: closing it ends the program, as Exit does.
        endProgram(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// No exception crosses into Windows: whatever a message's handling throws is
// reported here and ends the program, as at the event boundary.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    if (!formAt(window))
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return handleMessage(window, message, wParam, lParam);
    } catch (...) {
        handleException("the handling of an event");
        return 0;
    }
}

void registerClass() {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = windowProcedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        type.lpszClassName = windowClass;
        return RegisterClassExW(&type) != 0;
    }();
    if (!registered)
        throw RuntimeError(InternalError, "The window class could not be registered");
}

class Builder {
public:
    explicit Builder(const Form& form) : form_(form), impl_(form.impl()) {}

    void build() {
        const FormDescription& description = form_.description();
        registerClass();
        impl_.outerWidth = description.outerWidth;
        impl_.window =
            CreateWindowExW(0, windowClass, widen(description.caption).c_str(), windowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), const_cast<Form*>(&form_));
        if (!impl_.window)
            throw RuntimeError(InternalError, "The window could not be created");
        impl_.dpi = GetDpiForWindow(impl_.window);
        addControls();
        addLines();
        addMenu();
        const auto find = [this](std::string_view name) {
            return platform::findObject(form_, name).object;
        };
        bindClickHandlers(description, find, [this](BuiltObject& object, const Handler& handler) {
            impl_.clicks[commandOf(object)] = &handler;
        });
        useFont(form_);
        useIcons(impl_);
        nameForScreenReadersWhenAsked(form_);
        sizeWindow(form_);
    }

private:
    UINT commandOf(const BuiltObject& object) const {
        return object.control ? UINT(GetDlgCtrlID(object.control)) : object.item;
    }

    void add(std::string_view name, BuiltObject object) { impl_.objects.emplace(name, object); }

    // Created in focus order, which is the order Tab follows, each in its place at
    // the window's DPI; the first takes the focus.
    void addControls() {
        const std::vector<const Control*> controls = inTabOrder(form_.description());
        for (const Control* control : controls) {
            const bool box = control->kind == ControlKind::TextBox;
            HWND created = CreateWindowExW(
                box ? WS_EX_CLIENTEDGE : 0, box ? L"EDIT" : L"BUTTON",
                box ? widen(control->caption).c_str() : caption(control->caption).c_str(),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | (box ? ES_AUTOHSCROLL : BS_PUSHBUTTON),
                impl_.px(control->left), impl_.px(control->top), impl_.px(control->width),
                impl_.px(control->height), impl_.window, HMENU(UINT_PTR(nextCommand_++)),
                GetModuleHandleW(nullptr), nullptr);
            if (!created)
                throw RuntimeError(InternalError, "The control " + quoted(control->name) +
                                                      " could not be created");
            if (box)
                SendMessageW(created, EM_SETLIMITTEXT, 0, 0); // as long as memory allows
            add(control->name, {.kind = box ? ObjectKind::TextBox : ObjectKind::Button,
                                .control = created,
                                .left = control->left,
                                .top = control->top,
                                .width = control->width,
                                .height = control->height});
            if (control == controls.front()) {
                impl_.lastFocus = created; // given to it when the window is first activated
                SetFocus(created);
            }
        }
    }

    void addLines() {
        for (const Line& line : form_.description().lines)
            add(line.name, {.kind = ObjectKind::Line});
    }

    void addMenu() {
        if (form_.description().menu.empty())
            return;
        HMENU bar = CreateMenu();
        HMENU menu = nullptr;
        UINT position = 0;
        for (const MenuEntry& entry : form_.description().menu) {
            if (entry.level == 0) {
                menu = CreatePopupMenu();
                AppendMenuW(bar, MF_POPUP | MF_STRING, UINT_PTR(menu),
                            caption(entry.caption).c_str());
                add(entry.name, {.kind = ObjectKind::Menu, .menu = bar, .item = position++});
            } else {
                const UINT command = nextCommand_++;
                AppendMenuW(menu, MF_STRING, command, caption(entry.caption).c_str());
                add(entry.name, {.kind = ObjectKind::MenuItem, .menu = menu, .item = command});
            }
        }
        SetMenu(impl_.window, bar);
    }

    const Form& form_;
    Form::Impl& impl_;
    UINT nextCommand_ = firstCommand;
};

} // namespace

void buildForm(const Form& form) { Builder(form).build(); }

void destroyForm(Form::Impl& impl) {
    if (impl.window) {
        SetWindowLongPtrW(impl.window, GWLP_USERDATA, 0);
        DestroyWindow(impl.window); // its controls and menu with it
    }
    if (impl.font)
        DeleteObject(impl.font);
    for (HICON icon : impl.icons)
        if (icon)
            DestroyIcon(icon);
}

void layOut(const Form& form) {
    const Form::Impl& impl = form.impl();
    for (const auto& [name, object] : impl.objects)
        if (object.control)
            SetWindowPos(object.control, nullptr, impl.px(object.left), impl.px(object.top),
                         impl.px(object.width), impl.px(object.height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    sizeWindow(form);
}

void sizeWindow(const Form& form) {
    const Form::Impl& impl = form.impl();
    // The client area the width leaves once the laid-out frame is taken off,
    // and the laid-out height; the frame around it is whatever this Windows draws.
    const FormDescription& description = form.description();
    const SIZE client{
        impl.px(std::max(0, impl.outerWidth - (description.outerWidth - description.clientWidth))),
        impl.px(description.clientHeight)};
    RECT outer{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&outer, windowStyle, GetMenu(impl.window) != nullptr, 0, impl.dpi);
    SetWindowPos(impl.window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    // A menu bar that wraps, or a frame not as the system metrics say, is
    // measured and made up for, so that the client area comes out exact.
    RECT got;
    GetClientRect(impl.window, &got);
    if (got.right != client.cx || got.bottom != client.cy)
        SetWindowPos(impl.window, nullptr, 0, 0, outer.right - outer.left + client.cx - got.right,
                     outer.bottom - outer.top + client.cy - got.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

} // namespace runtime

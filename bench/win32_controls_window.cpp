// The Windows program's floor: a window with the calculator's kind and number
// of standard controls (25 buttons and 3 edit boxes in the system's font), its
// File menu and its manifest, at its compact size, and no handlers. Built with
// the same toolchain and flags, it is what any Win32 program with these
// controls takes to show them.

#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProcedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    type.lpszClassName = L"Floor";
    RegisterClassExW(&type);

    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"New");
    AppendMenuW(file, MF_STRING, 2, L"View Keyboard");
    AppendMenuW(bar, MF_POPUP | MF_STRING, UINT_PTR(file), L"File");
    RECT outer{0, 0, 255, 185};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&outer, style, TRUE, 0);
    HWND window = CreateWindowExW(0, L"Floor", L"floor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, bar,
                                  instance, nullptr);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (int i = 0; i < 28; ++i) {
        const bool box = i >= 25;
        HWND control = CreateWindowExW(
            box ? WS_EX_CLIENTEDGE : 0, box ? L"EDIT" : L"BUTTON", box ? L"" : L"0",
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (box ? ES_AUTOHSCROLL : BS_PUSHBUTTON),
            box ? 8 : 8 + (i % 5) * 24, box ? 8 + (i - 25) * 30 : 100 + (i / 5) * 14,
            box ? 160 : 22, box ? 24 : 12, window, HMENU(UINT_PTR(100 + i)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    }
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return int(message.wParam);
}

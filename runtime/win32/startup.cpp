// Start-up and the event loop on Win32.

#include "runtime/startup.h"

#include "accessibility.h"
#include "native.h"
#include "runtime/dispatch.h"
#include "runtime/form.h"
#include "runtime/platform.h"

#include <windows.h>

#include <commctrl.h>

namespace runtime {

namespace {

// Tab and Shift+Tab step through the focus order and the space bar presses a
// focused button, as in every dialog; the rest goes to the window procedures.
void handle(MSG& message) {
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (top && IsDialogMessageW(top, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

BOOL CALLBACK hide(HWND window, LPARAM) {
    ShowWindow(window, SW_HIDE);
    return TRUE;
}

} // namespace

void platform::quitEventLoop(int status) {
    EnumThreadWindows(GetCurrentThreadId(), hide, 0);
    PostQuitMessage(status);
}

void processPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam)); // the end stays in sight of the loop
            return;
        }
        handle(message);
    }
}

void platform::show(Form& form) {
    ShowWindow(nativeWindow(form), SW_SHOWDEFAULT);
    UpdateWindow(nativeWindow(form));
}

int platform::runEventLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        handle(message);
    return exitStatus().value_or(int(message.wParam));
}

int start(const Project& project, int, char**) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    reportInMessages(project);
    const int status = run(project);
    unloadForms();
    endCom();
    return status;
}

} // namespace runtime

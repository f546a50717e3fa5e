#include "accessibility.h"

#include "built_form.h"
#include "runtime/platform.h"
#include "text.h"

#include <initguid.h> // the annotation service's identifiers are defined here

#include <commctrl.h>
#include <oleacc.h>
#include <oleauto.h>

#include <span>

namespace runtime {

namespace {

bool comStarted = false;

// A control's messages pass here first: its first WM_GETOBJECT annotates the form.
LRESULT CALLBACK askedFirst(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR form) {
    if (message == WM_GETOBJECT)
        nameForScreenReaders(*reinterpret_cast<const Form*>(form));
    return DefSubclassProc(control, message, wParam, lParam);
}

// From UI Automation's own header, which this toolchain may lack.
constexpr int actionCompleted = 2; // NotificationKind_ActionCompleted
constexpr int mostRecent = 3;      // NotificationProcessing_MostRecent: the latest result only

using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
using AllocateString = BSTR(WINAPI*)(const OLECHAR*, UINT);
using FreeString = void(WINAPI*)(BSTR);

// UI Automation's notification and the strings it takes, loaded at the first
// announcement: no start waits for them.
struct UiAutomation {
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raiseNotification = nullptr;
    AllocateString allocate = nullptr;
    FreeString free = nullptr;
};

template <typename Function> Function lookUp(HMODULE library, const char* name) {
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

// Looked up once, from the system folder only: older Windows lacks the notification.
const UiAutomation& uiAutomation() {
    static const UiAutomation found = [] {
        const HMODULE core =
            LoadLibraryExW(L"UIAutomationCore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        const HMODULE strings =
            LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return UiAutomation{lookUp<HostProviderFromHwnd>(core, "UiaHostProviderFromHwnd"),
                            lookUp<RaiseNotificationEvent>(core, "UiaRaiseNotificationEvent"),
                            lookUp<AllocateString>(strings, "SysAllocStringLen"),
                            lookUp<FreeString>(strings, "SysFreeString")};
    }();
    return found;
}

} // namespace

void startCom() {
    if (!comStarted)
        comStarted =
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void endCom() {
    if (comStarted)
        CoUninitialize();
    comStarted = false;
}

void nameForScreenReaders(const Form& form) {
    Form::Impl& impl = form.impl();
    if (impl.annotated)
        return;
    impl.annotated = true;
    startCom();
    IAccPropServices* services = nullptr;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services));
    if (!services)
        return;
    const auto give = [&](std::span<const AccessibleText> entries, const MSAAPROPID& property) {
        for (const AccessibleText& entry : entries)
            if (HWND control = impl.objects.at(entry.object).control)
                services->SetHwndPropStr(control, DWORD(OBJID_CLIENT), CHILDID_SELF, property,
                                         widen(entry.text).c_str());
    };
    give(form.description().accessibleNames, PROPID_ACC_NAME);
    give(form.description().accessibleDescriptions, PROPID_ACC_DESCRIPTION);
    services->Release();
}

void nameForScreenReadersWhenAsked(const Form& form) {
    for (const auto& [name, object] : form.impl().objects)
        if (object.control)
            SetWindowSubclass(object.control, askedFirst, 1, DWORD_PTR(&form));
}

void announce(HWND control, const std::wstring& text) {
    const UiAutomation& uia = uiAutomation();
    IUnknown* provider = nullptr;
    if (!uia.hostProvider || !uia.raiseNotification || !uia.allocate || !uia.free)
        return;
    startCom();
    if (FAILED(uia.hostProvider(control, &provider)) || !provider)
        return;
    BSTR said = uia.allocate(text.data(), UINT(text.size()));
    BSTR activity = uia.allocate(L"Result", 6);
    uia.raiseNotification(provider, actionCompleted, mostRecent, said, activity);
    uia.free(activity);
    uia.free(said);
    provider->Release();
}

} // namespace runtime

#include "accessibility.h"

#include "built_form.h"
#include "runtime/numeric/error.h"
#include "runtime/platform.h"
#include "text.h"

#include <initguid.h> // the annotation service's identifiers are defined here

#include <oleacc.h>
#include <oleauto.h>

#include <span>

namespace runtime {

void nameForScreenReaders(const Form& form) {
    IAccPropServices* services = nullptr;
    CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                     reinterpret_cast<void**>(&services));
    const auto give = [&](std::span<const AccessibleText> entries, const MSAAPROPID& property) {
        for (const AccessibleText& entry : entries) {
            const BuiltObject& found = form.impl().objects.at(entry.object);
            if (services && found.control)
                services->SetHwndPropStr(found.control, DWORD(OBJID_CLIENT), CHILDID_SELF, property,
                                         widen(entry.text).c_str());
        }
    };
    give(form.description().accessibleNames, PROPID_ACC_NAME);
    give(form.description().accessibleDescriptions, PROPID_ACC_DESCRIPTION);
    if (services)
        services->Release();
}

namespace {

// From UI Automation's own header, which this toolchain may lack.
constexpr int actionCompleted = 2; // NotificationKind_ActionCompleted
constexpr int mostRecent = 3;      // NotificationProcessing_MostRecent: the latest result only

using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);

struct UiAutomation {
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raiseNotification = nullptr;
};

// Looked up once, from the system folder only: older Windows lacks the notification.
const UiAutomation& uiAutomation() {
    static const UiAutomation found = [] {
        UiAutomation uia;
        if (HMODULE library =
                LoadLibraryExW(L"UIAutomationCore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            uia.hostProvider = reinterpret_cast<HostProviderFromHwnd>(
                reinterpret_cast<void*>(GetProcAddress(library, "UiaHostProviderFromHwnd")));
            uia.raiseNotification = reinterpret_cast<RaiseNotificationEvent>(
                reinterpret_cast<void*>(GetProcAddress(library, "UiaRaiseNotificationEvent")));
        }
        return uia;
    }();
    return found;
}

} // namespace

void announce(HWND control, const std::wstring& text) {
    const UiAutomation& uia = uiAutomation();
    IUnknown* provider = nullptr;
    if (!uia.hostProvider || !uia.raiseNotification ||
        FAILED(uia.hostProvider(control, &provider)) || !provider)
        return;
    BSTR said = SysAllocStringLen(text.data(), UINT(text.size()));
    BSTR activity = SysAllocString(L"Result");
    uia.raiseNotification(provider, actionCompleted, mostRecent, said, activity);
    SysFreeString(activity);
    SysFreeString(said);
    provider->Release();
}

} // namespace runtime

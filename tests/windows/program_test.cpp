// The real program as Windows starts it: its version record and icon as
// Explorer reads them, an arithmetic error told in a message box after which it
// goes on, and the exit status of Exit and of the close box.
//   program_test PATH-TO-EXE
// And the program as its Windows Installer package puts it in place: installed
// silently, found where users look for it, started, replaced by the package of
// the same program rebuilt and then of a later version, an earlier version
// refused over the later one, and removed without a trace.
//   program_test --installer MSI EXE [REBUILT-MSI EXE LATER-MSI EXE]
// Each package with the program it holds.

#include "checks.h"

#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

test::Checks check;
std::wstring program;

std::string narrow(const std::wstring& text) { return {text.begin(), text.end()}; } // ASCII here

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// The top-level window of this process with this caption and class, waited for.
HWND findWindow(DWORD processId, const wchar_t* caption, const wchar_t* type) {
    for (int tries = 0; tries < 400; ++tries) {
        for (HWND at = FindWindowExW(nullptr, nullptr, type, caption); at;
             at = FindWindowExW(nullptr, at, type, caption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(at, &owner);
            if (owner == processId && IsWindowVisible(at))
                return at;
        }
        Sleep(25);
    }
    return nullptr;
}

Running start() {
    Running running;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &running.process)) {
        check.that(false, "the program starts");
        return running;
    }
    WaitForInputIdle(running.process.hProcess, 10'000);
    running.window = findWindow(running.process.dwProcessId, L"Calculator - Tarquel", nullptr);
    check.that(running.window != nullptr, "its window opens");
    return running;
}

// Waits for the program's end, or ends it: a test never leaves it behind.
int exitStatus(Running& running) {
    if (WaitForSingleObject(running.process.hProcess, 10'000) != WAIT_OBJECT_0)
        TerminateProcess(running.process.hProcess, 99);
    DWORD status = 0;
    GetExitCodeProcess(running.process.hProcess, &status);
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
    return int(status);
}

HWND child(HWND window, const wchar_t* caption) {
    return FindWindowExW(window, nullptr, L"Button", caption);
}
// The boxes in focus order: Text1, Text2, Text3.
HWND box(HWND window, int number) {
    HWND found = nullptr;
    for (int i = 0; i < number; ++i)
        found = FindWindowExW(window, found, L"Edit", nullptr);
    return found;
}
// Another process's box is read and written by message, as GetWindowText cannot.
std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageW(window, WM_GETTEXT, 256, LPARAM(text));
    return text;
}

void versionRecord() {
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
    std::string record(size, '\0');
    check.that(size && GetFileVersionInfoW(program.c_str(), 0, size, record.data()),
               "a version record");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        check.equal(fixed->dwFileVersionMS, DWORD(0x00010000), "file version 1.0");
        check.equal(fixed->dwProductVersionMS, DWORD(0x00010000), "product version 1.0");
    }
    DWORD* translation = nullptr;
    check.that(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                              reinterpret_cast<void**>(&translation), &length) &&
                   *translation == MAKELONG(0x0409, 1200),
               "U.S. English, Unicode");
    for (const wchar_t* field : {L"FileVersion", L"ProductVersion"}) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + field;
        VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length);
        check.equal(narrow(value ? value : L""), std::string("1.00"), narrow(field));
    }
}

// The application icon: two images, 16 and 32 pixels square, 16 colours each.
void applicationIcon() {
    HMODULE exe = LoadLibraryExW(program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC group = exe ? FindResourceW(exe, MAKEINTRESOURCEW(1), RT_GROUP_ICON) : nullptr;
    check.that(group != nullptr, "an application icon");
    if (!group)
        return;
#pragma pack(push, 2)
    struct Entry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct Directory {
        WORD reserved, type, count;
        Entry entries[2];
    };
#pragma pack(pop)
    const auto* icon = static_cast<const Directory*>(LockResource(LoadResource(exe, group)));
    check.equal(icon->count, WORD(2), "two icon images");
    for (int i = 0; i < 2; ++i) {
        const Entry& image = icon->entries[i];
        check.equal(int(image.width), 16 << i, "icon image width");
        check.equal(int(image.height), 16 << i, "icon image height");
        check.equal(int(image.bitCount), 4, "16 colours");
    }
    FreeLibrary(exe);
}

void exitEndsWithStatus0() {
    Running running = start();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(running.process.dwThreadId, &gui);
    check.that(gui.hwndFocus && gui.hwndFocus == child(running.window, L"1"),
               "the focus starts on the first key");
    PostMessageW(child(running.window, L"Exit"), BM_CLICK, 0, 0);
    check.equal(exitStatus(running), 0, "Exit ends with status 0");
}

void closeBoxEndsWithStatus0() {
    Running running = start();
    PostMessageW(running.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    check.equal(exitStatus(running), 0, "the close box ends with status 0");
}

// Division by zero: the message says so, and the program goes on with every box.
void errorIsToldAndTheProgramGoesOn() {
    Running running = start();
    SendMessageW(box(running.window, 1), WM_SETTEXT, 0, LPARAM(L"5"));
    PostMessageW(child(running.window, L"Devises"), BM_CLICK, 0, 0);
    HWND message = findWindow(running.process.dwProcessId, L"Calculator - Tarquel", L"#32770");
    check.that(message != nullptr, "a message box");
    if (message) {
        HWND text = FindWindowExW(message, nullptr, L"Static", L"Error 11: Division by zero");
        check.that(text != nullptr, "it says: Error 11: Division by zero");
        PostMessageW(message, WM_COMMAND, IDOK, 0);
    }
    for (int tries = 0; tries < 200 && IsWindow(message) && IsWindowVisible(message); ++tries)
        Sleep(25);
    check.equal(WaitForSingleObject(running.process.hProcess, 0), DWORD(WAIT_TIMEOUT),
                "the program goes on");
    check.equal(narrow(textOf(box(running.window, 1))), std::string("5"), "Text1 kept");
    PostMessageW(child(running.window, L"Exit"), BM_CLICK, 0, 0);
    check.equal(exitStatus(running), 0, "then Exit ends it with status 0");
}

// ---- The installer -----------------------------------------------------------

int msiexec(const std::wstring& arguments) {
    std::wstring line = L"msiexec " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 120'000);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(status);
}

std::filesystem::path knownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    SHGetKnownFolderPath(id, 0, nullptr, &path);
    std::filesystem::path folder = path ? path : L"";
    CoTaskMemFree(path);
    return folder;
}

// The installed product of the package's upgrade code, as Windows Installer
// knows it: the entry among the installed programs.
std::wstring installedProduct() {
    wchar_t product[39] = {};
    if (MsiEnumRelatedProductsW(L"{EABFBC21-6C30-4B91-B80A-E644CE1E7354}", 0, 0, product))
        return {};
    return product;
}

std::wstring productInfo(const std::wstring& product, const wchar_t* property) {
    wchar_t value[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    MsiGetProductInfoW(product.c_str(), property, value, &size);
    return value;
}

// Where the Start menu shortcut points, and the file its icon comes from.
std::pair<std::filesystem::path, std::filesystem::path>
shortcut(const std::filesystem::path& link) {
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {}, icon[MAX_PATH] = {};
    int index = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell)))) {
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
            shell->GetPath(target, MAX_PATH, nullptr, 0);
            shell->GetIconLocation(icon, MAX_PATH, &index);
        }
        if (file)
            file->Release();
        shell->Release();
    }
    return {target, icon};
}

struct Package {
    std::wstring installer;
    std::filesystem::path program;
};

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The entries named as the calculator among the installed programs, as
// Windows' Settings and Wine's uninstaller list them.
int entriesListed() {
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | KEY_WOW64_64KEY, &uninstall) != ERROR_SUCCESS)
        return 0;
    int count = 0;
    wchar_t key[256], name[256];
    for (DWORD i = 0, size = 256; RegEnumKeyExW(uninstall, i, key, &size, nullptr, nullptr, nullptr,
                                                nullptr) == ERROR_SUCCESS;
         ++i, size = 256) {
        DWORD bytes = sizeof name;
        if (RegGetValueW(uninstall, key, L"DisplayName", RRF_RT_REG_SZ, nullptr, name, &bytes) ==
                ERROR_SUCCESS &&
            std::wstring(name) == L"Calculator - Tarquel")
            ++count;
    }
    RegCloseKey(uninstall);
    return count;
}

// After each step: one entry, the package's own program in place, one shortcut.
void installedOnce(const Package& package, const std::filesystem::path& installed,
                   const std::filesystem::path& link, const std::string& step) {
    check.equal(entriesListed(), 1, step + ": one entry among the installed programs");
    check.that(contents(installed) == contents(package.program),
               step + ": the installed program is that package's");
    int links = 0;
    for (const auto id : {FOLDERID_CommonPrograms, FOLDERID_Programs})
        links += std::filesystem::exists(knownFolder(id) / link.filename());
    check.equal(links, 1, step + ": one Start menu shortcut");
}

void installsAndUninstallsCleanly(const std::vector<Package>& packages) {
    const std::wstring& package = packages.front().installer;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const auto folder = knownFolder(FOLDERID_ProgramFiles) / L"Tarquel Calculator";
    const auto installed = folder / L"tarquel-calculator.exe";
    // In the Start menu: for all users, where Windows puts a per-machine
    // package's shortcut; Wine puts it in the user's own.
    auto link = knownFolder(FOLDERID_CommonPrograms) / L"Calculator - Tarquel.lnk";

    check.equal(msiexec(L"/i \"" + package + L"\" /qn"), 0, "installs silently");
    if (!std::filesystem::exists(link))
        link = knownFolder(FOLDERID_Programs) / link.filename();
    check.that(std::filesystem::exists(installed), "the program is under Program Files");
    const auto [target, icon] = shortcut(link);
    check.that(std::filesystem::exists(link) && std::filesystem::equivalent(target, installed),
               "the Start menu shortcut opens it");
    check.that(!icon.empty() && std::filesystem::exists(icon), "the shortcut has its icon");
    const std::wstring product = installedProduct();
    check.that(!product.empty(), "it is among the installed programs, by its upgrade code");
    check.equal(narrow(productInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME)),
                std::string("Calculator - Tarquel"), "its name");
    check.equal(narrow(productInfo(product, INSTALLPROPERTY_VERSIONSTRING)), std::string("1.00"),
                "its version");
    check.equal(narrow(productInfo(product, INSTALLPROPERTY_PUBLISHER)), std::string("Tarquel"),
                "its publisher");
    check.that(std::filesystem::exists(productInfo(product, INSTALLPROPERTY_PRODUCTICON)),
               "its icon");

    program = installed.wstring();
    exitEndsWithStatus0();
    installedOnce(packages.front(), installed, link, "installed");

    const Package* last = &packages.front();
    if (packages.size() == 3) {
        const auto install = [](const Package& next) {
            return msiexec(L"/i \"" + next.installer + L"\" /qn");
        };
        check.equal(install(packages[1]), 0, "the same version rebuilt installs over it");
        installedOnce(packages[1], installed, link, "the same version rebuilt");
        check.equal(install(packages[2]), 0, "a later version installs over that");
        installedOnce(packages[2], installed, link, "a later version");
        check.that(install(packages[0]) != 0, "an earlier version is refused over a later one");
        installedOnce(packages[2], installed, link, "an earlier version refused");
        last = &packages[2];
    }

    check.equal(msiexec(L"/x \"" + last->installer + L"\" /qn"), 0, "uninstalls silently");
    check.that(!std::filesystem::exists(folder), "the program's folder is gone");
    check.that(!std::filesystem::exists(link), "the shortcut is gone");
    check.that(installedProduct().empty(), "the entry is gone");
    HKEY key = nullptr;
    check.that(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Tarquel", 0,
                             KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS,
               "the program's registry key is gone");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 2 && std::wstring(argv[1]) == L"--installer" && argc % 2 == 0) {
        std::vector<Package> packages;
        for (int i = 2; i + 1 < argc; i += 2)
            packages.push_back({argv[i], argv[i + 1]});
        installsAndUninstallsCleanly(packages);
        return check.finish();
    }
    if (argc != 2)
        return 2;
    program = argv[1];
    versionRecord();
    applicationIcon();
    exitEndsWithStatus0();
    closeBoxEndsWithStatus0();
    errorIsToldAndTheProgramGoesOn();
    return check.finish();
}

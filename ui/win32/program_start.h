// What a dialog program of the package does before its first dialog: work
// from its own folder, wherever it was started from, and register the common
// controls its templates use.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ui::win32 {

// The program file's folder, without the "\" that ends it.
inline std::string programFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

// The folder the program was started from, before it moves to its own:
// relative file names on its command line are taken from here.
inline std::string startFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length == 0 || length > MAX_PATH ? std::string() : std::string(path, length);
}

// InitCommonControlsEx is missing from the oldest Common Controls, which
// register everything they have on load.
inline void registerCommonControls(DWORD classes) {
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    auto initEx = comctl ? reinterpret_cast<InitEx>(reinterpret_cast<void (*)()>(
                               GetProcAddress(comctl, "InitCommonControlsEx")))
                         : nullptr;
    if (initEx != nullptr) {
        INITCOMMONCONTROLSEX init{sizeof init, classes};
        initEx(&init);
    } else {
        InitCommonControls();
    }
}

} // namespace ui::win32

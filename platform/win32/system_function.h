// Functions that Windows 95 or NT 4 lack are looked up by name when they are
// used, never imported: the loader refuses a program with an import its system
// does not export before the program can say a word. A missing function answers
// as Windows 95's own stubs do, with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The function `name` of the system module `module`; nullptr, with the last
// error ERROR_CALL_NOT_IMPLEMENTED, when the module or the function is not
// there. A module the process has not loaded yet is loaded and stays loaded.
FARPROC systemFunction(const char* module, const char* name);

// The same, typed: systemFunction<decltype(&::XcvDataW)>("winspool.drv", "XcvDataW").
// decltype names the declaration without importing it.
template <typename Function> Function systemFunction(const char* module, const char* name) {
    // Through void(*)(): the one function type every other converts to quietly.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(systemFunction(module, name)));
}

} // namespace platform::win32

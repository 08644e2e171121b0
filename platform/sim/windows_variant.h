// The Windows editions a simulated machine can be, with what each one answers.
#pragma once

#include "platform/system_info.h"

#include <optional>
#include <string>

namespace platform::sim {

enum class WindowsVariant {
    Win95,
    Win98,
    WinMe,
    Nt4,
    Win2000,
    Xp,
    Xp64,
    Server2003,
    Vista,
    Server2008,
    Server2008R2,
    Win7,
    Win8,
    Server2012,
    Win81,
    Server2012R2,
    Win10,
    Server2016,
    Server2019,
    Server2022,
    Win11,
};

// "95", "98", "me", "nt4", "2000", "xp", "xp64", "2003", "vista", "2008", "2008r2", "7", "8",
// "2012", "8.1", "2012r2", "10", "2016", "2019", "2022", "11".
std::optional<WindowsVariant> parseWindowsVariant(const std::string& name);
std::string windowsVariantName(WindowsVariant variant);
// Every name in that order, joined by `separator`.
std::string windowsVariantNames(const std::string& separator);
// "Windows 7", "Windows Server 2008 R2" ...
std::string windowsVariantTitle(WindowsVariant variant);

bool isWin9x(WindowsVariant variant);
// Whether the edition exists with that many bits (no 64-bit Windows 9x, NT 4 or
// 2000; XP x64 and 2008 R2 only as 64-bit).
bool supportsBits(WindowsVariant variant, int bits);

OsVersionInfo versionRecord(WindowsVariant variant);
std::string windowsFolder(WindowsVariant variant); // "C:\WINDOWS" or "C:\WINNT"
std::string systemFolder(WindowsVariant variant);  // "...\system32", or "...\SYSTEM" on 9x
std::string tempFolder(WindowsVariant variant);    // with the trailing backslash

// Whether a module exports a function on this edition (the functions the
// programs look up by name because older systems lack them).
bool hasFunction(WindowsVariant variant, int bits, const std::string& module,
                 const std::string& function);
// Whether a system module is there at all.
bool hasModule(WindowsVariant variant, const std::string& module);

} // namespace platform::sim

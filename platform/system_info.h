#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// OSVERSIONINFOEXA, the fields the programs consult.
struct OsVersionInfo {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    std::uint32_t platformId = 0;
    std::string csdVersion;
    std::uint16_t servicePackMajor = 0;
    std::uint16_t servicePackMinor = 0;
    std::uint16_t suiteMask = 0;
    std::uint8_t productType = 0;
};

// Version record, processor, folders, modules, error texts and the token.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual bool GetVersionExA(OsVersionInfo& info) = 0;
    // wProcessorArchitecture of GetNativeSystemInfo / GetSystemInfo. The caller
    // looks GetNativeSystemInfo up first (it is missing before XP).
    virtual std::uint16_t GetNativeSystemInfo() = 0;
    virtual std::uint16_t GetSystemInfo() = 0;
    // IsWow64Process on the current process; the caller looks it up first.
    virtual bool IsWow64Process(bool& wow64) = 0;

    virtual bool GetSystemDirectoryA(std::string& path) = 0;
    virtual bool GetWindowsDirectoryA(std::string& path) = 0;
    virtual bool GetCurrentDirectoryA(std::string& path) = 0;
    virtual bool GetModuleFileNameA(std::string& path) = 0; // the running program's file
    virtual bool GetTempPathA(std::string& path) = 0;       // ends with a backslash

    // LoadLibraryA / GetProcAddress / FreeLibrary: whether a module and a
    // function exist. The seam's calls for functions that older systems lack
    // look them up themselves; these let the engine decide on the fall-back.
    virtual Handle LoadLibraryA(const std::string& name) = 0; // 0 on failure
    virtual bool GetProcAddress(Handle module, const std::string& function) = 0;
    virtual bool FreeLibrary(Handle module) = 0;

    // The system's text for an error (FormatMessageA from the system, user
    // default language); false when the system has none.
    virtual bool FormatMessageA(std::uint32_t code, std::string& text) = 0;

    // Access tokens: OpenThreadToken / OpenProcessToken for query, the group
    // SIDs of TokenGroups in their string form ("S-1-5-32-544"), CloseHandle.
    virtual bool OpenThreadToken(Handle& token) = 0;
    virtual bool OpenProcessToken(Handle& token) = 0;
    virtual bool GetTokenGroups(Handle token, std::vector<std::string>& sids) = 0;
    virtual bool CloseHandle(Handle handle) = 0;
};

} // namespace platform

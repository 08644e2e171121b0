#include "platform/win32/win32_areas.h"

#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform::win32 {
namespace {

// Windows 95 has no access tokens and no SIDs.
template <typename Function> Function securityFunction(const char* name) {
    return systemFunction<Function>("advapi32.dll", name);
}

// A SID's text, "S-1-5-32-544"; empty when the system cannot take it apart.
std::string sidText(PSID sid) {
    const auto authorityOf =
        securityFunction<decltype(&::GetSidIdentifierAuthority)>("GetSidIdentifierAuthority");
    const auto countOf =
        securityFunction<decltype(&::GetSidSubAuthorityCount)>("GetSidSubAuthorityCount");
    const auto subAuthority =
        securityFunction<decltype(&::GetSidSubAuthority)>("GetSidSubAuthority");
    if (authorityOf == nullptr || countOf == nullptr || subAuthority == nullptr)
        return {};
    const SID_IDENTIFIER_AUTHORITY* authority = authorityOf(sid);
    std::uint64_t value = 0;
    for (int i = 0; i < 6; ++i)
        value = (value << 8) | authority->Value[i];
    std::string text = "S-1-" + std::to_string(value);
    const UCHAR count = *countOf(sid);
    for (UCHAR i = 0; i < count; ++i)
        text += "-" + std::to_string(*subAuthority(sid, i));
    return text;
}

// Kernel functions that came with XP.
template <typename Function> Function kernelFunction(const char* name) {
    return systemFunction<Function>("kernel32.dll", name);
}

} // namespace

bool Win32SystemInfo::GetVersionExA(OsVersionInfo& info) {
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v))) {
        // Windows 9x and NT 4 before SP 6 know only the short record: no
        // service pack numbers, no product type.
        v = OSVERSIONINFOEXA{};
        v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)))
            return false;
    }
    info.majorVersion = v.dwMajorVersion;
    info.minorVersion = v.dwMinorVersion;
    info.buildNumber = v.dwBuildNumber;
    info.platformId = v.dwPlatformId;
    info.csdVersion = v.szCSDVersion;
    info.servicePackMajor = v.wServicePackMajor;
    info.servicePackMinor = v.wServicePackMinor;
    info.suiteMask = v.wSuiteMask;
    info.productType = v.wProductType;
    return true;
}

std::uint16_t Win32SystemInfo::GetNativeSystemInfo() {
    SYSTEM_INFO si{};
    const auto native = kernelFunction<decltype(&::GetNativeSystemInfo)>("GetNativeSystemInfo");
    if (native != nullptr)
        native(&si);
    else
        ::GetSystemInfo(&si);
    return si.wProcessorArchitecture;
}

std::uint16_t Win32SystemInfo::GetSystemInfo() {
    SYSTEM_INFO si{};
    ::GetSystemInfo(&si);
    return si.wProcessorArchitecture;
}

bool Win32SystemInfo::IsWow64Process(bool& wow64) {
    const auto isWow64 = kernelFunction<decltype(&::IsWow64Process)>("IsWow64Process");
    if (isWow64 == nullptr)
        return false;
    BOOL result = FALSE;
    if (!isWow64(::GetCurrentProcess(), &result))
        return false;
    wow64 = result != FALSE;
    return true;
}

bool Win32SystemInfo::GetSystemDirectoryA(std::string& path) {
    char buffer[MAX_PATH + 1];
    const UINT n = ::GetSystemDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return false;
    path.assign(buffer, n);
    return true;
}

bool Win32SystemInfo::GetWindowsDirectoryA(std::string& path) {
    char buffer[MAX_PATH + 1];
    const UINT n = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return false;
    path.assign(buffer, n);
    return true;
}

bool Win32SystemInfo::GetCurrentDirectoryA(std::string& path) {
    char buffer[MAX_PATH + 1];
    const DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer)
        return false;
    path.assign(buffer, n);
    return true;
}

bool Win32SystemInfo::GetModuleFileNameA(std::string& path) {
    char buffer[MAX_PATH + 1];
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return false;
    path.assign(buffer, n);
    return true;
}

bool Win32SystemInfo::GetTempPathA(std::string& path) {
    char buffer[MAX_PATH + 1];
    const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer)
        return false;
    path.assign(buffer, n);
    return true;
}

Handle Win32SystemInfo::LoadLibraryA(const std::string& name) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(::LoadLibraryA(name.c_str())));
}

bool Win32SystemInfo::GetProcAddress(Handle module, const std::string& function) {
    return ::GetProcAddress(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module)),
                            function.c_str()) != nullptr;
}

bool Win32SystemInfo::FreeLibrary(Handle module) {
    return ::FreeLibrary(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module))) != FALSE;
}

bool Win32SystemInfo::FormatMessageA(std::uint32_t code, std::string& text) {
    char* buffer = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                     reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    if (n == 0 || buffer == nullptr)
        return false;
    text.assign(buffer, n);
    ::LocalFree(buffer);
    return true;
}

bool Win32SystemInfo::OpenThreadToken(Handle& token) {
    const auto open = securityFunction<decltype(&::OpenThreadToken)>("OpenThreadToken");
    HANDLE h = nullptr;
    if (open == nullptr || !open(::GetCurrentThread(), TOKEN_QUERY, TRUE, &h))
        return false;
    token = static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
    return true;
}

bool Win32SystemInfo::OpenProcessToken(Handle& token) {
    const auto open = securityFunction<decltype(&::OpenProcessToken)>("OpenProcessToken");
    HANDLE h = nullptr;
    if (open == nullptr || !open(::GetCurrentProcess(), TOKEN_QUERY, &h))
        return false;
    token = static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
    return true;
}

bool Win32SystemInfo::GetTokenGroups(Handle token, std::vector<std::string>& sids) {
    const auto information =
        securityFunction<decltype(&::GetTokenInformation)>("GetTokenInformation");
    if (information == nullptr)
        return false;
    const HANDLE h = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(token));
    // The first call only learns the size; anything but "buffer too small" is a failure.
    DWORD size = 0;
    if (information(h, TokenGroups, nullptr, 0, &size) ||
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    std::vector<std::uint8_t> buffer(size);
    if (!information(h, TokenGroups, buffer.data(), size, &size))
        return false;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    sids.clear();
    const SID_AND_ATTRIBUTES* entries = groups->Groups;
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        sids.push_back(sidText(entries[i].Sid));
    return true;
}

bool Win32SystemInfo::CloseHandle(Handle handle) {
    return ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle))) != FALSE;
}

} // namespace platform::win32

#include "platform/win32/win32_areas.h"

#include "platform/win32/system_function.h"

#include <windows.h>
#include <shellapi.h>

namespace platform::win32 {
namespace {

HWND hwnd(Handle h) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(h));
}
Handle handle(const void* p) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(p));
}
const char* orNull(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}

} // namespace

Handle Win32Desktop::CreateMutexA(const std::string& name, bool initialOwner) {
    return handle(::CreateMutexA(nullptr, initialOwner ? TRUE : FALSE, name.c_str()));
}

Handle Win32Desktop::FindWindowA(const std::string& title) {
    return handle(::FindWindowA(nullptr, title.c_str()));
}

bool Win32Desktop::SetForegroundWindow(Handle window) {
    return ::SetForegroundWindow(hwnd(window)) != FALSE;
}

bool Win32Desktop::IsIconic(Handle window) {
    return ::IsIconic(hwnd(window)) != FALSE;
}

bool Win32Desktop::ShowWindow(Handle window, int command) {
    return ::ShowWindow(hwnd(window), command) != FALSE;
}

int Win32Desktop::MessageBoxA(Handle owner, const std::string& text, const std::string& caption,
                              std::uint32_t type) {
    return ::MessageBoxA(hwnd(owner), text.c_str(), orNull(caption), type);
}

std::uintptr_t Win32Desktop::ShellExecuteA(Handle owner, const std::string& verb,
                                           const std::string& file, const std::string& parameters,
                                           const std::string& directory, int show) {
    return reinterpret_cast<std::uintptr_t>(::ShellExecuteA(
        hwnd(owner), orNull(verb), file.c_str(), orNull(parameters), orNull(directory), show));
}

bool Win32Desktop::BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0,
                                 reinterpret_cast<LPARAM>(orNull(text)), SMTO_NORMAL, timeoutMs,
                                 &result) != 0;
}

bool Win32Desktop::ExitWindowsEx(std::uint32_t flags) {
    // Restarting needs the shutdown privilege in the process token; Windows 95
    // has no tokens and restarts without.
    const auto openToken =
        systemFunction<decltype(&::OpenProcessToken)>("advapi32.dll", "OpenProcessToken");
    const auto lookUp =
        systemFunction<decltype(&::LookupPrivilegeValueA)>("advapi32.dll", "LookupPrivilegeValueA");
    const auto adjust =
        systemFunction<decltype(&::AdjustTokenPrivileges)>("advapi32.dll", "AdjustTokenPrivileges");
    HANDLE token = nullptr;
    if (openToken != nullptr && lookUp != nullptr && adjust != nullptr &&
        openToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        if (lookUp(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            adjust(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        ::CloseHandle(token);
    }
    return ::ExitWindowsEx(flags, 0) != FALSE;
}

std::string Win32ProfileFiles::GetPrivateProfileStringA(const std::string& section,
                                                        const std::string& key,
                                                        const std::string& defaultValue,
                                                        std::size_t bufferSize,
                                                        const std::string& file) {
    if (bufferSize == 0)
        return {};
    std::string buffer(bufferSize, '\0');
    const DWORD n =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), &buffer[0],
                                   static_cast<DWORD>(bufferSize), file.c_str());
    buffer.resize(n);
    return buffer;
}

bool Win32ProfileFiles::WritePrivateProfileStringA(const std::string& section,
                                                   const std::string& key, const std::string& value,
                                                   const std::string& file) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        file.c_str()) != FALSE;
}

bool Win32ProfileFiles::WriteProfileStringA(const std::string& section, const std::string& key,
                                            const std::string& value) {
    return ::WriteProfileStringA(section.c_str(), key.c_str(), value.c_str()) != FALSE;
}

bool Win32ProfileFiles::FlushProfile() {
    ::WriteProfileStringA(nullptr, nullptr, nullptr);
    return true;
}

void Win32Clock::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

std::uint32_t Win32Clock::GetTickCount() {
    return ::GetTickCount();
}

LocalTime Win32Clock::GetLocalTime() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

} // namespace platform::win32

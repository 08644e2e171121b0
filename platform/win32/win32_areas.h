// The real machine's areas: boring adapters, one function per seam call, the
// real API's name in it, no decisions.
#pragma once

#include "platform/machine.h"

namespace platform::win32 {

class Win32Registry : public Registry {
public:
    std::uint32_t RegOpenKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                Handle& key) override;
    std::uint32_t RegCreateKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                  Handle& key) override;
    std::uint32_t RegCloseKey(Handle key) override;
    std::uint32_t RegQueryValueExA(Handle key, const std::string& name, std::uint32_t& type,
                                   std::vector<std::uint8_t>& data) override;
    std::uint32_t RegSetValueExA(Handle key, const std::string& name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data) override;
    std::uint32_t RegDeleteValueA(Handle key, const std::string& name) override;
    std::uint32_t RegDeleteKeyA(Handle key, const std::string& subKey) override;
    std::uint32_t RegDeleteKeyExA(Handle key, const std::string& subKey,
                                  std::uint32_t sam) override;
    std::uint32_t RegEnumKeyExA(Handle key, std::uint32_t index, std::string& name) override;
    std::uint32_t RegEnumValueA(Handle key, std::uint32_t index, std::string& name) override;
};

class Win32Files : public Files {
public:
    bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) override;
    std::uint32_t GetFileAttributesA(const std::string& path) override;
    bool SetFileAttributesA(const std::string& path, std::uint32_t attributes) override;
    bool CreateDirectoryA(const std::string& path) override;
    bool DeleteFileA(const std::string& path) override;
    Handle FindFirstFileA(const std::string& pattern, FindData& found) override;
    bool FindNextFileA(Handle search, FindData& found) override;
    bool FindClose(Handle search) override;
    bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
    bool GetFileVersionInfoA(const std::string& path, std::string& fileVersion) override;
    bool Wow64DisableWow64FsRedirection(Handle& oldValue) override;
    bool Wow64RevertWow64FsRedirection(Handle oldValue) override;
};

class Win32SystemInfo : public SystemInfo {
public:
    bool GetVersionExA(OsVersionInfo& info) override;
    std::uint16_t GetNativeSystemInfo() override;
    std::uint16_t GetSystemInfo() override;
    bool IsWow64Process(bool& wow64) override;
    bool GetSystemDirectoryA(std::string& path) override;
    bool GetWindowsDirectoryA(std::string& path) override;
    bool GetCurrentDirectoryA(std::string& path) override;
    bool GetModuleFileNameA(std::string& path) override;
    bool GetTempPathA(std::string& path) override;
    Handle LoadLibraryA(const std::string& name) override;
    bool GetProcAddress(Handle module, const std::string& function) override;
    bool FreeLibrary(Handle module) override;
    bool FormatMessageA(std::uint32_t code, std::string& text) override;
    bool OpenThreadToken(Handle& token) override;
    bool OpenProcessToken(Handle& token) override;
    bool GetTokenGroups(Handle token, std::vector<std::string>& sids) override;
    bool CloseHandle(Handle handle) override;
};

class Win32Desktop : public Desktop {
public:
    Handle CreateMutexA(const std::string& name, bool initialOwner) override;
    Handle FindWindowA(const std::string& title) override;
    bool SetForegroundWindow(Handle window) override;
    bool IsIconic(Handle window) override;
    bool ShowWindow(Handle window, int command) override;
    int MessageBoxA(Handle owner, const std::string& text, const std::string& caption,
                    std::uint32_t type) override;
    std::uintptr_t ShellExecuteA(Handle owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory,
                                 int show) override;
    bool BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) override;
    bool ExitWindowsEx(std::uint32_t flags) override;
};

class Win32ProfileFiles : public ProfileFiles {
public:
    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override;
    bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) override;
    bool WriteProfileStringA(const std::string& section, const std::string& key,
                             const std::string& value) override;
    bool FlushProfile() override;
};

class Win32Clock : public Clock {
public:
    void Sleep(std::uint32_t milliseconds) override;
    std::uint32_t GetTickCount() override;
    LocalTime GetLocalTime() override;
};

} // namespace platform::win32

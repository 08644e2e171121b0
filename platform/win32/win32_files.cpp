#include "platform/win32/win32_areas.h"

#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform::win32 {
namespace {

FindData toFindData(const WIN32_FIND_DATAA& d) {
    FindData f;
    f.name = d.cFileName;
    f.attributes = d.dwFileAttributes;
    f.size = (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    return f;
}

HANDLE searchHandle(Handle h) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(h));
}

} // namespace

bool Win32Files::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
    return ::CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

std::uint32_t Win32Files::GetFileAttributesA(const std::string& path) {
    return ::GetFileAttributesA(path.c_str());
}

bool Win32Files::SetFileAttributesA(const std::string& path, std::uint32_t attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool Win32Files::CreateDirectoryA(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Files::DeleteFileA(const std::string& path) {
    return ::DeleteFileA(path.c_str()) != FALSE;
}

Handle Win32Files::FindFirstFileA(const std::string& pattern, FindData& found) {
    WIN32_FIND_DATAA data{};
    const HANDLE h = ::FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return invalidHandle;
    found = toFindData(data);
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

bool Win32Files::FindNextFileA(Handle search, FindData& found) {
    WIN32_FIND_DATAA data{};
    if (!::FindNextFileA(searchHandle(search), &data))
        return false;
    found = toFindData(data);
    return true;
}

bool Win32Files::FindClose(Handle search) {
    return ::FindClose(searchHandle(search)) != FALSE;
}

bool Win32Files::ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    // GetFileSize, not GetFileSizeEx, which Windows 95 and NT 4 lack. Files of
    // 2 GB and more are refused, and INVALID_FILE_SIZE is one of them.
    DWORD high = 0;
    const DWORD low = ::GetFileSize(h, &high);
    bool ok = high == 0 && low < 0x80000000UL;
    if (ok) {
        bytes.assign(static_cast<std::size_t>(low), 0);
        DWORD read = 0;
        ok = bytes.empty() || (::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &read,
                                          nullptr) != FALSE &&
                               read == bytes.size());
    }
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    ::SetLastError(error);
    return ok;
}

bool Win32Files::WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = bytes.empty() || (::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                                                  &written, nullptr) != FALSE &&
                                      written == bytes.size());
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    ::SetLastError(error);
    return ok;
}

bool Win32Files::GetFileVersionInfoA(const std::string& path, std::string& fileVersion) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<std::uint8_t> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return false;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation))
        return false;
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\FileVersion", translations[0].language,
              translations[0].codePage);
    char* text = nullptr;
    if (!::VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length) ||
        text == nullptr)
        return false;
    fileVersion = text;
    return true;
}

bool Win32Files::Wow64DisableWow64FsRedirection(Handle& oldValue) {
    const auto disable = systemFunction<decltype(&::Wow64DisableWow64FsRedirection)>(
        "kernel32.dll", "Wow64DisableWow64FsRedirection");
    if (disable == nullptr)
        return false;
    PVOID old = nullptr;
    if (!disable(&old))
        return false;
    oldValue = static_cast<Handle>(reinterpret_cast<std::uintptr_t>(old));
    return true;
}

bool Win32Files::Wow64RevertWow64FsRedirection(Handle oldValue) {
    const auto revert = systemFunction<decltype(&::Wow64RevertWow64FsRedirection)>(
        "kernel32.dll", "Wow64RevertWow64FsRedirection");
    if (revert == nullptr)
        return false;
    return revert(reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(oldValue))) != FALSE;
}

} // namespace platform::win32

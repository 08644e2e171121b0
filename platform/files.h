#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct FindData {
    std::string name; // the entry's own name, no folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// Files and folders by Windows path (drive letter, backslashes, names compared
// without regard to case). Calls answer like the kernel32 functions: a success
// flag, with the reason in the thread's last error (Machine::GetLastError).
// A 32-bit program on 64-bit Windows sees the system folder through file-system
// redirection until it switches redirection off for its thread.
class Files {
public:
    virtual ~Files() = default;
    virtual bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) = 0;
    virtual std::uint32_t GetFileAttributesA(const std::string& path) = 0; // fileattr::invalid
    virtual bool SetFileAttributesA(const std::string& path, std::uint32_t attributes) = 0;
    virtual bool CreateDirectoryA(const std::string& path) = 0;
    virtual bool DeleteFileA(const std::string& path) = 0;
    // FindFirstFileA/FindNextFileA/FindClose; the pattern's last part may hold * and ?.
    virtual Handle FindFirstFileA(const std::string& pattern, FindData& found) = 0; // invalidHandle
    virtual bool FindNextFileA(Handle search, FindData& found) = 0;
    virtual bool FindClose(Handle search) = 0;
    // The whole content of a file (CreateFileA for shared reading, ReadFile).
    virtual bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) = 0;
    // Creates or replaces a file with the given content (CreateFileA CREATE_ALWAYS, WriteFile).
    virtual bool WriteFileBytes(const std::string& path,
                                const std::vector<std::uint8_t>& bytes) = 0;
    // The FileVersion text of the file's version resource in its first listed
    // translation (GetFileVersionInfoA + VerQueryValueA); false when the file or
    // the resource is missing.
    virtual bool GetFileVersionInfoA(const std::string& path, std::string& fileVersion) = 0;
    // Switches file-system redirection off for the calling thread and back.
    // Fails with err::callNotImplemented where the system lacks the functions.
    virtual bool Wow64DisableWow64FsRedirection(Handle& oldValue) = 0;
    virtual bool Wow64RevertWow64FsRedirection(Handle oldValue) = 0;
};

} // namespace platform

#pragma once

#include "platform/files.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

class SimMachine;

// The file system of the simulated machine. Drive C: is a folder on the host;
// the package under test is mounted read-write as the program's folder. Names
// are found without regard to case. Files can be marked in use (writing or
// deleting them fails with a sharing violation) or read-only (access denied),
// and a 32-bit program on 64-bit Windows sees system32 through file-system
// redirection, as on the real machine.
class SimFiles : public Files {
public:
    explicit SimFiles(SimMachine& machine);

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

    // For tests and tools; no faults, no redirection unless said.
    // The absolute Windows path a name stands for ("C:\WINDOWS\system32\x.dll"),
    // redirected as the calling thread would see it when `redirect` is set.
    std::optional<std::string> fullPath(const std::string& path, bool redirect = false) const;
    // The host file behind a Windows path (need not exist); empty when the path
    // lies on no drive of this machine.
    std::string hostPath(const std::string& path) const;
    bool exists(const std::string& path) const;
    bool isDirectory(const std::string& path) const;
    bool readText(const std::string& path, std::string& text) const;
    bool writeText(const std::string& path, const std::string& text); // creates folders
    void makeDirectories(const std::string& path);
    void setInUse(const std::string& path, bool inUse = true);
    bool isInUse(const std::string& path) const;
    void setReadOnly(const std::string& path, bool readOnly = true);
    std::uint32_t attributes(const std::string& path) const;
    // Every file below a folder (default: all of drive C:), as Windows paths.
    std::vector<std::string> listFiles(const std::string& folder = "C:\\") const;

    const std::string& currentDirectory() const { return currentDirectory_; }
    void setCurrentDirectory(const std::string& path) { currentDirectory_ = path; }
    bool redirectionDisabled() const;
    std::size_t openSearches() const { return searches_.size(); }

    void save(std::ostream& out) const;
    bool load(std::istream& in);

private:
    struct Mount {
        std::string prefix; // upper-case Windows prefix, e.g. "C:" or "E:\PACKAGE"
        std::string host;   // host folder
    };
    std::optional<std::string> resolve(const std::string& path) const; // faults already checked
    // The full path of an existing file or folder; else the last error says
    // whether the file or its folder is missing.
    std::optional<std::string> resolveExisting(const std::string& path);
    bool deniedWrite(const std::string& fullPath) const;
    bool fail(const char* call);

    SimMachine& machine_;
    std::vector<Mount> mounts_;
    std::string currentDirectory_;
    std::map<std::string, std::uint32_t> attributes_; // by upper-case full path
    std::set<std::string> inUse_;                     // upper-case full paths
    struct Search {
        std::vector<FindData> entries;
        std::size_t next = 0;
    };
    std::map<Handle, Search> searches_;
    Handle nextSearch_ = 0x5000;
};

} // namespace platform::sim

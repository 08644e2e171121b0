// A package folder on the host read as the programs read it on Windows: file
// names without regard to case, configuration files through the
// private-profile rules. Paths are the programs' own, below packageRoot.
#pragma once

#include "common/profile_file.h"
#include "platform/profile_files.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace drvsim {

// The folder the package stands for, as the simulated machine mounts it.
inline constexpr const char* packageRoot = "E:\\Package";

class PackageFiles : public platform::ProfileFiles {
public:
    explicit PackageFiles(std::filesystem::path folder);

    // The host file of a package path ("DRVCONFIG\setup.ini", or below
    // packageRoot), matched without regard to case; nullopt when absent.
    std::optional<std::filesystem::path> find(const std::string& path) const;
    // Its bytes, read once; nullopt when absent or unreadable.
    const std::optional<std::string>& read(const std::string& path);

    // A path below packageRoot without it ("E:\Package\language\x.ini" -> "language\x.ini").
    static std::string relative(const std::string& path);

    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override;
    // The package is only read.
    bool WritePrivateProfileStringA(const std::string&, const std::string&, const std::string&,
                                    const std::string&) override {
        return false;
    }
    bool WriteProfileStringA(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool FlushProfile() override { return false; }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::optional<std::string>> cache_;              // by upper-case path
    std::map<std::string, std::unique_ptr<common::ParsedProfile>> parsed_; // by path as asked
};

} // namespace drvsim

// A fresh simulated machine in a temporary folder, for one test.
#pragma once

#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace testsupport {

// A folder under the system's temporary folder, removed when the test ends.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("pkgtest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

    // Writes a file below the folder, creating its folders.
    void write(const std::string& relative, const std::string& content) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }

private:
    std::filesystem::path path_;
};

inline platform::sim::SimConfig simConfig(const TempDir& dir, platform::sim::WindowsVariant os,
                                          int bits) {
    platform::sim::SimConfig c;
    c.os = os;
    c.bits = bits;
    c.root = (dir.path() / "machine").string();
    c.packageDir = (dir.path() / "package").string();
    std::filesystem::create_directories(c.packageDir);
    return c;
}

} // namespace testsupport

// Runs the drvsim program as a package maintainer would, on a sample package
// and a machine folder of the test's own.
#pragma once

#include "tests/sim/install_scenario.h"
#include "tests/support/sim_fixture.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace drvsimtest {

struct Run {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& argument) {
    std::string q = "'";
    for (char c : argument)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline Run drvsim(const std::vector<std::string>& arguments) {
    static int serial = 0;
    const std::filesystem::path errors =
        std::filesystem::temp_directory_path() /
        ("drvsim-err-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::string command = quoted(std::string(PKG_BINARY_DIR) + "/tools/drvsim/drvsim");
    for (const std::string& a : arguments)
        command += " " + quoted(a);
    command += " 2>" + quoted(errors.string());
    Run run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = installtest::readHostFile(errors);
    std::filesystem::remove(errors);
    return run;
}

// The sample package with stand-ins for the driver-set files, and the real
// device-driver INF files, so that Install installs the USB driver for real.
inline std::string samplePackage(const testsupport::TempDir& dir) {
    const std::filesystem::path package = dir.path() / "package";
    installtest::writeSamplePackage(package);
    std::filesystem::copy(std::filesystem::path(PKG_SOURCE_DIR) / "package" / "USBDRV",
                          package / "USBDRV",
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    return package.string();
}

} // namespace drvsimtest

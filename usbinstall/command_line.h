// Install's command line: one word saying what to do, e.g. "2", "22", "8-3".
#pragma once

#include <string>
#include <vector>

namespace usbinstall {

// The arguments of a whole command line as GetCommandLineA gives it, split by
// the C runtime's rules (quotes group, backslashes escape quotes only), the
// program's name first.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The first argument after the program's name that is not an option (an
// option starts with "-" or "/"); empty when there is none.
std::string installArgument(const std::string& commandLine);

struct InstallRequest {
    int operation = 0;   // 0 when the argument names none
    int deviceCount = 1; // devices the network install creates, 1..255
};

// The operation is the number the argument starts with; "8-3" asks for three
// devices. A count outside 1..255, or none, means one.
InstallRequest parseInstallArgument(const std::string& argument);

} // namespace usbinstall

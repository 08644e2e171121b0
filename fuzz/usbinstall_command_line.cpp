// Install's command line on arbitrary text: no read out of bounds, the
// argument is one of the split arguments, and the device count stays in range.
#include "usbinstall/command_line.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const auto args = usbinstall::splitCommandLine(line);
    check(!args.empty());
    std::size_t total = 0;
    for (const std::string& a : args)
        total += a.size();
    check(total <= line.size());

    const std::string argument = usbinstall::installArgument(line);
    check(argument.empty() || std::find(args.begin() + 1, args.end(), argument) != args.end());

    const auto request = usbinstall::parseInstallArgument(line);
    check(request.deviceCount >= 1 && request.deviceCount <= 255);
    check(request.operation >= 0 && request.operation <= 1001);
    return 0;
}

// drvsim's command line, one argument a line.
#include "tools/drvsim/drvsim_options.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    const drvsim::ParsedCommandLine parsed = drvsim::parseCommandLine(arguments);
    // A command line either fails with a reason or names a machine; check reads
    // a package folder instead, help nothing.
    if (parsed.ok() && parsed.options.command != drvsim::Command::Help &&
        parsed.options.command != drvsim::Command::Check && parsed.options.machine.empty())
        __builtin_trap();
    return 0;
}

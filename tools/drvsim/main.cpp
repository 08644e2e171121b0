// drvsim: the driver package's installation on a simulated Windows machine
// that lives in a folder, for package maintainers without Windows at hand.
#include "tools/drvsim/drvsim_commands.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const drvsim::ParsedCommandLine parsed = drvsim::parseCommandLine(arguments);
    if (!parsed.ok()) {
        std::cerr << "drvsim: " << parsed.error << "\n";
        if (arguments.empty() || parsed.error.rfind("unknown command", 0) == 0)
            std::cerr << "\n" << drvsim::usage();
        else
            std::cerr << "(drvsim help " << arguments[0] << " shows how to use it)\n";
        return drvsim::exitUnusable;
    }
    return drvsim::runCommand(parsed.options, std::cout, std::cerr);
}

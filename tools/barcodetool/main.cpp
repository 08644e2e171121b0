// barcodetool: the barcode control fonts' facts without Windows: whether data
// suits a symbology, which font size an application selects, and the bytes the
// printer receives from a test print.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/barcodetool/barcodetool_commands.h"
#include "tools/barcodetool/barcodetool_options.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const barcodetool::ParsedArguments parsed = barcodetool::parseArguments(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "barcodetool: %s\n%s", parsed.error.c_str(), barcodetool::kUsage);
        return barcodetool::kExitUsage;
    }
    return barcodetool::runCommand(parsed.options, stdout, stderr);
}

// barcodetool's command line: arguments separated by NUL bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/nul_separated_args.h"
#include "tools/barcodetool/barcodetool_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    barcodetool::parseArguments(nulSeparatedArgs(data, size));
    return 0;
}

#pragma once

#include <cstdio>

#include "tools/barcodetool/barcodetool_options.h"

namespace barcodetool {

// Runs a parsed command; answers the exit status.
int runCommand(const Options& options, std::FILE* out, std::FILE* err);

} // namespace barcodetool

#pragma once

#include <cstdio>

#include "tools/logotool/logotool_options.h"

namespace logotool {

constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// Runs a parsed command. Job bytes and the converted file's path go to out (or to
// --out), messages to err.
int runCommand(const Options& options, std::FILE* out, std::FILE* err);

} // namespace logotool

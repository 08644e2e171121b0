// drvsim's commands on a machine folder. Each answers the program's exit code:
// 0 done (for setup: the printer was installed), 1 the operation stopped or
// failed, 2 bad usage or a machine folder that cannot be used.
#pragma once

#include "tools/drvsim/drvsim_options.h"

#include <iosfwd>
#include <string>

namespace drvsim {

inline constexpr int exitDone = 0;
inline constexpr int exitStopped = 1;
inline constexpr int exitUnusable = 2;

int runCommand(const Options& options, std::ostream& out, std::ostream& err);

// The package a command uses without --package: the assembled package of this
// source tree (out/package) when there is one, else its package/ folder.
std::string defaultPackage();

} // namespace drvsim

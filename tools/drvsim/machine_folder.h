// A simulated machine kept in a folder between drvsim's runs: created by
// init, opened and saved again by every other command. Beside the machine's
// own state the folder keeps the registry as init left it, so that show can
// tell what a package changed.
#pragma once

#include "platform/sim/sim_machine.h"
#include "tools/drvsim/drvsim_options.h"
#include "tools/drvsim/machine_report.h"

#include <memory>
#include <string>

namespace drvsim {

inline constexpr const char* baselineRegistryFile = "registry-at-init.txt";
inline constexpr const char* baselineFilesFile = "files-at-init.txt";

// A new machine as init's options describe it. A folder that is not empty is
// refused, unless --force is given and the folder holds a machine already.
bool createMachine(const Options& options, std::string& error);

// The machine of a folder, with the package at `packageDir` (a host folder;
// empty: none) mounted as the program's folder.
std::unique_ptr<platform::sim::SimMachine>
openMachine(const std::string& folder, const std::string& packageDir, std::string& error);

bool saveMachine(const platform::sim::SimMachine& machine, std::string& error);

// What init saved of the machine as it was; empty parts when the folder has none.
Baseline readBaseline(const std::string& folder);

} // namespace drvsim

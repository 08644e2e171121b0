// What drvsim show tells about a machine: as one JSON object for scripts, or
// as a summary for people.
#pragma once

#include "platform/sim/sim_machine.h"

#include <string>

namespace drvsim {

// What the machine looked like after init: its registry lines and its files.
struct Baseline {
    std::string registry;
    std::string files; // one Windows path a line
};

// "Windows XP x64", "Windows Server 2008 R2"...
std::string editionName(platform::sim::WindowsVariant os);

std::string jsonReport(platform::sim::SimMachine& machine, const Baseline& baseline);
std::string textReport(platform::sim::SimMachine& machine, const Baseline& baseline);

// HKLM keys whose values differ from the baseline (new keys included), and
// HKLM keys the baseline had that are gone.
struct RegistryChanges {
    std::vector<std::string> touched;
    std::vector<std::string> deleted;
};
RegistryChanges registryChanges(platform::sim::SimMachine& machine, const std::string& baseline);

} // namespace drvsim

// The spooler keys under which port monitors, the language monitor and the
// print processor record their DLL ("Driver") and their "DriverVersion".
#pragma once

#include "common/os_variant.h"

#include <cstdint>
#include <string>

namespace setup {

class InstallSession;

std::string monitorKeyPath(const std::string& monitor);
// "Windows 4.0" on Windows 9x, "Windows x64" on 64-bit Windows, else "Windows NT x86".
std::string processorKeyPath(common::OsVariant os, bool wow64, const std::string& processor);

enum class ComponentState { Missing, Current, Outdated };

// Missing when the key does not open; Outdated when its DriverVersion is
// absent or smaller than `packageVersion`.
ComponentState componentState(InstallSession& session, const std::string& keyPath,
                              int packageVersion);

// A monitor's state. The spooler's key of a monitor names the DLL it loads
// ("Driver"); a key without one is not the spooler's (earlier setups wrote a lone
// version when AddMonitorA said "already installed"), so the monitor counts as
// missing and is installed again.
ComponentState monitorState(InstallSession& session, const std::string& monitor,
                            int packageVersion);

// Writes "Driver" (unless empty) and "DriverVersion" into the key when it
// exists (or after creating it, with `create`). False with a message when a
// write fails.
bool recordComponent(InstallSession& session, const std::string& keyPath, const std::string& dll,
                     int version, bool create = false);

} // namespace setup

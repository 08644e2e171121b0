// Port monitors, the USB language monitor and the print processor: installed
// when the spooler does not know them, judged outdated when it knows an older
// version. Outdated ones are replaced by updateOutdatedComponents.
#pragma once

#include "setup/engine/setup_config.h"

#include <optional>
#include <string>

namespace setup {

class InstallSession;

// Results, or-ed together by the worker.
namespace component {
inline constexpr int upToDate = 0;
inline constexpr int serialMonitorOutdated = 1;
inline constexpr int usbMonitorOutdated = 2;
inline constexpr int languageMonitorOutdated = 4;
inline constexpr int processorOutdated = 8;
inline constexpr int monitorFailed = -15;
inline constexpr int processorFailed = -14;
} // namespace component

// The serial monitor for serial ports on 32-bit Windows (not on 9x), the USB
// monitor for USB ports (not on NT 4). The kind decides, not the letters of a
// port name, so that a model called "COMPACT" or "NETTO" gets the right one.
int installPortMonitor(InstallSession& session, PortKind kind, const PortMonitors& monitors);

// USB ports only; the caller calls it on 32-bit Windows when a DLL is given.
int installLanguageMonitor(InstallSession& session, PortKind kind, const MonitorConfig& monitor);

// "WinPrint" (exactly) is the system's own and left alone.
int installPrintProcessor(InstallSession& session, const std::string& name, const std::string& dll,
                          int version);

// Copies a monitor's DLL into the system folder; when the file there is in
// use, as "n" + name beside it. The name actually used, or nullopt with the
// error text set.
std::optional<std::string> stageMonitorDll(InstallSession& session, const std::string& dll);

// Replaces the first outdated component of: serial monitor, USB monitor, print
// processor (the language monitor is the worker's). On NT-family Windows with
// the Spooler stopped. False with the error text set.
bool updateOutdatedComponents(InstallSession& session, int outdated, const InstallPlan& plan);

} // namespace setup

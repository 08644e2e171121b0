// What the package's own parts do on the simulated machine once installed or
// started, which the simulation cannot know by itself: the ports the maker's
// port monitors offer, and the USB device-driver installer the setup starts.
#pragma once

#include "platform/sim/sim_machine.h"

#include <functional>
#include <set>
#include <string>

namespace drvsim {

// The maker's port monitors by name, as a package's setup.ini names them for
// any Windows variant.
struct MakerMonitors {
    std::set<std::string> usb;
    std::set<std::string> serial;
};

// The monitors of the package mounted on the machine (none without one).
MakerMonitors packageMonitors(platform::sim::SimMachine& machine);
// Kept in the machine folder, so that the ports stay offered in later runs;
// a damaged file is refused with its line. No file: none.
bool readMakerMonitors(const std::string& folder, MakerMonitors& monitors, std::string& error);
bool writeMakerMonitors(const std::string& folder, const MakerMonitors& monitors);

// The USB port monitor offers one port per value under
// HKLM\SOFTWARE\KORVANE\PORTNAME (the ports the setup recorded), the serial
// port monitor KVCOM1: to KVCOM8:.
void serveMakerPorts(platform::sim::SimMachine& machine, const MakerMonitors& monitors);

// How long the installer's window stays after its work: the setup waits for it.
inline constexpr std::uint64_t installerWindowMs = 4000;

// Install.exe of USBDRV\USBDriver or USBDriver_x64, started with a command
// argument, runs the device-driver installer's engine on the machine as that
// program (64-bit in the x64 folder), passes each log line to `log`, and
// leaves its window "Device driver setup" open a few virtual seconds.
void provideUsbInstaller(platform::sim::SimMachine& machine,
                         std::function<void(const std::string&)> log);

// The ports the maker's USB monitor offers on this machine.
std::vector<std::string> recordedUsbPorts(platform::sim::SimMachine& machine);

} // namespace drvsim

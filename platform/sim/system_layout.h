// What a fresh installation of an edition has on disk beyond its bare folders:
// the spooler's folders; the universal printer driver's files in the driver
// cache's cabinets (2000 to 2003) or in the driver store's ntprint package
// (Vista and later); win.ini where the default printer is kept in it.
#pragma once

#include <array>
#include <string>

namespace platform::sim {

class SimMachine;

// The universal printer driver's six support files, as the system names them.
inline constexpr std::array<const char*, 6> uniDrvFiles = {
    "unidrvui.dll", "unidrv.dll", "unires.dll", "unidrv.hlp", "stdnames.gpd", "ttfsub.gpd"};

void layOutSystemFiles(SimMachine& machine);

// The simulated content of a system file, telling its processor: "unidrv.dll
// (simulated, amd64)". Tests compare copies with it.
std::string systemFileContent(const std::string& name, const std::string& processor);

// The driver store's folder of the ntprint package on Vista and later
// (system folder + "\DriverStore\FileRepository\ntprint.inf_amd64_neutral_..."),
// empty on earlier editions.
std::string ntprintPackageFolder(const SimMachine& machine);

} // namespace platform::sim

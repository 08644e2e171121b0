// Detect: what of the package is on this machine, as the list of removable
// items the main dialog shows, in the order they are removed: printers, the
// package's drivers that no printer uses, monitors, print processors.
#pragma once

#include "uninstall/removal_environment.h"

#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace uninstall {

class UninstallConfig;

enum class ItemKind { Printer, Driver, Monitor, Processor };

struct Item {
    ItemKind kind = ItemKind::Printer;
    std::string name; // what the list shows: the printer's, driver's, monitor's or processor's name
    std::string driver; // a printer's driver

    bool operator==(const Item& other) const {
        return kind == other.kind && name == other.name && driver == other.driver;
    }
};

struct Inventory {
    std::vector<Item> items;
    // Lines for the message list: why something could not be looked at.
    std::vector<std::string> notes;
};

// Local printers that can be opened with full access and whose driver the
// file names; the package's drivers no printer uses (from Windows 2000 on,
// where they are removed); the package's monitors and, from NT 4 on, print
// processors. A monitor or processor the spooler no longer lists is offered
// again while files or keys it leaves are still there, so that a removal
// that stopped half-way can be finished. A Spooler left stopped by an
// interrupted run is started first.
Inventory detectPackage(platform::Machine& machine, const RemovalEnvironment& environment,
                        const UninstallConfig& config);

// The files and keys a removed monitor or processor may leave behind, as the
// removal deletes them; true when any of them is still there.
bool monitorLeftovers(platform::Machine& machine, const RemovalEnvironment& environment,
                      const UninstallConfig& config, const std::string& monitor);
bool processorLeftovers(platform::Machine& machine, const RemovalEnvironment& environment,
                        const UninstallConfig& config, const std::string& processor);

} // namespace uninstall

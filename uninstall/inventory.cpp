#include "uninstall/inventory.h"

#include "common/redirection_switch.h"
#include "common/registry_key.h"
#include "common/spooler_service.h"
#include "common/system_text.h"
#include "common/file_names.h"
#include "platform/machine.h"
#include "uninstall/removal_plan.h"
#include "uninstall/uninstall_config.h"

#include <algorithm>

namespace uninstall {
namespace {

bool listed(const std::vector<std::string>& names, const std::string& name) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return common::sameName(n, name); });
}

bool keyExists(platform::Machine& machine, bool wow64, const std::string& path) {
    common::RegistryKey key(machine.registry(), wow64);
    return key.open(path);
}

// Whether any of the plan's files of a removal is still in its folder.
bool anyFileLeft(platform::Machine& machine, const RemovalEnvironment& environment,
                 const ItemRemoval& removal) {
    for (const PlannedFile& file : removal.files) {
        std::string folder;
        const bool known =
            file.folder == FileFolder::System
                ? machine.system().GetSystemDirectoryA(folder)
                : machine.spooler().GetPrintProcessorDirectoryA(environment.spooler(), folder);
        if (!known)
            continue;
        common::RedirectionSwitch native(machine, environment.wow64 && file.nativeView, 0,
                                         common::RedirectionSwitch::Mode::Quiet);
        if (native.ready() && machine.files().GetFileAttributesA(folder + "\\" + file.name) !=
                                  platform::fileattr::invalid)
            return true;
    }
    return false;
}

bool leftovers(platform::Machine& machine, const RemovalEnvironment& environment,
               const UninstallConfig& config, const Item& item) {
    const RemovalPlan plan = planRemoval(environment, config, {TickedItem{0, item}}, false);
    const ItemRemoval& removal = plan.items.front();
    for (const std::string& key : removal.makerKeys) {
        if (keyExists(machine, environment.windows64, key))
            return true;
    }
    return (!removal.spoolerKey.empty() &&
            keyExists(machine, environment.windows64, removal.spoolerKey)) ||
           anyFileLeft(machine, environment, removal);
}

} // namespace

bool monitorLeftovers(platform::Machine& machine, const RemovalEnvironment& environment,
                      const UninstallConfig& config, const std::string& monitor) {
    return leftovers(machine, environment, config, Item{ItemKind::Monitor, monitor, {}});
}

bool processorLeftovers(platform::Machine& machine, const RemovalEnvironment& environment,
                        const UninstallConfig& config, const std::string& processor) {
    return leftovers(machine, environment, config, Item{ItemKind::Processor, processor, {}});
}

Inventory detectPackage(platform::Machine& machine, const RemovalEnvironment& environment,
                        const UninstallConfig& config) {
    Inventory inventory;
    platform::Spooler& spooler = machine.spooler();
    auto note = [&](const std::string& what) {
        inventory.notes.push_back(what + ": " +
                                  common::systemText(machine, machine.GetLastError()));
    };
    std::string error;
    if (!common::ensureSpoolerRunning(machine, environment.os, error))
        inventory.notes.push_back(error);

    std::vector<platform::PrinterInfo2> printers;
    if (!spooler.EnumPrintersA(printers)) {
        note("The printers cannot be listed");
        printers.clear();
    }
    std::vector<std::string> usedDrivers;
    for (const platform::PrinterInfo2& p : printers) {
        usedDrivers.push_back(p.driverName);
        if (!config.isPackagePrinterDriver(p.driverName))
            continue;
        // Only what the user may remove is offered.
        const platform::Handle open =
            spooler.OpenPrinterA(p.printerName, platform::printeraccess::printerAllAccess);
        if (open == 0)
            continue;
        spooler.ClosePrinter(open);
        inventory.items.push_back(Item{ItemKind::Printer, p.printerName, p.driverName});
    }

    if (environment.removesDrivers()) {
        std::vector<platform::DriverInfo3> drivers;
        if (!spooler.EnumPrinterDriversA(environment.spooler(), drivers)) {
            note("The printer drivers cannot be listed");
            drivers.clear();
        }
        for (const platform::DriverInfo3& d : drivers) {
            if (config.isPackagePrinterDriver(d.name) && !listed(usedDrivers, d.name))
                inventory.items.push_back(Item{ItemKind::Driver, d.name, {}});
        }
    }

    std::vector<std::string> monitors;
    if (!spooler.EnumMonitorsA(monitors)) {
        note("The port monitors cannot be listed");
        monitors.clear();
    }
    for (const std::string& m : monitors) {
        if (config.isPackageMonitor(m))
            inventory.items.push_back(Item{ItemKind::Monitor, m, {}});
    }
    for (const std::string& m : config.monitorTexts()) {
        if (!listed(monitors, m) && monitorLeftovers(machine, environment, config, m))
            inventory.items.push_back(Item{ItemKind::Monitor, m, {}});
    }

    if (environment.os == common::osWin9x)
        return inventory;
    std::vector<std::string> processors;
    if (!spooler.EnumPrintProcessorsA(environment.spooler(), processors)) {
        note("The print processors cannot be listed");
        processors.clear();
    }
    for (const std::string& p : processors) {
        if (config.isPackageProcessor(p))
            inventory.items.push_back(Item{ItemKind::Processor, p, {}});
    }
    for (const std::string& p : config.processorTexts()) {
        if (!listed(processors, p) && processorLeftovers(machine, environment, config, p))
            inventory.items.push_back(Item{ItemKind::Processor, p, {}});
    }
    return inventory;
}

} // namespace uninstall

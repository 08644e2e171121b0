#include "uninstall/removal_plan.h"

#include "uninstall/uninstall_config.h"

namespace uninstall {
namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void addFile(std::vector<PlannedFile>& files, FileFolder folder, const std::string& name,
             bool nativeView) {
    if (!name.empty())
        files.push_back(PlannedFile{folder, name, nativeView});
}

ItemRemoval planMonitor(const RemovalEnvironment& environment, const UninstallConfig& config,
                        ItemRemoval removal) {
    const std::string& name = removal.item.name;
    const MonitorSection section = config.monitorSection(name, environment.suffix(), removal.notes);
    removal.checkSerialPrinters = environment.os == common::osWin9x;
    if (contains(name, "USB"))
        removal.makerKeys = {installPrinterKey, portNameKey};
    if (!section.keyName.empty())
        removal.spoolerKey = monitorKeyOf(section.keyName);
    addFile(removal.files, FileFolder::System, section.dll, true);
    addFile(removal.files, FileFolder::System, section.uiDll, true);
    // The USB monitor's own DLL of 32-bit Windows.
    if (!environment.windows64 && (contains(section.name, "USB") || contains(section.name, "COM")))
        addFile(removal.files, FileFolder::System, section.usbDll, false);
    return removal;
}

ItemRemoval planProcessor(const RemovalEnvironment& environment, const UninstallConfig& config,
                          ItemRemoval removal) {
    const std::string& name = removal.item.name;
    if (name.find('\\') == std::string::npos)
        removal.spoolerKey = processorKeyOf(environment, name);
    addFile(removal.files, FileFolder::PrintProcessors,
            config.processorDll(name, environment.suffix(), removal.notes), false);
    return removal;
}

} // namespace

std::string monitorKeyOf(const std::string& name) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + name;
}

std::string processorKeyOf(const RemovalEnvironment& environment, const std::string& name) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" + environment.spooler() +
           "\\Print Processors\\" + name;
}

RemovalPlan planRemoval(const RemovalEnvironment& environment, const UninstallConfig& config,
                        const std::vector<TickedItem>& ticked, bool usbDriver) {
    RemovalPlan plan;
    plan.usbDriver = usbDriver;
    for (const TickedItem& t : ticked) {
        ItemRemoval removal;
        removal.row = t.row;
        removal.item = t.item;
        switch (t.item.kind) {
        case ItemKind::Printer:
            removal.removeDriver = environment.removesDrivers();
            break;
        case ItemKind::Driver:
            removal.removeDriver = true;
            break;
        case ItemKind::Monitor:
            removal = planMonitor(environment, config, std::move(removal));
            break;
        case ItemKind::Processor:
            removal = planProcessor(environment, config, std::move(removal));
            break;
        }
        plan.items.push_back(std::move(removal));
    }
    return plan;
}

std::vector<std::string> describePlan(const RemovalEnvironment& environment,
                                      const RemovalPlan& plan) {
    static const char* const kinds[] = {"printer", "driver", "monitor", "print processor"};
    const std::string env = environment.spooler();
    const char* const deleteDriver =
        environment.deleteDriverEx ? "DeletePrinterDriverExA " : "DeletePrinterDriverA ";
    std::vector<std::string> lines;
    for (const ItemRemoval& r : plan.items) {
        const Item& item = r.item;
        lines.push_back(item.name + " (" + kinds[static_cast<int>(item.kind)] + ")");
        auto step = [&lines](const std::string& text) { lines.push_back("  " + text); };
        for (const std::string& note : r.notes)
            step("note: " + note);
        switch (item.kind) {
        case ItemKind::Printer:
            step("DeletePrinter " + item.name + ", unless it has jobs");
            step("restart the Spooler");
            break;
        case ItemKind::Monitor:
            if (r.checkSerialPrinters)
                step("not while a printer uses a KVCOM port");
            step("DeleteMonitorA " + env + " " + item.name +
                 " (after a Spooler restart if refused)");
            break;
        case ItemKind::Processor:
            step("DeletePrintProcessorA " + env + " " + item.name);
            break;
        case ItemKind::Driver:
            break;
        }
        if (r.removeDriver) {
            const std::string& driver = item.kind == ItemKind::Driver ? item.name : item.driver;
            step(deleteDriver + env + " " + driver + ", then its files no other driver lists");
        }
        for (const std::string& key : r.makerKeys)
            step("delete HKLM\\" + key);
        if (item.kind == ItemKind::Monitor || item.kind == ItemKind::Processor)
            step("restart the Spooler");
        if (!r.spoolerKey.empty())
            step("delete HKLM\\" + r.spoolerKey);
        for (const PlannedFile& f : r.files)
            step("delete " +
                 std::string(f.folder == FileFolder::System ? "<system>\\"
                                                            : "<print processors>\\") +
                 f.name + (f.nativeView && environment.wow64 ? " (native view)" : ""));
    }
    if (plan.usbDriver)
        lines.push_back("USB device driver: Install.exe 22");
    return lines;
}

} // namespace uninstall

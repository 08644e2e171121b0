// Plan: what the ticked items remove, in list order, before anything is
// touched: each item with the spooler objects, registry keys and files that
// go with it, and whether the USB device driver is removed at the end.
#pragma once

#include "uninstall/inventory.h"

#include <cstddef>
#include <string>
#include <vector>

namespace uninstall {

enum class FileFolder {
    System,          // the system directory
    PrintProcessors, // the print-processor directory of the machine's environment
};

struct PlannedFile {
    FileFolder folder = FileFolder::System;
    std::string name;        // a bare file name
    bool nativeView = false; // deleted with file-system redirection off on 64-bit Windows
};

struct ItemRemoval {
    std::size_t row = 0; // the item's row in the list when the plan was made
    Item item;
    // Printers: their driver goes with them (2000 and later).
    bool removeDriver = false;
    // Monitors on Windows 9x: not while a printer uses a KVCOM port.
    bool checkSerialPrinters = false;
    // HKLM keys without subkeys, deleted after the spooler object (native view).
    std::vector<std::string> makerKeys;
    // The spooler's own key of a removed monitor or processor (HKLM), deleted
    // after the Spooler restarted; empty when Uninstall.ini names none.
    std::string spoolerKey;
    std::vector<PlannedFile> files;
    // Uninstall.ini values refused for this item, said when it is removed.
    std::vector<std::string> notes;
};

struct RemovalPlan {
    std::vector<ItemRemoval> items;
    bool usbDriver = false; // Install.exe "22" once the items are done
};

// A ticked item and its row.
struct TickedItem {
    std::size_t row = 0;
    Item item;
};

RemovalPlan planRemoval(const RemovalEnvironment& environment, const UninstallConfig& config,
                        const std::vector<TickedItem>& ticked, bool usbDriver);

// The plan as lines a person reads: each item, then each of its actions.
std::vector<std::string> describePlan(const RemovalEnvironment& environment,
                                      const RemovalPlan& plan);

// The maker's keys a USB port monitor leaves (HKLM).
inline constexpr const char* installPrinterKey = "SOFTWARE\\KORVANE\\INSTALLPRINTER";
inline constexpr const char* portNameKey = "SOFTWARE\\KORVANE\\PORTNAME";
// The spooler's keys (HKLM).
std::string monitorKeyOf(const std::string& name);
std::string processorKeyOf(const RemovalEnvironment& environment, const std::string& name);

} // namespace uninstall

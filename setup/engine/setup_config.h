// The setup configuration files of a package (DRVCONFIG\setup.ini and the
// type files) and the install plan they resolve to.
#pragma once

#include "common/os_variant.h"
#include "platform/spooler.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class ProfileFiles;
}

namespace setup {

using common::OsVariant;

// 0 receipt, 1 ticket, 2 label, 3 embedded; -1 not a model.
enum class PrinterType : int { None = -1, Receipt = 0, Ticket = 1, Label = 2, Embedded = 3 };
// 0 serial, 1 parallel, 2 USB, 3 network.
enum class PortKind : int { Serial = 0, Parallel = 1, Usb = 2, Network = 3 };
// 0 standard (STD keys), 1 raster (GDI keys).
enum class DriverFlavour : int { Standard = 0, Raster = 1 };

struct ModelEntry {
    std::string name; // the model name; empty when the entry is not a model
    PrinterType type = PrinterType::None;
    std::string text;  // the entry as read ("0" when the key is missing)
    std::string error; // why an entry that could not be read was refused
};

// Model entry text -> model name and type: the suffixes "-ReceiptPrinter",
// "-TicketPrinter", "-LabelPrinter", "-EmbeddedPrinter" are searched in this order
// anywhere in the text; the first found gives the type, the text before it the name.
// An entry without a suffix, or with nothing before it, is not a model.
ModelEntry parseModelEntry(const std::string& entry);

// DEVICENUMBER beyond this is taken as this: a typing error must not make the
// wizard read keys for ever.
inline constexpr int maxModelCount = 999;

// The size of the driver description's double-zero-terminated dependent-file
// list, terminators included.
inline constexpr std::size_t dependentFilesArea = 200;

// The driver files of one model, variant and flavour. Optional files hold "" or
// a value beginning with '0' when absent.
struct DriverFileSet {
    std::string driverPath, dataFile, configFile, helpFile;
    std::string processorDll;
    std::string dataFileDll, dataOemuniDll, dataOemuniIni, dataOemuiDll;
    std::string controlFontFile;
    std::string usbInternalId; // 32-bit Windows only
};

// A port or language monitor from the COMMON-MONITOR section of a variant.
// An empty DLL means that no such monitor is installed.
struct MonitorConfig {
    platform::MonitorInfo2 info; // name, environment, DLL
    std::string uiDll;           // port monitors only
    int version = 0;
};

struct PortMonitors {
    MonitorConfig serial;
    MonitorConfig usb;
};

// Success, or a clear statement of what in which file is unusable.
struct ConfigResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Everything one installation needs from the configuration files.
struct InstallPlan {
    DriverFileSet files;
    platform::DriverInfo3 driver;
    platform::PrinterInfo2 printer; // name without the port suffix; port left empty
    PortMonitors monitors;          // only the port kind's own monitor is filled
    MonitorConfig languageMonitor;  // USB on 32-bit Windows only; else empty
    int processorVersion = 0;
    bool usesSystemUniDrv = false;
};

class SetupConfig {
public:
    // programFolder: the program file's folder without a trailing backslash.
    SetupConfig(platform::ProfileFiles& profiles, std::string programFolder, bool wow64);

    void selectType(PrinterType type);
    PrinterType selectedType() const { return type_; }

    int modelCount();                 // DEVICENUMBER, 0 .. maxModelCount
    ModelEntry modelEntry(int index); // 1-based
    ModelEntry defaultModel();        // the entry DEFAULTNAME names

    ConfigResult readFileSet(const std::string& model, OsVariant os, DriverFlavour flavour,
                             PortKind kind, DriverFileSet& out);
    ConfigResult readDriverRecord(const std::string& model, OsVariant os, DriverFlavour flavour,
                                  PortKind kind, platform::DriverInfo3& out);
    ConfigResult readPrinterRecord(const std::string& model, OsVariant os, DriverFlavour flavour,
                                   PortKind kind, platform::PrinterInfo2& out);
    // The flavour's 2KDDKDEV flag; a value that cannot be read is refused.
    ConfigResult readUsesSystemUniDrv(const std::string& model, OsVariant os, DriverFlavour flavour,
                                      bool& out);
    // The same, false when refused.
    bool usesSystemUniDrv(const std::string& model, OsVariant os, DriverFlavour flavour);
    ConfigResult readPortMonitors(OsVariant os, PortMonitors& out);
    ConfigResult readLanguageMonitor(OsVariant os, PortKind kind, MonitorConfig& out);
    int processorVersion(); // 0 when the value is refused
    // The number section SUPPORTED-USB-DEVICE gives a USB port (0 when absent).
    int usbPortNumber(const std::string& portName);

    // Resolves the whole plan for the selected type.
    ConfigResult resolvePlan(const std::string& model, OsVariant os, DriverFlavour flavour,
                             PortKind kind, InstallPlan& out);

    const std::string& setupIniPath() const { return setupIni_; }
    // The all-lower-case type file of a type for the current bitness.
    std::string typeFilePath(PrinterType type) const;

private:
    ConfigResult checkChoice(const std::string& model, OsVariant os, DriverFlavour flavour) const;
    std::string driverName(const std::string& model, OsVariant os, PortKind kind,
                           ConfigResult& result);
    ConfigResult dependentFiles(const std::string& model, OsVariant os, DriverFlavour flavour,
                                const DriverFileSet& files, std::vector<std::string>& out);
    ConfigResult buildDriverRecord(const std::string& model, OsVariant os, DriverFlavour flavour,
                                   PortKind kind, const DriverFileSet& files,
                                   platform::DriverInfo3& out);
    std::string commonMonitorSection(OsVariant os) const;

    platform::ProfileFiles& profiles_;
    std::string folder_;
    bool wow64_;
    std::string setupIni_;
    PrinterType type_ = PrinterType::Receipt;
};

// The type file names the wizard pages and the Install action use: the receipt
// file in lower case, the others capitalised ("DRVCONFIG\setup_Ticket.ini");
// "" for PrinterType::None.
std::string capitalisedTypeFileName(PrinterType type, bool wow64);

// The all-lower-case type file name ("DRVCONFIG\setup_lable_64.ini"); "" for
// PrinterType::None.
std::string typeFileName(PrinterType type, bool wow64);

} // namespace setup

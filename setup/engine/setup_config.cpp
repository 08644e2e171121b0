#include "setup/engine/setup_config.h"

#include "common/config_int.h"
#include "platform/profile_files.h"
#include "setup/engine/config_reader.h"

#include <algorithm>
#include <utility>

namespace setup {
namespace {

std::string typeFile(const char* const names[4], PrinterType type, bool wow64) {
    const int index = static_cast<int>(type);
    if (index < 0 || index > 3)
        return {};
    return std::string("DRVCONFIG\\") + names[index] + (wow64 ? "_64.ini" : ".ini");
}

bool isVariant(OsVariant os) {
    return os >= common::osWin9x && os <= common::osWin7;
}

bool isFlavour(DriverFlavour flavour) {
    return flavour == DriverFlavour::Standard || flavour == DriverFlavour::Raster;
}

bool isPortKind(PortKind kind) {
    const int k = static_cast<int>(kind);
    return k >= 0 && k <= 3;
}

std::string prefix(DriverFlavour flavour) {
    return flavour == DriverFlavour::Raster ? "GDI" : "STD";
}

// An optional file: "" or a value beginning with '0' stands for none.
bool isNone(const std::string& value) {
    return value.empty() || value.front() == '0';
}

ConfigResult refusal(std::string text) {
    ConfigResult result;
    result.error = std::move(text);
    return result;
}

} // namespace

std::string typeFileName(PrinterType type, bool wow64) {
    static const char* const names[4] = {"setup_receipt", "setup_ticket", "setup_lable",
                                         "setup_embedded"};
    return typeFile(names, type, wow64);
}

std::string capitalisedTypeFileName(PrinterType type, bool wow64) {
    static const char* const names[4] = {"setup_receipt", "setup_Ticket", "setup_Lable",
                                         "setup_Embedded"};
    return typeFile(names, type, wow64);
}

SetupConfig::SetupConfig(platform::ProfileFiles& profiles, std::string programFolder, bool wow64)
    : profiles_(profiles), folder_(std::move(programFolder)), wow64_(wow64) {
    while (!folder_.empty() && folder_.back() == '\\')
        folder_.pop_back();
    setupIni_ = folder_ + "\\DRVCONFIG\\setup.ini";
}

void SetupConfig::selectType(PrinterType type) {
    type_ = type;
}

std::string SetupConfig::typeFilePath(PrinterType type) const {
    const std::string name = typeFileName(type, wow64_);
    return name.empty() ? std::string() : folder_ + "\\" + name;
}

int SetupConfig::modelCount() {
    const int count = common::readConfigInt(profiles_, setupIni_, "DEVICENAME", "DEVICENUMBER");
    return std::clamp(count, 0, maxModelCount);
}

ModelEntry SetupConfig::modelEntry(int index) {
    ConfigReader reader(profiles_, setupIni_, "DEVICENAME");
    const std::string text = reader.text("DEVICENAME" + std::to_string(index), modelNameLimit);
    if (!reader.result().ok()) {
        ModelEntry refused;
        refused.error = reader.result().error;
        return refused;
    }
    return parseModelEntry(text);
}

ModelEntry SetupConfig::defaultModel() {
    return modelEntry(common::readConfigInt(profiles_, setupIni_, "DEVICENAME", "DEFAULTNAME"));
}

ConfigResult SetupConfig::checkChoice(const std::string& model, OsVariant os,
                                      DriverFlavour flavour) const {
    if (typeFileName(type_, wow64_).empty())
        return refusal("no printer type is selected");
    if (model.empty())
        return refusal("no model is chosen");
    if (model.size() > modelNameLimit)
        return refusal("the model name \"" + model + "\" is longer than " +
                       std::to_string(modelNameLimit) + " characters");
    if (!isVariant(os))
        return refusal("Windows variant " + std::to_string(os) + " is not one of 0 to 7");
    if (!isFlavour(flavour))
        return refusal("driver flavour " + std::to_string(static_cast<int>(flavour)) +
                       " is neither 0 (STD) nor 1 (GDI)");
    return {};
}

ConfigResult SetupConfig::readFileSet(const std::string& model, OsVariant os, DriverFlavour flavour,
                                      PortKind, DriverFileSet& out) {
    out = DriverFileSet();
    if (ConfigResult choice = checkChoice(model, os, flavour); !choice.ok())
        return choice;
    ConfigReader reader(profiles_, typeFilePath(type_), model + common::osSuffix(os));
    const std::string p = prefix(flavour);
    DriverFileSet files;
    files.driverPath = reader.fileName(p + "DriverPath");
    files.dataFile = reader.fileName(p + "DataFile");
    files.configFile = reader.fileName(p + "ConfigFile");
    files.helpFile = reader.fileName(p + "HelpFile");
    files.processorDll = reader.fileName(p + "ProcessorDLLName");
    files.dataFileDll = reader.fileName(p + "DataFileDLLName");
    files.dataOemuiDll = reader.fileName(p + "DataOemuiDLL");
    files.dataOemuniDll = reader.fileName(p + "DataOemuniDLL");
    files.dataOemuniIni = reader.fileName(p + "DataOemuniini");
    files.controlFontFile = reader.fileName("ControlFontFile");
    // The USB identity file belongs to the 32-bit driver set only.
    if (!wow64_)
        files.usbInternalId = reader.fileName("USBInternalID");
    if (!reader.result().ok())
        return reader.result();
    out = std::move(files);
    return {};
}

std::string SetupConfig::driverName(const std::string& model, OsVariant os, PortKind kind,
                                    ConfigResult& result) {
    ConfigReader reader(profiles_, typeFilePath(type_), model + common::osSuffix(os));
    std::string name;
    // Windows 9x and NT 4 have one driver for every port; later variants one per kind.
    if (os == common::osWin9x || os == common::osNt4) {
        name = reader.name("GDIDriverName");
    } else {
        static const char* const keys[4] = {"DriverNameS", "DriverNameP", "DriverNameU",
                                            "DriverNameN"};
        name = reader.name(keys[static_cast<int>(kind)]);
    }
    if (result.ok())
        result = reader.result();
    return name;
}

// The driver's dependent files: the support files of the system's universal
// driver and the model's own extras. Packages mark a model built on that driver
// with GDI2KDDKDEV, read as an integer, and that one key decides the list for
// both flavours; the STD flag only decides how the standard flavour's files are
// staged.
ConfigResult SetupConfig::dependentFiles(const std::string& model, OsVariant os,
                                         DriverFlavour /*flavour*/, const DriverFileSet& files,
                                         std::vector<std::string>& out) {
    out.clear();
    if (os < common::os2000)
        return {};
    const std::string section = model + common::osSuffix(os);
    ConfigReader reader(profiles_, typeFilePath(type_), section);
    const bool systemUniDrv = common::atoiDecimal(reader.text("GDI2KDDKDEV", flagLimit)) != 0;
    if (!reader.result().ok())
        return reader.result();
    if (!systemUniDrv)
        return {};
    std::vector<std::string> list;
    // An empty name cannot stand in a double-zero-terminated list: it would end it.
    if (!files.dataFile.empty())
        list.push_back(files.dataFile);
    list.insert(list.end(), {"TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"});
    for (const std::string* extra :
         {&files.dataFileDll, &files.dataOemuiDll, &files.dataOemuniDll, &files.dataOemuniIni}) {
        if (!isNone(*extra))
            list.push_back(*extra);
    }
    std::size_t bytes = 1;
    for (const std::string& name : list)
        bytes += name.size() + 1;
    if (bytes > dependentFilesArea)
        return refusal("the dependent files of section [" + section + "] of " +
                       typeFilePath(type_) + " need " + std::to_string(bytes) +
                       " bytes, more than the " + std::to_string(dependentFilesArea) +
                       " the driver description holds");
    out = std::move(list);
    return {};
}

ConfigResult SetupConfig::buildDriverRecord(const std::string& model, OsVariant os,
                                            DriverFlavour flavour, PortKind kind,
                                            const DriverFileSet& files,
                                            platform::DriverInfo3& out) {
    out = platform::DriverInfo3();
    platform::DriverInfo3 driver;
    driver.version = common::osDriverVersion(os);
    ConfigResult result;
    driver.name = driverName(model, os, kind, result);
    if (!result.ok())
        return result;
    driver.environment = common::osEnvironment(os, wow64_);
    driver.driverPath = files.driverPath;
    driver.dataFile = files.dataFile;
    driver.configFile = files.configFile;
    driver.helpFile = files.helpFile;
    if (result = dependentFiles(model, os, flavour, files, driver.dependentFiles); !result.ok())
        return result;
    // The language monitor serves USB printers, and only the 32-bit driver set has one.
    if (kind == PortKind::Usb && !wow64_) {
        MonitorConfig languageMonitor;
        if (result = readLanguageMonitor(os, kind, languageMonitor); !result.ok())
            return result;
        driver.monitorName = languageMonitor.info.name;
    }
    out = std::move(driver);
    return {};
}

ConfigResult SetupConfig::readDriverRecord(const std::string& model, OsVariant os,
                                           DriverFlavour flavour, PortKind kind,
                                           platform::DriverInfo3& out) {
    out = platform::DriverInfo3();
    if (!isPortKind(kind))
        return refusal("port kind " + std::to_string(static_cast<int>(kind)) +
                       " is not one of 0 to 3");
    DriverFileSet files;
    if (ConfigResult result = readFileSet(model, os, flavour, kind, files); !result.ok())
        return result;
    return buildDriverRecord(model, os, flavour, kind, files, out);
}

ConfigResult SetupConfig::readPrinterRecord(const std::string& model, OsVariant os,
                                            DriverFlavour flavour, PortKind kind,
                                            platform::PrinterInfo2& out) {
    out = platform::PrinterInfo2();
    if (ConfigResult choice = checkChoice(model, os, flavour); !choice.ok())
        return choice;
    if (!isPortKind(kind))
        return refusal("port kind " + std::to_string(static_cast<int>(kind)) +
                       " is not one of 0 to 3");
    platform::PrinterInfo2 printer;
    printer.printerName = model;
    ConfigResult result;
    printer.driverName = driverName(model, os, kind, result);
    if (!result.ok())
        return result;
    ConfigReader reader(profiles_, typeFilePath(type_), model + common::osSuffix(os));
    printer.printProcessor = reader.name(prefix(flavour) + "PrintProcessor");
    // ATTRIBUTES is a DWORD to the spooler; a negative number keeps its bits.
    printer.attributes = static_cast<std::uint32_t>(reader.integer("ATTRIBUTES"));
    if (!reader.result().ok())
        return reader.result();
    out = std::move(printer);
    return {};
}

ConfigResult SetupConfig::readUsesSystemUniDrv(const std::string& model, OsVariant os,
                                               DriverFlavour flavour, bool& out) {
    out = false;
    if (ConfigResult choice = checkChoice(model, os, flavour); !choice.ok())
        return choice;
    ConfigReader reader(profiles_, typeFilePath(type_), model + common::osSuffix(os));
    const bool set = reader.flag(prefix(flavour) + "2KDDKDEV");
    if (!reader.result().ok())
        return reader.result();
    out = set;
    return {};
}

bool SetupConfig::usesSystemUniDrv(const std::string& model, OsVariant os, DriverFlavour flavour) {
    bool set = false;
    return readUsesSystemUniDrv(model, os, flavour, set).ok() && set;
}

std::string SetupConfig::commonMonitorSection(OsVariant os) const {
    return std::string("COMMON-MONITOR") + common::osSuffix(os);
}

ConfigResult SetupConfig::readPortMonitors(OsVariant os, PortMonitors& out) {
    out = PortMonitors();
    if (!isVariant(os))
        return refusal("Windows variant " + std::to_string(os) + " is not one of 0 to 7");
    ConfigReader reader(profiles_, setupIni_, commonMonitorSection(os));
    PortMonitors monitors;
    const struct {
        MonitorConfig* monitor;
        const char* key;
    } kinds[] = {{&monitors.serial, "COMMONitor"}, {&monitors.usb, "USBMONitor"}};
    for (const auto& k : kinds) {
        const std::string key = k.key;
        k.monitor->info.name = reader.name(key + "PName");
        k.monitor->info.environment = common::osEnvironment(os, wow64_);
        k.monitor->info.dllName = reader.fileName(key + "PDLLName");
        k.monitor->uiDll = reader.fileName(key + "PUIDLLName");
        k.monitor->version = reader.version(key + "Version");
    }
    if (!reader.result().ok())
        return reader.result();
    out = std::move(monitors);
    return {};
}

ConfigResult SetupConfig::readLanguageMonitor(OsVariant os, PortKind kind, MonitorConfig& out) {
    out = MonitorConfig();
    if (!isVariant(os))
        return refusal("Windows variant " + std::to_string(os) + " is not one of 0 to 7");
    out.info.environment = common::osEnvironment(os, wow64_);
    if (kind != PortKind::Usb)
        return {};
    ConfigReader reader(profiles_, setupIni_, commonMonitorSection(os));
    const std::string name = reader.name("USBLMONitorName");
    const std::string dll = reader.fileName("USBLMONitorDLLName");
    const std::string version = reader.text("USBLMONitorVersion", versionLimit);
    if (!reader.result().ok())
        return reader.result();
    // Three one-character values are the three defaults "0" of absent keys.
    if (name.size() == 1 && dll.size() == 1 && version.size() == 1)
        return {};
    out.info.name = name;
    out.info.dllName = dll;
    out.version = common::atoiDecimal(version);
    return {};
}

int SetupConfig::processorVersion() {
    ConfigReader reader(profiles_, setupIni_, "ProcessorVersion");
    const int version = reader.version("DriverVersion");
    return reader.result().ok() ? version : 0;
}

int SetupConfig::usbPortNumber(const std::string& portName) {
    return common::readConfigInt(profiles_, setupIni_, "SUPPORTED-USB-DEVICE", portName);
}

ConfigResult SetupConfig::resolvePlan(const std::string& model, OsVariant os, DriverFlavour flavour,
                                      PortKind kind, InstallPlan& out) {
    out = InstallPlan();
    if (!isPortKind(kind))
        return refusal("port kind " + std::to_string(static_cast<int>(kind)) +
                       " is not one of 0 to 3");
    InstallPlan plan;
    ConfigResult result = readFileSet(model, os, flavour, kind, plan.files);
    if (result.ok())
        result = buildDriverRecord(model, os, flavour, kind, plan.files, plan.driver);
    if (result.ok())
        result = readPrinterRecord(model, os, flavour, kind, plan.printer);
    PortMonitors monitors;
    if (result.ok())
        result = readPortMonitors(os, monitors);
    if (result.ok() && kind == PortKind::Usb && !wow64_)
        result = readLanguageMonitor(os, kind, plan.languageMonitor);
    if (!result.ok())
        return result;
    if (kind == PortKind::Serial)
        plan.monitors.serial = monitors.serial;
    else if (kind == PortKind::Usb)
        plan.monitors.usb = monitors.usb;

    ConfigReader processor(profiles_, setupIni_, "ProcessorVersion");
    plan.processorVersion = processor.version("DriverVersion");
    if (!processor.result().ok())
        return processor.result();
    // An unreadable flag is refused like any other value: taken as "not set",
    // the universal driver's files would be left out and the run would fail
    // later with a system error that says nothing about the package.
    if (ConfigResult flag = readUsesSystemUniDrv(model, os, flavour, plan.usesSystemUniDrv);
        !flag.ok())
        return flag;
    out = std::move(plan);
    return {};
}

} // namespace setup

#include "tools/drvsim/package_check.h"

#include "common/config_int.h"
#include "common/file_names.h"
#include "common/profile_file.h"
#include "platform/sim/pe_machine.h"
#include "platform/sim/sim_inf_file.h"
#include "setup/engine/setup_config.h"
#include "tools/drvsim/json_writer.h"
#include "tools/drvsim/package_files.h"
#include "uninstall/uninstall_config.h"
#include "usbinstall/install_tables.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>

namespace setup {
std::vector<std::string_view> englishLanguageFile();
}
namespace uninstall {
std::vector<std::string_view> englishLanguageFile();
}

namespace drvsim {
namespace {

using common::isNoFile;
using common::OsVariant;
using setup::DriverFlavour;
using setup::PortKind;
using setup::PrinterType;

const char* const setupIni = "DRVCONFIG\\setup.ini";
// A key the file does not have reads as this; no value can hold it.
const char* const absent = "\x01";

const char* const windowsNames[] = {"Windows 9x/Me", "Windows NT 4",  "Windows 2000", "Windows XP",
                                    "Server 2003",   "Windows Vista", "Server 2008",  "Windows 7"};

// What Windows itself installs: a text of Uninstall.ini contained in one of
// these would offer Windows' own printers, monitors or processors for removal.
const char* const windowsDrivers[] = {
    "Microsoft XPS Document Writer",    "Microsoft Print To PDF",    "Generic / Text Only",
    "Microsoft Shared Fax Driver",      "Send To Microsoft OneNote", "Remote Desktop Easy Print",
    "Microsoft Software Printer Driver"};
const char* const windowsMonitors[] = {"Local Port",
                                       "Standard TCP/IP Port",
                                       "USB Monitor",
                                       "WSD Port",
                                       "LPR Port",
                                       "AppleTalk Printing Devices",
                                       "BJ Language Monitor",
                                       "PJL Language monitor",
                                       "Microsoft Shared Fax Monitor"};
const char* const windowsProcessors[] = {"WinPrint"};

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isNumber(const std::string& value) {
    std::size_t i = value.find_first_not_of(" \t");
    if (i != std::string::npos && (value[i] == '+' || value[i] == '-'))
        ++i;
    const std::size_t digits =
        i == std::string::npos ? i : value.find_first_not_of("0123456789", i);
    return i != std::string::npos && digits != i &&
           (digits == std::string::npos ||
            value.find_first_not_of(" \t", digits) == std::string::npos);
}

std::string machineName(std::uint16_t machine) {
    if (machine == platform::sim::peMachineI386)
        return "x86, 32-bit";
    if (machine == platform::sim::peMachineAmd64)
        return "x64, 64-bit";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%04X", machine);
    return hex;
}

bool hasSection(std::string_view text, const std::string& section) {
    for (const std::string& s : common::profileSectionNames(text))
        if (common::sameName(s, section))
            return true;
    return false;
}

// Where a configuration name came from, to name it in a finding.
struct Origin {
    std::string file, section, key;
};

// A file the package's folder for one bitness must hold.
struct NeededFile {
    bool x64 = false;
    std::string name;
    Origin origin;
};

class Checker {
public:
    explicit Checker(const std::string& folder) : files_(folder) {}

    std::vector<Finding> run() {
        checkConfiguration();
        checkDriverFiles();
        checkLanguageFile("language\\setup.ini", setup::englishLanguageFile().at(0));
        checkLanguageFile("language\\uninstall.ini", uninstall::englishLanguageFile().at(0));
        checkUninstallIni();
        checkDeviceDrivers();
        return std::move(findings_);
    }

private:
    void add(Severity severity, const std::string& file, const std::string& section,
             const std::string& key, const std::string& text) {
        Finding f{severity, file, section, key, text};
        const bool seen = std::any_of(findings_.begin(), findings_.end(), [&](const Finding& g) {
            return g.severity == f.severity && g.file == f.file && g.section == f.section &&
                   g.key == f.key && g.text == f.text;
        });
        if (!seen)
            findings_.push_back(std::move(f));
    }
    void error(const std::string& file, const std::string& section, const std::string& key,
               const std::string& text) {
        add(Severity::Error, file, section, key, text);
    }
    void warning(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& text) {
        add(Severity::Warning, file, section, key, text);
    }
    void error(const Origin& o, const std::string& text) { error(o.file, o.section, o.key, text); }

    // A refusal of the configuration readers: "KEY in section [S] of FILE why".
    void readerError(const std::string& message, const std::string& file,
                     const std::string& section) {
        const std::size_t in = message.find(" in section [");
        const std::size_t close = in == std::string::npos ? in : message.find("] of ", in);
        const std::size_t why = close == std::string::npos ? close : message.find(' ', close + 5);
        if (why == std::string::npos) {
            error(file, section, "", message);
            return;
        }
        error(PackageFiles::relative(message.substr(close + 5, why - close - 5)),
              message.substr(in + 13, close - in - 13), message.substr(0, in),
              message.substr(why + 1));
    }

    std::string raw(const std::string& file, const std::string& section, const std::string& key) {
        return files_.GetPrivateProfileStringA(section, key, absent, 2048, file);
    }

    // A number the programs read as its leading digits: text that is not a
    // number quietly becomes 0 (or what its digits say).
    void number(const std::string& file, const std::string& section, const std::string& key) {
        const std::string value = raw(file, section, key);
        if (value != absent && !isNumber(value))
            warning(file, section, key,
                    "\"" + value + "\" is not a number; the programs read it as " +
                        std::to_string(common::atoiDecimal(value)));
    }

    bool present(const std::string& file, const std::string& why) {
        if (files_.read(file))
            return true;
        error(file, "", "", "missing: " + why);
        return false;
    }

    void checkConfiguration();
    void checkModel(bool x64, const setup::ModelEntry& model);
    void checkPlan(bool x64, PrinterType type, const std::string& model, OsVariant os,
                   PortKind kind, DriverFlavour flavour);
    void checkMonitors(bool x64, OsVariant os);
    void need(bool x64, const std::string& name, const Origin& origin) {
        if (!isNoFile(name))
            needed_.push_back(NeededFile{x64, name, origin});
    }
    void checkDriverFiles();
    void checkExecutable(const std::string& path, bool x64, const Origin& origin);
    void checkLanguageFile(const std::string& file, std::string_view english);
    void checkUninstallIni();
    void checkUninstallList(const std::string& path, const std::string& section,
                            const std::string& entryKey, const std::vector<std::string>& texts,
                            const std::map<std::string, Origin>& installed,
                            const char* const* windows, std::size_t windowsCount, const char* what);
    void checkDeviceDrivers();

    PackageFiles files_;
    std::vector<Finding> findings_;
    std::vector<NeededFile> needed_;
    // What the configuration installs, by name, with where it is named.
    std::map<std::string, Origin> drivers_, monitors_, processors_;
    // Monitor and processor DLLs by variant and name, for Uninstall.ini's sections.
    std::map<std::pair<OsVariant, std::string>, std::string> monitorDlls_, processorDlls_;
    // Port kinds used per bitness and variant, for the monitors.
    std::map<std::pair<bool, OsVariant>, std::set<PortKind>> kindsUsed_;
};

void Checker::checkConfiguration() {
    if (!present(setupIni, "the setup has no models and refuses every Windows"))
        return;
    for (const char* key :
         {"DEVICENUMBER", "DEFAULTNAME", "Supported32OR64", "LOADLICENSE", "LANGUAGE"})
        number(setupIni, "DEVICENAME", key);
    if (raw(setupIni, "DEVICENAME", "DEVICENUMBER") == absent)
        error(setupIni, "DEVICENAME", "DEVICENUMBER", "missing: the model list is empty");
    number(setupIni, "ProcessorVersion", "DriverVersion");
    const std::string& text = *files_.read(setupIni);
    for (const std::string& section : common::profileSectionNames(text)) {
        if (upper(section).rfind("COMMON-MONITOR.", 0) == 0) {
            for (const char* key : {"USBMONitorVersion", "COMMONitorVersion", "USBLMONitorVersion"})
                number(setupIni, section, key);
        }
        if (common::sameName(section, "SUPPORTED-USB-DEVICE")) {
            for (const std::string& key : common::profileKeyNames(text, section))
                number(setupIni, section, key);
        }
    }

    if (common::readConfigInt(files_, setupIni, "DEVICENAME", "LOADLICENSE") != 0)
        present("License.txt", "LOADLICENSE in [DEVICENAME] of DRVCONFIG\\setup.ini shows it");
    present("DRVCONFIG\\Left.bmp", "the wizard shows it on every page");

    const int bits = common::readConfigInt(files_, setupIni, "DEVICENAME", "Supported32OR64");
    const int count = setup::SetupConfig(files_, packageRoot, false).modelCount();
    if (count == 0)
        error(setupIni, "DEVICENAME", "DEVICENUMBER", "no models: the wizard lists nothing");
    for (const bool x64 : {false, true}) {
        if ((bits == 1 && x64) || (bits == 2 && !x64))
            continue;
        setup::SetupConfig config(files_, packageRoot, x64);
        for (int i = 1; i <= count; ++i) {
            const setup::ModelEntry entry = config.modelEntry(i);
            if (!entry.error.empty()) {
                readerError(entry.error, setupIni, "DEVICENAME");
            } else if (entry.type == PrinterType::None) {
                error(setupIni, "DEVICENAME", "DEVICENAME" + std::to_string(i),
                      "\"" + entry.text +
                          "\" is not a model (no -ReceiptPrinter, -TicketPrinter, -LabelPrinter "
                          "or -EmbeddedPrinter): the wizard leaves it out");
            } else {
                checkModel(x64, entry);
            }
        }
        if (count > 0) {
            const int preselected =
                common::readConfigInt(files_, setupIni, "DEVICENAME", "DEFAULTNAME");
            if (preselected < 1 || preselected > count)
                warning(setupIni, "DEVICENAME", "DEFAULTNAME",
                        std::to_string(preselected) + " names no model entry (1 to " +
                            std::to_string(count) + ")");
        }
        for (const auto& [at, kinds] : kindsUsed_)
            if (at.first == x64)
                checkMonitors(x64, at.second);
    }
}

void Checker::checkModel(bool x64, const setup::ModelEntry& model) {
    const std::string typeFile = setup::typeFileName(model.type, x64);
    if (!present(typeFile, "its models cannot be installed"))
        return;
    const std::string portSection = model.name + ".PORT";
    if (!hasSection(*files_.read(typeFile), portSection)) {
        error(typeFile, portSection, "",
              "missing: the wizard offers " + model.name + " no port and no Windows");
        return;
    }
    for (const char* key :
         {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED", "NETSUPPORTED", "LPTDEFAULT",
          "RASTERVISIABLE", "AdvancedSetup", "SystemNTSupported", "System2003Supported",
          "SystemVistaSupported", "System2008Supported", "SystemWin7Supported", "BaudRate"})
        number(typeFile, portSection, key);
    auto flag = [&](const char* key) {
        return common::readConfigInt(files_, typeFile, portSection, key) != 0;
    };
    std::vector<PortKind> kinds;
    if (flag("COMSUPPORTED"))
        kinds.push_back(PortKind::Serial);
    if (flag("LPTSUPPORTED"))
        kinds.push_back(PortKind::Parallel);
    if (flag("USBSUPPORTED"))
        kinds.push_back(PortKind::Usb);
    if (flag("NETSUPPORTED"))
        kinds.push_back(PortKind::Network);
    if (kinds.empty())
        warning(typeFile, portSection, "", model.name + " supports no port");
    const bool rasterShown = !flag("RASTERVISIABLE");

    // The variants a model claims: 9x (Windows 95), 2000 and XP always, the
    // others by their keys; 64-bit Windows begins with XP x64.
    struct Claim {
        OsVariant os;
        const char* key;
    };
    const Claim claims[] = {{common::osWin9x, nullptr},
                            {common::osNt4, "SystemNTSupported"},
                            {common::os2000, nullptr},
                            {common::osXp, nullptr},
                            {common::os2003, "System2003Supported"},
                            {common::osVista, "SystemVistaSupported"},
                            {common::os2008, "System2008Supported"},
                            {common::osWin7, "SystemWin7Supported"}};
    for (const Claim& claim : claims) {
        if ((x64 && claim.os < common::osXp) || (claim.key != nullptr && !flag(claim.key)))
            continue;
        const std::string section = model.name + common::osSuffix(claim.os);
        if (!hasSection(*files_.read(typeFile), section)) {
            error(typeFile, section, "",
                  std::string("missing: ") + model.name + " cannot be installed on " +
                      windowsNames[claim.os] + (x64 ? " x64" : "") +
                      (claim.key != nullptr ? std::string(", which ") + claim.key + " in [" +
                                                  portSection + "] claims"
                                            : std::string()));
            continue;
        }
        for (const char* key : {"ATTRIBUTES", "GDI2KDDKDEV", "STD2KDDKDEV"})
            number(typeFile, section, key);
        for (PortKind kind : kinds) {
            const bool rasterKind = kind == PortKind::Usb || kind == PortKind::Parallel;
            if (rasterKind)
                checkPlan(x64, model.type, model.name, claim.os, kind, DriverFlavour::Raster);
            if (!rasterKind || rasterShown)
                checkPlan(x64, model.type, model.name, claim.os, kind, DriverFlavour::Standard);
            kindsUsed_[{x64, claim.os}].insert(kind);
        }
    }
}

void Checker::checkPlan(bool x64, PrinterType type, const std::string& model, OsVariant os,
                        PortKind kind, DriverFlavour flavour) {
    setup::SetupConfig config(files_, packageRoot, x64);
    config.selectType(type);
    const std::string typeFile = setup::typeFileName(type, x64);
    const std::string section = model + common::osSuffix(os);
    setup::InstallPlan plan;
    const setup::ConfigResult result = config.resolvePlan(model, os, flavour, kind, plan);
    if (!result.ok()) {
        readerError(result.error, typeFile, section);
        return;
    }
    const std::string p = flavour == DriverFlavour::Raster ? "GDI" : "STD";
    auto at = [&](const std::string& key) { return Origin{typeFile, section, key}; };
    static const char* const kindKeys[] = {"DriverNameS", "DriverNameP", "DriverNameU",
                                           "DriverNameN"};
    const std::string nameKey = os == common::osWin9x || os == common::osNt4
                                    ? "GDIDriverName"
                                    : kindKeys[static_cast<int>(kind)];
    if (plan.driver.name.empty() || plan.driver.name == "0")
        error(at(nameKey), "missing: the spooler refuses a driver without a name");
    else
        drivers_.emplace(plan.driver.name, at(nameKey));

    const setup::DriverFileSet& f = plan.files;
    const std::pair<const std::string*, std::string> mandatory[] = {
        {&f.driverPath, p + "DriverPath"},
        {&f.dataFile, p + "DataFile"},
        {&f.configFile, p + "ConfigFile"},
        {&f.helpFile, p + "HelpFile"}};
    for (const auto& [value, key] : mandatory) {
        if (isNoFile(*value))
            error(at(key), "names no file: the spooler refuses the driver");
        need(x64, *value, at(key));
    }
    const std::pair<const std::string*, std::string> optional[] = {
        {&f.dataFileDll, p + "DataFileDLLName"}, {&f.dataOemuiDll, p + "DataOemuiDLL"},
        {&f.dataOemuniDll, p + "DataOemuniDLL"}, {&f.dataOemuniIni, p + "DataOemuniini"},
        {&f.controlFontFile, "ControlFontFile"}, {&f.usbInternalId, "USBInternalID"}};
    for (const auto& [value, key] : optional)
        need(x64, *value, at(key));
    if (plan.usesSystemUniDrv && isNoFile(f.dataFileDll))
        error(at(p + "DataFileDLLName"),
              "names no file, but the driver is built on the system's universal driver (" + p +
                  "2KDDKDEV) and needs it");
    // Where the system's universal-driver files cannot be had, the package's are copied.
    if (plan.usesSystemUniDrv && os >= common::os2000 && os <= common::os2003)
        for (const char* name : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
            need(x64, name, at(p + "2KDDKDEV"));
    if (os == common::osWin9x)
        need(x64, "ICONLIB.DLL", at(""));
    if (os == common::osXp && !x64)
        for (const char* name : {"srclient.dll", "framedyn.dll", "newdev.dll"})
            need(x64, name, at(""));

    const std::string& processor = plan.printer.printProcessor;
    if (isNoFile(processor)) {
        error(at(p + "PrintProcessor"), "missing: the printer has no print processor");
    } else if (!common::sameName(processor, "WinPrint")) {
        processors_.emplace(processor, at(p + "PrintProcessor"));
        if (isNoFile(f.processorDll))
            error(at(p + "ProcessorDLLName"), "names no file for the print processor " + processor +
                                                  ": the spooler cannot add it");
        else
            processorDlls_.emplace(std::make_pair(os, processor), f.processorDll);
        need(x64, f.processorDll, at(p + "ProcessorDLLName"));
    }
}

void Checker::checkMonitors(bool x64, OsVariant os) {
    const std::set<PortKind>& kinds = kindsUsed_[{x64, os}];
    const std::string section = std::string("COMMON-MONITOR") + common::osSuffix(os);
    const bool usb = kinds.count(PortKind::Usb) != 0 && os != common::osNt4;
    const bool serial = kinds.count(PortKind::Serial) != 0 && !x64 && os != common::osWin9x;
    if (!usb && !serial)
        return;
    if (!hasSection(*files_.read(setupIni), section)) {
        error(setupIni, section, "",
              std::string("missing: the port monitor could not be added on ") + windowsNames[os]);
        return;
    }
    setup::SetupConfig config(files_, packageRoot, x64);
    setup::PortMonitors monitors;
    if (const setup::ConfigResult r = config.readPortMonitors(os, monitors); !r.ok()) {
        readerError(r.error, setupIni, section);
        return;
    }
    auto port = [&](const setup::MonitorConfig& m, const std::string& prefix) {
        // An empty DLL means no monitor of the package for this kind.
        if (m.info.dllName.empty())
            return;
        const Origin name{setupIni, section, prefix + "PName"};
        const Origin dll{setupIni, section, prefix + "PDLLName"};
        if (isNoFile(m.info.name))
            error(name, "missing: the port monitor could not be added without a name");
        else
            monitors_.emplace(m.info.name, name);
        if (isNoFile(m.info.dllName))
            error(dll, "missing: the port monitor could not be added without its DLL");
        else
            monitorDlls_.emplace(std::make_pair(os, m.info.name), m.info.dllName);
        need(x64, m.info.dllName, dll);
        need(x64, m.uiDll, Origin{setupIni, section, prefix + "PUIDLLName"});
    };
    if (usb)
        port(monitors.usb, "USBMONitor");
    if (serial)
        port(monitors.serial, "COMMONitor");
    if (usb && !x64) {
        setup::MonitorConfig language;
        if (const setup::ConfigResult r = config.readLanguageMonitor(os, PortKind::Usb, language);
            !r.ok()) {
            readerError(r.error, setupIni, section);
        } else if (!isNoFile(language.info.dllName)) {
            monitors_.emplace(language.info.name, Origin{setupIni, section, "USBLMONitorName"});
            monitorDlls_.emplace(std::make_pair(os, language.info.name), language.info.dllName);
            need(x64, language.info.dllName, Origin{setupIni, section, "USBLMONitorDLLName"});
        }
    }
}

void Checker::checkDriverFiles() {
    std::set<std::string> seen;
    for (const NeededFile& n : needed_) {
        const std::string path = std::string(n.x64 ? "W64\\" : "W32\\") + n.name;
        if (!seen.insert(upper(path)).second)
            continue;
        if (!files_.find(path))
            error(n.origin, path + " is missing");
        else
            checkExecutable(path, n.x64, n.origin);
    }
}

// Programs and drivers must be of the folder's machine type; 16-bit files of
// Windows 9x drivers have no PE header and pass in the 32-bit folder.
void Checker::checkExecutable(const std::string& path, bool x64, const Origin& origin) {
    const std::size_t dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : upper(path.substr(dot));
    if (extension != ".DLL" && extension != ".DRV" && extension != ".SYS" && extension != ".EXE")
        return;
    const std::optional<std::string>& bytes = files_.read(path);
    if (!bytes) {
        error(origin, path + " cannot be read");
        return;
    }
    const platform::sim::ExecutableHeader header = platform::sim::readExecutableHeader(
        reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
    const std::uint16_t want = x64 ? platform::sim::peMachineAmd64 : platform::sim::peMachineI386;
    const char* const bitness = x64 ? "64-bit" : "32-bit";
    if (header.kind == platform::sim::ExecutableKind::NotExecutable)
        error(origin, path + " is not a Windows program or driver");
    else if (header.kind == platform::sim::ExecutableKind::OldFormat && x64)
        error(origin, path + " is a 16-bit file, not for 64-bit Windows");
    else if (header.kind == platform::sim::ExecutableKind::Pe && header.machine != want)
        error(origin, path + " is not " + bitness + " (its machine type is " +
                          machineName(header.machine) + ")");
}

// Every text the programs show: the keys of the English file built into them.
void Checker::checkLanguageFile(const std::string& file, std::string_view english) {
    if (!present(file, "every caption and message falls back to the built-in English text"))
        return;
    const std::string& text = *files_.read(file);
    for (const std::string& section : common::profileSectionNames(english))
        for (const std::string& key : common::profileKeyNames(english, section))
            if (common::profileGetString(text, section, key, absent, 2048) == absent)
                error(file, section, key, "missing: the program shows its built-in English text");
}

void Checker::checkUninstallIni() {
    std::string path = "Uninstall.ini";
    if (!files_.find(path))
        path = "DRVCONFIG\\Uninstall.ini";
    if (!files_.find(path)) {
        error("Uninstall.ini", "", "", "missing: the uninstaller refuses to start");
        return;
    }
    const std::pair<const char*, const char*> counts[] = {
        {"KVPRINTER", "PRINTERNUM"}, {"KVMONITOR", "MonitorNUM"}, {"KVPROC", "PROCNUM"}};
    for (const auto& [section, key] : counts)
        number(path, section, key);
    uninstall::UninstallConfig config(files_, std::string(packageRoot) + "\\" + path);
    for (const std::string& problem : config.problems()) {
        // "Uninstall.ini: [SECTION] KEY why"
        const std::size_t open = problem.find('[');
        const std::size_t close = problem.find("] ", open);
        const std::size_t why = close == std::string::npos ? close : problem.find(' ', close + 2);
        if (open == std::string::npos || why == std::string::npos)
            error(path, "", "", problem);
        else
            error(path, problem.substr(open + 1, close - open - 1),
                  problem.substr(close + 2, why - close - 2), problem.substr(why + 1));
    }
    if (!files_.read(setupIni))
        return;
    checkUninstallList(path, "KVPRINTER", "PRINTERNAME", config.printerTexts(), drivers_,
                       windowsDrivers, std::size(windowsDrivers), "driver");
    checkUninstallList(path, "KVMONITOR", "MONITORNAME", config.monitorTexts(), monitors_,
                       windowsMonitors, std::size(windowsMonitors), "monitor");
    checkUninstallList(path, "KVPROC", "PROCNAME", config.processorTexts(), processors_,
                       windowsProcessors, std::size(windowsProcessors), "print processor");

    // The files removed with each monitor and processor: those the setup installs.
    std::vector<std::string> problems;
    for (const auto& [at, dll] : monitorDlls_) {
        const std::string suffix =
            common::osSuffix(at.first == common::osXp ? common::os2000 : at.first);
        const uninstall::MonitorSection s = config.monitorSection(at.second, suffix, problems);
        if (!common::sameName(s.dll, dll))
            warning(path, s.name, "MonitorPDLLName",
                    "\"" + s.dll + "\", but the setup installs " + dll + " for " + at.second +
                        " on " + windowsNames[at.first] + ": the uninstaller leaves it behind");
    }
    for (const auto& [at, dll] : processorDlls_) {
        if (at.first == common::osWin9x) // the uninstaller lists no processors there
            continue;
        const std::string suffix =
            common::osSuffix(at.first == common::osXp ? common::os2000 : at.first);
        const std::string removed = config.processorDll(at.second, suffix, problems);
        if (!common::sameName(removed, dll))
            warning(path, at.second + suffix, "ProcessorDllName",
                    "\"" + removed + "\", but the setup installs " + dll + " for " + at.second +
                        " on " + windowsNames[at.first] + ": the uninstaller leaves it behind");
    }
}

void Checker::checkUninstallList(const std::string& path, const std::string& section,
                                 const std::string& entryKey, const std::vector<std::string>& texts,
                                 const std::map<std::string, Origin>& installed,
                                 const char* const* windows, std::size_t windowsCount,
                                 const char* what) {
    // The key holding a text: entries are numbered with one character from '1'.
    auto keyOf = [&](const std::string& text) {
        for (int i = 0; i < uninstall::maxEntries; ++i) {
            const std::string key = entryKey + static_cast<char>('1' + i);
            if (raw(path, section, key) == text)
                return key;
        }
        return entryKey;
    };
    for (const auto& [name, origin] : installed) {
        const std::string& installedName = name; // a lambda captures no structured binding
        if (std::none_of(texts.begin(), texts.end(), [&](const std::string& t) {
                return installedName.find(t) != std::string::npos;
            }))
            error(path, section, entryKey,
                  std::string("no text is contained in the ") + what + " \"" + name +
                      "\" (named by " + origin.key + " in [" + origin.section + "] of " +
                      origin.file + "): the uninstaller does not offer it");
    }
    for (const std::string& text : texts) {
        const char* const* own = std::find_if(windows, windows + windowsCount, [&](const char* w) {
            return std::string(w).find(text) != std::string::npos;
        });
        if (own != windows + windowsCount)
            error(path, section, keyOf(text),
                  "\"" + text + "\" is contained in Windows' own " + what + " \"" + *own +
                      "\": the uninstaller would offer to remove it");
        else if (std::none_of(installed.begin(), installed.end(), [&](const auto& entry) {
                     return entry.first.find(text) != std::string::npos;
                 }))
            warning(path, section, keyOf(text),
                    "\"" + text + "\" matches no " + what + " the setup installs");
    }
}

// The device drivers Install installs and removes: their files in both
// folders, and the INF entries by which the removal knows them for the package's.
void Checker::checkDeviceDrivers() {
    struct Driver {
        const char* inf;
        const char* sys;
        usbinstall::InfOwnership ownership;
    };
    const Driver drivers[] = {
        {usbinstall::usbPrinterInf, "KVPUSB.SYS", usbinstall::InfOwnership::usbPrinter},
        {usbinstall::usbVcomInf, "USBVCOM.SYS", usbinstall::InfOwnership::tavoPorts},
        {usbinstall::networkVcomInf, "NKVVCOM.SYS", usbinstall::InfOwnership::tavoPorts}};
    for (const bool x64 : {false, true}) {
        const std::string folder = x64 ? "USBDRV\\USBDriver_x64\\" : "USBDRV\\USBDriver\\";
        for (const Driver& d : drivers) {
            const std::string inf = folder + d.inf;
            const std::string sys = folder + d.sys;
            if (!files_.find(sys))
                error(sys, "", "", "missing: Install cannot install this device driver");
            else
                checkExecutable(sys, x64, Origin{sys, "", ""});
            if (!present(inf, "Install cannot install this device driver"))
                continue;
            platform::sim::InfFile parsed;
            std::uint32_t code = 0, line = 0;
            if (!parsed.parse(*files_.read(inf), code, line)) {
                error(inf, "", "",
                      "line " + std::to_string(line) + " cannot be read (SetupAPI error " +
                          std::to_string(code) + ")");
                continue;
            }
            const std::string wantClass =
                d.ownership == usbinstall::InfOwnership::usbPrinter ? "USB" : "Ports";
            if (parsed.value("Version", "Class").value_or("") != wantClass)
                error(inf, "Version", "Class",
                      "not \"" + wantClass + "\": the uninstaller does not remove this INF");
            if (d.ownership == usbinstall::InfOwnership::usbPrinter) {
                static const char* const keys[] = {"Provider", "KV", "QW"};
                const bool ours =
                    std::any_of(std::begin(keys), std::end(keys), [&](const char* key) {
                        return parsed.value("Strings", key).value_or("") ==
                               usbinstall::packageInfProvider;
                    });
                if (!ours)
                    error(inf, "Strings", "Provider",
                          std::string("not the package's provider \"") +
                              usbinstall::packageInfProvider +
                              "\": the uninstaller does not remove this INF");
            } else if (parsed.value("Strings", "Mfg").value_or("").find("TAVO") ==
                       std::string::npos) {
                error(inf, "Strings", "Mfg",
                      "does not name the provider TAVO: the uninstaller does not remove this INF");
            }
        }
    }
}

} // namespace

std::vector<Finding> checkPackage(const std::string& folder) {
    return Checker(folder).run();
}

bool hasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string findingsText(const std::vector<Finding>& findings) {
    std::string out;
    std::size_t errors = 0;
    for (const Finding& f : findings) {
        errors += f.severity == Severity::Error ? 1 : 0;
        out += f.severity == Severity::Error ? "error: " : "warning: ";
        out += f.file;
        if (!f.section.empty())
            out += " [" + f.section + "]";
        if (!f.key.empty())
            out += " " + f.key;
        out += ": " + f.text + "\n";
    }
    out += std::to_string(errors) + " error(s), " + std::to_string(findings.size() - errors) +
           " warning(s)\n";
    return out;
}

std::string findingsJson(const std::string& folder, const std::vector<Finding>& findings) {
    JsonWriter j;
    std::uint64_t errors = 0;
    for (const Finding& f : findings)
        errors += f.severity == Severity::Error ? 1 : 0;
    j.beginObject()
        .member("package", folder)
        .member("errors", errors)
        .member("warnings", std::uint64_t{findings.size() - errors})
        .key("findings")
        .beginArray();
    for (const Finding& f : findings)
        j.beginObject()
            .member("severity", f.severity == Severity::Error ? "error" : "warning")
            .member("file", f.file)
            .member("section", f.section)
            .member("key", f.key)
            .member("text", f.text)
            .endObject();
    j.endArray().endObject();
    return j.text() + "\n";
}

} // namespace drvsim

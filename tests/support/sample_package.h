// The sample package of the repository laid out for a simulated machine: its
// configuration and texts, a short stand-in for every driver-set file they
// name, the USB device driver with a version, the maker's port monitors
// offering their ports, and the USB device-driver installer as a program.
// Shared by the scenario tests and the benchmarks; needs PKG_SOURCE_DIR.
#pragma once

#include "common/os_variant.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/pe_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace installtest {

namespace fs = std::filesystem;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

inline const char* const usbMonitor = "KV USB Monitor";
inline const char* const comMonitor = "KV COM Monitor";
inline const char* const usbDriverVersion = "1.2.0.3";

// The package's variant code of a simulated edition.
inline common::OsVariant osVariantOf(WindowsVariant os) {
    switch (os) {
    case WindowsVariant::Nt4:
        return common::osNt4;
    case WindowsVariant::Win2000:
        return common::os2000;
    case WindowsVariant::Xp:
    case WindowsVariant::Xp64:
        return common::osXp;
    case WindowsVariant::Server2003:
        return common::os2003;
    case WindowsVariant::Vista:
        return common::osVista;
    case WindowsVariant::Server2008:
    case WindowsVariant::Server2008R2:
        return common::os2008;
    case WindowsVariant::Win7:
        return common::osWin7;
    default:
        if (platform::sim::isWin9x(os))
            return common::osWin9x;
        // Later Windows reads as the nearest the package describes.
        return platform::sim::versionRecord(os).productType == platform::productWorkstation
                   ? common::osWin7
                   : common::os2008;
    }
}

inline std::string readHostFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeHostFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// Every file name the configuration files give (as the package build finds them).
inline std::set<std::string> namedFiles(const fs::path& config) {
    static const std::set<std::string> fileKeys = {
        "DRIVERPATH",           "DATAFILE",           "CONFIGFILE",           "HELPFILE",
        "DATAFILEDLLNAME",      "DATAOEMUIDLL",       "DATAOEMUNIDLL",        "DATAOEMUNIINI",
        "PROCESSORDLLNAME",     "CONTROLFONTFILE",    "USBINTERNALID",        "USBMONITORPDLLNAME",
        "USBMONITORPUIDLLNAME", "COMMONITORPDLLNAME", "COMMONITORPUIDLLNAME", "USBLMONITORDLLNAME"};
    auto trim = [](std::string t) {
        const auto first = t.find_first_not_of(" \t\r");
        const auto last = t.find_last_not_of(" \t\r");
        return first == std::string::npos ? std::string() : t.substr(first, last - first + 1);
    };
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(config)) {
        if (entry.path().extension() != ".ini")
            continue;
        std::istringstream lines(readHostFile(entry.path()));
        std::string line;
        while (std::getline(lines, line)) {
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos || line[0] == ';')
                continue;
            std::string key = trim(line.substr(0, equals));
            std::transform(key.begin(), key.end(), key.begin(), ::toupper);
            if (key.rfind("GDI", 0) == 0 || key.rfind("STD", 0) == 0)
                key = key.substr(3);
            const std::string value = trim(line.substr(equals + 1));
            if (fileKeys.count(key) != 0 && !value.empty() && value[0] != '0')
                names.insert(value);
        }
    }
    return names;
}

// The sample package: its configuration and language files, the licence and
// Uninstall.ini, and a short text file standing for each driver-set file
// ("W32 NAME"), so that a copy shows where it came from.
inline void writeSamplePackage(const fs::path& package) {
    const fs::path source = fs::path(PKG_SOURCE_DIR) / "package";
    fs::create_directories(package);
    for (const char* folder : {"DRVCONFIG", "language"})
        fs::copy(source / folder, package / folder,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const char* file : {"License.txt", "Uninstall.ini"})
        fs::copy_file(source / file, package / file, fs::copy_options::overwrite_existing);
    std::set<std::string> names = namedFiles(package / "DRVCONFIG");
    for (const char* constant :
         {"ICONLIB.DLL", "UNIDRV.DLL", "DMCOLOR.DLL", "srclient.dll", "framedyn.dll", "newdev.dll",
          "TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
        names.insert(constant);
    for (const char* set : {"W32", "W64"}) {
        for (const std::string& name : names)
            writeHostFile(package / set / name, std::string(set) + " " + name);
    }
    for (const char* folder : {"USBDriver", "USBDriver_x64"}) {
        const fs::path usb = package / "USBDRV" / folder;
        const auto pe = testsupport::peWithFileVersion(usbDriverVersion,
                                                       std::string(folder) == "USBDriver_x64");
        writeHostFile(usb / "KVPUSB.sys", std::string(pe.begin(), pe.end()));
        writeHostFile(usb / "KVPUSB.INF", "; KVPUSB.INF\r\n");
        writeHostFile(usb / "Install.exe", "Install.exe");
    }
}

// What the maker's port monitors offer once installed: the USB monitor the
// ports recorded under PORTNAME, the serial monitor KVCOM1: to KVCOM8:.
inline void serveMakerPorts(SimMachine& m) {
    m.simSpooler().setMonitorPorts(usbMonitor, [](SimMachine& machine) {
        std::vector<std::string> ports;
        for (const auto* key : machine.simRegistry().keys()) {
            std::string upper = key->path;
            std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
            if (upper == "HKLM\\SOFTWARE\\KORVANE\\PORTNAME")
                for (const auto& value : key->values)
                    ports.push_back(value.name);
        }
        return ports;
    });
    m.simSpooler().setMonitorPorts(comMonitor, [](SimMachine&) {
        std::vector<std::string> ports;
        for (int i = 1; i <= 8; ++i)
            ports.push_back("KVCOM" + std::to_string(i) + ":");
        return ports;
    });
}

// The USB device-driver installer: its window stays open `seconds` and it
// leaves the packaged driver in the system's drivers folder.
inline void provideUsbInstaller(SimMachine& m, unsigned seconds = 20) {
    m.simDesktop().setProgram("Install.exe", [seconds](SimMachine& machine,
                                                       const platform::sim::SimDesktop::Launch& l) {
        machine.simDesktop().addWindow("Device driver setup", false,
                                       machine.simClock().now() + seconds * 1000ull);
        std::string driver = l.file.substr(0, l.file.rfind('\\')) + "\\KVPUSB.sys";
        std::string content;
        machine.simFiles().readText(driver, content);
        machine.simFiles().writeText(machine.systemDirectory() + "\\drivers\\KVPUSB.sys", content);
        return std::uintptr_t{42};
    });
}

} // namespace installtest

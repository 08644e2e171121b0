#include "tools/drvsim/package_behaviour.h"

#include "common/profile_file.h"
#include "platform/sim/sim_text.h"
#include "usbinstall/usb_install.h"

#include <filesystem>
#include <fstream>

using platform::sim::SimDesktop;
using platform::sim::SimMachine;

namespace drvsim {
namespace {

const char* const portNameKey = "HKLM\\SOFTWARE\\KORVANE\\PORTNAME";
const char* const makerMonitorsFile = "maker-monitors.txt";

// Texts are CR LF lines; a log line's own line break is the printer's business.
std::string withoutLineBreak(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

class ForwardingLog : public usbinstall::LogSink {
public:
    explicit ForwardingLog(std::function<void(const std::string&)>& log) : log_(log) {}
    void write(const std::string& text) override {
        if (log_)
            log_(withoutLineBreak(text));
    }

private:
    std::function<void(const std::string&)>& log_;
};

} // namespace

std::vector<std::string> recordedUsbPorts(SimMachine& machine) {
    std::vector<std::string> ports;
    for (const auto* key : machine.simRegistry().keys()) {
        if (!platform::sim::equalNoCase(key->path, portNameKey))
            continue;
        for (const auto& value : key->values)
            ports.push_back(value.name);
    }
    return ports;
}

MakerMonitors packageMonitors(SimMachine& machine) {
    MakerMonitors monitors;
    std::string setupIni;
    if (machine.config().packageDir.empty() ||
        !machine.simFiles().readText(machine.config().programFolder + "\\DRVCONFIG\\setup.ini",
                                     setupIni))
        return monitors;
    for (const char* suffix : {".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7"}) {
        const std::string section = std::string("COMMON-MONITOR") + suffix;
        const std::string usb =
            common::profileGetString(setupIni, section, "USBMONitorPName", "", 50);
        const std::string serial =
            common::profileGetString(setupIni, section, "COMMONitorPName", "", 50);
        if (!usb.empty())
            monitors.usb.insert(usb);
        if (!serial.empty())
            monitors.serial.insert(serial);
    }
    return monitors;
}

bool readMakerMonitors(const std::string& folder, MakerMonitors& monitors, std::string& error) {
    std::ifstream in(std::filesystem::path(folder) / makerMonitorsFile, std::ios::binary);
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        const auto f = platform::sim::splitFields(line);
        if (f.size() == 2 && f[0] == "usb") {
            monitors.usb.insert(f[1]);
        } else if (f.size() == 2 && f[0] == "serial") {
            monitors.serial.insert(f[1]);
        } else if (!f.empty()) {
            error = std::string(makerMonitorsFile) + ": line " + std::to_string(number) +
                    ": not a monitor line (usb NAME or serial NAME)";
            return false;
        }
    }
    return true;
}

bool writeMakerMonitors(const std::string& folder, const MakerMonitors& monitors) {
    std::ofstream out(std::filesystem::path(folder) / makerMonitorsFile,
                      std::ios::binary | std::ios::trunc);
    for (const std::string& name : monitors.usb)
        out << platform::sim::joinFields({"usb", name}) << '\n';
    for (const std::string& name : monitors.serial)
        out << platform::sim::joinFields({"serial", name}) << '\n';
    return static_cast<bool>(out);
}

void serveMakerPorts(SimMachine& machine, const MakerMonitors& monitors) {
    for (const std::string& name : monitors.usb)
        machine.simSpooler().setMonitorPorts(name, recordedUsbPorts);
    for (const std::string& name : monitors.serial) {
        machine.simSpooler().setMonitorPorts(name, [](SimMachine&) {
            std::vector<std::string> ports;
            for (int i = 1; i <= 8; ++i)
                ports.push_back("KVCOM" + std::to_string(i) + ":");
            return ports;
        });
    }
}

void provideUsbInstaller(SimMachine& machine, std::function<void(const std::string&)> log) {
    machine.simDesktop().setProgram("Install.exe", [log](SimMachine& m,
                                                         const SimDesktop::Launch& launch) mutable {
        const std::size_t slash = launch.file.find_last_of('\\');
        const std::string folder = slash == std::string::npos ? "." : launch.file.substr(0, slash);
        const std::string name =
            slash == std::string::npos ? launch.file : launch.file.substr(slash + 1);
        const bool x64 = platform::sim::upper(folder).find("USBDRIVER_X64") != std::string::npos;

        const platform::sim::SimConfig caller = m.config();
        m.setRunningProgram(folder, name, x64 && m.is64BitWindows() ? 64 : 32);
        const platform::Handle window = m.simDesktop().addWindow("Device driver setup");
        ForwardingLog sink(log);
        usbinstall::runUsbInstall(m, launch.parameters, folder, sink, window);
        m.simDesktop().closeWindow(window);
        m.setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
        // The window closes by itself a little after the work is done.
        m.simDesktop().addWindow("Device driver setup", false,
                                 m.simClock().now() + installerWindowMs);
        return std::uintptr_t{42};
    });
}

} // namespace drvsim

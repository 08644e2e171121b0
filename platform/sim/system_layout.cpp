#include "platform/sim/system_layout.h"

#include "platform/sim/sim_cabinet.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/spooler_environment.h"

#include <vector>

namespace platform::sim {
namespace {

bool before(WindowsVariant os, WindowsVariant floor) {
    return static_cast<int>(os) < static_cast<int>(floor);
}

std::vector<SimCabinetMember> uniDrvMembers(const std::string& processor) {
    std::vector<SimCabinetMember> members;
    for (const char* name : uniDrvFiles)
        members.push_back(SimCabinetMember{name, systemFileContent(name, processor)});
    return members;
}

// The driver cache: driver.cab with the whole printer class, and a service
// pack's cabinet with newer copies of some of it, later in the folder's order.
void layOutDriverCache(SimMachine& m) {
    const bool x64 = m.is64BitWindows();
    const std::string processor = x64 ? "amd64" : "i386";
    const std::string folder = m.windowsDirectory() + "\\Driver Cache\\" + processor;
    SimFiles& files = m.simFiles();
    files.makeDirectories(folder);
    std::vector<SimCabinetMember> driverCab = uniDrvMembers(processor);
    for (const char* other : {"pscript5.dll", "ps5ui.dll", "pscript.hlp", "mxdwdrv.dll"})
        driverCab.insert(driverCab.begin() + 2,
                         SimCabinetMember{other, systemFileContent(other, processor)});
    files.writeText(folder + "\\driver.cab", makeCabinet(driverCab));

    const WindowsVariant os = m.config().os;
    if (os == WindowsVariant::Win2000)
        return;
    const std::string servicePack = os == WindowsVariant::Xp ? "sp3.cab" : "sp2.cab";
    files.writeText(
        folder + "\\" + servicePack,
        makeCabinet({{"unidrv.dll", systemFileContent("unidrv.dll", processor + " sp")},
                     {"kernel32.dll", systemFileContent("kernel32.dll", processor)},
                     {"unidrvui.dll", systemFileContent("unidrvui.dll", processor + " sp")}}));
}

void layOutDriverStore(SimMachine& m) {
    const std::string package = ntprintPackageFolder(m);
    SimFiles& files = m.simFiles();
    // A 64-bit system's package carries the 32-bit files for its 32-bit clients too.
    std::vector<std::pair<std::string, std::string>> folders = {{"I386", "i386"}};
    if (m.is64BitWindows())
        folders.insert(folders.begin(), {"Amd64", "amd64"});
    for (const auto& [folder, processor] : folders) {
        for (const char* name : uniDrvFiles)
            files.writeText(package + "\\" + folder + "\\" + name,
                            systemFileContent(name, processor));
    }
    files.writeText(package + "\\ntprint.inf", "; ntprint.inf (simulated)\r\n");
    // Another printer package, so that a search has something to pass over.
    const std::string store = m.systemDirectory() + "\\DriverStore\\FileRepository";
    files.writeText(store + "\\prnms001.inf_" + std::string(m.is64BitWindows() ? "amd64" : "x86") +
                        "_neutral_9b7a4f44\\prnms001.inf",
                    "; prnms001.inf (simulated)\r\n");
}

void layOutSpoolerFolders(SimMachine& m) {
    const WindowsVariant os = m.config().os;
    if (isWin9x(os))
        return;
    std::vector<std::string> environments = {nativeEnvironment(os, m.config().bits)};
    if (m.is64BitWindows())
        environments.push_back(environmentX86);
    const std::string version = std::to_string(driverVersion(os));
    for (const std::string& env : environments) {
        m.simFiles().makeDirectories(driverDirectory(os, env) + "\\" + version);
        m.simFiles().makeDirectories(processorDirectory(os, env));
    }
}

} // namespace

std::string systemFileContent(const std::string& name, const std::string& processor) {
    return name + " (simulated, " + processor + ")\r\n";
}

std::string ntprintPackageFolder(const SimMachine& machine) {
    const WindowsVariant os = machine.config().os;
    if (before(os, WindowsVariant::Vista))
        return {};
    const bool x64 = machine.config().bits == 64;
    std::string hash;
    switch (os) {
    case WindowsVariant::Vista:
    case WindowsVariant::Server2008:
        hash = x64 ? "0ab2b5fc" : "1a3e2b6c";
        break;
    case WindowsVariant::Win8:
        hash = x64 ? "3ef1c9d2a8b75e61" : "52b0a7c4e19f3d88";
        break;
    default:
        hash = x64 ? "4616b8a6b6e5e0a6" : "848b4f3f4ed5bb2c";
        break;
    }
    return machine.systemDirectory() + "\\DriverStore\\FileRepository\\ntprint.inf_" +
           (x64 ? "amd64" : "x86") + "_neutral_" + hash;
}

void layOutSystemFiles(SimMachine& machine) {
    const WindowsVariant os = machine.config().os;
    layOutSpoolerFolders(machine);
    if (isWin9x(os) || os == WindowsVariant::Nt4) {
        machine.simFiles().writeText(machine.windowsDirectory() + "\\win.ini",
                                     "[windows]\r\nload=\r\nrun=\r\ndevice=\r\n\r\n[Ports]\r\n"
                                     "LPT1:=\r\nCOM1:=9600,n,8,1,x\r\nCOM2:=9600,n,8,1,x\r\n"
                                     "FILE:=\r\n");
        return;
    }
    if (before(os, WindowsVariant::Vista))
        layOutDriverCache(machine);
    else
        layOutDriverStore(machine);
}

} // namespace platform::sim

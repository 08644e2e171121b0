// The 32-bit setup engine's spooler environment against the real spooler, for
// the Wine test spooler_environment.test.sh: it resolves the package's driver
// for Windows 7 on a parallel port, puts stand-ins for its files into the
// driver folder the engine asks for, adds the driver through the engine and
// lists the environments the spooler then files it under. Prints one line per
// fact; argument: the package folder (Windows path).
#include "common/os_variant.h"
#include "platform/win32/win32_machine.h"
#include "setup/engine/install_session.h"
#include "setup/engine/setup_config.h"
#include "setup/engine/spooler_registration.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string lastPart(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

bool lists(platform::Spooler& spooler, const std::string& environment, const std::string& name) {
    std::vector<platform::DriverInfo3> drivers;
    if (!spooler.EnumPrinterDriversA(environment, drivers))
        return false;
    for (const platform::DriverInfo3& d : drivers) {
        if (d.name == name)
            return true;
    }
    return false;
}

void line(const char* what, bool ok, platform::Machine& m) {
    if (ok)
        std::printf("%s ok\n", what);
    else
        std::printf("%s error %lu\n", what, static_cast<unsigned long>(m.GetLastError()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: environment_probe <package folder>\n");
        return 2;
    }
    platform::win32::Win32Machine m;
    const bool wow64 = common::is64BitWindows(m);
    std::printf("64-bit Windows: %s\n", wow64 ? "yes" : "no");

    std::string folder;
    if (m.spooler().GetPrinterDriverDirectoryA("", folder))
        std::printf("caller's default driver folder: %s\n", lastPart(folder).c_str());

    setup::SetupConfig config(m.profiles(), argv[1], wow64);
    config.selectType(setup::PrinterType::Receipt);
    setup::InstallPlan plan;
    const setup::ConfigResult resolved =
        config.resolvePlan("QRT-K500NX", common::osWin7, setup::DriverFlavour::Raster,
                           setup::PortKind::Parallel, plan);
    if (!resolved.ok()) {
        std::printf("plan refused: %s\n", resolved.error.c_str());
        return 1;
    }
    std::printf("driver environment: %s\n", plan.driver.environment.c_str());

    setup::InstallSession session(m, common::osWin7, wow64);
    const auto driverFolder = session.driverFolder();
    const auto processorFolder = session.processorFolder();
    if (!driverFolder || !processorFolder) {
        std::printf("folders refused: %s\n", session.error.c_str());
        return 1;
    }
    std::printf("engine's driver folder: %s\n", lastPart(*driverFolder).c_str());
    std::printf("engine's processor folder: %s\n", lastPart(*processorFolder).c_str());

    std::vector<std::string> files = {plan.driver.driverPath, plan.driver.dataFile,
                                      plan.driver.configFile, plan.driver.helpFile};
    files.insert(files.end(), plan.driver.dependentFiles.begin(), plan.driver.dependentFiles.end());
    m.files().CreateDirectoryA(*driverFolder); // the engine's staging makes it when missing
    const std::vector<std::uint8_t> standIn = {'s', 't', 'a', 'n', 'd', '-', 'i', 'n'};
    for (const std::string& file : files)
        m.files().WriteFileBytes(*driverFolder + "\\" + file, standIn);

    const bool added = setup::addDriver(session, plan.driver);
    std::printf("addDriver %s%s\n", added ? "ok" : "failed: ", session.error.c_str());
    for (const char* environment : {"Windows x64", "Windows NT x86"}) {
        std::printf("listed under %s: %s\n", environment,
                    lists(m.spooler(), environment, plan.driver.name) ? "yes" : "no");
        m.spooler().DeletePrinterDriverA(environment, plan.driver.name);
    }

    // What the spooler answers a monitor and a print processor named for the
    // machine's environment (their DLLs do not exist: only the answer counts).
    SetLastError(0xC0FFEE);
    line("AddMonitorA(Windows x64)",
         m.spooler().AddMonitorA({"Probe monitor", "Windows x64", "no_such_monitor.dll"}), m);
    SetLastError(0xC0FFEE);
    line("AddMonitorA(none)", m.spooler().AddMonitorA({"Probe monitor", "", "no_such_monitor.dll"}),
         m);
    SetLastError(0xC0FFEE);
    line("AddPrintProcessorA(Windows x64)",
         m.spooler().AddPrintProcessorA("Windows x64", "no_such_processor.dll", "Probe"), m);
    return 0;
}

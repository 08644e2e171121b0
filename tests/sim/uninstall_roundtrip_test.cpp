// Every model of the sample package installed on each port kind it offers,
// then removed with everything the uninstaller lists (and the USB device
// driver where the setup installed it), each on a fresh machine: the machine
// must be as it was before the installation, but for what the removal leaves
// on purpose.
#include "setup/engine/model_support.h"
#include "tests/sim/uninstall_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::InstallResult;

struct Edition {
    WindowsVariant os;
    int bits;
};

void PrintTo(const Edition& e, std::ostream* out) {
    *out << windowsVariantName(e.os) << "/" << e.bits;
}

bool has(const std::string& line, const char* part) {
    return line.find(part) != std::string::npos;
}

// What an installation leaves after the removal, and why.
const char* leftOnPurpose(const std::string& change, common::OsVariant os) {
    if (has(change, "CurrentVersion\\Ports\\") || has(change, "\\Ports\\000") ||
        has(change, "WIN.INI"))
        return "the serial port's line settings belong to Windows' port, not to the package";
    if (change.rfind("+ ", 0) != 0)
        return nullptr; // the removal takes away nothing else that was there before
    if (has(change, "\\KORVANE\\PRINTERPORT\\"))
        return "the USB port monitor's settings: the removal deletes INSTALLPRINTER and PORTNAME";
    if (has(change, "\\3\\KVCONTROL.TTF") || has(change, "\\3\\KVUSBID.DAT"))
        return "files the setup puts beside the driver without naming them to the spooler";
    if (has(change, "port IP_") || has(change, "Standard TCP/IP Port\\Ports\\IP_"))
        return "a Standard TCP/IP port belongs to Windows' own monitor, which others may use";
    if (has(change, "\\Local Settings\\Temp\\"))
        return "the setup's copies of the universal driver from the driver cache, in the "
               "temporary folder";
    if (has(change, "srclient.dll") || has(change, "framedyn.dll") || has(change, "newdev.dll"))
        return "Windows' own helpers that the setup adds on XP when they are missing";
    // Their files lie in the system folder there, beside the monitors' (which go).
    const bool driverOrProcessorFile =
        has(change, "+ file C:\\WINDOWS\\SYSTEM\\") && !has(change, "MON");
    if (os == common::osWin9x &&
        (has(change, "+ driver ") || has(change, "+ processor ") ||
         has(change, "Print Processors\\KVPrintProc\\") || driverOrProcessorFile))
        return "Windows 9x keeps drivers and print processors: they are removed from 2000 on";
    return nullptr;
}

class UninstallRoundTrip : public SharedPackageSuite<Edition> {
protected:
};

TEST_P(UninstallRoundTrip, InstallThenUninstallLeavesOnlyWhatIsLeftOnPurpose) {
    const Edition edition = GetParam();
    const common::OsVariant os = osVariantOf(edition.os);
    int roundTrips = 0;
    Scenario reader(edition.os, edition.bits, sharedPackage());
    setup::SetupConfig config(reader.machine().profiles(), "E:\\Package",
                              reader.machine().isWow64Process());
    for (int index = 1; index <= config.modelCount(); ++index) {
        const setup::ModelEntry entry = config.modelEntry(index);
        const auto support = setup::readModelSupport(
            reader.machine().profiles(), reader.request(entry.type, entry.name, "").typeFilePath(),
            entry.name);
        if (os == common::osWin7 && support.systemWin7 == 0)
            continue;
        std::vector<std::string> ports;
        if (support.usb != 0)
            ports.push_back("USB_" + entry.name + "_1");
        if (support.lpt != 0)
            ports.push_back("LPT1:");
        if (support.com != 0)
            ports.push_back(os == common::osWin9x || edition.bits == 64 ? "COM1:" : "KVCOM1:");
        if (support.net != 0 && os >= common::os2000)
            ports.push_back("NET:");
        for (const std::string& port : ports) {
            SCOPED_TRACE(entry.name + " on " + port);
            Scenario s(edition.os, edition.bits, sharedPackage());
            provideDeviceDriverInstaller(s.machine());
            const auto before = s.state();
            auto request = s.request(entry.type, entry.name, port);
            request.ipAddress = {192, 168, 7, 9};
            const auto installed = s.install(request);
            ASSERT_EQ(installed.result, InstallResult::Succeeded) << installed.message;

            // The setup installs the USB device driver from Windows 2000 on.
            const bool usbDriver = port[0] == 'U' && os >= common::os2000;
            const auto run = uninstallOn(s.machine(), everything(usbDriver));
            EXPECT_TRUE(run.complete()) << run.stopped;
            EXPECT_TRUE(run.remaining.empty());
            EXPECT_EQ(run.restart, std::optional<bool>(false));
            for (const std::string& change : stateChanges(before, s.state())) {
                EXPECT_NE(leftOnPurpose(change, os), nullptr) << change;
            }
            ++roundTrips;
        }
    }
    EXPECT_GT(roundTrips, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Editions, UninstallRoundTrip,
    ::testing::Values(Edition{WindowsVariant::Xp, 32}, Edition{WindowsVariant::Win7, 32},
                      Edition{WindowsVariant::Win7, 64}, Edition{WindowsVariant::Win2000, 32},
                      Edition{WindowsVariant::Win98, 32}),
    [](const ::testing::TestParamInfo<Edition>& param) {
        return windowsVariantName(param.param.os) + "_" + std::to_string(param.param.bits);
    });

} // namespace
} // namespace installtest

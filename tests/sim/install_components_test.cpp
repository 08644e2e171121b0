// Port monitors, the language monitor and the print processor: installed when
// missing, replaced when older than the package's, with the Spooler stopped
// around the copy and an "n"-prefixed copy when the old file is still held.
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::InstallResult;
using setup::PrinterType;

const std::string monitors = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";

std::uint32_t dword(SimMachine& m, const std::string& key, const std::string& name) {
    std::uint32_t value = 0xFFFFFFFF;
    m.simRegistry().readDword(key, name, value);
    return value;
}

std::string text(SimMachine& m, const std::string& key, const std::string& name) {
    std::string value;
    m.simRegistry().readString(key, name, value);
    return value;
}

unsigned calls(SimMachine& m, const std::string& call) {
    const auto& counts = m.faults().callCounts();
    const auto it = counts.find(call);
    return it == counts.end() ? 0 : it->second;
}

// A machine on which the package's USB printer was installed once, with the
// USB monitor's recorded version then set back.
class OutdatedUsbMonitor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(
            s.install(s.request(PrinterType::Receipt, "QRT-K500NX", "USB_QRT-K500NX_1")).result,
            InstallResult::Succeeded);
        s.machine().simRegistry().setDword(key, "DriverVersion", 2);
        s.machine().faults().clear();
    }
    setup::InstallOutcome installAgain() {
        return s.install(s.request(PrinterType::Ticket, "QRT-T300", "USB_QRT-T300_1"));
    }
    Scenario s{WindowsVariant::Win7, 64};
    const std::string key = monitors + "KV USB Monitor";
};

TEST_F(OutdatedUsbMonitor, IsReplacedWithTheSpoolerStoppedAndStartedAgain) {
    const std::uint64_t start = s.machine().simClock().now();
    const auto outcome = installAgain();
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 3u);
    EXPECT_EQ(text(s.machine(), key, "Driver"), "KVMONITORUSB.DLL");
    EXPECT_EQ(calls(s.machine(), "ControlService"), 1u);
    EXPECT_GE(calls(s.machine(), "StartServiceA"), 1u);
    EXPECT_TRUE(s.machine().simServices().spoolerRunning());
    EXPECT_FALSE(s.machine().simFiles().exists("C:\\WINDOWS\\system32\\nKVMONITORUSB.DLL"));
    // 100 ms after the stop, 500 ms before the copy; Windows 7 does not wait after the start.
    EXPECT_GE(s.machine().simClock().now() - start, 600u);
}

TEST_F(OutdatedUsbMonitor, StillHeldIsCopiedUnderANewNameThatTheSpoolerThenLoads) {
    // The first copy of the run is the monitor's DLL: someone else still holds it.
    s.machine().faults().failCall("CopyFileA", platform::err::sharingViolation, 1);
    const auto outcome = installAgain();
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(text(s.machine(), key, "Driver"), "nKVMONITORUSB.DLL");
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 3u);
    const auto state = s.state();
    EXPECT_TRUE(
        anyLine(state, "file C:\\WINDOWS\\system32\\nKVMONITORUSB.DLL = W64 KVMONITORUSB.DLL"));
    EXPECT_TRUE(anyLine(state, "monitor KV USB Monitor loads nKVMONITORUSB.DLL"));
}

TEST_F(OutdatedUsbMonitor, WithoutARecordedVersionIsOutdatedToo) {
    s.machine().simRegistry().setValue(key, "DriverVersion", platform::regtype::sz, {'3', 0});
    const auto outcome = installAgain();
    ASSERT_EQ(outcome.result, InstallResult::Succeeded);
    EXPECT_EQ(calls(s.machine(), "ControlService"), 1u);
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 3u);
}

TEST_F(OutdatedUsbMonitor, CurrentMonitorLeavesTheSpoolerAlone) {
    s.machine().simRegistry().setDword(key, "DriverVersion", 3);
    ASSERT_EQ(installAgain().result, InstallResult::Succeeded);
    EXPECT_EQ(calls(s.machine(), "ControlService"), 0u);
}

TEST_F(OutdatedUsbMonitor, SlowSpoolerStartIsWaitedFor) {
    s.machine().simServices().setStartDelay(4);
    const auto outcome = installAgain();
    EXPECT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_TRUE(s.machine().simServices().spoolerRunning());
}

TEST_F(OutdatedUsbMonitor, SpoolerThatWillNotStartEndsTheRunWithItsError) {
    s.machine().simServices().refuseStart(platform::err::serviceDisabled);
    const auto outcome = installAgain();
    EXPECT_EQ(outcome.result, InstallResult::Failed);
    EXPECT_EQ(s.messages(),
              std::vector<std::string>{"Start spool service error, error code = 1058"});
}

TEST_F(OutdatedUsbMonitor, FailedCopyStartsTheSpoolerAgainBeforeReporting) {
    s.machine().faults().failCall("CopyFileA", 112 /* ERROR_DISK_FULL */, 1);
    const auto outcome = installAgain();
    EXPECT_EQ(outcome.result, InstallResult::Failed);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].rfind(s.text("IDS_ERR_COPYFIEL") + "KVMONITORUSB.DLL", 0), 0u);
    EXPECT_TRUE(s.machine().simServices().spoolerRunning());
    // Nothing is half done: a second try completes.
    s.machine().faults().clear();
    EXPECT_EQ(installAgain().result, InstallResult::Succeeded);
}

TEST(InstallComponents, OutdatedSerialMonitorKeepsItsDriverValueUnlessRenamed) {
    Scenario s(WindowsVariant::Xp, 32);
    const std::string key = monitors + "KV COM Monitor";
    auto serial = s.request(PrinterType::Receipt, "QRT-K500NX", "KVCOM1:");
    ASSERT_EQ(s.install(serial).result, InstallResult::Succeeded);
    s.machine().simRegistry().setDword(key, "DriverVersion", 1);
    s.machine().simRegistry().setString(key, "Driver", "KVMONITORCOM.DLL");
    ASSERT_EQ(s.install(serial).result, InstallResult::Succeeded);
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 2u);
    EXPECT_EQ(text(s.machine(), key, "Driver"), "KVMONITORCOM.DLL");

    s.machine().simRegistry().setDword(key, "DriverVersion", 1);
    s.machine().faults().failCall("CopyFileA", platform::err::sharingViolation, 1);
    ASSERT_EQ(s.install(serial).result, InstallResult::Succeeded);
    EXPECT_EQ(text(s.machine(), key, "Driver"), "nKVMONITORCOM.DLL");
    EXPECT_EQ(s.machine().simSpooler().printers().size(), 3u);
}

TEST(InstallComponents, OutdatedPrintProcessorIsCopiedOverWithTheSpoolerStopped) {
    Scenario s(WindowsVariant::Xp, 32);
    auto parallel = s.request(PrinterType::Receipt, "QRT-K500NX", "LPT1:");
    ASSERT_EQ(s.install(parallel).result, InstallResult::Succeeded);
    const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\"
                            "Windows NT x86\\Print Processors\\KVPrintProc";
    const std::string dll = "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86\\KVPROCESSOR.DLL";
    s.machine().simRegistry().setDword(key, "DriverVersion", 3);
    s.machine().simServices().stopSpooler();
    s.machine().simFiles().writeText(dll, "old processor");
    s.machine().simServices().startSpooler();
    s.machine().faults().clear();
    ASSERT_EQ(s.install(parallel).result, InstallResult::Succeeded);
    std::string content;
    s.machine().simFiles().readText(dll, content);
    EXPECT_EQ(content, "W32 KVPROCESSOR.DLL");
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 4u);
    EXPECT_EQ(calls(s.machine(), "ControlService"), 1u);
}

TEST(InstallComponents, MonitorTheSpoolerSaysItHasIsRecordedOnlyWhereTheSpoolerKeepsIt) {
    const auto usbPrinter = [](Scenario& s) {
        return s.install(s.request(PrinterType::Receipt, "QRT-K500NX", "USB_QRT-K500NX_1"));
    };
    const std::string key = monitors + "KV USB Monitor";
    // The spooler says "already installed" but has no such monitor: the run
    // goes on, the printer cannot get the monitor's port, and no key is made.
    Scenario s(WindowsVariant::Win7, 64);
    s.machine().faults().failCall("AddMonitorA", platform::err::printMonitorAlreadyInstalled, 1);
    EXPECT_EQ(usbPrinter(s).result, InstallResult::Failed);
    EXPECT_FALSE(s.machine().simRegistry().hasKey(key));
    // So the next run installs the monitor, and the printer with it.
    const auto rerun = usbPrinter(s);
    EXPECT_EQ(rerun.result, InstallResult::Succeeded) << rerun.message;
    EXPECT_EQ(text(s.machine(), key, "Driver"), "KVMONITORUSB.DLL");
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 3u);

    // A lone version that an earlier setup left is no monitor either.
    Scenario left(WindowsVariant::Win7, 64);
    left.machine().simRegistry().setDword(key, "DriverVersion", 3);
    EXPECT_EQ(usbPrinter(left).result, InstallResult::Succeeded);
    EXPECT_EQ(text(left.machine(), key, "Driver"), "KVMONITORUSB.DLL");
    EXPECT_EQ(calls(left.machine(), "AddMonitorA"), 1u);
}

TEST(InstallComponents, SystemPrintProcessorIsLeftAloneButOnlyByItsExactName) {
    Scenario s(WindowsVariant::Xp, 32);
    // The standard flavour of this model prints through WinPrint.
    ASSERT_EQ(s.install(s.request(PrinterType::Receipt, "QRT-K500NX", "KVCOM1:")).result,
              InstallResult::Succeeded);
    EXPECT_FALSE(anyLine(s.state(), "KVPrintProc"));
    EXPECT_FALSE(anyLine(s.state(), "Print Processors\\WinPrint\\DriverVersion"));

    Scenario lower(WindowsVariant::Xp, 32);
    const fs::path typeFile = lower.package() / "DRVCONFIG" / "setup_receipt.ini";
    std::string config = readHostFile(typeFile);
    for (std::size_t at = 0;
         (at = config.find("STDPrintProcessor=WinPrint", at)) != std::string::npos;)
        config.replace(at, 26, "STDPrintProcessor=winprint");
    writeHostFile(typeFile, config);
    const auto outcome =
        lower.install(lower.request(PrinterType::Receipt, "QRT-K500NX", "KVCOM1:"));
    EXPECT_EQ(outcome.result, InstallResult::Succeeded);
    // The system's key exists without a version, so the processor is versioned
    // (with the Spooler stopped), though the package has no file for it.
    EXPECT_EQ(dword(lower.machine(),
                    "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\"
                    "Windows NT x86\\Print Processors\\winprint",
                    "DriverVersion"),
              4u);
    EXPECT_EQ(calls(lower.machine(), "ControlService"), 1u);
}

TEST(InstallComponents, Windows98ReplacesAHeldMonitorUnderANewNameOrAsksForARestart) {
    Scenario s(WindowsVariant::Win98, 32);
    const std::string key = monitors + "KV USB Monitor";
    auto usb = s.request(PrinterType::Receipt, "QRT-K500NX", "USB_QRT-K500NX_1");
    ASSERT_EQ(s.install(usb).result, InstallResult::Succeeded) << s.messages()[0];
    s.machine().simRegistry().setDword(key, "DriverVersion", 1);
    // The spooler of Windows 98 holds the monitor's DLL for good.
    auto second = s.request(PrinterType::Ticket, "QRT-T300", "USB_QRT-T300_1");
    ASSERT_EQ(s.install(second).result, InstallResult::Succeeded) << s.messages()[0];
    EXPECT_EQ(text(s.machine(), key, "Driver"), "nKVMONITORUSB9X.DLL");
    EXPECT_EQ(dword(s.machine(), key, "DriverVersion"), 3u);

    s.machine().simRegistry().setDword(key, "DriverVersion", 1);
    s.machine().faults().failCall("CopyFileA", platform::err::sharingViolation, 2);
    auto third = s.request(PrinterType::Embedded, "QRT-M150", "USB_QRT-M150_1");
    EXPECT_EQ(s.install(third).result, InstallResult::Failed);
    ASSERT_FALSE(s.messages().empty());
    EXPECT_EQ(s.messages()[0].rfind(s.text("IDS_ERR_NEEDRESTART"), 0), 0u);
}

} // namespace
} // namespace installtest

// The uninstaller's single cases on the simulated machine, each asserted as
// what the user sees (list, message lines, boxes) and what the machine keeps.
#include "tests/sim/uninstall_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

const char* const usbPrinter = "QRT-K500NX(U) 1";
const Lines usbListing = {usbPrinter, "KV USB Monitor", "KVPrintProc"};

uninstall::UninstallChoice only(const Lines& items, bool usbDriver = false) {
    uninstall::UninstallChoice choice;
    choice.items = items;
    choice.usbDriver = usbDriver;
    return choice;
}

TEST(UninstallCases, APrinterWithJobsStopsEverythingBeforeAnythingIsTouched) {
    auto s = installedSample();
    SimMachine& m = s->machine();
    m.simSpooler().setJobs(usbPrinter, 2);
    const auto before = s->state();
    const auto run = uninstallOn(m, everything(true));
    EXPECT_FALSE(run.worked);
    EXPECT_EQ(run.remaining, usbListing);
    ASSERT_FALSE(m.simDesktop().messageBoxes().empty());
    const auto& box = m.simDesktop().messageBoxes().back();
    EXPECT_EQ(box.text, uninstallText("IDS_ERR_HAVEJOB2", usbPrinter));
    EXPECT_EQ(box.caption, "Uninstall");
    EXPECT_EQ(stateChanges(before, s->state()), Lines{});
    EXPECT_EQ(m.simDesktop().launches().size(), 1u) << "only the setup's Install.exe 2";
}

TEST(UninstallCases, AMonitorStillInUseStaysListedWithItsMessage) {
    auto s = installedSample();
    const auto run = uninstallOn(s->machine(), only({"KV USB Monitor"}));
    EXPECT_TRUE(run.worked);
    EXPECT_EQ(
        run.messages,
        (Lines{uninstallText("IDS_SELECTPRN1"), uninstallText("IDS_DELETING1", "KV USB Monitor"),
               uninstallText("IDS_USING", "KV USB Monitor"), uninstallText("IDS_SELECTPRN1")}));
    EXPECT_EQ(run.remaining, usbListing);
    EXPECT_EQ(run.restart, std::nullopt) << "nothing was removed";
    EXPECT_TRUE(s->machine().simServices().spoolerRunning());
}

TEST(UninstallCases, WithoutDeletePrinterDriverExTheOlderCallRemovesTheDriverAndItsFiles) {
    auto s = installedSample(WindowsVariant::Xp, 32, "LPT1:");
    SimMachine& m = s->machine();
    m.simSystem().removeFunction("winspool.drv", "DeletePrinterDriverExA");
    const auto run = uninstallOn(m, everything());
    EXPECT_TRUE(run.complete()) << run.stopped;
    const auto& calls = m.faults().callCounts();
    EXPECT_EQ(calls.count("DeletePrinterDriverExA"), 0u);
    EXPECT_EQ(calls.at("DeletePrinterDriverA"), 1u);
    EXPECT_TRUE(m.simSpooler().drivers().empty());
    // The spooler leaves the files to the caller here; the uninstaller deletes
    // those no other driver lists, as the newer call would.
    const std::string drivers = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\";
    EXPECT_FALSE(anyLine(m.simFiles().listFiles(drivers), "K500NX.GPD"));
}

TEST(UninstallCases, UninstallIniIsTakenFromDrvconfigWhenThePackageRootHasNone) {
    auto s = installedSample();
    fs::rename(s->package() / "Uninstall.ini", s->package() / "DRVCONFIG" / "Uninstall.ini");
    auto run = uninstallOn(s->machine(), only({}));
    EXPECT_EQ(run.listed, usbListing);

    fs::remove(s->package() / "DRVCONFIG" / "Uninstall.ini");
    run = uninstallOn(s->machine(), only({}));
    EXPECT_EQ(run.stopped, "the uninstaller closed as it opened");
    EXPECT_EQ(s->machine().simDesktop().messageBoxes().back().text, uninstallText("IDS_ERR_NOINI"));
}

TEST(UninstallCases, TheUsbDeviceDriverAloneIsRemovedWithoutARestartOffer) {
    auto s = installedSample();
    SimMachine& m = s->machine();
    const std::uint64_t start = m.simClock().now();
    const auto run = uninstallOn(m, only({}, true));
    EXPECT_TRUE(run.complete()) << run.stopped;
    const auto& launch = m.simDesktop().launches().back();
    EXPECT_EQ(launch.file, "E:\\Package\\USBDRV\\USBDriver_x64\\Install.exe");
    EXPECT_EQ(launch.parameters, "22");
    EXPECT_EQ(launch.verb, "open");
    EXPECT_FALSE(m.simFiles().exists(m.systemDirectory() + "\\drivers\\KVPUSB.sys"));
    EXPECT_EQ(run.messages,
              (Lines{uninstallText("IDS_SELECTPRN1"), uninstallText("IDS_DELETING3"),
                     uninstallText("IDS_DRV_SUCCESS1"), uninstallText("IDS_SELECTPRN1")}));
    EXPECT_EQ(run.remaining, usbListing);
    EXPECT_EQ(run.restart, std::nullopt);
    // 0.5 s, a look each second while the window stays (4 s), then 1.5 s.
    EXPECT_GE(m.simClock().now() - start, 6000u);
}

// Another maker's printer, driver, monitor, processor and INF file beside
// ours, with an Uninstall.ini whose broken entries would reach them.
TEST(UninstallCases, AnotherMakersObjectsAreNeverListedOrTouched) {
    auto s = installedSample();
    SimMachine& m = s->machine();
    auto& files = m.simFiles();
    const std::string system = m.systemDirectory();
    const std::string driverDir = system + "\\spool\\drivers\\x64\\";
    files.writeText(system + "\\acme500mon.dll", "acme monitor");
    files.writeText(system + "\\spool\\prtprocs\\x64\\acme0proc.dll", "acme processor");
    for (const char* file : {"ACME200.DLL", "ACME200UI.DLL", "ACME200.GPD"})
        files.writeText(driverDir + file, std::string("acme ") + file);
    files.writeText("C:\\WINDOWS\\inf\\oem5.inf", "[Version]\r\nClass=Printer\r\n");
    files.writeText("C:\\boot.ini", "[boot loader]");
    platform::Spooler& spooler = m.spooler();
    ASSERT_TRUE(spooler.AddMonitorA({"Acme 500 Monitor", "", "acme500mon.dll"}));
    ASSERT_TRUE(spooler.AddPrintProcessorA("Windows x64", "acme0proc.dll", "Acme0Proc"));
    platform::DriverInfo3 driver;
    driver.name = "Acme Receipt Printer Driver v1 200";
    driver.environment = "Windows x64";
    driver.driverPath = "ACME200.DLL";
    driver.dataFile = "ACME200.GPD";
    driver.configFile = "ACME200UI.DLL";
    ASSERT_TRUE(spooler.AddPrinterDriverA(driver));
    platform::PrinterInfo2 printer;
    printer.printerName = "Acme Printer 100";
    printer.portName = "LPT1:";
    printer.driverName = driver.name;
    printer.printProcessor = "Acme0Proc";
    ASSERT_NE(spooler.AddPrinterA(printer), 0u);
    // Broken entries: a count beyond the names, an empty one, a text cut to
    // 29 characters would match the other maker's driver, file names that
    // reach out of the system folder.
    std::string ini = readHostFile(s->package() / "Uninstall.ini");
    auto replace = [&ini](const std::string& from, const std::string& to) {
        const std::size_t at = ini.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        ini.replace(at, from.size(), to);
    };
    replace("PRINTERNUM=8", "PRINTERNUM=11");
    replace("PRINTERNAME8=QRT-K500NX", "PRINTERNAME8=QRT-K500NX\r\nPRINTERNAME9=\r\n"
                                       "PRINTERNAME:=Acme Receipt Printer Driver v2 (KV)");
    replace("MonitorNUM=3", "MonitorNUM=5");
    replace("[KVUSBMonitor.Win7]\r\nMonitorPDLLName=KVMONITORUSB.DLL\r\n"
            "MONitorPUIDLLName=KVMONITORUSBUI.DLL",
            "[KVUSBMonitor.Win7]\r\nMonitorPDLLName=KVMONITORUSB.DLL\r\n"
            "MONitorPUIDLLName=..\\..\\..\\boot.ini");
    writeHostFile(s->package() / "Uninstall.ini", ini);

    const auto before = s->state();
    const auto run = uninstallOn(m, everything(true));
    EXPECT_EQ(run.listed, usbListing);
    EXPECT_TRUE(run.complete()) << run.stopped;
    for (const char* problem :
         {"[KVPRINTER] PRINTERNAME9 is missing or empty", "[KVPRINTER] PRINTERNAME: is longer",
          "[KVPRINTER] PRINTERNAME; is missing or empty", "[KVMONITOR] MONITORNAME4 is missing",
          "[KVUSBMonitor.Win7] MONitorPUIDLLName is \"..\\..\\..\\boot.ini\""})
        EXPECT_TRUE(anyLine(run.messages, problem)) << problem;
    for (const std::string& change : stateChanges(before, s->state())) {
        std::string lower = change;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_EQ(lower.find("acme"), std::string::npos) << change;
        EXPECT_EQ(lower.find("oem5"), std::string::npos) << change;
        EXPECT_EQ(lower.find("boot.ini"), std::string::npos) << change;
    }
    std::string content;
    EXPECT_TRUE(files.readText(driverDir + "3\\ACME200.DLL", content));
    EXPECT_EQ(content, "acme ACME200.DLL");
}

} // namespace
} // namespace installtest

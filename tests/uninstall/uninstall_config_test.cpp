// Uninstall.ini as the uninstaller reads it: what it matches, what it refuses
// (naming the key), the sections a monitor and a processor read per variant,
// and where the file is looked for.
#include "tests/setup/profile_files_fake.h"
#include "tests/support/sim_fixture.h"
#include "uninstall/removal_environment.h"
#include "uninstall/uninstall_config.h"
#include "uninstall/uninstall_ini.h"

#include <gtest/gtest.h>

namespace {

using uninstall::UninstallConfig;

const char* const path = "E:\\Package\\Uninstall.ini";

TEST(UninstallConfig, MissingEmptyAndOverlongEntriesMatchNothingAndAreNamed) {
    setup::testing::ProfileFilesFake files;
    files.set(path, "[KVPRINTER]\r\n"
                    "PRINTERNUM=5\r\n"
                    "PRINTERNAME1=K500\r\n"
                    "PRINTERNAME2=\r\n"
                    "PRINTERNAME4=Acme Receipt Printer Driver v2 (KV)\r\n"
                    "PRINTERNAME5=QRT-T300\r\n"
                    "[KVMONITOR]\r\nMonitorNUM=1\r\nMONITORNAME1=Port Mon\r\n"
                    "[KVPROC]\r\nPROCNUM=-3\r\n");
    const UninstallConfig config(files, path);
    struct Case {
        const char* driver;
        bool ours;
    } cases[] = {
        {"QRT-K500NX Receipt", true},
        {"QRT-T300 Ticket", true},
        {"qrt-k500nx receipt", false},             // case-sensitive
        {"Acme 200 Receipt", false},               // a missing entry read as "0" would match
        {"Other Maker Driver", false},             // an empty entry would match every name
        {"Acme Receipt Printer Driver v1", false}, // the overlong text cut to 29 would match
    };
    for (const Case& c : cases)
        EXPECT_EQ(config.isPackagePrinterDriver(c.driver), c.ours) << c.driver;
    EXPECT_TRUE(config.isPackageMonitor("Port Mon"));
    EXPECT_FALSE(config.isPackageProcessor("WinPrint"));
    EXPECT_EQ(
        config.problems(),
        (std::vector<std::string>{
            "Uninstall.ini: [KVPRINTER] PRINTERNAME2 is missing or empty and matches nothing.",
            "Uninstall.ini: [KVPRINTER] PRINTERNAME3 is missing or empty and matches nothing.",
            "Uninstall.ini: [KVPRINTER] PRINTERNAME4 is longer than 29 characters and is not "
            "used."}));
}

TEST(UninstallConfig, EntryKeysRunPastNineAndStopAtTheLastCharacterTheyCanUse) {
    setup::testing::ProfileFilesFake files;
    files.set(path, "[KVMONITOR]\r\nMonitorNUM=500\r\nMONITORNAME:=Tenth Monitor\r\n");
    const UninstallConfig config(files, path);
    EXPECT_TRUE(config.isPackageMonitor("Tenth Monitor"));
    EXPECT_TRUE(files.wasRead("MONITORNAME~"));
    EXPECT_FALSE(files.wasRead(std::string("MONITORNAME") + static_cast<char>('~' + 1)));
    ASSERT_FALSE(config.problems().empty());
    EXPECT_EQ(config.problems().front(),
              "Uninstall.ini: [KVMONITOR] MonitorNUM names more entries than the file can (78); "
              "the first ones are read.");
}

TEST(UninstallConfig, SectionsOfTheVariantGiveOnlyPlainFileNames) {
    setup::testing::ProfileFilesFake files;
    files.set(path, "[PortMon.Win7]\r\n"
                    "MonitorPDLLName=PMON.DLL\r\n"
                    "MONitorPUIDLLName=..\\..\\boot.ini\r\n"
                    "USBMONitorDLLName=C:\\x.dll\r\n"
                    "USBMONitorName=Port Mon\r\n"
                    "[PortMon.2K]\r\nMonitorPDLLName=*.DLL\r\nMONitorPUIDLLName=0\r\n"
                    "[KVPrintProc.2K]\r\nProcessorDllName=KVPROCESSOR.DLL\r\n");
    const UninstallConfig config(files, path);
    std::vector<std::string> problems;
    const uninstall::MonitorSection win7 = config.monitorSection("Port Mon", ".Win7", problems);
    EXPECT_EQ(win7.name, "PortMon.Win7");
    EXPECT_EQ(win7.dll, "PMON.DLL");
    EXPECT_EQ(win7.uiDll, "");
    EXPECT_EQ(win7.usbDll, "");
    EXPECT_EQ(win7.keyName, "Port Mon");
    EXPECT_EQ(problems,
              (std::vector<std::string>{
                  "Uninstall.ini: [PortMon.Win7] MONitorPUIDLLName is \"..\\..\\boot.ini\", "
                  "not a plain file name; it is not deleted.",
                  "Uninstall.ini: [PortMon.Win7] USBMONitorDLLName is \"C:\\x.dll\", not "
                  "a plain file name; it is not deleted."}));

    // XP reads the 2000 sections; a wildcard is refused, "0" names no file.
    uninstall::RemovalEnvironment xp;
    xp.os = common::osXp;
    problems.clear();
    const uninstall::MonitorSection onXp = config.monitorSection("Port Mon", xp.suffix(), problems);
    EXPECT_EQ(onXp.name, "PortMon.2K");
    EXPECT_EQ(onXp.dll, "");
    EXPECT_EQ(onXp.uiDll, "");
    EXPECT_EQ(problems.size(), 1u);
    EXPECT_EQ(config.processorDll("KVPrintProc", xp.suffix(), problems), "KVPROCESSOR.DLL");
}

TEST(RemovalEnvironment, SuffixAndSpoolerEnvironmentPerVariant) {
    struct Case {
        common::OsVariant os;
        bool wow64;
        const char* suffix;
        const char* spooler;
    } cases[] = {{common::osWin9x, false, ".98", "Windows 4.0"},
                 {common::osNt4, false, ".NT", "Windows NT x86"},
                 {common::os2000, false, ".2K", "Windows NT x86"},
                 {common::osXp, false, ".2K", "Windows NT x86"},
                 {common::osXp, true, ".2K", "Windows x64"},
                 {common::os2003, false, ".2003", "Windows NT x86"},
                 {common::osWin7, true, ".Win7", "Windows x64"}};
    for (const Case& c : cases) {
        uninstall::RemovalEnvironment e;
        e.os = c.os;
        e.wow64 = c.wow64;
        e.windows64 = c.wow64;
        EXPECT_EQ(e.suffix(), c.suffix) << c.os;
        EXPECT_EQ(e.spooler(), c.spooler) << c.os;
    }
}

TEST(UninstallIni, FoundBesideTheProgramThenInDrvconfigWithoutTouchingAnyFile) {
    testsupport::TempDir dir;
    auto config = testsupport::simConfig(dir, platform::sim::WindowsVariant::Win7, 64);
    dir.write("package/License.txt", "licence");
    dir.write("package/DRVCONFIG/setup.ini", "[DEVICENAME]\r\n");
    platform::sim::SimMachine m(config);
    const std::string root = config.programFolder;
    auto& files = m.files();
    files.SetFileAttributesA(root + "\\License.txt",
                             platform::fileattr::readOnly | platform::fileattr::hidden);

    struct Step {
        const char* write;  // a file to add first, "" for none
        const char* remove; // a file to take away first
        uninstall::IniLookup result;
        const char* found;
    } steps[] = {
        {"", "", uninstall::IniLookup::NotFound, ""},
        {"package/DRVCONFIG/UNINSTALL.INI", "", uninstall::IniLookup::Found,
         "E:\\Package\\DRVCONFIG\\Uninstall.ini"},
        {"package/Uninstall.ini", "", uninstall::IniLookup::Found, "E:\\Package\\Uninstall.ini"},
        {"", "package/Uninstall.ini", uninstall::IniLookup::Found,
         "E:\\Package\\DRVCONFIG\\Uninstall.ini"},
        {"", "package/DRVCONFIG/UNINSTALL.INI", uninstall::IniLookup::NotFound, ""},
        {"", "package/DRVCONFIG/setup.ini", uninstall::IniLookup::EmptyPackage, ""},
    };
    for (const Step& step : steps) {
        if (*step.write != '\0')
            dir.write(step.write, "[KVPRINTER]\r\n");
        if (*step.remove != '\0')
            std::filesystem::remove(dir.path() / step.remove);
        const uninstall::IniLocation location = uninstall::findUninstallIni(m);
        EXPECT_EQ(location.result, step.result) << step.write << step.remove;
        EXPECT_EQ(location.path, step.found);
    }
    EXPECT_EQ(files.GetFileAttributesA(root + "\\License.txt"),
              platform::fileattr::readOnly | platform::fileattr::hidden);
    EXPECT_STREQ(uninstall::messageOf(uninstall::IniLookup::EmptyPackage), "IDS_ERR_INVALID");

    m.faults().failCall("GetCurrentDirectoryA", 5);
    EXPECT_EQ(uninstall::findUninstallIni(m).result, uninstall::IniLookup::NoCurrentFolder);
}

} // namespace

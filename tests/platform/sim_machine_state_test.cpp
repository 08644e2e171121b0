// A simulated machine kept in a folder: what a fresh edition has on disk, and
// the whole state saved and loaded again.
#include "platform/sim/sim_cabinet.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/system_layout.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform;
using platform::sim::SimConfig;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

std::vector<std::string> cabinetMembers(SimMachine& m, const std::string& path) {
    std::string bytes;
    std::vector<sim::SimCabinetMember> members;
    EXPECT_TRUE(m.simFiles().readText(path, bytes)) << path;
    EXPECT_TRUE(sim::readCabinet(bytes, members)) << path;
    std::vector<std::string> names;
    for (const auto& member : members)
        names.push_back(member.name);
    return names;
}

void rewrite(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

TEST(SimMachineLayout, UniversalDriverFilesWhereEachEditionKeepsThem) {
    {
        testsupport::TempDir dir;
        SimMachine xp(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
        const auto names = cabinetMembers(xp, "C:\\WINDOWS\\Driver Cache\\i386\\driver.cab");
        for (const char* f : sim::uniDrvFiles)
            EXPECT_NE(names.end(), std::find(names.begin(), names.end(), f)) << f;
        EXPECT_TRUE(xp.simFiles().exists("C:\\WINDOWS\\Driver Cache\\i386\\sp3.cab"));
        EXPECT_TRUE(xp.simFiles().listFiles("C:\\WINDOWS\\system32\\DriverStore").empty());
    }
    {
        testsupport::TempDir dir;
        SimMachine w2k(testsupport::simConfig(dir, WindowsVariant::Win2000, 32));
        EXPECT_TRUE(w2k.simFiles().exists("C:\\WINNT\\Driver Cache\\i386\\driver.cab"));
    }
    {
        testsupport::TempDir dir;
        SimMachine x64(testsupport::simConfig(dir, WindowsVariant::Xp64, 64));
        EXPECT_TRUE(x64.simFiles().exists("C:\\WINDOWS\\Driver Cache\\amd64\\driver.cab"));
    }
    {
        testsupport::TempDir dir;
        SimMachine w7(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
        const std::string package = sim::ntprintPackageFolder(w7);
        EXPECT_EQ(0u,
                  package.rfind(
                      "C:\\WINDOWS\\system32\\DriverStore\\FileRepository\\ntprint.inf_amd64", 0))
            << package;
        std::string text;
        ASSERT_TRUE(w7.simFiles().readText(package + "\\Amd64\\unidrv.dll", text));
        EXPECT_EQ(sim::systemFileContent("unidrv.dll", "amd64"), text);
        EXPECT_TRUE(w7.simFiles().exists(package + "\\I386\\ttfsub.gpd"));
        // The store is shared by both bitnesses: a 32-bit search finds it.
        FindData found;
        const Handle h = w7.files().FindFirstFileA(
            "C:\\WINDOWS\\System32\\DriverStore\\FileRepository\\ntprint*", found);
        ASSERT_NE(invalidHandle, h);
        EXPECT_EQ(0u, found.name.rfind("ntprint.inf_amd64_neutral_", 0));
        w7.files().FindClose(h);
    }
    {
        testsupport::TempDir dir;
        SimMachine w98(testsupport::simConfig(dir, WindowsVariant::Win98, 32));
        std::string ini;
        ASSERT_TRUE(w98.simFiles().readText("C:\\WINDOWS\\win.ini", ini));
        EXPECT_NE(std::string::npos, ini.find("[windows]"));
    }
}

TEST(SimMachineState, EveryPartSurvivesSaveAndLoad) {
    testsupport::TempDir dir;
    SimConfig c = testsupport::simConfig(dir, WindowsVariant::Win7, 64);
    {
        SimMachine m(c);
        m.simRegistry().setDword("HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "USB_QRT-K500NX_1", 1);
        m.simFiles().setInUse("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys");
        m.simDesktop().queueAnswers({mb::idYes});
        m.desktop().MessageBoxA(0, "Change the printer's name?", "Setup", mb::yesNo);
        m.clock().Sleep(2500);
        m.faults().failCall("AddPrinterA", err::accessDenied, 2);
        m.simServices().setStartDelay(2);
        m.simUsb().attachPrinter(0x0109);
        m.simFiles().writeText("C:\\WINDOWS\\system32\\KVMON.DLL", "m");
        ASSERT_TRUE(m.spooler().AddMonitorA(MonitorInfo2{"KV Monitor", "", "KVMON.DLL"}));
        std::string error;
        ASSERT_TRUE(m.save(error)) << error;
    }
    SimConfig read;
    std::string error;
    ASSERT_TRUE(SimMachine::readConfig(c.root, read, error)) << error;
    EXPECT_EQ(WindowsVariant::Win7, read.os);
    EXPECT_EQ(64, read.bits);
    EXPECT_EQ(c.packageDir, read.packageDir);
    // The user's changes to system files stay: loading lays nothing out again.
    std::filesystem::remove(std::filesystem::path(c.root) / "C/WINDOWS/win.ini");
    const std::string store = "C:\\WINDOWS\\system32\\DriverStore";
    SimMachine m(read);
    ASSERT_TRUE(m.load(error)) << error;

    std::uint32_t number = 0;
    EXPECT_TRUE(
        m.simRegistry().readDword("HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "USB_QRT-K500NX_1", number));
    EXPECT_TRUE(m.simFiles().isInUse("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys"));
    ASSERT_EQ(1u, m.simDesktop().messageBoxes().size());
    EXPECT_EQ(mb::idYes, m.simDesktop().messageBoxes()[0].answer);
    EXPECT_EQ(2500u, m.simClock().waited());
    EXPECT_EQ(2u, m.simServices().startDelay());
    EXPECT_EQ(0x0109, m.simUsb().printers().at(0).identityWord());
    ASSERT_EQ(3u, m.simSpooler().monitors().size());
    EXPECT_TRUE(m.simFiles().isInUse("C:\\WINDOWS\\system32\\KVMON.DLL"));
    PrinterInfo2 p;
    EXPECT_EQ(0u, m.spooler().AddPrinterA(p));
    EXPECT_EQ(err::accessDenied, m.GetLastError()) << "the pending fault came along";
}

TEST(SimMachineState, DamagedFolderIsRefusedWithTheFileAndLine) {
    testsupport::TempDir dir;
    SimConfig c = testsupport::simConfig(dir, WindowsVariant::Xp, 32);
    {
        SimMachine m(c);
        std::string error;
        ASSERT_TRUE(m.save(error)) << error;
    }
    const std::filesystem::path root = c.root;
    SimConfig read;
    std::string error;
    struct Case {
        const char* file;
        std::string text;
        const char* expected;
    };
    const std::string config = "format 1\nos xp\nbits 32\n";
    for (const Case& k :
         {Case{"machine.txt", "format 1\nos 3.11\n",
               "machine.txt: line 2: unknown Windows variant '3.11'"},
          Case{"machine.txt", "format 1\nos 98\nbits 64\n",
               "machine.txt: 98 does not exist with 64 bits for a 32-bit program"},
          Case{"machine.txt", "format 2\nos xp\n", "machine.txt: line 1: unknown format '2'"},
          Case{"machine.txt", "os xp\n",
               "machine.txt: the format and the Windows variant must be given"}}) {
        rewrite(root / k.file, k.text);
        EXPECT_FALSE(SimMachine::readConfig(c.root, read, error)) << k.text;
        EXPECT_EQ(k.expected, error);
    }
    rewrite(root / "machine.txt", config);
    ASSERT_TRUE(SimMachine::readConfig(c.root, read, error)) << error;

    for (const Case& k :
         {Case{"clock.txt", "clock 12 x\n", "clock.txt: line 1: expected: clock NOW WAITED"},
          Case{"faults.txt", "fault AddPrinterA 0 1\n",
               "faults.txt: line 1: not a fault line (fault CALL ERROR TIMES)"},
          Case{"usb.txt", "library present\nprinter 12\n",
               "usb.txt: line 2: a device descriptor is 18 bytes in hex"},
          Case{"registry.txt", "key HKLM\nvalue HKLM%5CX name 4 ZZ\n",
               "registry.txt: line 2: not in the expected form"},
          Case{"devices.txt", "nonsense", "devices.txt: line 1: not in the expected form"}}) {
        const std::filesystem::path file = root / k.file;
        std::ifstream in(file, std::ios::binary);
        const std::string original{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
        rewrite(file, k.text);
        SimMachine m(read);
        EXPECT_FALSE(m.load(error)) << k.file;
        EXPECT_EQ(k.expected, error);
        rewrite(file, original);
    }
    std::filesystem::remove(root / "spooler.txt");
    SimMachine m(read);
    EXPECT_FALSE(m.load(error));
    EXPECT_EQ("spooler.txt is missing from " + c.root, error);
}

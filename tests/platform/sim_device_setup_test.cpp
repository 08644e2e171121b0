#include "platform/sim/sim_cabinet.h"
#include "platform/sim/sim_device_setup.h"
#include "platform/sim/sim_guid.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimDevice;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

const char* const printerInf = "[Version]\r\n"
                               "Signature=\"$Windows NT$\"\r\n"
                               "Class=USB\r\n"
                               "ClassGUID={36FC9E60-C465-11CF-8056-444553540000}\r\n"
                               "Provider=%Mfg%\r\n"
                               "[Manufacturer]\r\n"
                               "%Mfg%=Maker,NTx86,NTamd64\r\n"
                               "[Maker]\r\n"
                               "%Desc%=Dev,USB\\VID_1111&PID_0001\r\n"
                               "[Maker.NTx86]\r\n"
                               "%Desc%=Dev,USB\\VID_1111&PID_0001\r\n"
                               "[Maker.NTamd64]\r\n"
                               "%Desc%=Dev,USB\\VID_1111&PID_0001\r\n"
                               "[Dev.NT]\r\n"
                               "CopyFiles=Dev.Files\r\n"
                               "[Dev.Files]\r\n"
                               "PRN.sys\r\n"
                               "[Strings]\r\n"
                               "Mfg=\"Maker\"\r\n"
                               "Desc=\"Maker USB Printer\"\r\n";

const char* const portsInf = "[Version]\r\n"
                             "Signature=\"$Windows NT$\"\r\n"
                             "Class=Ports\r\n"
                             "[Manufacturer]\r\n"
                             "Maker=Ports,NTamd64\r\n"
                             "[Ports]\r\n"
                             "Virtual port=Port.Install,ROOT\\VPORT\r\n"
                             "Second=Port.Install\r\n"
                             "[Ports.NTamd64]\r\n"
                             "Virtual port=Port.Install,ROOT\\VPORT\r\n"
                             "[Port.Install]\r\n";

const Guid usbClass = {
    0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const Guid portsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

struct DeviceSetupTest : ::testing::Test {
    explicit DeviceSetupTest(int processBits = 64) {
        dir.write("package/PRN.INF", printerInf);
        dir.write("package/PRN.sys", "driver bytes");
        dir.write("package/PORTS.INF", portsInf);
        sim::SimConfig c = testsupport::simConfig(dir, WindowsVariant::Win7, 64);
        c.processBits = processBits;
        c.programFolder = "E:\\Drivers";
        machine = std::make_unique<SimMachine>(c);
    }
    DeviceSetup& setup() { return machine->deviceSetup(); }
    sim::SimDeviceSetup& sim() { return machine->simDeviceSetup(); }
    bool fileExists(const std::string& path) { return machine->simFiles().exists(path); }

    testsupport::TempDir dir;
    std::unique_ptr<SimMachine> machine;
};

struct WowDeviceSetupTest : DeviceSetupTest {
    WowDeviceSetupTest() : DeviceSetupTest(32) {}
};

std::string text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST_F(DeviceSetupTest, DriverUpdateNeedsAPresentDeviceWithTheHardwareId) {
    bool reboot = true;
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "USB\\VID_1111&PID_0001", "E:\\Drivers\\PRN.INF", installflag::force, reboot));
    EXPECT_EQ(0xE000020Bu, machine->GetLastError());
    EXPECT_TRUE(sim().oemInfs().empty()) << "nothing is copied without a device";

    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1",
                       {"USB\\VID_1111&PID_0001&REV_0100", "USB\\VID_1111&PID_0001"});
    sim().detachDevice("USB\\VID_1111&PID_0001\\5&1");
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "USB\\VID_1111&PID_0001", "E:\\Drivers\\PRN.INF", installflag::force, reboot));
    EXPECT_EQ(0xE000020Bu, machine->GetLastError()) << "an unplugged device does not count";
}

TEST_F(DeviceSetupTest, DriverUpdateInstallsTheInfOnTheDevice) {
    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001"});
    bool reboot = true;
    ASSERT_TRUE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "usb\\vid_1111&pid_0001", "E:\\Drivers\\PRN.INF", installflag::force, reboot));
    EXPECT_EQ(0u, machine->GetLastError());
    EXPECT_FALSE(reboot);
    const SimDevice* d = sim().device("USB\\VID_1111&PID_0001\\5&1");
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("Maker USB Printer", d->description);
    EXPECT_EQ("USB", d->className);
    EXPECT_EQ(usbClass, d->classGuid);
    EXPECT_EQ("oem0.inf", d->driverInf);
    EXPECT_TRUE(fileExists("C:\\WINDOWS\\inf\\oem0.inf"));
    EXPECT_TRUE(fileExists("C:\\WINDOWS\\inf\\oem0.pnf"));
    std::string sys;
    EXPECT_TRUE(machine->simFiles().readText("C:\\WINDOWS\\system32\\drivers\\PRN.sys", sys));
    EXPECT_EQ("driver bytes", sys);

    // The same INF again keeps its oemN.inf.
    ASSERT_TRUE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "USB\\VID_1111&PID_0001", "E:\\Drivers\\PRN.INF", installflag::force, reboot));
    EXPECT_EQ(std::vector<std::string>{"oem0.inf"}, sim().oemInfs());
}

TEST_F(DeviceSetupTest, DriverUpdateRefusesWhatWindowsRefuses) {
    sim().attachDevice("ROOT\\VPORT\\0000", {"ROOT\\VPORT"});
    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001"});
    bool reboot = false;
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(0, "USB\\VID_1111&PID_0001",
                                                            "E:\\Drivers\\MISSING.INF", 0, reboot));
    EXPECT_EQ(err::fileNotFound, machine->GetLastError());
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(0, "USB\\VID_1111&PID_0001",
                                                            "E:\\Drivers\\PRN.INF", 0x100, reboot));
    EXPECT_EQ(1004u, machine->GetLastError()) << "ERROR_INVALID_FLAGS";
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(0, "USB\\VID_1111&PID_0001",
                                                            "E:\\Drivers\\PORTS.INF", 0, reboot));
    EXPECT_EQ(err::noCompatDrivers, machine->GetLastError()) << "the INF lists no such id";

    std::filesystem::remove(dir.path() / "package" / "PRN.sys");
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(0, "USB\\VID_1111&PID_0001",
                                                            "E:\\Drivers\\PRN.INF", 0, reboot));
    EXPECT_EQ(err::fileNotFound, machine->GetLastError()) << "a driver file is missing";
    EXPECT_TRUE(sim().device("USB\\VID_1111&PID_0001\\5&1")->driverInf.empty());
}

TEST_F(WowDeviceSetupTest, ThirtyTwoBitProgramsCannotInstallDevicesOnSixtyFourBitWindows) {
    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001"});
    bool reboot = false;
    EXPECT_FALSE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "USB\\VID_1111&PID_0001", "E:\\Drivers\\PRN.INF", installflag::force, reboot));
    EXPECT_EQ(err::inWow64, machine->GetLastError());

    const Handle set = setup().SetupDiCreateDeviceInfoList(portsClass, 0);
    DeviceInfoData d;
    ASSERT_TRUE(
        setup().SetupDiCreateDeviceInfoA(set, "Ports", portsClass, "", 0, dicd::generateId, d));
    EXPECT_FALSE(setup().SetupDiCallClassInstaller(dif::registerDevice, set, d));
    EXPECT_EQ(err::inWow64, machine->GetLastError());
    EXPECT_TRUE(setup().SetupDiDestroyDeviceInfoList(set));
    EXPECT_TRUE(sim().devices().size() == 1) << "only the attached printer";

    // Pre-installing an INF works from either bitness.
    EXPECT_TRUE(setup().SetupCopyOEMInfA("E:\\Drivers\\PRN.INF", "E:\\Drivers", spost::path,
                                         spcopy::noOverwrite));
}

TEST_F(DeviceSetupTest, PreinstalledInfServesAPrinterPluggedInLater) {
    ASSERT_TRUE(setup().SetupCopyOEMInfA("E:\\Drivers\\PRN.INF", "E:\\Drivers", spost::path,
                                         spcopy::noOverwrite));
    EXPECT_EQ(std::vector<std::string>{"oem0.inf"}, sim().oemInfs());
    EXPECT_FALSE(setup().SetupCopyOEMInfA("E:\\Drivers\\PRN.INF", "E:\\Drivers", spost::path,
                                          spcopy::noOverwrite));
    EXPECT_EQ(err::fileExists, machine->GetLastError());
    EXPECT_TRUE(setup().SetupCopyOEMInfA("E:\\Drivers\\PORTS.INF", "", spost::path, 0));
    EXPECT_EQ((std::vector<std::string>{"oem0.inf", "oem1.inf"}), sim().oemInfs());

    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001"});
    const SimDevice* d = sim().device("USB\\VID_1111&PID_0001\\5&1");
    ASSERT_NE(nullptr, d);
    EXPECT_EQ("oem0.inf", d->driverInf);
    EXPECT_EQ("Maker USB Printer", d->description);
    EXPECT_TRUE(fileExists("C:\\WINDOWS\\system32\\drivers\\PRN.sys"))
        << "the driver file comes from the media folder the INF was pre-installed from";

    sim().attachDevice("USB\\VID_2222&PID_0002\\5&2", {"USB\\VID_2222&PID_0002"}, "Unknown");
    EXPECT_TRUE(sim().device("USB\\VID_2222&PID_0002\\5&2")->driverInf.empty());
}

TEST_F(DeviceSetupTest, InfLinesAndFieldsThroughTheSeam) {
    machine->simFiles().writeText("C:\\WINDOWS\\inf\\ports.inf", portsInf);
    std::uint32_t errorLine = 99;
    const Handle inf = setup().SetupOpenInfFileA("PORTS.INF", "", infstyle::win4, errorLine);
    ASSERT_NE(invalidHandle, inf) << "a bare name is one of the system's INF files";
    EXPECT_EQ(0u, errorLine);

    InfContext maker;
    ASSERT_TRUE(setup().SetupFindFirstLineA(inf, "manufacturer", "", maker));
    std::string value;
    ASSERT_TRUE(setup().SetupGetStringFieldA(maker, 1, value));
    EXPECT_EQ("Ports", value);
    EXPECT_EQ(2u, setup().SetupGetFieldCount(maker));

    InfContext model;
    ASSERT_TRUE(setup().SetupFindFirstLineA(inf, value, "", model));
    ASSERT_TRUE(setup().SetupGetStringFieldA(model, 0, value));
    EXPECT_EQ("Virtual port", value);
    ASSERT_TRUE(setup().SetupFindNextLine(model, model));
    EXPECT_EQ(1u, setup().SetupGetFieldCount(model));
    EXPECT_FALSE(setup().SetupGetStringFieldA(model, 2, value));
    EXPECT_EQ(err::invalidParameter, machine->GetLastError());
    EXPECT_FALSE(setup().SetupFindNextLine(model, model));
    EXPECT_EQ(err::lineNotFound, machine->GetLastError());

    InfContext cls;
    ASSERT_TRUE(setup().SetupFindFirstLineA(inf, "Version", "CLASS", cls));
    ASSERT_TRUE(setup().SetupGetStringFieldA(cls, 1, value));
    EXPECT_EQ("Ports", value);
    EXPECT_FALSE(setup().SetupFindFirstLineA(inf, "Version", "Provider", cls));
    EXPECT_EQ(err::lineNotFound, machine->GetLastError());
    EXPECT_FALSE(setup().SetupFindFirstLineA(inf, "Nowhere", "", cls));
    EXPECT_EQ(err::lineNotFound, machine->GetLastError());

    EXPECT_EQ(1u, sim().openHandles());
    setup().SetupCloseInfFile(inf);
    EXPECT_EQ(0u, sim().openHandles());
    EXPECT_FALSE(setup().SetupFindFirstLineA(inf, "Version", "", cls));
    EXPECT_EQ(err::invalidHandle, machine->GetLastError());
}

TEST_F(DeviceSetupTest, OpeningInfFilesRefusesWhatWindowsRefuses) {
    machine->simFiles().writeText("E:\\Drivers\\OLD.INF", "[Version]\nSignature=$Linux$\n");
    machine->simFiles().writeText("E:\\Drivers\\BAD.INF", "[Version]\nClass=USB\n\n[Broken\n");
    std::uint32_t line = 0;
    EXPECT_EQ(invalidHandle, setup().SetupOpenInfFileA("E:\\Drivers\\NONE.INF", "", 2, line));
    EXPECT_EQ(err::fileNotFound, machine->GetLastError());
    EXPECT_EQ(invalidHandle, setup().SetupOpenInfFileA("E:\\Drivers\\OLD.INF", "", 2, line));
    EXPECT_EQ(err::wrongInfStyle, machine->GetLastError());
    EXPECT_EQ(invalidHandle, setup().SetupOpenInfFileA("E:\\Drivers\\BAD.INF", "", 1, line));
    EXPECT_EQ(err::badSectionNameLine, machine->GetLastError());
    EXPECT_EQ(4u, line);
    EXPECT_EQ(invalidHandle, setup().SetupOpenInfFileA("E:\\Drivers\\PRN.INF", "Ports", 2, line));
    EXPECT_EQ(err::classMismatch, machine->GetLastError());
    const Handle h = setup().SetupOpenInfFileA(".\\PRN.INF", "usb", 2, line);
    EXPECT_NE(invalidHandle, h) << "relative to the current folder, the program's own";
    setup().SetupCloseInfFile(h);
}

TEST_F(DeviceSetupTest, InfClassAndClassGuidsByName) {
    Guid guid;
    std::string name;
    ASSERT_TRUE(setup().SetupDiGetINFClassA("E:\\Drivers\\PRN.INF", guid, name));
    EXPECT_EQ("USB", name);
    EXPECT_EQ(usbClass, guid);
    ASSERT_TRUE(setup().SetupDiGetINFClassA("E:\\Drivers\\PORTS.INF", guid, name));
    EXPECT_EQ("Ports", name);
    EXPECT_TRUE(guid.isNull()) << "the INF names no GUID";

    std::vector<Guid> guids;
    ASSERT_TRUE(setup().SetupDiClassGuidsFromNameA("ports", guids));
    EXPECT_EQ(std::vector<Guid>{portsClass}, guids);
    ASSERT_TRUE(setup().SetupDiClassGuidsFromNameA("NoSuchClass", guids));
    EXPECT_TRUE(guids.empty());
}

TEST_F(DeviceSetupTest, DeviceInformationSetsRegisterEnumerateAndRemove) {
    const Handle set = setup().SetupDiCreateDeviceInfoList(portsClass, 0);
    ASSERT_NE(invalidHandle, set);
    DeviceInfoData wrong;
    EXPECT_FALSE(
        setup().SetupDiCreateDeviceInfoA(set, "USB", usbClass, "", 0, dicd::generateId, wrong));
    EXPECT_EQ(err::classMismatch, machine->GetLastError());
    EXPECT_FALSE(
        setup().SetupDiCreateDeviceInfoA(set, "A\\B", portsClass, "", 0, dicd::generateId, wrong));
    EXPECT_EQ(err::invalidDevinstName, machine->GetLastError());

    DeviceInfoData first, second;
    ASSERT_TRUE(
        setup().SetupDiCreateDeviceInfoA(set, "Ports", portsClass, "", 0, dicd::generateId, first));
    ASSERT_TRUE(setup().SetupDiCreateDeviceInfoA(set, "Ports", portsClass, "", 0, dicd::generateId,
                                                 second));
    const std::vector<std::uint8_t> ids = {'R', 'O', 'O', 'T', '\\', 'V', 'P', 'O', 'R', 'T', 0, 0};
    ASSERT_TRUE(setup().SetupDiSetDeviceRegistryPropertyA(set, first, spdrp::hardwareId, ids));
    EXPECT_FALSE(setup().SetupDiSetDeviceRegistryPropertyA(set, first, spdrp::hardwareId, {'X'}));
    EXPECT_EQ(err::invalidData, machine->GetLastError()) << "a list must end in zeros";
    ASSERT_TRUE(setup().SetupDiCallClassInstaller(dif::registerDevice, set, first));
    EXPECT_TRUE(sim().devices().empty() == false);
    ASSERT_TRUE(setup().SetupDiDestroyDeviceInfoList(set));
    ASSERT_EQ(1u, sim().devices().size()) << "the unregistered element went with its set";
    EXPECT_EQ("ROOT\\PORTS\\0000", sim().devices()[0].instanceId);

    bool reboot = false;
    ASSERT_TRUE(setup().UpdateDriverForPlugAndPlayDevicesA(
        0, "ROOT\\VPORT", "E:\\Drivers\\PORTS.INF", installflag::force, reboot));
    EXPECT_EQ("Virtual port", sim().device("ROOT\\PORTS\\0000")->description);

    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001"});
    sim().addDevice(
        SimDevice{0, "ROOT\\PORTS\\0007", portsClass, "", "Unplugged port", {}, "", true, false});
    const Handle present = setup().SetupDiGetClassDevsA(portsClass, "", 0, digcf::present);
    ASSERT_NE(invalidHandle, present);
    DeviceInfoData d;
    ASSERT_TRUE(setup().SetupDiEnumDeviceInfo(present, 0, d));
    EXPECT_FALSE(setup().SetupDiEnumDeviceInfo(present, 1, wrong))
        << "USB and absent ones left out";
    EXPECT_EQ(err::noMoreItems, machine->GetLastError());
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(
        setup().SetupDiGetDeviceRegistryPropertyA(present, d, spdrp::deviceDesc, type, bytes));
    EXPECT_EQ(regtype::sz, type);
    EXPECT_EQ(std::string("Virtual port") + '\0', text(bytes));
    ASSERT_TRUE(
        setup().SetupDiGetDeviceRegistryPropertyA(present, d, spdrp::hardwareId, type, bytes));
    EXPECT_EQ(regtype::multiSz, type);
    EXPECT_EQ(text(ids), text(bytes));

    ASSERT_TRUE(setup().SetupDiCallClassInstaller(dif::remove, present, d));
    EXPECT_EQ(nullptr, sim().device("ROOT\\PORTS\\0000"));
    EXPECT_FALSE(setup().SetupDiCallClassInstaller(dif::remove, present, d));
    EXPECT_EQ(err::noSuchDevinst, machine->GetLastError());
    EXPECT_TRUE(setup().SetupDiDestroyDeviceInfoList(present));
    EXPECT_FALSE(setup().SetupDiDestroyDeviceInfoList(present));
    EXPECT_EQ(err::invalidHandle, machine->GetLastError());
    EXPECT_EQ(0u, sim().openHandles());
}

TEST_F(DeviceSetupTest, CabinetMembersAreExtractedWhereTheCallerSays) {
    machine->simFiles().writeText(
        "E:\\Drivers\\set.cab",
        sim::makeCabinet({{"a.dll", "AAA"}, {"b.gpd", std::string("B\0B\n", 4)}, {"c.ini", ""}}));
    machine->simFiles().makeDirectories("C:\\Temp\\out");
    std::vector<std::string> seen;
    ASSERT_TRUE(setup().SetupIterateCabinetA("E:\\Drivers\\set.cab",
                                             [&](const std::string& member, std::string& target) {
                                                 seen.push_back(member);
                                                 target = "C:\\Temp\\out\\" + member;
                                                 return member != "c.ini";
                                             }));
    EXPECT_EQ((std::vector<std::string>{"a.dll", "b.gpd", "c.ini"}), seen);
    std::string content;
    ASSERT_TRUE(machine->simFiles().readText("C:\\Temp\\out\\b.gpd", content));
    EXPECT_EQ(std::string("B\0B\n", 4), content);
    EXPECT_FALSE(fileExists("C:\\Temp\\out\\c.ini"));

    EXPECT_FALSE(setup().SetupIterateCabinetA("E:\\Drivers\\set.cab",
                                              [](const std::string&, std::string& target) {
                                                  target = "C:\\NoSuchFolder\\x";
                                                  return true;
                                              }));
    EXPECT_EQ(err::pathNotFound, machine->GetLastError());

    machine->simFiles().writeText("E:\\Drivers\\bad.cab", "SIMCAB\nFILE 99 x\nshort\n");
    auto none = [](const std::string&, std::string&) { return false; };
    EXPECT_FALSE(setup().SetupIterateCabinetA("E:\\Drivers\\bad.cab", none));
    EXPECT_EQ(err::invalidData, machine->GetLastError());
    EXPECT_FALSE(setup().SetupIterateCabinetA("E:\\Drivers\\none.cab", none));
    EXPECT_EQ(err::fileNotFound, machine->GetLastError());
}

TEST_F(DeviceSetupTest, EveryCallCanBeToldToFail) {
    machine->faults().failCall("SetupDiGetClassDevsA", err::accessDenied);
    EXPECT_EQ(invalidHandle, setup().SetupDiGetClassDevsA(usbClass, "", 0, digcf::present));
    EXPECT_EQ(err::accessDenied, machine->GetLastError());
    const Handle set = setup().SetupDiGetClassDevsA(usbClass, "", 0, digcf::present);
    EXPECT_NE(invalidHandle, set) << "the fault was for one call";
    setup().SetupDiDestroyDeviceInfoList(set);

    machine->faults().failCall("SetupCopyOEMInfA", err::notEnoughMemory);
    EXPECT_FALSE(setup().SetupCopyOEMInfA("E:\\Drivers\\PRN.INF", "", spost::path, 0));
    EXPECT_EQ(err::notEnoughMemory, machine->GetLastError());
    EXPECT_TRUE(sim().oemInfs().empty());
}

TEST_F(DeviceSetupTest, DeviceManagerSurvivesSaveAndLoad) {
    sim().addClass("PosPrinter", {0x12345678, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}});
    bool reboot = false;
    sim().attachDevice("USB\\VID_1111&PID_0001\\5&1", {"USB\\VID_1111&PID_0001", "USB\\X Y"});
    ASSERT_TRUE(setup().UpdateDriverForPlugAndPlayDevicesA(0, "USB\\VID_1111&PID_0001",
                                                           "E:\\Drivers\\PRN.INF", 0, reboot));
    sim().attachDevice("ROOT\\VPORT\\0000", {"ROOT\\VPORT"}, "with space");
    sim().detachDevice("ROOT\\VPORT\\0000");
    std::stringstream saved;
    sim().save(saved);

    testsupport::TempDir other;
    SimMachine copy(testsupport::simConfig(other, WindowsVariant::Win7, 64));
    ASSERT_TRUE(copy.simDeviceSetup().load(saved));
    const auto before = sim().devices(), after = copy.simDeviceSetup().devices();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(before[i].instanceId, after[i].instanceId);
        EXPECT_EQ(before[i].devInst, after[i].devInst);
        EXPECT_EQ(before[i].classGuid, after[i].classGuid);
        EXPECT_EQ(before[i].className, after[i].className);
        EXPECT_EQ(before[i].description, after[i].description);
        EXPECT_EQ(before[i].hardwareIds, after[i].hardwareIds);
        EXPECT_EQ(before[i].driverInf, after[i].driverInf);
        EXPECT_EQ(before[i].present, after[i].present);
    }
    std::vector<Guid> guids;
    copy.deviceSetup().SetupDiClassGuidsFromNameA("posprinter", guids);
    EXPECT_EQ(1u, guids.size());
    EXPECT_NE(before.back().devInst,
              copy.simDeviceSetup().attachDevice("USB\\NEW\\1", {"USB\\NEW"}));

    for (const char* bad : {"device 1 X {bad} USB d i 1\n", "device 1 X", "next x\n", "what\n",
                            "device 1 A {36FC9E60-C465-11CF-8056-444553540000} USB d i 2\n"}) {
        std::stringstream in(bad);
        EXPECT_FALSE(copy.simDeviceSetup().load(in)) << bad;
    }
}

TEST(SimGuid, ReadsAndWritesTheRegistryForm) {
    Guid g;
    ASSERT_TRUE(sim::parseGuid("{4d36e978-E325-11CE-BFC1-08002BE10318}", g));
    EXPECT_EQ(portsClass, g);
    EXPECT_EQ("{4D36E978-E325-11CE-BFC1-08002BE10318}", sim::formatGuid(g));
    for (const char* bad :
         {"", "{}", "4D36E978-E325-11CE-BFC1-08002BE10318",
          "{4D36E978-E325-11CE-BFC1-08002BE1031G}", "{4D36E978-E325-11CE-BFC1008002BE10318}"})
        EXPECT_FALSE(sim::parseGuid(bad, g)) << bad;
}

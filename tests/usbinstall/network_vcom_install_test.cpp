#include "install_fixture.h"
#include "usbinstall/network_vcom_install.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;
using platform::sim::WindowsVariant;
using testsupport::InstallFixture;
using Lines = std::vector<std::string>;

namespace {

const std::string dotted = ".............................................\r\n";
const std::string finished = "Driver install finish, please plug in TCP printer.\r\n";
const std::string failedLine = "install failed , please uninstall and restart to install.\r\n";

std::vector<std::string> vcomDevices(InstallFixture& f) {
    std::vector<std::string> ids;
    for (const auto& d : f.devices().devices())
        ids.push_back(d.instanceId);
    return ids;
}

} // namespace

TEST(NetworkVcomInstall, CreatesTheDevicesAndInstallsTheDriverOnceAfterTheLast) {
    InstallFixture f;
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("8-3"));
    EXPECT_EQ((Lines{dotted, finished, finished, dotted, finished}), f.lines());
    EXPECT_EQ((Lines{"ROOT\\PORTS\\0000", "ROOT\\PORTS\\0001", "ROOT\\PORTS\\0002"}),
              vcomDevices(f));
    for (const auto& d : f.devices().devices()) {
        EXPECT_EQ(Lines{"ROOT\\NKVVCOM"}, d.hardwareIds);
        EXPECT_EQ("TAVO VCOM Port (TCP/IP)", d.description) << d.instanceId;
        EXPECT_EQ("oem0.inf", d.driverInf) << d.instanceId;
        EXPECT_TRUE(d.present);
    }
    EXPECT_EQ(1u, f.machine->faults().callCounts().at("UpdateDriverForPlugAndPlayDevicesA"));
    EXPECT_TRUE(f.exists("C:\\WINDOWS\\system32\\drivers\\NKVVCOM.SYS"));
    EXPECT_TRUE(f.messages().empty());
    EXPECT_EQ(0u, f.devices().openHandles()) << "every set and the INF are closed";
}

TEST(NetworkVcomInstall, CountsOutsideTheRangeCreateOneDevice) {
    for (const char* argument : {"8", "8-0", "8-300", "8-x"}) {
        InstallFixture f;
        f.run(argument);
        EXPECT_EQ((Lines{dotted, dotted, finished}), f.lines()) << argument;
        EXPECT_EQ(Lines{"ROOT\\PORTS\\0000"}, vcomDevices(f)) << argument;
    }
}

TEST(NetworkVcomInstall, AFailingStepIsNamedAndItsDevicesGoAgain) {
    struct Case {
        const char* call;
        const char* step;
    };
    const Case cases[] = {
        {"SetupOpenInfFileA", "SetupOpenInfFile"},
        {"SetupDiGetINFClassA", "SetupOpenInfFile"},
        {"SetupDiCreateDeviceInfoList", "SetupDiCreateDeviceInfoList"},
        {"SetupDiCreateDeviceInfoA", "SetupDiCreateDeviceInfo or SetupDiSetDeviceRegistryProperty"},
        {"SetupDiSetDeviceRegistryPropertyA",
         "SetupDiCreateDeviceInfo or SetupDiSetDeviceRegistryProperty"},
        {"SetupDiCallClassInstaller", "SetupDiCallClassInstaller(DIF_REGISTERDEVICE)"},
        {"UpdateDriverForPlugAndPlayDevicesA", "UpdateDriverForPlugAndPlayDevices"},
    };
    for (const Case& c : cases) {
        InstallFixture f;
        f.machine->faults().failCall(c.call, err::accessDenied);
        EXPECT_EQ(usbinstall::usbInstallFailed, f.run("8-3")) << c.call;
        EXPECT_EQ(Lines{std::string("Error 5 in ") + c.step + ": Access is denied.\r\n\n"},
                  f.messages())
            << c.call;
        ASSERT_FALSE(f.lines().empty());
        EXPECT_EQ(failedLine, f.lines().back()) << c.call;
        EXPECT_EQ(1u, std::count(f.lines().begin(), f.lines().end(), failedLine));
        EXPECT_TRUE(vcomDevices(f).empty()) << c.call << ": no device is left without its driver";
        EXPECT_EQ(0u, f.devices().openHandles()) << c.call;
    }
}

TEST(NetworkVcomInstall, MissingDeviceInTheInfIsReported) {
    InstallFixture noModels;
    noModels.machine->simFiles().writeText(
        "E:\\USBDRV\\USBDriver_x64\\NKVVCOM.INF",
        "[Version]\nSignature=\"$Windows NT$\"\nClass=Ports\n[Manufacturer]\nTAVO=Missing\n");
    EXPECT_EQ(usbinstall::usbInstallFailed, noModels.run("8"));
    EXPECT_EQ(Lines{"Error 259 in search for specified device: No more data is available.\r\n\n"},
              noModels.messages());
    EXPECT_EQ((Lines{dotted, failedLine}), noModels.lines());

    InstallFixture noManufacturer;
    noManufacturer.machine->simFiles().writeText("E:\\USBDRV\\USBDriver_x64\\NKVVCOM.INF",
                                                 "[Version]\nSignature=\"$Windows NT$\"\n"
                                                 "Class=Ports\n");
    noManufacturer.run("8");
    EXPECT_EQ(Lines{"Error E0000102 in search for specified device: ERROR_LINE_NOT_FOUND\n"},
              noManufacturer.messages());

    InstallFixture noInf;
    std::filesystem::remove(noInf.dir.path() / "package" / "NKVVCOM.INF");
    noInf.run("8");
    EXPECT_EQ(
        Lines{"Error 2 in SetupOpenInfFile: The system cannot find the file specified.\r\n\n"},
        noInf.messages());
    EXPECT_EQ(Lines{failedLine}, noInf.lines());
}

TEST(NetworkVcomInstall, ThirtyTwoBitCopyOnSixtyFourBitWindowsCannotRegisterDevices) {
    InstallFixture f(WindowsVariant::Win7, 64, 32);
    f.run("8-2");
    // ERROR_IN_WOW64 is newer than the names the report knows.
    EXPECT_EQ(Lines{"Error E0000235 in SetupDiCallClassInstaller(DIF_REGISTERDEVICE)\n"},
              f.messages());
    EXPECT_TRUE(vcomDevices(f).empty());
}

TEST(NetworkVcomInstall, InfPathIsUnquotedAndABareNameIsLocal) {
    EXPECT_EQ("E:\\x\\NKVVCOM.INF", usbinstall::infOpenPath("\"E:\\x\\NKVVCOM.INF\""));
    EXPECT_EQ("E:\\x\\NKVVCOM.INF", usbinstall::infOpenPath("E:\\x\\NKVVCOM.INF"));
    EXPECT_EQ(".\\NKVVCOM.INF", usbinstall::infOpenPath("NKVVCOM.INF"));
    EXPECT_EQ(".\\\"", usbinstall::infOpenPath("\""));
}

#include "install_fixture.h"

#include <gtest/gtest.h>

using namespace platform;
using testsupport::InstallFixture;
using Lines = std::vector<std::string>;

TEST(RunUsbInstall, UnknownArgumentsDoNothing) {
    for (const char* argument : {"", "0", "3", "-8", "12", "abc", "222", "/2"}) {
        InstallFixture f;
        EXPECT_EQ(
            usbinstall::usbInstallUnknownArgument,
            usbinstall::runUsbInstall(*f.machine, argument, "E:\\USBDRV\\USBDriver_x64", f.log))
            << argument;
        EXPECT_TRUE(f.lines().empty()) << argument;
        EXPECT_TRUE(f.machine->faults().callCounts().empty())
            << argument << ": no call of the machine at all";
    }
}

TEST(RunUsbInstall, PackageFolderIsTheProgramsOwn) {
    InstallFixture f;
    EXPECT_EQ("E:\\USBDRV\\USBDriver_x64", usbinstall::programFolder(*f.machine));
    f.machine->faults().failCall("GetModuleFileNameA", err::insufficientBuffer);
    EXPECT_EQ("", usbinstall::programFolder(*f.machine));
}

TEST(RunUsbInstall, PrinterDriverLifeFromPreinstallToRemoval) {
    InstallFixture f;
    f.run("2");
    f.devices().attachDevice("USB\\VID_2E7A&PID_2E7A\\5&1", {"USB\\VID_2E7A&PID_2E7A"});
    ASSERT_EQ("oem0.inf", f.devices().device("USB\\VID_2E7A&PID_2E7A\\5&1")->driverInf);
    ASSERT_TRUE(f.exists("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys"));

    f.run("22");
    EXPECT_TRUE(f.devices().devices().empty());
    EXPECT_TRUE(f.devices().oemInfs().empty());
    EXPECT_FALSE(f.exists("C:\\WINDOWS\\inf\\oem0.pnf"));
    EXPECT_FALSE(f.exists("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys"));

    // Plugged in again, the printer finds no driver left behind.
    f.devices().attachDevice("USB\\VID_2E7A&PID_2E7A\\5&1", {"USB\\VID_2E7A&PID_2E7A"});
    EXPECT_TRUE(f.devices().device("USB\\VID_2E7A&PID_2E7A\\5&1")->driverInf.empty());
    EXPECT_EQ((Lines{"start install the device drivers.\r\n",
                     "USB device no exist, start to preinstall.\r\n",
                     "uninstall the device drivers and delete application.\r\n",
                     "uninstall finish.....\r\n"}),
              f.lines());
}

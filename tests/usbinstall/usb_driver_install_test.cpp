#include "install_fixture.h"

#include <gtest/gtest.h>

using namespace platform;
using platform::sim::WindowsVariant;
using testsupport::InstallFixture;
using Lines = std::vector<std::string>;

namespace {

const char* const printerDescription = "USB Device Driver for KORVANE POS Printer";

unsigned calls(InstallFixture& f, const char* call) {
    const auto& counts = f.machine->faults().callCounts();
    const auto it = counts.find(call);
    return it == counts.end() ? 0 : it->second;
}

std::string packageText(InstallFixture& f, const std::string& name) {
    std::string text;
    f.machine->simFiles().readText("E:\\USBDRV\\USBDriver_x64\\" + name, text);
    return text;
}

} // namespace

TEST(UsbPrinterDriverInstall, WithoutPrinterPreinstallsForWhenOneIsPluggedIn) {
    InstallFixture f;
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("2"));
    EXPECT_EQ((Lines{"start install the device drivers.\r\n",
                     "USB device no exist, start to preinstall.\r\n"}),
              f.lines());
    EXPECT_EQ(5u, calls(f, "UpdateDriverForPlugAndPlayDevicesA")) << "every printer id was tried";
    ASSERT_EQ(Lines{"oem0.inf"}, f.devices().oemInfs());
    std::string copied;
    f.machine->simFiles().readText("C:\\WINDOWS\\inf\\oem0.inf", copied);
    EXPECT_EQ(packageText(f, "KVPUSB.INF"), copied);
    EXPECT_TRUE(f.messages().empty());

    // Plug and Play now finds the driver by itself, for any of the printers' ids.
    f.devices().attachDevice("USB\\VID_2E7A&PID_1001\\7&2",
                             {"USB\\VID_2E7A&PID_1001&REV_0100", "USB\\VID_2E7A&PID_1001"});
    const auto* printer = f.devices().device("USB\\VID_2E7A&PID_1001\\7&2");
    ASSERT_NE(nullptr, printer);
    EXPECT_EQ(printerDescription, printer->description);
    EXPECT_EQ("USB", printer->className);
    EXPECT_TRUE(f.exists("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys"));
}

TEST(UsbPrinterDriverInstall, WithPrinterAttachedInstallsItsDriver) {
    InstallFixture f;
    f.devices().attachDevice("USB\\VID_05D1&PID_05D1\\5&1", {"USB\\VID_05D1&PID_05D1"});
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("2"));
    EXPECT_EQ((Lines{"start install the device drivers.\r\n",
                     "usb device already exist, start to install drivers.\r\n"}),
              f.lines());
    EXPECT_EQ(2u, calls(f, "UpdateDriverForPlugAndPlayDevicesA")) << "stops at the first that fits";
    EXPECT_EQ(0u, calls(f, "SetupCopyOEMInfA"));
    const auto* printer = f.devices().device("USB\\VID_05D1&PID_05D1\\5&1");
    ASSERT_NE(nullptr, printer);
    EXPECT_EQ(printerDescription, printer->description);
    EXPECT_EQ("oem0.inf", printer->driverInf);
    std::string sys;
    ASSERT_TRUE(f.machine->simFiles().readText("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys", sys));
    EXPECT_EQ("KVPUSB driver USBDriver_x64", sys);
}

TEST(UsbPrinterDriverInstall, RunningAgainWithoutPrinterKeepsOneCopy) {
    InstallFixture f;
    f.run("2");
    f.run("2");
    EXPECT_EQ(Lines{"oem0.inf"}, f.devices().oemInfs());
    EXPECT_EQ(4u, f.lines().size());
    EXPECT_TRUE(f.messages().empty()) << "the refused second copy is not reported";
}

TEST(UsbPrinterDriverInstall, ThirtyTwoBitCopyOnSixtyFourBitWindowsCanOnlyPreinstall) {
    // Why the package carries a 64-bit Install: Windows refuses device
    // installation from a 32-bit program there.
    InstallFixture f(WindowsVariant::Win7, 64, 32);
    f.devices().attachDevice("USB\\VID_2E7A&PID_2E7A\\5&1", {"USB\\VID_2E7A&PID_2E7A"});
    f.run("2");
    EXPECT_EQ("USB device no exist, start to preinstall.\r\n", f.lines().back());
    EXPECT_TRUE(f.devices().device("USB\\VID_2E7A&PID_2E7A\\5&1")->driverInf.empty());
    EXPECT_EQ(Lines{"oem0.inf"}, f.devices().oemInfs());
}

TEST(UsbPrinterDriverInstall, ThirtyTwoBitPackageOnThirtyTwoBitWindows) {
    InstallFixture f(WindowsVariant::Xp, 32, 32);
    f.devices().attachDevice("USB\\VID_0BB3&PID_030A\\5&1", {"USB\\VID_0BB3&PID_030A"});
    f.run("2");
    EXPECT_EQ("usb device already exist, start to install drivers.\r\n", f.lines().back());
    EXPECT_EQ(5u, calls(f, "UpdateDriverForPlugAndPlayDevicesA"));
    EXPECT_EQ(printerDescription, f.devices().device("USB\\VID_0BB3&PID_030A\\5&1")->description);
    std::string sys;
    ASSERT_TRUE(f.machine->simFiles().readText("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys", sys));
    EXPECT_EQ("KVPUSB driver USBDriver", sys);
}

TEST(UsbVirtualComDriverInstall, InstallsOrPreinstallsThePortsDriver) {
    InstallFixture without;
    without.run("1");
    EXPECT_EQ((Lines{"start install the device drivers.\r\n",
                     "usb device no exist, start to preinstall.\r\n"}),
              without.lines());
    std::string copied;
    without.machine->simFiles().readText("C:\\WINDOWS\\inf\\oem0.inf", copied);
    EXPECT_EQ(packageText(without, "USBVCOM.INF"), copied);

    InstallFixture with;
    with.devices().attachDevice("USB\\VID_2E7A&PID_1000\\5&1", {"USB\\VID_2E7A&PID_1000"});
    with.run("1");
    EXPECT_EQ("usb device already exist, start to install drivers.\r\n", with.lines().back());
    const auto* port = with.devices().device("USB\\VID_2E7A&PID_1000\\5&1");
    EXPECT_EQ("Ports", port->className);
    EXPECT_EQ("USBVCOM Virtual COM Port", port->description);
    EXPECT_TRUE(with.exists("C:\\WINDOWS\\system32\\drivers\\USBVCOM.SYS"));
}

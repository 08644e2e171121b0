#include "install_fixture.h"
#include "usbinstall/install_tables.h"

#include <gtest/gtest.h>

using namespace platform;
using platform::sim::SimDevice;
using testsupport::InstallFixture;
using Lines = std::vector<std::string>;

namespace {

const std::string startLine = "uninstall the device drivers and delete application.\r\n";
const std::string finishLine = "uninstall finish.....\r\n";
const std::string inf = "C:\\WINDOWS\\inf\\";
const std::string drivers = "C:\\WINDOWS\\system32\\drivers\\";

std::string infText(const std::string& cls, const std::string& strings) {
    return "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=" + cls +
           "\r\nProvider=%Provider%\r\n[Strings]\r\n" + strings;
}

SimDevice device(const char* id, const Guid& cls, const char* description, bool present = true) {
    return SimDevice{0, id, cls, "", description, {}, "oem1.inf", true, present};
}

std::vector<std::string> deviceIds(InstallFixture& f) {
    std::vector<std::string> ids;
    for (const auto& d : f.devices().devices())
        ids.push_back(d.instanceId);
    return ids;
}

// A machine where the package's drivers and other makers' lie side by side.
struct RemovalTest : ::testing::Test {
    RemovalTest() {
        using usbinstall::portsClassGuid;
        using usbinstall::usbClassGuid;
        auto& d = f.devices();
        d.addDevice(device("USB\\VID_2E7A&PID_2E7A\\1", usbClassGuid,
                           "USB Device Driver for KORVANE POS Printer"));
        d.addDevice(device("USB\\VID_0BB3&PID_030A\\2", usbClassGuid,
                           "USB Device Driver for KORVANE POS Printer", false));
        d.addDevice(device("USB\\VID_0781&PID_5567\\3", usbClassGuid, "USB Mass Storage Device"));
        d.addDevice(
            device("USB\\VID_2E7A&PID_1000\\4", portsClassGuid, "USBVCOM Virtual COM Port"));
        d.addDevice(device("ROOT\\PORTS\\0000", portsClassGuid, "TAVO VCOM Port (TCP/IP)"));
        d.addDevice(device("ACPI\\PNP0501\\1", portsClassGuid, "Communications Port"));

        auto& files = f.machine->simFiles();
        for (const char* name : {"KVPUSB.INF", "KVPUSB.PNF", "BULKUSB.INF", "BULKUSB.PNF",
                                 "USBVCOM.INF", "USBVCOM.PNF", "NKVVCOM.INF", "NKVVCOM.PNF"})
            files.writeText(inf + name, "x");
        for (const char* name :
             {"KVPUSB.SYS", "BULKUSB.SYS", "USBVCOM.SYS", "NKVVCOM.SYS", "usbstor.sys"})
            files.writeText(drivers + name, "x");

        std::string packaged;
        files.readText("E:\\USBDRV\\USBDriver_x64\\KVPUSB.INF", packaged);
        files.writeText(inf + "oem3.inf", packaged);
        files.readText("E:\\USBDRV\\USBDriver_x64\\USBVCOM.INF", packaged);
        files.writeText(inf + "oem8.inf", packaged);
        files.readText("E:\\USBDRV\\USBDriver_x64\\NKVVCOM.INF", packaged);
        files.writeText(inf + "oem9.inf", packaged);
        files.writeText(inf + "oem4.inf", infText("USB", "Provider=\"Other Maker\"\r\n"));
        files.writeText(inf + "oem5.inf", infText("USB", "KV=\"KORVANE\"\r\n"));
        files.writeText(inf + "oem6.inf", infText("usb", "Provider=\"KORVANE\"\r\n"));
        files.writeText(inf + "oem7.inf", infText("USB", "QW=\"Someone else\"\r\n"));
        files.writeText(inf + "oem10.inf", infText("Ports", "Mfg=\"Standard ports\"\r\n"));
        files.writeText(inf + "oem11.inf", "[broken\r\n");
        files.writeText(inf + "usb.inf", infText("USB", "Provider=\"Microsoft\"\r\n"));
        for (const char* pnf : {"oem3.pnf", "oem4.pnf", "oem5.pnf", "oem8.pnf", "oem9.pnf"})
            files.writeText(inf + pnf, "x");
    }

    std::vector<std::string> infFolder() {
        std::vector<std::string> names;
        for (const std::string& path : f.machine->simFiles().listFiles(inf))
            names.push_back(path.substr(path.rfind('\\') + 1));
        std::sort(names.begin(), names.end());
        return names;
    }

    InstallFixture f;
};

} // namespace

TEST_F(RemovalTest, PrinterDriverRemovalTakesOnlyThePackagesDevicesAndFiles) {
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("22"));
    EXPECT_EQ((Lines{startLine, finishLine}), f.lines());
    EXPECT_EQ((Lines{"USB\\VID_0BB3&PID_030A\\2", "USB\\VID_0781&PID_5567\\3",
                     "USB\\VID_2E7A&PID_1000\\4", "ROOT\\PORTS\\0000", "ACPI\\PNP0501\\1"}),
              deviceIds(f))
        << "the present printer went; an unplugged one, other makers' and other classes stay";
    EXPECT_EQ((Lines{"NKVVCOM.INF", "NKVVCOM.PNF", "USBVCOM.INF", "USBVCOM.PNF", "oem10.inf",
                     "oem11.inf", "oem4.inf", "oem4.pnf", "oem6.inf", "oem7.inf", "oem8.inf",
                     "oem8.pnf", "oem9.inf", "oem9.pnf", "usb.inf"}),
              infFolder());
    for (const char* gone : {"KVPUSB.SYS", "BULKUSB.SYS"})
        EXPECT_FALSE(f.exists(drivers + gone)) << gone;
    for (const char* kept : {"USBVCOM.SYS", "NKVVCOM.SYS", "usbstor.sys"})
        EXPECT_TRUE(f.exists(drivers + kept)) << kept;
    EXPECT_TRUE(f.messages().empty());
    EXPECT_EQ(0u, f.devices().openHandles());
}

TEST_F(RemovalTest, VirtualComRemovalsTakeTheirPortsAndEveryTavoPortsInf) {
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("11"));
    EXPECT_EQ((Lines{startLine, finishLine}), f.lines());
    EXPECT_EQ(nullptr, f.devices().device("USB\\VID_2E7A&PID_1000\\4"));
    EXPECT_NE(nullptr, f.devices().device("ROOT\\PORTS\\0000"));
    EXPECT_FALSE(f.exists(inf + "USBVCOM.INF"));
    EXPECT_FALSE(f.exists(inf + "USBVCOM.PNF"));
    EXPECT_FALSE(f.exists(drivers + "USBVCOM.SYS"));
    EXPECT_TRUE(f.exists(drivers + "NKVVCOM.SYS"));
    for (const char* gone : {"oem8.inf", "oem8.pnf", "oem9.inf", "oem9.pnf"})
        EXPECT_FALSE(f.exists(inf + gone)) << gone;
    for (const char* kept : {"oem3.inf", "oem10.inf", "NKVVCOM.INF"})
        EXPECT_TRUE(f.exists(inf + kept)) << kept;

    InstallFixture& g = f;
    g.log.texts.clear();
    EXPECT_EQ(usbinstall::usbInstallDone, g.run("88"));
    EXPECT_EQ(nullptr, f.devices().device("ROOT\\PORTS\\0000"));
    EXPECT_NE(nullptr, f.devices().device("ACPI\\PNP0501\\1"));
    EXPECT_FALSE(f.exists(inf + "NKVVCOM.INF"));
    EXPECT_FALSE(f.exists(drivers + "NKVVCOM.SYS"));
    EXPECT_TRUE(f.exists(inf + "oem3.inf"));
}

TEST_F(RemovalTest, FailuresAreSilentAndTheLogStillEnds) {
    auto& faults = f.machine->faults();
    faults.failCall("SetupDiGetClassDevsA", err::accessDenied, 0);
    faults.failCall("FindFirstFileA", err::accessDenied, 0);
    faults.failCall("DeleteFileA", err::accessDenied, 0);
    EXPECT_EQ(usbinstall::usbInstallDone, f.run("22"));
    EXPECT_EQ((Lines{startLine, finishLine}), f.lines());
    EXPECT_TRUE(f.messages().empty());
    EXPECT_TRUE(f.exists(inf + "KVPUSB.INF"));
    EXPECT_EQ(6u, f.devices().devices().size());
}

TEST_F(RemovalTest, DeviceThatCannotBeRemovedDoesNotStopTheOthers) {
    f.devices().addDevice(device("USB\\VID_2E7A&PID_1001\\9", usbinstall::usbClassGuid,
                                 "USB Device Driver for KORVANE POS Printer"));
    f.machine->faults().failCall("SetupDiCallClassInstaller", 0xE0000232 /* can't remove */);
    f.run("22");
    EXPECT_EQ(1u, f.devices().devices().size() - 5u) << "one of the two printers stays";
    EXPECT_FALSE(f.exists(inf + "oem3.inf"));
    EXPECT_TRUE(f.messages().empty());
}

// drvsim's command line: what each command takes, and what it refuses.
#include "tools/drvsim/drvsim_options.h"

#include <gtest/gtest.h>

using drvsim::Command;
using drvsim::parseCommandLine;

TEST(DrvsimOptions, SetupTakesTheWizardsChoices) {
    const auto p = parseCommandLine({"setup",
                                     "--machine",
                                     "m",
                                     "--type",
                                     "label",
                                     "--model",
                                     "QRT-L7A",
                                     "--port=USB_QRT-L7A_3",
                                     "--raster",
                                     "--advanced",
                                     "--default",
                                     "--baud",
                                     "19200",
                                     "--data-bits",
                                     "7",
                                     "--stop-bits",
                                     "1.5",
                                     "--parity",
                                     "m",
                                     "--flow",
                                     "n",
                                     "--ip",
                                     "192.168.001.251",
                                     "--answer",
                                     "yes",
                                     "--answer",
                                     "no"});
    ASSERT_TRUE(p.ok()) << p.error;
    const drvsim::Options& o = p.options;
    EXPECT_EQ(Command::Setup, o.command);
    EXPECT_EQ(setup::PrinterType::Label, o.type);
    EXPECT_EQ("USB_QRT-L7A_3", o.port);
    EXPECT_TRUE(o.raster.value_or(false) && o.advanced && o.setDefault);
    EXPECT_EQ(19200, o.baud);
    EXPECT_EQ(7, o.dataBits);
    EXPECT_EQ("1.5", o.stopBits);
    EXPECT_EQ('m', o.parity);
    EXPECT_EQ(' ', o.flow) << "the port page's value for None";
    ASSERT_TRUE(o.ip.has_value());
    EXPECT_EQ(251, (*o.ip)[3]);
    EXPECT_EQ((std::vector<bool>{true, false}), o.answers);
}

TEST(DrvsimOptions, InitTakesTheMachinesMakeUp) {
    const auto p = parseCommandLine({"init", "--machine", "m", "--os", "XP64", "--bits", "64",
                                     "--user", "--usb-printer", "0x0109", "--usb-printer", "3",
                                     "--in-use", "C:\\WINDOWS\\system32\\KVMON.DLL", "--device",
                                     "Ports:USB Serial (COM5):USB\\VID_2E7A&PID_1000"});
    ASSERT_TRUE(p.ok()) << p.error;
    EXPECT_EQ(platform::sim::WindowsVariant::Xp64, p.options.os);
    EXPECT_TRUE(p.options.user);
    EXPECT_EQ((std::vector<std::uint16_t>{0x0109, 3}), p.options.usbPrinters);
    ASSERT_EQ(1u, p.options.devices.size());
    EXPECT_EQ("Ports", p.options.devices[0].className);
    EXPECT_EQ("USB Serial (COM5)", p.options.devices[0].description);
    EXPECT_EQ("USB\\VID_2E7A&PID_1000", p.options.devices[0].hardwareId);
}

TEST(DrvsimOptions, RefusalsSayWhat) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    for (const Case& c : {
             Case{{"init", "--machine", "m", "--os", "nt5", "--bits", "32"},
                  "--os is one of 95, 98, me, nt4, 2000, xp, xp64, 2003, vista, 2008, 2008r2, 7, "
                  "8, 2012, 8.1, 2012r2, 10, 2016, 2019, 2022, 11, not 'nt5'"},
             Case{
                 {"init", "--machine", "m", "--os", "xp", "--bits", "32", "--usb-printer", "65536"},
                 "--usb-printer wants a number up to 65535, not '65536'"},
             Case{{"init", "--machine", "m", "--os", "xp", "--bits", "32", "--in-use", "x.dll"},
                  "--in-use wants a Windows path such as C:\\WINDOWS\\x.dll, not 'x.dll'"},
             Case{{"init", "--machine", "m", "--os", "xp", "--bits", "32", "--device", "USB::X"},
                  "--device wants CLASS:DESCRIPTION:HWID, not 'USB::X'"},
             Case{{"setup", "--machine", "m", "--type", "printer"},
                  "--type is one of embedded, label, receipt, ticket, not 'printer'"},
             Case{{"setup", "--machine", "m", "--stop-bits", "3"},
                  "--stop-bits is one of 1, 1.5, 2, not '3'"},
             Case{{"setup", "--machine", "m", "--ip", "1.2.3"},
                  "--ip wants A.B.C.D with numbers up to 255, not '1.2.3'"},
             Case{{"setup", "--machine", "m", "--model"}, "--model wants a value"},
             Case{{"fail", "--machine", "m", "--call", "CopyFileA", "--error", "0"},
                  "--error wants a non-zero Win32 error number"},
             Case{{"fail", "--machine", "m", "--call", "CopyFileA"},
                  "fail needs --call and --error (or --clear)"},
             Case{{"fail", "--machine", "m", "--clear", "--call", "CopyFileA"},
                  "fail --clear removes every pending fault; it takes no --call, --error or "
                  "--times"},
             Case{{"check", "--machine", "m"},
                  "check reads a package folder (--package), not a machine"},
             Case{{"help", "install"}, "unknown command 'install'"},
             Case{{"show", "--machine", "m", "--json=1"}, "unknown option --json for show"},
             Case{{"show", "--machine", "m", "--package", "p"},
                  "--package belongs to setup, uninstall, usbdriver and check"},
             Case{{"uninstall", "--machine", "m", "--list", "--item", "KV USB Monitor"},
                  "uninstall --list only lists; it takes no --item, --usb-driver or --answer"},
             Case{{"uninstall", "--machine", "m", "--answer", "maybe"},
                  "--answer is one of no, yes, not 'maybe'"},
             Case{{"show"}, "--machine is required"},
             Case{{"usbdriver", "--machine", "m"}, "usbdriver needs Install's argument, e.g. 2"},
             Case{{"usbdriver", "--machine", "m", "2", "22"}, "unexpected argument '22'"},
         }) {
        const auto p = parseCommandLine(c.args);
        EXPECT_EQ(c.error, p.error) << c.args[0];
    }
    // A call the machine does not have is refused with those it has.
    const std::string unknown =
        parseCommandLine({"fail", "--machine", "m", "--call", "AddPrinterW", "--error", "5"}).error;
    EXPECT_EQ(0u, unknown.find("the machine has no call 'AddPrinterW' that can fail; these can:"));
    for (const char* call : {"AddPrinterA", "CopyFileA", "RegSetValueExA", "XcvDataW", "uWrite"})
        EXPECT_NE(std::string::npos, unknown.find(std::string(" ") + call)) << call;
    // Help on one command, asked either way.
    for (const auto& args : {std::vector<std::string>{"help", "fail"},
                             std::vector<std::string>{"fail", "--machine", "m", "--help"}}) {
        const auto help = parseCommandLine(args);
        EXPECT_TRUE(help.ok() && help.options.command == Command::Help &&
                    help.options.helpFor == Command::Fail)
            << help.error;
    }
    // Install's argument may itself begin with a dash: it does nothing, as Install would.
    EXPECT_TRUE(parseCommandLine({"usbdriver", "--machine", "m", "-8"}).ok());
    EXPECT_EQ(0xC0000005u, parseCommandLine({"fail", "--machine", "m", "--call", "CopyFileA",
                                             "--error", "0xC0000005"})
                               .options.error);
}

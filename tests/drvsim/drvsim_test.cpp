// drvsim as a package maintainer runs it: a machine folder that persists
// between runs, the installation's message boxes on standard output, the exit
// code, and show's JSON report.
#include "tests/drvsim/drvsim_run.h"
#include "tests/drvsim/json_check.h"

#include <gtest/gtest.h>

using drvsimtest::drvsim;
using drvsimtest::Json;

namespace {

class Drvsim : public ::testing::Test {
protected:
    Drvsim()
        : package(drvsimtest::samplePackage(dir)), machine((dir.path() / "machine").string()) {}

    drvsimtest::Run setup(std::vector<std::string> more) {
        std::vector<std::string> args = {"setup",  "--machine", machine,   "--package", package,
                                         "--type", "receipt",   "--model", "QRT-K500NX"};
        args.insert(args.end(), more.begin(), more.end());
        return drvsim(args);
    }
    Json show() {
        const drvsimtest::Run run = drvsim({"show", "--machine", machine, "--json"});
        EXPECT_EQ(0, run.exitCode) << run.err;
        Json json;
        EXPECT_TRUE(drvsimtest::JsonReader(run.out).read(json)) << run.out;
        return json;
    }

    testsupport::TempDir dir;
    std::string package;
    std::string machine;
};

const Json* findByName(const Json& array, const std::string& name) {
    for (const Json& item : array.items) {
        if (item["name"].text == name)
            return &item;
    }
    return nullptr;
}

} // namespace

TEST_F(Drvsim, TypicalUsbInstallOnWindows7AsTheSampleRunsIt) {
    const auto init = drvsim(
        {"init", "--machine", machine, "--os", "7", "--bits", "64", "--usb-printer", "0x0108"});
    ASSERT_EQ(0, init.exitCode) << init.err;
    const auto run = setup({"--port", "USB_QRT-K500NX_1", "--raster"});
    EXPECT_EQ(0, run.exitCode) << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find("[Install] start install the device drivers."))
        << run.out;
    EXPECT_NE(std::string::npos, run.out.find("Installed printer \"QRT-K500NX(U) 1\"")) << run.out;

    const Json j = show();
    EXPECT_EQ("7", j["os"].text);
    EXPECT_EQ("64", j["bits"].text);
    const Json& spooler = j["spooler"];
    const Json* printer = findByName(spooler["printers"], "QRT-K500NX(U) 1");
    ASSERT_NE(nullptr, printer) << "printers";
    EXPECT_EQ("USB_QRT-K500NX_1", (*printer)["port"].text);
    EXPECT_EQ("KVPrintProc", (*printer)["print_processor"].text);
    EXPECT_NE(nullptr, findByName(spooler["monitors"], "KV USB Monitor"));
    EXPECT_NE(nullptr, findByName(spooler["ports"], "USB_QRT-K500NX_1"))
        << "the maker's monitor still offers the port in a later run";
    ASSERT_EQ(1u, spooler["drivers"].items.size());
    EXPECT_EQ("Windows x64", spooler["drivers"].items[0]["environment"].text);
    EXPECT_EQ(Json::Kind::Null, spooler["default_printer"].kind);

    bool portName = false;
    for (const Json& key : j["registry"].items) {
        if (key["key"].text != "HKLM\\SOFTWARE\\KORVANE\\PORTNAME")
            continue;
        ASSERT_EQ(1u, key["values"].items.size());
        EXPECT_EQ("USB_QRT-K500NX_1", key["values"].items[0]["name"].text);
        EXPECT_EQ("REG_DWORD", key["values"].items[0]["type"].text);
        portName = true;
    }
    EXPECT_TRUE(portName);
    ASSERT_EQ(1u, j["processes"].items.size());
    EXPECT_EQ("E:\\Package\\USBDRV\\USBDriver_x64\\Install.exe",
              j["processes"].items[0]["file"].text);
    EXPECT_EQ("2", j["processes"].items[0]["parameters"].text);
    EXPECT_FALSE(j["waited_ms"].text.empty());
    EXPECT_GT(std::stoul(j["waited_ms"].text), 4000u) << "the setup waited for Install's window";
    ASSERT_EQ(1u, j["messages"].items.size());
    EXPECT_EQ("OK", j["messages"].items[0]["answer"].text);
    // The summary tells of services and devices what the JSON tells.
    const std::string text = drvsim({"show", "--machine", machine}).out;
    EXPECT_NE(std::string::npos,
              text.find("Services:\n  Spooler: " + j["services"].items[0]["state"].text + "\n"))
        << text;
    ASSERT_FALSE(j["devices"].items.empty());
    for (const Json& d : j["devices"].items) {
        EXPECT_NE(std::string::npos, text.find("  " + d["instance_id"].text + "\n")) << text;
        EXPECT_NE(std::string::npos,
                  text.find(d["description"].text + "\", driver " + d["driver_inf"].text))
            << text;
    }

    // The machine remembers: the same USB port twice is refused at once.
    const auto again = setup({"--port", "USB_QRT-K500NX_1", "--raster"});
    EXPECT_EQ(1, again.exitCode);
    EXPECT_NE(std::string::npos, again.out.find("The installation failed.")) << again.out;
    EXPECT_EQ(1u, show()["spooler"]["printers"].items.size());
}

TEST_F(Drvsim, AnswersGoToTheQuestionsInOrderAndAnUnansweredOneIsNo) {
    ASSERT_EQ(0, drvsim({"init", "--machine", machine, "--os", "xp", "--bits", "32",
                         "--usb-printer", "8"})
                     .exitCode);
    // Advanced mode, port 2, a printer that is number 1: the setup asks to renumber it.
    const auto no = setup({"--port", "USB_QRT-K500NX_2", "--advanced", "--raster"});
    EXPECT_EQ(1, no.exitCode);
    EXPECT_NE(std::string::npos, no.out.find("  -> No")) << no.out;
    EXPECT_TRUE(show()["spooler"]["printers"].items.empty());

    const auto yes = setup(
        {"--port", "USB_QRT-K500NX_2", "--advanced", "--raster", "--answer", "yes", "--default"});
    EXPECT_EQ(0, yes.exitCode) << yes.out;
    EXPECT_NE(std::string::npos, yes.out.find("  -> Yes")) << yes.out;
    const Json j = show();
    ASSERT_EQ(1u, j["usb_printers"].items.size());
    EXPECT_EQ("9", j["usb_printers"].items[0]["identity_word"].text) << "number 2 now";
    EXPECT_EQ("1B735A31C47E1D492001", j["usb_printers"].items[0]["writes"].items.at(0).text);
    EXPECT_EQ("QRT-K500NX(U) 2", j["spooler"]["default_printer"].text);
    EXPECT_EQ("KV Language Monitor", j["spooler"]["drivers"].items.at(0)["monitor"].text);
}

TEST_F(Drvsim, InjectedFailureIsSeenOnceThenTheMachineWorksAgain) {
    ASSERT_EQ(0, drvsim({"init", "--machine", machine, "--os", "2000", "--bits", "32"}).exitCode);
    // show lists what is pending; --clear takes it all away.
    ASSERT_EQ(0, drvsim({"fail", "--machine", machine, "--call", "CopyFileA", "--error", "32",
                         "--times", "0"})
                     .exitCode);
    EXPECT_NE(std::string::npos, drvsim({"show", "--machine", machine})
                                     .out.find("Pending faults:\n  CopyFileA fails with error "
                                               "32, every call\n"));
    EXPECT_EQ(1u, show()["pending_faults"].items.size());
    EXPECT_EQ("Removed 1 pending fault(s)\n",
              drvsim({"fail", "--machine", machine, "--clear"}).out);
    EXPECT_TRUE(show()["pending_faults"].items.empty());

    const auto fail =
        drvsim({"fail", "--machine", machine, "--call", "AddPrinterA", "--error", "5"});
    ASSERT_EQ(0, fail.exitCode) << fail.err;
    const auto failed = setup({"--port", "LPT1:", "--raster"});
    EXPECT_EQ(1, failed.exitCode);
    EXPECT_NE(std::string::npos, failed.out.find("Access is denied.")) << failed.out;
    const auto passed = setup({"--port", "LPT1:", "--raster"});
    EXPECT_EQ(0, passed.exitCode) << passed.out;
    EXPECT_NE(std::string::npos, passed.out.find("QRT-K500NX(P)")) << passed.out;
}

TEST_F(Drvsim, SerialInstallOnWindows95WritesTheLineSettingsWhere98IsRefused) {
    ASSERT_EQ(0, drvsim({"init", "--machine", machine, "--os", "98", "--bits", "32"}).exitCode);
    const auto refused = setup({"--port", "COM1:"});
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_NE(
        std::string::npos,
        refused.out.find("This printer driver cannot be installed on this version of Windows"))
        << refused.out;
    ASSERT_EQ(
        0,
        drvsim({"init", "--machine", machine, "--os", "95", "--bits", "32", "--force"}).exitCode);
    const auto run = setup({"--port", "COM1:", "--baud", "19200", "--stop-bits", "1.5", "--parity",
                            "e", "--flow", "x"});
    EXPECT_EQ(0, run.exitCode) << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find("  -> No")) << "the restart question" << run.out;
    const Json j = show();
    bool dcb = false;
    for (const Json& key : j["registry"].items) {
        for (const Json& value : key["values"].items) {
            if (value["name"].text == "DCB") {
                dcb = true;
                EXPECT_EQ("HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports\\0000",
                          key["key"].text);
                EXPECT_EQ("REG_NONE", value["type"].text);
                EXPECT_EQ(56u, value["data"].text.size()) << "28 bytes in hex";
            }
        }
    }
    EXPECT_TRUE(dcb);
    EXPECT_EQ("none (Windows 9x)", j["services"].items.at(0)["state"].text);
    const std::string text = drvsim({"show", "--machine", machine}).out;
    EXPECT_NE(std::string::npos, text.find("QRT-K500NX(S)\n    port COM1:")) << text;
}

TEST_F(Drvsim, RefusesBadUsageAndUnusableFoldersWithExitCodeTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const std::string m = machine;
    for (const Case& c : {
             Case{{}, "no command given"},
             Case{{"install", "--machine", m}, "unknown command 'install'"},
             Case{{"init", "--machine", m, "--os", "7"}, "init needs --os and --bits"},
             Case{{"init", "--machine", m, "--os", "95", "--bits", "64"},
                  "does not exist with 64 bits"},
             Case{{"init", "--machine", m, "--os", "7", "--bits", "64", "--model", "X"},
                  "unknown option --model"},
             Case{{"setup", "--machine", m, "--type", "receipt", "--model", "X", "--port",
                   "NET:", "--ip", "10.0.0.256"},
                  "--ip wants A.B.C.D"},
             Case{{"show", "--machine", m}, "holds no simulated machine"},
         }) {
        const auto run = drvsim(c.args);
        EXPECT_EQ(2, run.exitCode) << c.says;
        EXPECT_NE(std::string::npos, run.err.find(c.says)) << run.err;
    }

    // A folder of something else is never emptied, not even with --force.
    testsupport::TempDir other;
    other.write("notes.txt", "keep me");
    const auto refused = drvsim(
        {"init", "--machine", other.path().string(), "--os", "7", "--bits", "64", "--force"});
    EXPECT_EQ(2, refused.exitCode);
    EXPECT_TRUE(std::filesystem::exists(other.path() / "notes.txt"));
    ASSERT_EQ(0, drvsim({"init", "--machine", m, "--os", "7", "--bits", "64"}).exitCode);
    EXPECT_EQ(2, drvsim({"init", "--machine", m, "--os", "xp", "--bits", "32"}).exitCode);
    EXPECT_EQ(0,
              drvsim({"init", "--machine", m, "--os", "xp", "--bits", "32", "--force"}).exitCode);
    EXPECT_EQ("xp", show()["os"].text);

    installtest::writeHostFile(std::filesystem::path(m) / "spooler.txt", "printer only-a-name\n");
    const auto damaged = drvsim({"show", "--machine", m});
    EXPECT_EQ(2, damaged.exitCode);
    EXPECT_NE(std::string::npos, damaged.err.find("spooler.txt: line 1:")) << damaged.err;
}

TEST_F(Drvsim, UsbDriverRemovesTheDeviceDriverAsInstallDoes) {
    ASSERT_EQ(0, drvsim({"init", "--machine", machine, "--os", "7", "--bits", "64", "--device",
                         "USB:USB Device Driver for QRT printers:USB\\VID_2E7A&PID_2E7A",
                         "--device", "USB:Another maker's scanner:USB\\VID_1234&PID_0001"})
                     .exitCode);
    const auto run = drvsim({"usbdriver", "--machine", machine, "--package", package, "22"});
    EXPECT_EQ(0, run.exitCode) << run.err;
    EXPECT_EQ("uninstall the device drivers and delete application.\nuninstall finish.....\n",
              run.out);
    const Json j = show();
    ASSERT_EQ(1u, j["devices"].items.size()) << "only the package's own device goes";
    EXPECT_EQ("Another maker's scanner", j["devices"].items[0]["description"].text);
    EXPECT_EQ(1, drvsim({"usbdriver", "--machine", machine, "--package", package, "9"}).exitCode);
}

TEST_F(Drvsim, UninstallRemovesWhatTheSetupInstalledAndSaysWhatItDid) {
    ASSERT_EQ(0, drvsim({"init", "--machine", machine, "--os", "7", "--bits", "64"}).exitCode);
    ASSERT_EQ(0, setup({"--port", "LPT1:"}).exitCode);
    const std::string listing = "Listed:\n  QRT-K500NX(P)\n  KVPrintProc\n";
    const auto list = drvsim({"uninstall", "--machine", machine, "--package", package, "--list"});
    EXPECT_EQ(0, list.exitCode) << list.err;
    EXPECT_EQ(listing, list.out);

    const auto unknown = drvsim(
        {"uninstall", "--machine", machine, "--package", package, "--item", "Another printer"});
    EXPECT_EQ(1, unknown.exitCode);
    EXPECT_NE(std::string::npos,
              unknown.out.find("the uninstaller lists no \"Another printer\"; it lists "
                               "\"QRT-K500NX(P)\", \"KVPrintProc\""))
        << unknown.out;

    const auto run = drvsim({"uninstall", "--machine", machine, "--package", package, "--item",
                             "QRT-K500NX(P)", "--answer", "yes"});
    EXPECT_EQ(0, run.exitCode) << run.out << run.err;
    EXPECT_EQ(listing + "Messages:\n"
                        "  Select the printers and components to remove.\n"
                        "  Deleting printer QRT-K500NX(P) ...\n"
                        "  QRT-K500NX(P) was deleted.\n"
                        "  Deleting the driver of QRT-K500NX(P) ...\n"
                        "  The driver was deleted.\n"
                        "  Select the printers and components to remove.\n"
                        "Restart Windows now? -> Yes\n"
                        "Removed:\n  QRT-K500NX(P)\n"
                        "Still listed:\n  KVPrintProc\n",
              run.out);
    const Json j = show();
    EXPECT_TRUE(j["spooler"]["printers"].items.empty());
    EXPECT_TRUE(j["spooler"]["drivers"].items.empty());
    EXPECT_EQ(3u, j["spooler"]["processors"].items.size()) << "KVPrintProc beside two WinPrint";
}

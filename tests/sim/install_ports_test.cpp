// Serial, parallel and network installations: printer names with their port
// suffix and numbers, the serial line settings on NT and on Windows 98, the
// TCP/IP port, the default printer, and the checks before anything is done.
#include "setup/engine/install_session.h"
#include "setup/engine/port_setup.h"
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::InstallResult;
using setup::PrinterType;

const char* const k500 = "QRT-K500NX";

std::string profileValue(SimMachine& m, const std::string& section, const std::string& key,
                         const std::string& file = "win.ini") {
    return m.profiles().GetPrivateProfileStringA(section, key, "", 200, file);
}

TEST(InstallSerial, SecondInstallationIsNumberedAndTheNinetyNinthHasReachedTheLimit) {
    Scenario s(WindowsVariant::Xp, 32);
    auto r = s.request(PrinterType::Receipt, k500, "KVCOM1:");
    auto outcome = s.install(r);
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(outcome.printerName, "QRT-K500NX(S)");
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_INF_NTRESTART")});

    outcome = s.install(r);
    ASSERT_EQ(outcome.result, InstallResult::Succeeded);
    EXPECT_EQ(outcome.printerName, "QRT-K500NX(S)(1)");

    // Names (2) to (98) taken as well.
    platform::PrinterInfo2 taken = *s.machine().simSpooler().printer("QRT-K500NX(S)");
    for (int i = 2; i <= 98; ++i) {
        taken.printerName = "QRT-K500NX(S)(" + std::to_string(i) + ")";
        ASSERT_NE(s.machine().spooler().AddPrinterA(taken), 0u) << i;
    }
    outcome = s.install(r);
    EXPECT_EQ(outcome.result, InstallResult::Failed);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_TOOMANY")});
    EXPECT_EQ(s.machine().simSpooler().printers().size(), 99u);
}

TEST(InstallSerial, NtKeepsTheLineSettingsUnderThePortsComName) {
    struct Case {
        double stopBits;
        char parity, flow;
        int dataBits;
        const char* expected;
    } cases[] = {{1.5, 'N', 'x', 8, "9600,n,8,1.5,x"},
                 {2.0, 'E', 'p', 7, "9600,e,7,2,p"},
                 {1.0, 'O', 'p', 8, "9600,o,8,1,p"}};
    Scenario s(WindowsVariant::Xp, 32);
    for (const Case& c : cases) {
        auto r = s.request(PrinterType::Receipt, k500, "KVCOM2:");
        r.baud = 9600;
        r.stopBits = c.stopBits;
        r.parity = c.parity;
        r.flow = c.flow;
        r.dataBits = c.dataBits;
        ASSERT_EQ(s.install(r).result, InstallResult::Succeeded);
        std::string value;
        EXPECT_TRUE(s.machine().simRegistry().readString(
            "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", "COM2:", value));
        EXPECT_EQ(value, c.expected);
    }
}

TEST(InstallSerial, Windows98WritesTheDcbOfCom1AndAsksToRestart) {
    Scenario s(WindowsVariant::Win98, 32);
    auto r = s.request(PrinterType::Receipt, k500, "COM1:");
    r.baud = 19200;
    r.parity = 'e';
    r.flow = 'x';
    s.machine().simDesktop().queueAnswers({platform::mb::idYes});
    const auto outcome = s.install(r);
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(outcome.printerName, "QRT-K500NX(S)");
    EXPECT_EQ(s.messages(),
              (std::vector<std::string>{s.text("IDS_INF_NTRESTART"), s.text("IDS_INF_RESTART")}));
    EXPECT_TRUE(outcome.restartRequested);
    EXPECT_EQ(s.machine().simDesktop().exitRequests(), std::vector<std::uint32_t>{2});

    const auto* dcb = s.machine().simRegistry().findValue(
        "HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports\\0000", "DCB");
    ASSERT_NE(dcb, nullptr);
    EXPECT_EQ(dcb->type, platform::regtype::none);
    const auto expected = setup::serialDcb({19200, 8, 1.0, 'e', 'x'});
    EXPECT_EQ(dcb->data, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(profileValue(s.machine(), "Ports", "COM1:"), "19200,e,8,1,x");
    const auto& broadcasts = s.machine().simDesktop().broadcasts();
    EXPECT_NE(std::find(broadcasts.begin(), broadcasts.end(), "Ports"), broadcasts.end());
}

TEST(InstallSerial, Windows98RestartDeclinedRestartsNothing) {
    Scenario s(WindowsVariant::Win98, 32);
    s.machine().simDesktop().queueAnswers({platform::mb::idNo});
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "LPT1:"));
    ASSERT_EQ(outcome.result, InstallResult::Succeeded);
    EXPECT_FALSE(outcome.restartRequested);
    EXPECT_TRUE(s.machine().simDesktop().exitRequests().empty());
}

TEST(InstallSerial, Windows98ComThreeGetsItsProfileEntryButNoDcb) {
    Scenario s(WindowsVariant::Win98, 32);
    setup::InstallSession session(s.machine(), common::osWin9x, false);
    const auto before = s.machine().simRegistry().keys().size();
    ASSERT_TRUE(setup::writeSerialSettings(session, "KVCOM3:", {9600, 8, 1.0, 'n', 'p'}));
    EXPECT_EQ(profileValue(s.machine(), "Ports", "COM3:"), "9600,n,8,1,p");
    for (const char* key : {"0000", "0001", "0002", "0003"})
        EXPECT_EQ(
            s.machine().simRegistry().findValue(
                std::string("HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports\\") + key,
                "DCB"),
            nullptr);
    EXPECT_EQ(s.machine().simRegistry().keys().size(), before);
}

TEST(InstallNetwork, NoAddressStopsBeforeAnythingIsCopied) {
    Scenario s(WindowsVariant::Win7, 64);
    const auto before = s.state();
    const auto outcome = s.install(s.request(PrinterType::Receipt, "QRT-N90", "NET:"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_ERR_IPADDRISNULL")});
    EXPECT_EQ(stateChanges(before, s.state()), std::vector<std::string>{});
}

TEST(InstallNetwork, AddsTheTcpIpPortAndAcceptsItWhenItExists) {
    Scenario s(WindowsVariant::Win7, 64);
    auto r = s.request(PrinterType::Receipt, "QRT-N90", "NET:");
    r.ipAddress = {192, 168, 1, 251};
    r.ipText = "192.168.1.251";
    auto outcome = s.install(r);
    ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(outcome.printerName, "QRT-N90(E)");
    const auto state = s.state();
    EXPECT_TRUE(anyLine(state, "port IP_192.168.1.251 (Standard TCP/IP Port)"));
    EXPECT_TRUE(anyLine(state, "printer QRT-N90(E) on IP_192.168.1.251 "));
    const auto ports = s.machine().simSpooler().ports();
    const auto port = std::find_if(ports.begin(), ports.end(),
                                   [](const auto& p) { return p.name == "IP_192.168.1.251"; });
    ASSERT_NE(port, ports.end());
    EXPECT_EQ(port->tcp.hostAddress, "192.168.1.251");
    EXPECT_EQ(port->tcp.portNumber, 9100u);

    outcome = s.install(r);
    EXPECT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
    EXPECT_EQ(outcome.printerName, "QRT-N90(E)(1)");
}

TEST(InstallNetwork, PortTheMonitorRefusesShowsTheSystemsTextThenTheSetups) {
    Scenario s(WindowsVariant::Win7, 64);
    auto r = s.request(PrinterType::Receipt, "QRT-N90", "NET:");
    r.ipAddress = {10, 0, 0, 7};
    s.machine().faults().failCall("OpenPrinterA", platform::err::accessDenied, 1);
    const std::size_t before = s.machine().simDesktop().messageBoxes().size();
    const auto outcome = s.install(r);
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(),
              (std::vector<std::string>{"Access is denied.", s.text("IDS_ERR_ADDPORTERROR")}));
    const auto& boxes = s.machine().simDesktop().messageBoxes();
    ASSERT_EQ(boxes.size(), before + 2);
    EXPECT_EQ(boxes[before].caption, "ERROR");
    EXPECT_EQ(boxes[before].type, platform::mb::ok | platform::mb::iconInformation);
    EXPECT_TRUE(s.machine().simSpooler().printers().empty());
}

TEST(InstallParallel, PrinterOnLpt1AndTheDefaultPrinterOnEachGeneration) {
    struct Case {
        WindowsVariant os;
        int bits;
    } cases[] = {
        {WindowsVariant::Win7, 64}, {WindowsVariant::Nt4, 32}, {WindowsVariant::Win98, 32}};
    for (const Case& c : cases) {
        Scenario s(c.os, c.bits);
        auto r = s.request(PrinterType::Receipt, "QRT-K250", "LPT1:");
        if (c.os == WindowsVariant::Win7)
            r.model = k500;
        r.setAsDefault = true;
        const auto outcome = s.install(r);
        ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
        EXPECT_EQ(outcome.printerName, r.model + "(P)");
        EXPECT_EQ(s.machine().simSpooler().defaultPrinter(), outcome.printerName)
            << windowsVariantName(c.os);
    }
}

TEST(InstallChecks, ChoicesTheModelDoesNotSupportStopBeforeAnythingIsDone) {
    struct Case {
        WindowsVariant os;
        int bits;
        PrinterType type;
        const char* model;
        const char* port;
        const char* message;
    } cases[] = {
        {WindowsVariant::Win7, 64, PrinterType::Receipt, "QRT-K250", "LPT1:", "IDS_NOTSUPPORTWin7"},
        {WindowsVariant::Server2003, 32, PrinterType::Ticket, "QRT-T300",
         "KVCOM1:", "IDS_NOTSUPPORT2003"},
        {WindowsVariant::Nt4, 32, PrinterType::Embedded, "QRT-E80", "LPT1:", "IDS_NOTSUPPORTNT"},
        {WindowsVariant::Xp, 32, PrinterType::Receipt, k500, "FILE:", "IDS_ERR_NOSUPPORTINTERFACE"},
        {WindowsVariant::Xp, 32, PrinterType::Receipt, "", "LPT1:", "IDS_ERR_SELPRINTER"},
        {WindowsVariant::Xp, 32, PrinterType::None, k500, "LPT1:", "IDS_ERR_SELPRINTER"},
    };
    for (const Case& c : cases) {
        Scenario s(c.os, c.bits);
        const auto before = s.state();
        const auto outcome = s.install(s.request(c.type, c.model, c.port));
        EXPECT_EQ(outcome.result, InstallResult::Stopped) << c.message;
        EXPECT_EQ(s.messages(), std::vector<std::string>{s.text(c.message)});
        EXPECT_EQ(stateChanges(before, s.state()), std::vector<std::string>{}) << c.message;
    }
}

TEST(InstallChecks, Server2008RefusalComesFromTheModelsSupportKey) {
    Scenario s(WindowsVariant::Server2008, 32);
    const fs::path typeFile = s.package() / "DRVCONFIG" / "setup_receipt.ini";
    std::string config = readHostFile(typeFile);
    const std::size_t section = config.find("[QRT-K500NX.PORT]");
    const std::size_t key = config.find("System2008Supported=1", section);
    config.replace(key, 21, "System2008Supported=0");
    writeHostFile(typeFile, config);
    const auto outcome = s.install(s.request(PrinterType::Receipt, k500, "LPT1:"));
    EXPECT_EQ(outcome.result, InstallResult::Stopped);
    EXPECT_EQ(s.messages(), std::vector<std::string>{s.text("IDS_NOTSUPPORT2008")});
}

} // namespace
} // namespace installtest

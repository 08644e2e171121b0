// Tessaly.exe /quiet and Uninstall.exe /quiet as a deployment tool starts them
// from C:\deploy: what they install and remove, the exit code, and the log in
// the temporary folder. A quiet run shows no message box at all.
#include "tests/sim/uninstall_scenario.h"

#include "common/logged_machine.h"
#include "common/quiet_run.h"
#include "setup/quiet_install.h"
#include "uninstall/quiet_uninstall.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::PrinterType;

struct Quiet {
    int code = -1;
    Lines log; // "kind text", the time cut off
};

// The log's lines; each begins with its time as "YYYY-MM-DD hh:mm:ss.mmm  ".
Lines readLog(SimMachine& m, const std::string& name) {
    std::string text;
    m.simFiles().readText(common::temporaryLogPath(m, name), text);
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        EXPECT_TRUE(line.size() > 25 && line[4] == '-' && line[10] == ' ' && line[13] == ':' &&
                    line[19] == '.')
            << line;
        lines.push_back(line.size() > 25 ? line.substr(25) : line);
    }
    return lines;
}

// The program started from C:\deploy with `commandLine`, the response file there.
Quiet runFromDeploy(SimMachine& m, const std::string& response, const std::string& commandLine,
                    bool setup) {
    if (!response.empty())
        m.simFiles().writeText("C:\\deploy\\tills.ini", response);
    const std::string logName = setup ? "Tessaly.log" : "Uninstall.log";
    const platform::sim::SimConfig caller = m.config();
    const std::size_t boxes = m.simDesktop().messageBoxes().size();
    if (!setup)
        m.setRunningProgram(caller.programFolder, "Uninstall.exe", 32);
    const int code = common::runQuiet(
        m, "C:\\deploy", common::parseQuietCommandLine(commandLine), logName, setup,
        [&](const std::string& name, const std::vector<std::uint8_t>& bytes, common::RunLog& log) {
            return setup ? setup::runQuietInstall(m, name, bytes, log)
                         : uninstall::runQuietUninstall(m, name, bytes, log);
        });
    m.simDesktop().removeMutex(setup ? setup::setupTitle : uninstall::uninstallMutexName);
    m.setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
    EXPECT_EQ(m.simDesktop().messageBoxes().size(), boxes) << "a quiet run showed a box";
    return Quiet{code, readLog(m, logName)};
}

Quiet quietSetup(SimMachine& m, const std::string& response,
                 const std::string& commandLine = "/quiet /response tills.ini") {
    return runFromDeploy(m, response, commandLine, true);
}

// The machine without the run's own files (the response file and the log).
Lines withoutRunFiles(const Lines& state) {
    Lines kept;
    for (const std::string& line : state) {
        if (line.find("\\deploy\\") == std::string::npos && line.find(".log") == std::string::npos)
            kept.push_back(line);
    }
    return kept;
}

TEST(QuietSetup, ResponseFileInstallsWhatTheWizardWouldOnEveryKindOfPort) {
    const auto [usb, advanced, serial, network, parallel] = portKindChoices();
    struct Case {
        const char* response;
        setup::WizardChoice choice;
        std::vector<int> wizardAnswers; // what the user of the wizard answers
        const char* printer;
        const char* logLine; // a line the log must hold besides the steps
    } cases[] = {
        {"[Install]\r\nType=receipt\r\nModel=QRT-K500NX\r\nPort=USB_QRT-K500NX_1\r\nDefault="
         "yes\r\n",
         usb,
         {},
         "QRT-K500NX(U) 1",
         "note      starting "},
        {"; till rollout\n[install]\nTYPE = Receipt\nmodel=\"QRT-K500NX\"\nPort=USB_QRT-K500NX_2\n"
         "Advanced=1\nChangeIdentity=yes\n",
         advanced,
         {platform::mb::idYes},
         "QRT-K500NX(U) 2",
         "-> Yes (ChangeIdentity=yes on line 7)"},
        {"[Install]\nType=receipt\nModel=QRT-K500NX\nPort=COM3:\nBaud=19200\nDataBits=7\n"
         "StopBits=1.5\nParity=Even\nFlow=Xon/Xoff\n",
         serial,
         {},
         "QRT-K500NX(S)",
         "step      Writing the serial port's settings"},
        {"[Install]\nType=receipt\nModel=QRT-K500NX\nPort=NET:\nAddress=192.168.1.251\n",
         network,
         {},
         "QRT-K500NX(E)",
         "step      Preparing the port NET:"},
        {"[Install]\nType=embedded\nModel=QRT-E80\nPort=LPT2:\n",
         parallel,
         {},
         "QRT-E80(P)",
         "message   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printer);
        Scenario quiet(WindowsVariant::Win7, 64), wizard(WindowsVariant::Win7, 64);
        for (Scenario* s : {&quiet, &wizard})
            s->machine().simUsb().attachPrinter(8); // identity number 1
        const Quiet run = quietSetup(quiet.machine(), c.response);

        wizard.machine().simDesktop().queueAnswers(c.wizardAnswers);
        setup::SynchronousProgress progress(wizard.machine().clock());
        ASSERT_TRUE(setup::runWizardScript(wizard.machine(), c.choice, progress).installed());

        EXPECT_EQ(run.code, 0);
        EXPECT_EQ(withoutRunFiles(quiet.state()), wizard.state());
        ASSERT_FALSE(run.log.empty());
        EXPECT_EQ(run.log.front(), "step      Quiet run");
        EXPECT_EQ(run.log.back(),
                  "result    0 installed printer \"" + std::string(c.printer) + "\"");
        EXPECT_TRUE(anyLine(run.log, "step      Creating the printer " + std::string(c.printer)));
        EXPECT_TRUE(anyLine(run.log, c.logLine)) << c.logLine;
    }
}

TEST(QuietSetup, EachRefusalGivesItsExitCodeAndLogLine) {
    const std::string lpt = "[Install]\nType=embedded\nModel=QRT-E80\nPort=LPT2:\n";
    struct Case {
        const char* what;
        WindowsVariant os;
        std::function<void(SimMachine&)> arrange;
        std::string response;
        std::string commandLine;
        int code;
        std::string result;    // in the last line
        std::string otherLine; // another line of the log
    } cases[] = {
        {"unknown switch",
         WindowsVariant::Win7,
         {},
         lpt,
         "/quiet /bogus",
         87,
         "87 the command line cannot be used: unknown argument \"/bogus\"",
         ""},
        {"no response file",
         WindowsVariant::Win7,
         {},
         "",
         "/quiet",
         87,
         "names no response file",
         ""},
        {"missing file",
         WindowsVariant::Win7,
         {},
         "",
         "/quiet /response nowhere.ini",
         87,
         "the response file C:\\deploy\\nowhere.ini cannot be read: ",
         ""},
        {"unknown key",
         WindowsVariant::Win7,
         {},
         "[Install]\nType=receipt\nColour=red\n",
         "",
         87,
         "line 3: unknown key \"Colour\" in [Install]; the keys are Type, Model, Port",
         ""},
        {"bad number",
         WindowsVariant::Win7,
         {},
         lpt + "Baud=fast\n",
         "",
         87,
         "line 5: Baud=fast: the baud rate is a number",
         ""},
        {"no port",
         WindowsVariant::Win7,
         {},
         "[Install]\nType=receipt\nModel=QRT-K500NX\n",
         "",
         87,
         "[Install] has no Port",
         ""},
        {"model not offered",
         WindowsVariant::Win7,
         {},
         "[Install]\nType=embedded\nModel=QRT-X9\nPort=LPT1:\n",
         "",
         87,
         "87 not installed: line 3: Model=QRT-X9: the model \"QRT-X9\" is not offered",
         ""},
        {"port not offered",
         WindowsVariant::Win7,
         {},
         "[Install]\nType=embedded\nModel=QRT-E80\nPort=LPT9:\n",
         "",
         87,
         "line 4: Port=LPT9:: the port \"LPT9:\" is not offered",
         ""},
        {"Windows 98",
         WindowsVariant::Win98,
         {},
         lpt,
         "",
         1633,
         "1633 not installed: the setup refuses this Windows",
         "message   "},
        {"32-bit package", WindowsVariant::Win7,
         [](SimMachine& m) {
             m.profiles().WritePrivateProfileStringA("DEVICENAME", "Supported32OR64", "1",
                                                     "DRVCONFIG\\setup.ini");
         },
         lpt, "", 1633, "the package is not for this Windows' bitness", "message   "},
        {"model not for Windows 7",
         WindowsVariant::Win7,
         {},
         "[Install]\nType=receipt\nModel=QRT-K250\nPort=LPT1:\n",
         "",
         1633,
         "QRT-K250 is not supported on this Windows",
         "step      Operating-system page: code 7"},
        {"identity question", WindowsVariant::Win7,
         [](SimMachine& m) { m.simUsb().attachPrinter(10); },
         "[Install]\nType=receipt\nModel=QRT-K500NX\nPort=USB_QRT-K500NX_1\n", "", 1602,
         "1602 not installed: stopped by a question's answer (in the step \"Checking the USB "
         "printer's name\")",
         "-> No (ChangeIdentity is not given: the printer keeps its name)"},
        {"spooler refuses the printer", WindowsVariant::Win7,
         [](SimMachine& m) { m.faults().failCall("AddPrinterA", 5); }, lpt, "", 1603,
         "(in the step \"Creating the printer QRT-E80(P) on LPT2:\")", "message   "},
        {"uninstaller open", WindowsVariant::Win7,
         [](SimMachine& m) { m.simDesktop().addWindow("Uninstall"); }, lpt, "", 1603,
         "1603 not installed: the setup refused to start", "message   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scenario s(c.os, c.os == WindowsVariant::Win98 ? 32 : 64);
        if (c.arrange)
            c.arrange(s.machine());
        const Lines before = s.state();
        const Quiet run =
            quietSetup(s.machine(), c.response,
                       c.commandLine.empty() ? "/quiet /response tills.ini" : c.commandLine);
        EXPECT_EQ(run.code, c.code);
        ASSERT_FALSE(run.log.empty());
        EXPECT_NE(run.log.back().find("result    " + std::to_string(c.code) + " "),
                  std::string::npos);
        EXPECT_NE(run.log.back().find(c.result), std::string::npos) << run.log.back();
        EXPECT_TRUE(anyLine(run.log, c.otherLine)) << c.otherLine;
        EXPECT_FALSE(anyLine(stateChanges(before, s.state()), "+ printer "));
    }
}

TEST(InteractiveSetup, LogsTheBoxesTheUserSawWithTheAnswersGiven) {
    Scenario s(WindowsVariant::Win7, 64);
    SimMachine& m = s.machine();
    m.simUsb().attachPrinter(10); // number 3: the wizard asks to rename it
    m.simDesktop().queueAnswers({platform::mb::idYes});
    common::RunLog log(m, common::temporaryLogPath(m, "Tessaly.log"));
    common::LoggedMachine logged(m, log, false);
    setup::SynchronousProgress progress(m.clock());
    const setup::WizardRun run = setup::runWizardScript(
        logged, {PrinterType::Receipt, "QRT-K500NX", false, false, "USB_QRT-K500NX_1"}, progress,
        &log);
    ASSERT_TRUE(run.installed()) << run.stopped;
    const Lines lines = readLog(m, "Tessaly.log");
    EXPECT_EQ(lines.size(), log.lines().size());
    // A text of several lines stays on one line of the log.
    auto oneLine = [&s](const char* key) {
        std::string text = s.text(key);
        for (std::size_t at; (at = text.find_first_of("\r\n")) != std::string::npos;)
            text.replace(at, text.compare(at, 2, "\r\n") == 0 ? 2 : 1, " | ");
        return text;
    };
    EXPECT_TRUE(anyLine(lines, "question  " + oneLine("IDS_INF_CHANGEID") + " -> Yes"));
    EXPECT_TRUE(anyLine(lines, "message   " + oneLine("IDS_INF_USBRESTART")));
    // Both boxes were shown on the desktop.
    EXPECT_EQ(m.simDesktop().messageBoxes().size(), 2u);
}

TEST(QuietUninstall, RemovesWhatTheResponseNamesAndReportsTheRestart) {
    struct Case {
        const char* what;
        std::function<void(SimMachine&)> arrange;
        std::string response; // empty: no /response
        int code;
        std::string result;
        bool printerGone;
    } cases[] = {
        {"everything", {}, "", 3010, "3010 removed QRT-K500NX(U) 1, ", true},
        {"the printer",
         {},
         "[Uninstall]\nItems=QRT-K500NX(U) 1\nUSBDriver=no\n",
         3010,
         "3010 removed QRT-K500NX(U) 1; Windows must be restarted",
         true},
        {"an item not listed",
         {},
         "[Uninstall]\nItems=QRT-K500NX(U) 1, QRT-X9\n",
         87,
         "87 nothing removed: line 2: Items=QRT-K500NX(U) 1, QRT-X9: the uninstaller lists no "
         "\"QRT-X9\"",
         false},
        {"the spooler keeps the printer",
         [](SimMachine& m) { m.faults().failCall("DeletePrinter", 5); },
         "[Uninstall]\nItems=QRT-K500NX(U) 1\n", 1603,
         "1603 the removal failed; still installed: QRT-K500NX(U) 1", false},
        {"a bad flag",
         {},
         "[Uninstall]\nUSBDriver=perhaps\n",
         87,
         "87 the response file cannot be used: line 2: USBDriver=perhaps: the value is yes or no",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto s = installedSample();
        SimMachine& m = s->machine();
        provideDeviceDriverInstaller(m);
        if (c.arrange)
            c.arrange(m);
        const Quiet run = runFromDeploy(
            m, c.response, c.response.empty() ? "-QUIET" : "/quiet /response \"tills.ini\"", false);
        EXPECT_EQ(run.code, c.code);
        ASSERT_FALSE(run.log.empty());
        EXPECT_NE(run.log.back().find("result    " + c.result), std::string::npos)
            << run.log.back();
        EXPECT_EQ(anyLine(s->state(), "printer QRT-K500NX(U) 1 on"), !c.printerGone);
        if (c.code == 3010) {
            EXPECT_TRUE(anyLine(run.log, "-> No")); // the restart dialog
        }
    }
}

} // namespace
} // namespace installtest

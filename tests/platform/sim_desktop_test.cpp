#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

TEST(SimDesktop, NamedMutexSaysWhenItExistedAlready) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    EXPECT_NE(0u, m.desktop().CreateMutexA("Tessaly", true));
    EXPECT_EQ(0u, m.GetLastError());
    m.desktop().CreateMutexA("Tessaly", true);
    EXPECT_EQ(err::alreadyExists, m.GetLastError());
}

TEST(SimDesktop, WindowsCloseByThemselvesWhenTheirTimeComes) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    const std::uint64_t now = m.simClock().now();
    const Handle w = m.simDesktop().addWindow("Device driver setup", false, now + 2500);
    EXPECT_EQ(w, m.desktop().FindWindowA("device driver SETUP"));
    m.clock().Sleep(2000);
    EXPECT_EQ(w, m.desktop().FindWindowA("Device driver setup"));
    m.clock().Sleep(500);
    EXPECT_EQ(0u, m.desktop().FindWindowA("Device driver setup"));
    EXPECT_EQ(2500u, m.simClock().waited());
}

TEST(SimDesktop, QuestionsTakeTheScriptedAnswersThenNo) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simDesktop().queueAnswers({mb::idYes});
    EXPECT_EQ(mb::idOk, m.desktop().MessageBoxA(0, "note", "", mb::ok));
    EXPECT_EQ(mb::idYes, m.desktop().MessageBoxA(0, "change?", "", mb::yesNo));
    EXPECT_EQ(mb::idNo, m.desktop().MessageBoxA(0, "again?", "", mb::yesNo));
    EXPECT_EQ((std::vector<std::string>{"note", "change?", "again?"}),
              m.simDesktop().messageTexts());

    std::stringstream state;
    m.simDesktop().save(state);
    SimMachine other(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    ASSERT_TRUE(other.simDesktop().load(state));
    ASSERT_EQ(3u, other.simDesktop().messageBoxes().size());
    EXPECT_EQ(mb::idNo, other.simDesktop().messageBoxes()[2].answer);
}

TEST(SimDesktop, StartingAProgramRunsItsHandlerOrFailsWhenTheFileIsMissing) {
    testsupport::TempDir dir;
    dir.write("package/USBDRV/USBDriver/Install.exe", "MZ");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    int runs = 0;
    m.simDesktop().setProgram("install.exe", [&](SimMachine&, const sim::SimDesktop::Launch& l) {
        ++runs;
        EXPECT_EQ("2", l.parameters);
        return std::uintptr_t{42};
    });
    EXPECT_EQ(42u,
              m.desktop().ShellExecuteA(0, "open", "E:\\Package\\USBDRV\\USBDriver\\Install.exe",
                                        "2", "", sw::showNormal));
    EXPECT_EQ(2u, m.desktop().ShellExecuteA(0, "open", "E:\\Package\\Missing.exe", "", "", 1));
    EXPECT_EQ(1, runs);
    EXPECT_EQ(2u, m.simDesktop().launches().size());
}

TEST(SimProfiles, BareNamesLiveInTheWindowsFolderAndPathsFollowTheCurrentDirectory) {
    testsupport::TempDir dir;
    dir.write("package/DRVCONFIG/setup.ini", "[DEVICENAME]\r\nLANGUAGE=1\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    ProfileFiles& p = m.profiles();
    EXPECT_EQ("1", p.GetPrivateProfileStringA("DEVICENAME", "LANGUAGE", "0", 200,
                                              "DRVCONFIG\\setup.ini"));
    EXPECT_EQ("0", p.GetPrivateProfileStringA("DEVICENAME", "LANGUAGE", "0", 200, "setup.ini"));
    ASSERT_TRUE(p.WriteProfileStringA("windows", "device", "P,D,COM1:"));
    std::string winIni;
    ASSERT_TRUE(m.simFiles().readText("C:\\WINDOWS\\win.ini", winIni));
    EXPECT_EQ("[windows]\r\ndevice=P,D,COM1:\r\n", winIni);
}

#include "common/language_text.h"
#include "common/os_variant.h"
#include "common/redirection_switch.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

struct Row {
    WindowsVariant os;
    int bits;
    common::OsVariant expected;
};

common::OsVariant detect(SimMachine& m) {
    const common::LanguageText messages(m.profiles(), common::setupLanguageFilePath(m), "Message");
    return common::detectOsVariant(m, messages);
}

} // namespace

TEST(OsVariant, EveryEditionMapsToItsVariant) {
    const Row rows[] = {
        {WindowsVariant::Win95, 32, 0},
        {WindowsVariant::Win98, 32, 0},
        {WindowsVariant::WinMe, 32, 0},
        {WindowsVariant::Nt4, 32, 1},
        {WindowsVariant::Win2000, 32, 2},
        {WindowsVariant::Xp, 32, 3},
        {WindowsVariant::Xp64, 64, 3},
        {WindowsVariant::Server2003, 32, 4},
        {WindowsVariant::Server2003, 64, 4},
        {WindowsVariant::Vista, 32, 5},
        {WindowsVariant::Vista, 64, 5},
        {WindowsVariant::Server2008, 64, 6},
        {WindowsVariant::Server2008R2, 64, 6},
        {WindowsVariant::Win7, 32, 7},
        {WindowsVariant::Win7, 64, 7},
        // Later Windows: a workstation reads as Windows 7, a server as Server 2008.
        {WindowsVariant::Win8, 32, 7},
        {WindowsVariant::Server2012, 64, 6},
        {WindowsVariant::Win81, 64, 7},
        {WindowsVariant::Server2012R2, 64, 6},
        {WindowsVariant::Win10, 32, 7},
        {WindowsVariant::Win10, 64, 7},
        {WindowsVariant::Server2016, 64, 6},
        {WindowsVariant::Server2022, 64, 6},
        {WindowsVariant::Win11, 64, 7},
    };
    for (const Row& row : rows) {
        testsupport::TempDir dir;
        SimMachine m(testsupport::simConfig(dir, row.os, row.bits));
        EXPECT_EQ(row.expected, detect(m))
            << platform::sim::windowsVariantName(row.os) << " " << row.bits << "-bit";
        EXPECT_TRUE(m.simDesktop().messageBoxes().empty());
    }
}

TEST(OsVariant, UnrecognisedVersionsGiveZero) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    platform::OsVersionInfo v = platform::sim::versionRecord(WindowsVariant::Xp);
    for (auto [major, minor] : {std::pair{4u, 1u}, {5u, 3u}, {3u, 51u}}) {
        v.majorVersion = major;
        v.minorVersion = minor;
        m.simSystem().overrideVersion(v);
        EXPECT_EQ(0, detect(m)) << major << "." << minor;
    }
    EXPECT_TRUE(m.simDesktop().messageBoxes().empty());
}

TEST(OsVariant, Server2003OnAnAmd64WorkstationIsXpX64OnlyWhenTheNativeProcessorSaysSo) {
    // 32-bit program on XP x64: GetSystemInfo would say x86; the native record says AMD64.
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp64, 64));
    EXPECT_EQ(common::osXp, detect(m));
    // Without GetNativeSystemInfo the program falls back to what it is told: x86.
    m.simSystem().removeFunction("kernel32.dll", "GetNativeSystemInfo");
    EXPECT_EQ(common::os2003, detect(m));
}

TEST(OsVariant, AnUnknownPlatformShowsTheSystemMessage) {
    testsupport::TempDir dir;
    dir.write("package/language/setup.ini", "[Message]\r\nIDS_ERR_SYSTEM=Unknown Windows\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    platform::OsVersionInfo v = platform::sim::versionRecord(WindowsVariant::Xp);
    v.platformId = 3;
    m.simSystem().overrideVersion(v);
    EXPECT_EQ(0, detect(m));
    EXPECT_EQ((std::vector<std::string>{"Unknown Windows"}), m.simDesktop().messageTexts());
}

TEST(OsVariant, SuffixesVersionsAndEnvironments) {
    const char* suffixes[] = {".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7"};
    for (int v = 0; v <= 7; ++v)
        EXPECT_STREQ(suffixes[v], common::osSuffix(v));
    EXPECT_EQ(0u, common::osDriverVersion(0));
    EXPECT_EQ(2u, common::osDriverVersion(1));
    EXPECT_EQ(3u, common::osDriverVersion(7));
    EXPECT_EQ("Windows 4.0", common::osEnvironment(0, false));
    EXPECT_EQ("", common::osEnvironment(3, false));
}

TEST(Is64BitWindows, AsksIsWow64ProcessWhereTheSystemHasIt) {
    struct Case {
        WindowsVariant os;
        int bits;
        bool expected;
    } cases[] = {{WindowsVariant::Win7, 64, true},
                 {WindowsVariant::Win7, 32, false},
                 {WindowsVariant::Xp64, 64, true},
                 {WindowsVariant::Win2000, 32, false},
                 {WindowsVariant::Win98, 32, false}};
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SimMachine m(testsupport::simConfig(dir, c.os, c.bits));
        EXPECT_EQ(c.expected, common::is64BitWindows(m)) << platform::sim::windowsVariantName(c.os);
        EXPECT_EQ(0u, m.simSystem().loadedModules());
    }
}

TEST(Is64BitWindows, AnswersFalseWheneverItCannotAsk) {
    testsupport::TempDir dir;
    {
        SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
        m.simSystem().removeFunction("kernel32.dll", "IsWow64Process");
        EXPECT_FALSE(common::is64BitWindows(m));
    }
    {
        SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
        m.faults().failCall("IsWow64Process", platform::err::accessDenied);
        EXPECT_FALSE(common::is64BitWindows(m));
        EXPECT_EQ(0u, m.simSystem().loadedModules());
    }
    {
        // The full path fails; the bare name still loads.
        SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
        m.faults().failCall("LoadLibraryA", platform::err::modNotFound, 1);
        EXPECT_TRUE(common::is64BitWindows(m));
    }
    {
        SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
        m.faults().failCall("LoadLibraryA", platform::err::modNotFound, 2);
        EXPECT_FALSE(common::is64BitWindows(m));
    }
    {
        // A 64-bit program (the Wine tests' builds) needs no IsWow64Process, and
        // has no redirection to switch off.
        auto config = testsupport::simConfig(dir, WindowsVariant::Win7, 64);
        config.processBits = 64;
        SimMachine m(config);
        m.simSystem().removeFunction("kernel32.dll", "IsWow64Process");
        EXPECT_TRUE(common::is64BitWindows(m));
        common::RedirectionSwitch native(m, true, 0, common::RedirectionSwitch::Mode::Announced);
        EXPECT_TRUE(native.ready());
        EXPECT_FALSE(native.switchedOff());
        EXPECT_TRUE(m.simDesktop().messageBoxes().empty());
    }
}

TEST(IsAdministrator, LooksForTheAdministratorsGroupInTheProcessToken) {
    testsupport::TempDir dir;
    auto config = testsupport::simConfig(dir, WindowsVariant::Win7, 64);
    {
        SimMachine m(config);
        EXPECT_TRUE(common::isAdministrator(m));
    }
    config.administrator = false;
    {
        SimMachine m(config);
        EXPECT_FALSE(common::isAdministrator(m));
    }
    config.administrator = true;
    {
        SimMachine m(config);
        m.faults().failCall("GetTokenInformation", platform::err::accessDenied);
        EXPECT_FALSE(common::isAdministrator(m));
    }
    {
        // A thread token that cannot be opened for another reason than "none" is a failure.
        SimMachine m(config);
        m.faults().failCall("OpenThreadToken", platform::err::accessDenied);
        EXPECT_FALSE(common::isAdministrator(m));
    }
}

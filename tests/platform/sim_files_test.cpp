#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <algorithm>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

std::vector<std::string> names(Files& files, const std::string& pattern) {
    std::vector<std::string> out;
    FindData d;
    const Handle h = files.FindFirstFileA(pattern, d);
    if (h == invalidHandle)
        return out;
    do
        out.push_back(d.name);
    while (files.FindNextFileA(h, d));
    files.FindClose(h);
    return out;
}

} // namespace

TEST(SimFiles, NamesAreFoundWithoutRegardToCase) {
    testsupport::TempDir dir;
    dir.write("package/DRVCONFIG/setup_ticket.ini", "[A]\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    EXPECT_NE(fileattr::invalid, m.files().GetFileAttributesA("DRVCONFIG\\setup_Ticket.ini"));
    EXPECT_NE(fileattr::invalid,
              m.files().GetFileAttributesA("e:\\package\\drvconfig\\SETUP_TICKET.INI"));
    EXPECT_EQ(fileattr::invalid, m.files().GetFileAttributesA("DRVCONFIG\\setup_lable.ini"));
    EXPECT_EQ(err::fileNotFound, m.GetLastError());
    EXPECT_EQ(fileattr::invalid, m.files().GetFileAttributesA("NOFOLDER\\x.ini"));
    EXPECT_EQ(err::pathNotFound, m.GetLastError());
}

TEST(SimFiles, ThirtyTwoBitProgramIsRedirectedFromSystem32UntilItSwitchesRedirectionOff) {
    testsupport::TempDir dir;
    dir.write("package/W64/KVMON.DLL", "monitor");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
    Files& f = m.files();
    ASSERT_TRUE(f.CopyFileA("W64\\KVMON.DLL", "C:\\WINDOWS\\system32\\KVMON.DLL", false));
    EXPECT_TRUE(m.simFiles().exists("C:\\WINDOWS\\SysWOW64\\KVMON.DLL"));
    EXPECT_FALSE(m.simFiles().exists("C:\\WINDOWS\\system32\\KVMON.DLL"));

    Handle old = 0;
    ASSERT_TRUE(f.Wow64DisableWow64FsRedirection(old));
    ASSERT_TRUE(f.CopyFileA("W64\\KVMON.DLL", "C:\\WINDOWS\\system32\\KVMON.DLL", false));
    ASSERT_TRUE(f.Wow64RevertWow64FsRedirection(old));
    EXPECT_TRUE(m.simFiles().exists("C:\\WINDOWS\\system32\\KVMON.DLL"));

    // The spooler's folders are shared by both bitnesses.
    m.simFiles().makeDirectories("C:\\WINDOWS\\system32\\spool\\drivers\\x64");
    ASSERT_TRUE(
        f.CopyFileA("W64\\KVMON.DLL", "C:\\WINDOWS\\system32\\spool\\drivers\\x64\\a.dll", false));
    EXPECT_TRUE(m.simFiles().exists("C:\\WINDOWS\\system32\\spool\\drivers\\x64\\a.dll"));
}

TEST(SimFiles, RedirectionFunctionsAreMissingOnThirtyTwoBitXp) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    Handle old = 0;
    EXPECT_FALSE(m.files().Wow64DisableWow64FsRedirection(old));
    EXPECT_EQ(err::callNotImplemented, m.GetLastError());
}

TEST(SimFiles, CopyAnswersLikeKernel32) {
    testsupport::TempDir dir;
    dir.write("package/W32/A.DLL", "a");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    Files& f = m.files();
    const std::string target = "C:\\WINDOWS\\system32\\A.DLL";
    EXPECT_FALSE(f.CopyFileA("W32\\MISSING.DLL", target, false));
    EXPECT_EQ(err::fileNotFound, m.GetLastError());
    EXPECT_FALSE(f.CopyFileA("W32\\A.DLL", "C:\\NOFOLDER\\A.DLL", false));
    EXPECT_EQ(err::pathNotFound, m.GetLastError());
    ASSERT_TRUE(f.CopyFileA("W32\\A.DLL", target, false));
    EXPECT_FALSE(f.CopyFileA("W32\\A.DLL", target, true));
    EXPECT_EQ(err::fileExists, m.GetLastError());

    m.simFiles().setInUse(target);
    EXPECT_FALSE(f.CopyFileA("W32\\A.DLL", target, false));
    EXPECT_EQ(err::sharingViolation, m.GetLastError());
    EXPECT_FALSE(f.DeleteFileA(target));
    EXPECT_EQ(err::sharingViolation, m.GetLastError());
    m.simFiles().setInUse(target, false);

    m.simFiles().setReadOnly(target);
    EXPECT_FALSE(f.CopyFileA("W32\\A.DLL", target, false));
    EXPECT_EQ(err::accessDenied, m.GetLastError());
    ASSERT_TRUE(f.SetFileAttributesA(target, fileattr::archive));
    EXPECT_TRUE(f.CopyFileA("W32\\A.DLL", target, false));
    EXPECT_TRUE(f.DeleteFileA(target));
    EXPECT_FALSE(m.simFiles().exists(target));
}

TEST(SimFiles, UsersWhoAreNotAdministratorsCannotWriteTheWindowsFolder) {
    testsupport::TempDir dir;
    dir.write("package/W32/A.DLL", "a");
    auto config = testsupport::simConfig(dir, WindowsVariant::Win7, 32);
    config.administrator = false;
    SimMachine m(config);
    EXPECT_FALSE(m.files().CopyFileA("W32\\A.DLL", "C:\\WINDOWS\\system32\\A.DLL", false));
    EXPECT_EQ(err::accessDenied, m.GetLastError());
    m.simFiles().makeDirectories("C:\\Data");
    EXPECT_TRUE(m.files().CopyFileA("W32\\A.DLL", "C:\\Data\\A.DLL", false));
}

TEST(SimFiles, SearchesListMatchesInOrderWithTheDotEntriesOfAFolder) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    for (const char* n : {"b.cab", "A.CAB", "c.inf"})
        m.simFiles().writeText(std::string("C:\\Media\\i386\\") + n, "x");
    EXPECT_EQ((std::vector<std::string>{"A.CAB", "b.cab"}),
              names(m.files(), "C:\\Media\\i386\\*.cab"));
    EXPECT_EQ((std::vector<std::string>{".", "..", "A.CAB", "b.cab", "c.inf"}),
              names(m.files(), "C:\\Media\\i386\\*.*"));
    FindData d;
    EXPECT_EQ(invalidHandle, m.files().FindFirstFileA("C:\\WINDOWS\\*.none", d));
    EXPECT_EQ(err::fileNotFound, m.GetLastError());
    EXPECT_EQ(invalidHandle, m.files().FindFirstFileA("C:\\NOWHERE\\*", d));
    EXPECT_EQ(err::pathNotFound, m.GetLastError());
    EXPECT_EQ(0u, m.simFiles().openSearches());
}

TEST(SimFiles, ListsEveryFileBelowAFolder) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simFiles().writeText("C:\\WINDOWS\\inf\\oem0.inf", "x");
    // Besides the system's own files (the driver cache on XP).
    const auto files = m.simFiles().listFiles();
    EXPECT_NE(files.end(), std::find(files.begin(), files.end(), "C:\\WINDOWS\\inf\\oem0.inf"));
    EXPECT_EQ(std::vector<std::string>{"C:\\WINDOWS\\inf\\oem0.inf"},
              m.simFiles().listFiles("C:\\WINDOWS\\inf"));
}

#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

std::vector<std::uint8_t> dword(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

} // namespace

TEST(SimRegistry, ThirtyTwoBitProgramOnSixtyFourBitWindowsSeesTheWow64ViewOfSoftware) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
    Handle key = 0;
    ASSERT_EQ(0u, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\KORVANE\\PORTNAME",
                                               regsam::allAccess, key));
    ASSERT_EQ(0u, m.registry().RegSetValueExA(key, "USB_X_1", regtype::dword, dword(3)));
    m.registry().RegCloseKey(key);
    EXPECT_TRUE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\Wow6432Node\\KORVANE\\PORTNAME"));
    EXPECT_FALSE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE"));

    // With the 64-bit view the native key is written.
    ASSERT_EQ(0u, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\KORVANE\\PORTNAME",
                                               regsam::read | regsam::write | regsam::wow64_64Key,
                                               key));
    m.registry().RegCloseKey(key);
    EXPECT_TRUE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE\\PORTNAME"));

    // SYSTEM is shared by both views.
    ASSERT_EQ(0u, m.registry().RegOpenKeyExA(RootKey::LocalMachine,
                                             "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors",
                                             regsam::allAccess, key));
    m.registry().RegCloseKey(key);
    EXPECT_EQ(0u, m.simRegistry().openHandles());
}

TEST(SimRegistry, OnlyRegDeleteKeyExReachesTheSixtyFourBitViewFromAThirtyTwoBitProgram) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
    for (const char* path :
         {"HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "HKLM\\SOFTWARE\\Wow6432Node\\KORVANE\\PORTNAME"})
        m.simRegistry().createKey(path);
    Registry& r = m.registry();
    Handle native = 0;
    ASSERT_EQ(0u, r.RegOpenKeyExA(RootKey::LocalMachine, "SOFTWARE\\KORVANE",
                                  regsam::allAccess | regsam::wow64_64Key, native));
    // The parent's view does not carry over: the plain call deletes the 32-bit key.
    EXPECT_EQ(0u, r.RegDeleteKeyA(native, "PORTNAME"));
    EXPECT_FALSE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\Wow6432Node\\KORVANE\\PORTNAME"));
    EXPECT_TRUE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE\\PORTNAME"));
    EXPECT_EQ(0u, r.RegDeleteKeyExA(native, "PORTNAME", regsam::wow64_64Key));
    EXPECT_FALSE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE\\PORTNAME"));
    r.RegCloseKey(native);

    testsupport::TempDir xpDir;
    SimMachine xp(testsupport::simConfig(xpDir, WindowsVariant::Xp, 32));
    xp.simRegistry().createKey("HKLM\\SOFTWARE\\KORVANE\\PORTNAME");
    Handle key = 0;
    ASSERT_EQ(0u, xp.registry().RegOpenKeyExA(RootKey::LocalMachine, "SOFTWARE\\KORVANE",
                                              regsam::allAccess, key));
    EXPECT_EQ(err::callNotImplemented, xp.registry().RegDeleteKeyExA(key, "PORTNAME", 0));
    xp.registry().RegCloseKey(key);
}

TEST(SimRegistry, NoRedirectionOnThirtyTwoBitWindows) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    Handle key = 0;
    ASSERT_EQ(0u, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\KORVANE",
                                               regsam::allAccess, key));
    m.registry().RegCloseKey(key);
    EXPECT_TRUE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE"));
}

TEST(SimRegistry, AnswersLikeAdvapi32) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    Registry& r = m.registry();
    Handle key = 0;
    EXPECT_EQ(err::fileNotFound,
              r.RegOpenKeyExA(RootKey::LocalMachine, "SOFTWARE\\Missing", regsam::read, key));
    EXPECT_EQ(0u, key);

    m.simRegistry().setDword("HKLM\\SOFTWARE\\A\\B", "Value", 7);
    ASSERT_EQ(0u, r.RegOpenKeyExA(RootKey::LocalMachine, "software\\a", regsam::allAccess, key));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(err::fileNotFound, r.RegQueryValueExA(key, "Value", type, data));
    std::string name;
    ASSERT_EQ(0u, r.RegEnumKeyExA(key, 0, name));
    EXPECT_EQ("B", name);
    EXPECT_EQ(err::noMoreItems, r.RegEnumKeyExA(key, 1, name));
    // A key that still has subkeys cannot be deleted on its own.
    Handle root = 0;
    ASSERT_EQ(0u, r.RegOpenKeyExA(RootKey::LocalMachine, "SOFTWARE", regsam::allAccess, root));
    EXPECT_EQ(err::accessDenied, r.RegDeleteKeyA(root, "A"));
    EXPECT_EQ(0u, r.RegDeleteKeyA(key, "B"));
    EXPECT_EQ(0u, r.RegDeleteKeyA(root, "A"));
    r.RegCloseKey(root);
    r.RegCloseKey(key);
    EXPECT_EQ(err::invalidHandle, r.RegCloseKey(key));
}

TEST(SimRegistry, WritingUnderLocalMachineNeedsAnAdministrator) {
    testsupport::TempDir dir;
    auto config = testsupport::simConfig(dir, WindowsVariant::Win7, 32);
    config.administrator = false;
    SimMachine m(config);
    Handle key = 0;
    EXPECT_EQ(err::accessDenied, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\K",
                                                              regsam::allAccess, key));
    EXPECT_EQ(0u, m.registry().RegOpenKeyExA(RootKey::LocalMachine, "SOFTWARE", regsam::read, key));
    m.registry().RegCloseKey(key);
}

TEST(SimRegistry, FaultsFailTheNamedCallOnlyAsOftenAsAsked) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.faults().failCall("RegCreateKeyExA", err::accessDenied, 2);
    Handle key = 0;
    EXPECT_EQ(err::accessDenied, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\K",
                                                              regsam::allAccess, key));
    EXPECT_EQ(err::accessDenied, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\K",
                                                              regsam::allAccess, key));
    EXPECT_EQ(0u, m.registry().RegCreateKeyExA(RootKey::LocalMachine, "SOFTWARE\\K",
                                               regsam::allAccess, key));
    m.registry().RegCloseKey(key);
}

TEST(SimRegistry, SavedStateLoadsBackWithTypesAndBytes) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simRegistry().setString("HKLM\\SOFTWARE\\X Y", "Name with space", "a b%c");
    m.simRegistry().setValue("HKLM\\SOFTWARE\\X Y", "DCB", regtype::none, {0, 1, 0xFF});
    std::stringstream state;
    m.simRegistry().save(state);

    SimMachine other(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    ASSERT_TRUE(other.simRegistry().load(state));
    std::string text;
    ASSERT_TRUE(other.simRegistry().readString("HKLM\\SOFTWARE\\X Y", "name with space", text));
    EXPECT_EQ("a b%c", text);
    const auto* dcb = other.simRegistry().findValue("HKLM\\SOFTWARE\\X Y", "DCB");
    ASSERT_NE(nullptr, dcb);
    EXPECT_EQ(regtype::none, dcb->type);
    EXPECT_EQ((std::vector<std::uint8_t>{0, 1, 0xFF}), dcb->data);

    std::stringstream bad("value HKLM%5CX name 4 ZZ\n");
    EXPECT_FALSE(other.simRegistry().load(bad));
}

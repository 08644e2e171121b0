#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"
#include "usbinstall/setup_error.h"

#include <gtest/gtest.h>

#include <set>

using namespace usbinstall;

TEST(SetupError, NamesEveryCodeOfSetupApisHeader) {
    std::set<std::string> names;
    auto expectNamed = [&](std::uint32_t code) {
        const char* name = setupErrorName(code);
        ASSERT_NE(nullptr, name) << std::hex << code;
        EXPECT_TRUE(names.insert(name).second) << name << " named twice";
    };
    for (std::uint32_t n = 0; n <= 3; ++n)
        expectNamed(0xE0000000 | n);
    for (std::uint32_t n = 0x100; n <= 0x103; ++n)
        expectNamed(0xE0000000 | n);
    for (std::uint32_t n = 0x200; n <= 0x22C; ++n)
        expectNamed(0xE0000000 | n);
    expectNamed(0xE0001000);
    EXPECT_EQ(54u, names.size());

    EXPECT_STREQ("ERROR_NO_SUCH_DEVINST", setupErrorName(0xE000020B));
    EXPECT_STREQ("ERROR_NOT_INSTALLED", setupErrorName(0xE0001000));
    // The older names share their codes with the newer ones, which come first.
    EXPECT_STREQ("ERROR_NO_DEFAULT_DEVICE_INTERFACE", setupErrorName(0xE000021A));
    EXPECT_STREQ("ERROR_NO_SUCH_DEVICE_INTERFACE", setupErrorName(0xE0000225));

    for (std::uint32_t code : {0u, 5u, 0xE0000004u, 0xE0000104u, 0xE000022Du, 0x20000200u})
        EXPECT_EQ(nullptr, setupErrorName(code)) << std::hex << code;
}

TEST(SetupError, TextPrefersTheSystemsMessage) {
    testsupport::TempDir dir;
    platform::sim::SimMachine m(
        testsupport::simConfig(dir, platform::sim::WindowsVariant::Win7, 64));
    EXPECT_EQ("Error 5 in SetupDiCreateDeviceInfoList: Access is denied.\r\n\n",
              setupErrorText(m, "SetupDiCreateDeviceInfoList", 5));
    // The simulated system has no texts for SetupAPI's own codes.
    EXPECT_EQ("Error E000020B in UpdateDriverForPlugAndPlayDevices: ERROR_NO_SUCH_DEVINST\n",
              setupErrorText(m, "UpdateDriverForPlugAndPlayDevices", 0xE000020B));
    EXPECT_EQ("Error 00001234 in search for specified device\n",
              setupErrorText(m, "search for specified device", 0x1234));

    reportSetupError(m, 0x777, "SetupOpenInfFile", 2);
    ASSERT_EQ(1u, m.simDesktop().messageBoxes().size());
    const auto& box = m.simDesktop().messageBoxes()[0];
    EXPECT_EQ("Error 2 in SetupOpenInfFile: The system cannot find the file specified.\r\n\n",
              box.text);
    EXPECT_EQ("Device driver setup", box.caption);
    EXPECT_EQ(platform::mb::ok, box.type & 0xF);
}

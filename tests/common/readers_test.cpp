#include "common/config_int.h"
#include "common/language_text.h"
#include "common/registry_key.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

TEST(AtoiDecimal, TakesTheLeadingDigitsLikeAtoi) {
    EXPECT_EQ(0, common::atoiDecimal(""));
    EXPECT_EQ(0, common::atoiDecimal("abc"));
    EXPECT_EQ(12, common::atoiDecimal("12abc"));
    EXPECT_EQ(7, common::atoiDecimal("  +7"));
    EXPECT_EQ(-3, common::atoiDecimal("-3"));
    EXPECT_EQ(0, common::atoiDecimal("0x10"));
    EXPECT_EQ(0, common::atoiDecimal("- 5"));
    EXPECT_EQ(2147483647, common::atoiDecimal("99999999999999999999"));
    EXPECT_EQ(-2147483647 - 1, common::atoiDecimal("-99999999999999999999"));
}

TEST(ReadConfigInt, MissingFileSectionOrKeyReadsZero) {
    testsupport::TempDir dir;
    dir.write("package/DRVCONFIG/setup.ini", "[DEVICENAME]\r\nLOADLICENSE = 1 \r\nLANGUAGE=x\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    const std::string ini = "DRVCONFIG\\setup.ini";
    EXPECT_EQ(1, common::readConfigInt(m.profiles(), ini, "devicename", "LOADLICENSE"));
    EXPECT_EQ(0, common::readConfigInt(m.profiles(), ini, "DEVICENAME", "LANGUAGE"));
    EXPECT_EQ(0, common::readConfigInt(m.profiles(), ini, "DEVICENAME", "Supported32OR64"));
    EXPECT_EQ(0, common::readConfigInt(m.profiles(), ini, "OTHER", "LOADLICENSE"));
    EXPECT_EQ(0, common::readConfigInt(m.profiles(), "DRVCONFIG\\none.ini", "DEVICENAME", "X"));
}

TEST(LanguageText, TurnsTheFirstOfEachBreakMarkerIntoALineBreak) {
    EXPECT_EQ("a\r\nb", common::expandLineBreaks("a\\1b"));
    EXPECT_EQ("a\r\nb\\1c", common::expandLineBreaks("a\\1b\\1c"));
    EXPECT_EQ("1\r\n2\r\n3\r\n4", common::expandLineBreaks("1\\12\\23\\34"));
    EXPECT_EQ("x\r\ny\r\nz", common::expandLineBreaks("x\\3y\\1z"));
    EXPECT_EQ("\\4", common::expandLineBreaks("\\4"));
}

TEST(LanguageText, TextsStayValidWhenAnotherReaderReads) {
    testsupport::TempDir dir;
    dir.write("package/language/setup.ini",
              "[Setup]\r\nCaption=Printer setup\r\n[Message]\r\nIDS_ADMIN=Log on as an "
              "administrator.\\1Setup ends.\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    const std::string file = common::setupLanguageFilePath(m);
    EXPECT_EQ("E:\\Package\\language\\setup.ini", file);
    const common::LanguageText setupTexts(m.profiles(), file, "Setup");
    const common::LanguageText messages(m.profiles(), file, "Message");
    const std::string caption = setupTexts.get("Caption");
    const std::string admin = messages.get("IDS_ADMIN");
    EXPECT_EQ("Printer setup", caption);
    EXPECT_EQ("Log on as an administrator.\r\nSetup ends.", admin);
    EXPECT_EQ("", messages.get("IDS_MISSING"));
}

TEST(LanguageText, AnotherWorkingDirectoryFindsNoFileAndEveryTextIsEmpty) {
    testsupport::TempDir dir;
    dir.write("package/language/setup.ini", "[Setup]\r\nCaption=Printer setup\r\n");
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simFiles().setCurrentDirectory("C:\\WINDOWS");
    const common::LanguageText setupTexts(m.profiles(), common::setupLanguageFilePath(m), "Setup");
    EXPECT_EQ("", setupTexts.get("Caption"));
}

TEST(RegistryKey, OpensTheNativeViewOnSixtyFourBitWindows) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
    {
        common::RegistryKey key(m.registry(), true);
        EXPECT_FALSE(key.open("SOFTWARE\\KORVANE\\PRINTERPORT"));
        EXPECT_EQ(platform::err::fileNotFound, key.lastError());
        ASSERT_TRUE(key.create("SOFTWARE\\KORVANE\\PRINTERPORT"));
        EXPECT_TRUE(key.writeDword("D1", 0));
        EXPECT_TRUE(key.writeString("Driver", "nKVMON.DLL"));
        std::uint32_t v = 99;
        EXPECT_TRUE(key.readDword("D1", v));
        EXPECT_EQ(0u, v);
        EXPECT_FALSE(key.readDword("Driver", v)); // not four bytes
    }
    EXPECT_TRUE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\KORVANE\\PRINTERPORT"));
    EXPECT_FALSE(m.simRegistry().hasKey("HKLM\\SOFTWARE\\Wow6432Node\\KORVANE"));
    EXPECT_EQ(0u, m.simRegistry().openHandles());
}

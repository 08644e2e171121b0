#include "platform/device_setup.h"
#include "platform/sim/sim_inf_file.h"

#include <gtest/gtest.h>

using namespace platform;
using platform::sim::InfFile;
using platform::sim::InfLine;

namespace {

InfFile parsed(const std::string& text) {
    InfFile inf;
    std::uint32_t error = 0, line = 0;
    EXPECT_TRUE(inf.parse(text, error, line)) << "error " << std::hex << error << " line " << line;
    return inf;
}

const InfLine& lineOf(const InfFile& inf, const char* section, std::size_t index) {
    static const InfLine none;
    const auto* s = inf.section(section);
    if (s == nullptr || index >= s->lines.size()) {
        ADD_FAILURE() << "no line " << index << " in [" << section << "]";
        return none;
    }
    return s->lines[index];
}

} // namespace

TEST(SimInfFile, SplitsKeysAndFieldsAsSetupApiDoes) {
    const InfFile inf = parsed("[Models]\r\n"
                               "  %Desc% = Install , USB\\VID_1&PID_2 ,, last  ; comment\r\n"
                               "Bare, \"quoted, with comma\" , \"say \"\"hi\"\"\"\r\n"
                               "Key =\r\n"
                               "Continued = one, \\\r\n"
                               "   two\r\n"
                               "[Strings]\r\n"
                               "Desc = \"A Printer\"\r\n");
    const InfLine& model = lineOf(inf, "models", 0);
    ASSERT_TRUE(model.hasKey);
    EXPECT_EQ("%Desc%", model.key) << "no [Version] signature: strings stay as written";
    EXPECT_EQ((std::vector<std::string>{"Install", "USB\\VID_1&PID_2", "", "last"}), model.fields);

    const InfLine& bare = lineOf(inf, "Models", 1);
    EXPECT_FALSE(bare.hasKey);
    EXPECT_EQ((std::vector<std::string>{"Bare", "quoted, with comma", "say \"hi\""}), bare.fields);

    const InfLine& empty = lineOf(inf, "Models", 2);
    EXPECT_TRUE(empty.hasKey);
    EXPECT_EQ("Key", empty.key);
    EXPECT_EQ(std::vector<std::string>{""}, empty.fields);

    const InfLine& continued = lineOf(inf, "Models", 3);
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), continued.fields);
}

TEST(SimInfFile, Win4InfSubstitutesStringsInKeysAndFields) {
    const InfFile inf = parsed("[Version]\nSignature=\"$Windows NT$\"\nClass=Ports\n"
                               "[Models]\n%Desc% = Install , USB\\VID_1&PID_2 ,, 100%% %Unknown%\n"
                               "[Strings]\nDESC = \"A, Printer\"\n");
    EXPECT_EQ(infstyle::win4, inf.style());
    const InfLine& model = lineOf(inf, "Models", 0);
    ASSERT_TRUE(model.hasKey);
    EXPECT_EQ("A, Printer", model.key);
    EXPECT_EQ((std::vector<std::string>{"Install", "USB\\VID_1&PID_2", "", "100% %Unknown%"}),
              model.fields);
    EXPECT_EQ("Ports", inf.value("version", "CLASS").value_or("?"));
    EXPECT_FALSE(inf.value("Version", "Provider").has_value());
}

TEST(SimInfFile, SectionsGivenTwiceAreOneAndOtherSignaturesAreOldStyle) {
    const InfFile inf = parsed("[A]\nx=1\n[B]\n[a]\ny=2\n");
    ASSERT_NE(nullptr, inf.section("A"));
    EXPECT_EQ(2u, inf.section("A")->lines.size());
    EXPECT_EQ(infstyle::oldNt, inf.style());
    EXPECT_EQ(infstyle::oldNt, parsed("[Version]\nSignature=\"$Linux$\"\n").style());
    EXPECT_EQ(infstyle::win4, parsed("[Version]\nsignature=$CHICAGO$\n").style());
}

TEST(SimInfFile, ReadsUtf16AndUtf8Text) {
    const std::string ascii = "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=USB\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : ascii) {
        utf16 += c;
        utf16 += '\0';
    }
    EXPECT_EQ("USB", parsed(utf16).value("Version", "Class").value_or("?"));
    EXPECT_EQ("USB", parsed("\xEF\xBB\xBF" + ascii).value("Version", "Class").value_or("?"));
}

TEST(SimInfFile, MalformedTextIsRefusedWithTheLineItWasFoundOn) {
    struct Case {
        const char* text;
        std::uint32_t error;
        std::uint32_t line;
    };
    const std::string longName = "[" + std::string(256, 'x') + "]\n";
    const Case cases[] = {
        {"; fine\nkey=value\n", err::expectedSectionName, 2},
        {"[Version]\nx=1\n[Broken\n", err::badSectionNameLine, 3},
        {"[A]\nx=1,\\\ny\n[B\n", err::badSectionNameLine, 4},
        {longName.c_str(), err::sectionNameTooLong, 1},
    };
    for (const Case& c : cases) {
        InfFile inf;
        std::uint32_t error = 0, line = 0;
        EXPECT_FALSE(inf.parse(c.text, error, line)) << c.text;
        EXPECT_EQ(c.error, error) << c.text;
        EXPECT_EQ(c.line, line) << c.text;
    }
}

TEST(SimInfFile, ModelsFollowTheDecorationsOfTheWindowsBitness) {
    const InfFile inf = parsed("[Version]\nSignature=\"$Windows NT$\"\n"
                               "[Manufacturer]\n%Mfg%=Maker,NTamd64\nOld=OldMaker\n"
                               "[Maker]\nPlain=Plain.Install,HW\\1\n"
                               "[Maker.NTamd64]\nSixtyFour=X64.Install,HW\\2,HW\\1\n"
                               "[OldMaker]\nOld=Old.Install,HW\\3\n"
                               "[Strings]\nMfg=\"Maker\"\n");
    const auto x64 = sim::findInfModel(inf, "hw\\1", true);
    ASSERT_TRUE(x64.has_value());
    EXPECT_EQ("SixtyFour", x64->description);
    EXPECT_EQ("X64.Install", x64->installSection);
    EXPECT_FALSE(sim::findInfModel(inf, "HW\\3", true))
        << "a manufacturer without NTamd64 is not meant for 64-bit Windows";

    const auto x86 = sim::findInfModel(inf, "HW\\1", false);
    ASSERT_TRUE(x86.has_value());
    EXPECT_EQ("Plain", x86->description);
    EXPECT_TRUE(sim::findInfModel(inf, "HW\\3", false));
    EXPECT_FALSE(sim::findInfModel(inf, "HW\\2", false));
}

TEST(SimInfFile, InstallSectionAndItsCopyFiles) {
    const InfFile inf = parsed("[Version]\nSignature=\"$Windows NT$\"\n"
                               "[Dev]\nCopyFiles=Wrong\n"
                               "[Dev.NT]\nCopyFiles=Files, @Extra.sys\n"
                               "[Dev.NTamd64]\nCopyFiles=Files64\n"
                               "[Files]\nA.sys\nB.sys,B_src.sys\n"
                               "[Files64]\nA64.sys\n");
    const auto* x86 = sim::findInstallSection(inf, "Dev", false);
    ASSERT_NE(nullptr, x86);
    EXPECT_EQ("Dev.NT", x86->name);
    using Files = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ((Files{{"A.sys", "A.sys"}, {"B.sys", "B_src.sys"}, {"Extra.sys", "Extra.sys"}}),
              sim::infCopyFiles(inf, *x86));
    const auto* x64 = sim::findInstallSection(inf, "Dev", true);
    ASSERT_NE(nullptr, x64);
    EXPECT_EQ((Files{{"A64.sys", "A64.sys"}}), sim::infCopyFiles(inf, *x64));
    EXPECT_EQ(nullptr, sim::findInstallSection(inf, "Missing", true));
}

#include "platform/sim/pe_version.h"
#include "platform/sim/sim_machine.h"
#include "tests/support/pe_file.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform;
using platform::sim::readFileVersion;
using platform::sim::VersionResult;
using testsupport::VersionResourceSpec;
using testsupport::VersionTable;

namespace {

VersionResult read(const std::vector<std::uint8_t>& bytes, std::string& version) {
    return readFileVersion(bytes.data(), bytes.size(), version);
}

} // namespace

TEST(PeVersion, ReadsFileVersionOfThirtyTwoAndSixtyFourBitImages) {
    for (bool pe32Plus : {false, true}) {
        std::string version;
        EXPECT_EQ(VersionResult::Ok,
                  read(testsupport::peWithFileVersion("1.2.0.3", pe32Plus), version))
            << "PE32+ " << pe32Plus;
        EXPECT_EQ("1.2.0.3", version);
    }
}

TEST(PeVersion, FirstTranslationChoosesTheStringTable) {
    VersionResourceSpec spec;
    spec.tables = {VersionTable{"040904b0", {{"FileVersion", "9.9.9.9"}}},
                   // Table keys are compared without regard to case, as VerQueryValue does.
                   VersionTable{"080404B0", {{"ProductName", "x"}, {"FileVersion", "2.0.1.0"}}}};
    spec.translations = {{0x0804, 0x04B0}, {0x0409, 0x04B0}};
    std::string version;
    ASSERT_EQ(VersionResult::Ok, read(testsupport::peFile(spec), version));
    EXPECT_EQ("2.0.1.0", version);

    spec.translations = {{0x0407, 0x04E4}}; // no table for German
    EXPECT_EQ(VersionResult::NoFileVersion, read(testsupport::peFile(spec), version));
    spec.translations.clear();
    EXPECT_EQ(VersionResult::NoTranslation, read(testsupport::peFile(spec), version));
}

TEST(PeVersion, RefusesWhatIsNotAVersionedImage) {
    std::string version;
    const std::string text = "[Version]\r\nSignature=\"$Windows NT$\"\r\n";
    EXPECT_EQ(VersionResult::NotExecutable, read({text.begin(), text.end()}, version));
    EXPECT_EQ(VersionResult::NotExecutable, read({}, version));

    VersionResourceSpec icon;
    icon.resourceType = 3; // RT_ICON only
    icon.tables = {VersionTable{"040904b0", {{"FileVersion", "1.0.0.0"}}}};
    EXPECT_EQ(VersionResult::NoVersion, read(testsupport::peFile(icon), version));
    VersionResourceSpec otherId = icon;
    otherId.resourceType = 16;
    otherId.resourceId = 2;
    EXPECT_EQ(VersionResult::NoVersionId, read(testsupport::peFile(otherId), version));

    std::vector<std::uint8_t> noResources = testsupport::peWithFileVersion("1.0.0.0");
    for (std::size_t i = 0; i < 8; ++i)
        noResources[0x58 + 96 + 16 + i] = 0; // data directory 2 of the PE32 optional header
    EXPECT_EQ(VersionResult::NoResources, read(noResources, version));
}

TEST(PeVersion, DamagedImagesAreRefusedWithoutReadingOutside) {
    const std::vector<std::uint8_t> good = testsupport::peWithFileVersion("3.1.4.1");
    std::string version;
    // Every truncation: the parser must stay inside the bytes (AddressSanitizer
    // watches) and can only succeed once the whole resource is there.
    for (std::size_t size = 0; size < good.size(); ++size) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<long>(size));
        const VersionResult r = read(cut, version);
        if (r == VersionResult::Ok) {
            EXPECT_EQ("3.1.4.1", version) << "size " << size;
        }
    }
    // Block lengths and directory offsets pointing past the end.
    for (std::size_t at : {std::size_t{0x200 + 0x58}, std::size_t{0x200 + 0x14},
                           std::size_t{0x200 + 0x4C}, std::size_t{0x3C}}) {
        std::vector<std::uint8_t> bad = good;
        bad[at] = 0xFF;
        bad[at + 1] = 0xFF;
        EXPECT_NE(VersionResult::Ok, read(bad, version)) << "offset " << at;
    }
}

TEST(PeVersion, SimulatedGetFileVersionInfoSeesThroughRedirection) {
    testsupport::TempDir dir;
    sim::SimMachine m(testsupport::simConfig(dir, sim::WindowsVariant::Win7, 64));
    const auto native = testsupport::peWithFileVersion("1.0.0.5", true);
    const auto wow = testsupport::peWithFileVersion("1.0.0.1");
    m.simFiles().writeText("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys",
                           {native.begin(), native.end()});
    m.simFiles().writeText("C:\\WINDOWS\\SysWOW64\\drivers\\KVPUSB.sys", {wow.begin(), wow.end()});

    std::string version;
    ASSERT_TRUE(
        m.files().GetFileVersionInfoA("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys", version));
    EXPECT_EQ("1.0.0.1", version) << "a 32-bit program sees SysWOW64";
    Handle old = 0;
    ASSERT_TRUE(m.files().Wow64DisableWow64FsRedirection(old));
    ASSERT_TRUE(
        m.files().GetFileVersionInfoA("C:\\WINDOWS\\system32\\drivers\\KVPUSB.sys", version));
    EXPECT_EQ("1.0.0.5", version);
    m.files().Wow64RevertWow64FsRedirection(old);

    m.SetLastError(0xDEAD);
    EXPECT_FALSE(
        m.files().GetFileVersionInfoA("C:\\WINDOWS\\system32\\drivers\\none.sys", version));
    EXPECT_EQ(err::fileNotFound, m.GetLastError());
    m.simFiles().writeText("C:\\WINDOWS\\inf\\a.inf", "[Version]\r\n");
    EXPECT_FALSE(m.files().GetFileVersionInfoA("C:\\WINDOWS\\inf\\a.inf", version));
    EXPECT_EQ(err::resourceDataNotFound, m.GetLastError())
        << "as the system's version functions say";
}

// The toolchain's own output: a resource-only DLL linked by MinGW from a .rc file.
TEST(PeVersion, ReadsAResourceOnlyDllOfTheWindowsToolchain) {
    const std::filesystem::path file =
        std::filesystem::path(PKG_SOURCE_DIR) / "fuzz/corpus/pe_version/version_only.dll";
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    std::string version;
    ASSERT_EQ(VersionResult::Ok, read(bytes, version));
    EXPECT_EQ("2.1.0.7", version);
}

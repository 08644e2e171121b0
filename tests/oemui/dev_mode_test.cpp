// DevMode as the host calls it: size, default, convert and merge, with the
// host's buffers and whatever records arrive in a job's DEVMODE.
#include "oemui/class_factory.h"
#include "oemui/plugin_settings.h"
#include "oemui_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace oemui {
namespace {

using test::RecordingServices;

constexpr std::uint32_t errorInvalidParameter = 87;
constexpr std::uint32_t errorInsufficientBuffer = 122;

class DevModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* object = nullptr;
        ASSERT_EQ(hr::ok, getClassObject(module, clsidOemUi, iidClassFactory, &object));
        auto* factory = static_cast<ComClassFactory*>(object);
        ASSERT_EQ(hr::ok, factory->CreateInstance(nullptr, iidPrintOemUi, &object));
        factory->Release();
        ui = static_cast<IPrintOemUI*>(object);
    }
    void TearDown() override { ui->Release(); }

    HResult devMode(std::uint32_t mode, void* in, void* out, std::uint32_t room = 1464) {
        OEMDMPARAM param{};
        param.cbSize = sizeof param;
        param.pOEMDMIn = in;
        param.pOEMDMOut = out;
        param.cbBufSize = room;
        return ui->DevMode(mode, &param);
    }

    static SettingsBytes defaults() {
        SettingsBytes block{};
        writeDefaults(PluginSettings(block));
        return block;
    }

    RecordingServices services;
    OemUiModule module{services};
    IPrintOemUI* ui = nullptr;
};

TEST_F(DevModeTest, SizeIsTheRecordWhateverTheHostAsked) {
    for (std::uint32_t asked : {0u, 12u, 1464u, 0xFFFFFFFFu}) {
        OEMDMPARAM param{};
        param.cbBufSize = asked;
        EXPECT_EQ(hr::ok, ui->DevMode(OEMDM_SIZE, &param));
        EXPECT_EQ(1464u, param.cbBufSize);
    }
}

TEST_F(DevModeTest, DefaultFillsTheHostsBuffer) {
    std::vector<std::uint8_t> out(1464, 0xCC);
    EXPECT_EQ(hr::ok, devMode(OEMDM_DEFAULT, nullptr, out.data()));
    const SettingsBytes expected = defaults();
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin()));
}

TEST_F(DevModeTest, ConvertDiscardsAForeignRecord) {
    SettingsBytes in;
    in.fill(0x5A);
    PluginSettings(in).setSignature(0x12345678);
    SettingsBytes out = defaults();
    out[0x093] = 3;
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, in.data(), out.data()));
    EXPECT_EQ(defaults(), out);
}

// An older, shorter record keeps what it has; the fields it lacks get defaults.
TEST_F(DevModeTest, ConvertOfAShortRecordKeepsItsBytesAndDefaultsTheRest) {
    std::vector<std::uint8_t> in(600);
    for (std::size_t i = 0; i < in.size(); ++i) {
        in[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    PluginSettings inView(in.data()); // only the header is touched through the view
    inView.setDwSize(600);
    inView.setSignature(0x5441564F);
    inView.setVersion(0);
    SettingsBytes out = defaults();
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, in.data(), out.data()));
    const SettingsBytes expected = defaults();
    for (std::size_t i = 0x00C; i < 0x258; ++i) {
        ASSERT_EQ(in[i], out[i]) << "byte 0x" << std::hex << i;
    }
    for (std::size_t i = 0x258; i < 1464; ++i) {
        ASSERT_EQ(expected[i], out[i]) << "byte 0x" << std::hex << i;
    }
    EXPECT_EQ(1464u, PluginSettings(out).dwSize());
    EXPECT_EQ(1u, PluginSettings(out).version());
}

// A record that claims more than it can be never makes the copy leave the
// host's 1464-byte buffer (the sanitizer watches both heap blocks).
TEST_F(DevModeTest, ConvertOfARecordClaimingAHugeSizeStaysInsideTheBlock) {
    auto in = std::make_unique<std::uint8_t[]>(1464);
    auto out = std::make_unique<std::uint8_t[]>(1464);
    std::memset(in.get(), 0x11, 1464);
    std::memset(out.get(), 0x22, 1464);
    PluginSettings(in.get()).setDwSize(0xFFFFFFFF);
    PluginSettings(in.get()).setSignature(0x5441564F);
    PluginSettings(out.get()).setDwSize(0xFFFFFFFF);
    PluginSettings(out.get()).setSignature(0x5441564F);
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, in.get(), out.get()));
    EXPECT_EQ(1464u, PluginSettings(out.get()).dwSize());
    EXPECT_EQ(0x11, out[1463]);
}

TEST_F(DevModeTest, ConvertInPlaceKeepsTheSettings) {
    SettingsBytes block = defaults();
    PluginSettings settings(block);
    settings.setWatermarkKind(2);
    ASSERT_TRUE(settings.setWatermarkText(u"DRAFT"));
    settings.setVersion(0);
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, block.data(), block.data()));
    EXPECT_EQ(2, settings.watermarkKind());
    EXPECT_EQ(u"DRAFT", settings.watermarkText());
    EXPECT_EQ(1u, settings.version());
}

TEST_F(DevModeTest, MergeResetsTheHiddenValueAboveOneHundredAndFixesTheHeader) {
    struct Case {
        std::int32_t given;
        std::int32_t kept;
    };
    for (const Case c : {Case{101, 0}, Case{100, 100}, Case{-5, -5}, Case{0x7FFFFFFF, 0}}) {
        SettingsBytes in = defaults();
        PluginSettings(in).setHiddenValue(c.given);
        SettingsBytes out = defaults();
        EXPECT_EQ(hr::ok, devMode(OEMDM_MERGE, in.data(), out.data()));
        EXPECT_EQ(c.kept, PluginSettings(out).hiddenValue()) << c.given;
    }

    // Without an input the output still leaves with a proper header.
    SettingsBytes out = defaults();
    PluginSettings(out).setDwSize(600);
    PluginSettings(out).setVersion(7);
    PluginSettings(out).setHiddenValue(500);
    EXPECT_EQ(hr::ok, devMode(OEMDM_MERGE, nullptr, out.data()));
    EXPECT_EQ(1464u, PluginSettings(out).dwSize());
    EXPECT_EQ(1u, PluginSettings(out).version());
    EXPECT_EQ(0, PluginSettings(out).hiddenValue());
}

TEST_F(DevModeTest, ConvertWithoutABufferChangesNothing) {
    SettingsBytes out = defaults();
    out[0x3E6] = 1;
    const SettingsBytes before = out;
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, nullptr, out.data()));
    EXPECT_EQ(before, out);
    SettingsBytes in = defaults();
    EXPECT_EQ(hr::ok, devMode(OEMDM_CONVERT, in.data(), nullptr));
}

TEST_F(DevModeTest, RefusesBadCallsWithTheLastErrorSet) {
    OEMDMPARAM param{};
    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->DevMode(OEMDM_SIZE, nullptr));
    EXPECT_EQ(errorInvalidParameter, services.lastError);

    for (std::uint32_t mode : {0u, 5u, 0xFFFFFFFFu}) {
        services.lastError = 0;
        EXPECT_EQ(hr::fail, ui->DevMode(mode, &param)) << mode;
        EXPECT_EQ(errorInvalidParameter, services.lastError) << mode;
    }

    services.lastError = 0;
    EXPECT_EQ(hr::fail, devMode(OEMDM_DEFAULT, nullptr, nullptr));
    EXPECT_EQ(errorInvalidParameter, services.lastError);
}

// The host says how big its output buffer is; a smaller one is never written.
TEST_F(DevModeTest, OutputBufferSmallerThanTheRecordIsRefusedUntouched) {
    for (std::uint32_t mode : {OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE}) {
        SettingsBytes in = defaults();
        SettingsBytes out;
        out.fill(0x33);
        services.lastError = 0;
        EXPECT_EQ(hr::fail, devMode(mode, in.data(), out.data(), 1463)) << mode;
        EXPECT_EQ(errorInsufficientBuffer, services.lastError) << mode;
        EXPECT_EQ(0x33, out[0]) << mode;
        EXPECT_EQ(0x33, out[1463]) << mode;
    }
}

} // namespace
} // namespace oemui

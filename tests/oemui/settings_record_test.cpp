// The settings record as the spooler stores it and the rendering side reads it:
// every default at its byte offset, the operation blocks of the four moments at
// theirs, text fields kept inside their width.
#include "oemui/plugin_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace oemui {
namespace {

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint32_t get32(const std::uint8_t* b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// The default block, written out from the record's published tables with
// literal offsets (independent of settings_layout.h).
std::vector<std::uint8_t> expectedDefaultBlock() {
    std::vector<std::uint8_t> b(1464, 0);
    put32(b, 0x000, 1464);
    put32(b, 0x004, 0x5441564F);
    put32(b, 0x008, 1);
    b[0x093] = 12; // start of document: cash drawer #1+#2, 60 ms
    b[0x135] = 1;  // end of document: feed to cut position before cut
    b[0x1B8] = 1;  // end of document: partial cut
    const std::uint8_t symbology[8] = {0, 1, 3, 4, 5, 6, 7, 8};
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t o = 0x254 + 36 * i;
        b[o + 0x00] = symbology[i];
        b[o + 0x01] = 3;
        put32(b, o + 0x04, 163);
        put32(b, o + 0x0C, 24);
        put32(b, o + 0x10, 163);
        b[o + 0x14] = 2;
        put32(b, o + 0x18, 100);
        put32(b, o + 0x1C, 2);
        b[o + 0x20] = 1;
        b[o + 0x21] = 1;
        b[o + 0x22] = 1;
    }
    for (std::size_t j = 0; j < 2; ++j) {
        const std::size_t o = 0x374 + 24 * j;
        b[o + 0x01] = 3;
        b[o + 0x02] = 3;
        b[o + 0x03] = 3;
        b[o + 0x04] = 3;
        b[o + 0x05] = 5;
        b[o + 0x06] = 2;
        put32(b, o + 0x08, 100);
        put32(b, o + 0x0C, 2);
        b[o + 0x10] = 2;
        b[o + 0x11] = 4;
        b[o + 0x12] = 1;
        b[o + 0x13] = 1;
        b[o + 0x14] = 3;
        b[o + 0x16] = 1;
        b[o + 0x17] = 1;
    }
    b[0x568] = 50;       // watermark font size
    put32(b, 0x56C, 45); // watermark angle
    b[0x570] = 4;        // centre-middle
    b[0x571] = 100;      // watermark size
    b[0x572] = 50;       // brightness
    b[0x573] = 100;      // zoom scale
    return b;
}

TEST(SettingsRecord, DefaultBlockIsExactlyThePublishedDefaultsWhateverTheBufferHeld) {
    const auto expected = expectedDefaultBlock();
    for (std::uint8_t fill : {0x00, 0xA5, 0xFF}) {
        SettingsBytes block;
        block.fill(fill);
        writeDefaults(PluginSettings(block));
        for (std::size_t i = 0; i < block.size(); ++i) {
            ASSERT_EQ(expected[i], block[i])
                << "byte 0x" << std::hex << i << " after fill 0x" << int(fill);
        }
    }
}

TEST(SettingsRecord, DefaultFieldsLeaveTheHeaderAlone) {
    SettingsBytes block;
    block.fill(0x77);
    writeDefaultFields(PluginSettings(block));
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(0x77, block[i]) << "header byte " << i;
    }
    EXPECT_EQ(12, block[0x093]);
}

// Each moment's block sits where the rendering side looks for it; the record
// keeps end of document before end of page.
TEST(SettingsRecord, OperationBlocksOfTheFourMomentsAtTheirOffsets) {
    struct Expected {
        Moment moment;
        std::size_t send, feedBeforeCut, command, length, drawer, cut, feed, volume, herald,
            selector, buzzer, logo, align, position;
    };
    const Expected table[] = {
        {Moment::StartOfDocument, 0x010, 0x011, 0x012, 0x092, 0x093, 0x094, 0x095, 0x09C, 0x096,
         0x098, 0x09D, 0x09E, 0x09F, 0x0A0},
        {Moment::StartOfPage, 0x0A1, 0x0A2, 0x0A3, 0x123, 0x124, 0x125, 0x126, 0x127, 0x128, 0x12C,
         0x130, 0x131, 0x132, 0x133},
        {Moment::EndOfDocument, 0x134, 0x135, 0x136, 0x1B6, 0x1B7, 0x1B8, 0x1B9, 0x1BA, 0x1BB,
         0x1BC, 0x1C0, 0x1C1, 0x1C2, 0x1C3},
        {Moment::EndOfPage, 0x1C4, 0x1C5, 0x1C6, 0x246, 0x247, 0x248, 0x249, 0x24A, 0x24B, 0x24C,
         0x250, 0x251, 0x252, 0x253},
    };
    for (const auto& t : table) {
        SettingsBytes block{};
        PluginSettings settings(block);
        OperationSettings op;
        op.sendCommand = 1;
        op.feedBeforeCut = 2;
        for (std::size_t i = 0; i < op.command.size(); ++i) {
            op.command[i] = static_cast<std::uint8_t>(0x80 + i);
        }
        op.commandLength = 128;
        op.cashDrawer = 11;
        op.paperCut = 2;
        op.paperFeed = 100;
        op.buzzerVolume = 255;
        op.herald = 1;
        op.drawerOrHerald = 0x01020304;
        op.buzzer = 5;
        op.logo = 9;
        op.logoAlignment = 3;
        op.logoPosition = 4;
        settings.setOperation(t.moment, op);
        const int m = static_cast<int>(t.moment);
        EXPECT_EQ(1, block[t.send]) << m;
        EXPECT_EQ(2, block[t.feedBeforeCut]) << m;
        EXPECT_EQ(0x80, block[t.command]) << m;
        EXPECT_EQ(0xFF, block[t.command + 127]) << m;
        EXPECT_EQ(128, block[t.length]) << m;
        EXPECT_EQ(11, block[t.drawer]) << m;
        EXPECT_EQ(2, block[t.cut]) << m;
        EXPECT_EQ(100, block[t.feed]) << m;
        EXPECT_EQ(255, block[t.volume]) << m;
        EXPECT_EQ(1, block[t.herald]) << m;
        EXPECT_EQ(0x01020304u, get32(block.data(), t.selector)) << m;
        EXPECT_EQ(5, block[t.buzzer]) << m;
        EXPECT_EQ(9, block[t.logo]) << m;
        EXPECT_EQ(3, block[t.align]) << m;
        EXPECT_EQ(4, block[t.position]) << m;
        // 14 fields, 127 command bytes past the first and 3 more selector bytes.
        EXPECT_EQ(14u + 127u + 3u,
                  static_cast<std::size_t>(std::count_if(block.begin(), block.end(),
                                                         [](std::uint8_t v) { return v != 0; })))
            << "moment " << m << " wrote outside its block";
        const OperationSettings back = settings.operation(t.moment);
        EXPECT_EQ(op.command, back.command);
        EXPECT_EQ(op.drawerOrHerald, back.drawerOrHerald);
        EXPECT_EQ(op.logoPosition, back.logoPosition);
    }
}

TEST(SettingsRecord, BarcodeBlocksAtTheirOffsetsAndOutOfRangeIndexesTouchNothing) {
    SettingsBytes block{};
    PluginSettings settings(block);
    Barcode1DSettings one;
    one.symbology = 12;
    one.barHeight = 0x0A0B0C0D;
    one.gs1ApplyAi = 7;
    settings.setBarcode1D(7, one);
    EXPECT_EQ(12, block[0x254 + 36 * 7]);
    EXPECT_EQ(0x0A0B0C0Du, get32(block.data(), 0x254 + 36 * 7 + 4));
    EXPECT_EQ(7, block[0x254 + 36 * 7 + 0x22]);

    Barcode2DSettings two;
    two.qrErrorLevel = 3;
    two.gs1RowHeight = 250;
    settings.setBarcode2D(1, two);
    EXPECT_EQ(3, block[0x374 + 24 + 0x17]);
    EXPECT_EQ(250u, get32(block.data(), 0x374 + 24 + 0x08));
    EXPECT_EQ(250u, settings.barcode2D(1).gs1RowHeight);

    const SettingsBytes before = block;
    settings.setBarcode1D(8, one);
    settings.setBarcode2D(2, two);
    EXPECT_EQ(before, block);
    EXPECT_EQ(0, settings.barcode1D(8).symbology);
}

TEST(SettingsRecord, TextFieldWithoutTerminatorIsReadToTheFieldEndOnly) {
    SettingsBytes block;
    block.fill(0x41); // 'A' + 0x4100 in every unit: no terminator anywhere
    PluginSettings settings(block);
    EXPECT_EQ(125u, settings.watermarkPath().size());
    EXPECT_EQ(16u, settings.watermarkText().size());
    EXPECT_EQ(50u, settings.watermarkFont().size());
    EXPECT_EQ(32u, settings.formName().size());
}

TEST(SettingsRecord, TextWritersZeroFillTheFieldAndRefuseWhatLeavesNoTerminator) {
    SettingsBytes block;
    block.fill(0xEE);
    PluginSettings settings(block);
    ASSERT_TRUE(settings.setFormName(u"Custom Paper-K500NX"));
    EXPECT_EQ(u"Custom Paper-K500NX", settings.formName());
    EXPECT_EQ('C', block[0x576]);
    EXPECT_EQ(0, block[0x577]);
    EXPECT_EQ(0, block[0x5B5]);    // last byte of the field
    EXPECT_EQ(0xEE, block[0x5B6]); // the next field is untouched

    EXPECT_TRUE(settings.setWatermarkText(std::u16string(15, u'X')));
    EXPECT_FALSE(settings.setWatermarkText(std::u16string(16, u'Y')));
    EXPECT_EQ(std::u16string(15, u'X'), settings.watermarkText());

    // Non-ASCII text is stored little-endian.
    ASSERT_TRUE(settings.setWatermarkFont(u"\u5B8B\u4F53"));
    EXPECT_EQ(0x8B, block[0x504]);
    EXPECT_EQ(0x5B, block[0x505]);
    EXPECT_EQ(u"\u5B8B\u4F53", settings.watermarkFont());
}

TEST(SettingsRecord, WorksOnAnUnalignedBuffer) {
    std::vector<std::uint8_t> buffer(1464 + 3);
    PluginSettings settings(buffer.data() + 3);
    writeDefaults(settings);
    settings.setWatermarkAngle(-90);
    EXPECT_EQ(-90, settings.watermarkAngle());
    EXPECT_EQ(1464u, settings.dwSize());
    EXPECT_EQ(163u, settings.barcode1D(0).barHeight);
}

} // namespace
} // namespace oemui

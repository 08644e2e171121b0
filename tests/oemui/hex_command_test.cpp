// Command text as people type it and as the dialogs show it.
#include "oemui/hex_command.h"

#include <gtest/gtest.h>

namespace oemui {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HexCommand, ParseReadsPairsSinglesAndAnythingElseAsZero) {
    const struct {
        std::u16string text;
        Bytes bytes;
    } cases[] = {
        {u"1D 56 42 00", {0x1D, 0x56, 0x42, 0x00}},
        {u"1D 56 42 00 ", {0x1D, 0x56, 0x42, 0x00}},
        {u"1 2", {0x01, 0x02}},
        {u"123", {0x12, 0x03}},
        {u" a  bC", {0x0A, 0xBC}},
        {u"   ", {}},
        {u"", {}},
        {u"zz g1", {0x00, 0x01}},
        {u"1D\r\n56", {0x1D, 0x00, 0x56}}, // line breaks are not blanks
        {u"\u00C41", {0x01}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.bytes, ParseHexCommand(c.text)) << std::string(c.text.begin(), c.text.end());
    }
    EXPECT_EQ(129u, ParseHexCommand(std::u16string(258, u'F')).size()) << "read whole";
}

TEST(HexCommand, FormatWritesTwoUpperCaseDigitsAndABlankPerByte) {
    EXPECT_EQ(u"1D 56 42 00 ", FormatHexCommand(Bytes{0x1D, 0x56, 0x42, 0x00}));
    EXPECT_EQ(u"0F F0 ", FormatHexCommand(Bytes{0x0F, 0xF0}));
    EXPECT_EQ(u"", FormatHexCommand(Bytes{}));
    const Bytes all = [] {
        Bytes b;
        for (int i = 0; i < 256; ++i) {
            b.push_back(static_cast<std::uint8_t>(i));
        }
        return b;
    }();
    EXPECT_EQ(all, ParseHexCommand(FormatHexCommand(all)));
}

TEST(HexCommand, TheEditTakesDigitsBlanksAndEditingCharactersOnly) {
    for (unsigned c :
         std::initializer_list<unsigned>{'0', '9', 'a', 'f', 'A', 'F', ' ', '.', '-', 8u}) {
        EXPECT_TRUE(hexCommandCharacter(c)) << c;
    }
    for (unsigned c :
         std::initializer_list<unsigned>{'g', 'G', 'z', '/', ':', '@', '`', 9u, 13u, 22u, 0xC4u}) {
        EXPECT_FALSE(hexCommandCharacter(c)) << c;
    }
}

} // namespace
} // namespace oemui

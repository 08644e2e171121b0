// The data each symbology takes: its length limits, a byte just outside its set
// on either side, the extra rules on first and last bytes, and the Code128
// rewrite of code set C.
#include "oemui/tools/barcode/barcode_data_check.h"

#include <gtest/gtest.h>

#include <string>

namespace barcode {
namespace {

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string repeat(char c, std::size_t n) {
    return std::string(n, c);
}

struct Case {
    std::size_t symbology;
    std::string data;
    DataProblem expected;
};

std::string describe(bool oneD, const Case& c) {
    return std::string(oneD ? "1D " : "2D ") + std::to_string(c.symbology) + " \"" + c.data + "\"";
}

TEST(BarcodeDataCheck, EachOneDSymbologyAtItsLimits) {
    using P = DataProblem;
    const Case cases[] = {
        // UPC-A: 11..12 digits.
        {0, "12345678901", P::None},
        {0, "123456789012", P::None},
        {0, "1234567890", P::Length},
        {0, "1234567890123", P::Length},
        {0, "12345678901/", P::Byte}, // "/" is just below "0"
        {0, "12345678901:", P::Byte}, // ":" just above "9"
        // UPC-E: also starts with "0".
        {1, "023456789012", P::None},
        {1, "123456789012", P::FirstByte},
        {1, "02345678901", P::None},
        {1, "0234567890", P::Length},
        // EAN8 7..8, EAN13 12..13.
        {2, "1234567", P::None},
        {2, "123456789", P::Length},
        {2, "123456", P::Length},
        {3, "123456789012", P::None},
        {3, "12345678901", P::Length},
        {3, "12345678901234", P::Length},
        // Code39: space $ % * + - . / digits capitals.
        {4, " $%*+-./09AZ", P::None},
        {4, repeat('A', 255), P::None},
        {4, repeat('A', 256), P::Length},
        {4, "", P::Length},
        {4, "#", P::Byte},
        {4, ",", P::Byte},
        {4, "@", P::Byte},
        {4, "[", P::Byte},
        {4, "a", P::Byte},
        // ITF: digits, 1..255.
        {5, "1", P::None},
        {5, repeat('9', 255), P::None},
        {5, repeat('9', 256), P::Length},
        {5, "12A", P::Byte},
        // Codabar: starts A..D, ends * A..E N T.
        {6, "A123B", P::None},
        {6, "A$+-./:T", P::None},
        {6, "D1*", P::None},
        {6, "A", P::None},
        {6, "E123A", P::FirstByte},
        {6, "A123C9", P::LastByte},
        {6, "A1;A", P::Byte},
        {6, "A1,A", P::Byte},
        {6, "A1FA", P::Byte},
        // Code93: 00..7F.
        {7, std::string(1, '\0') + "\x7F", P::None},
        {7, "\x80", P::Byte},
        {7, repeat('x', 256), P::Length},
        // Code128: 2..255 of 00..7F, starting "{A" to "{C".
        {8, "{A", P::None},
        {8, "{B" + repeat('x', 253), P::None},
        {8, "{B" + repeat('x', 254), P::Length},
        {8, "{", P::Length},
        {8, "{D12", P::Code128Start},
        {8, "{@12", P::Code128Start},
        {8, "A{12", P::Code128Start},
        {8, "{A\x80", P::Byte},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, check1D(c.symbology, bytes(c.data)).problem) << describe(true, c);
    }
}

TEST(BarcodeDataCheck, GsOneDataBarSetOnBothPages) {
    // 20-22, 25-3F, 41-5A, 5F, 61-7C; 1..40 bytes.
    const std::string allowed = " !\"%&'()*+,-./0123456789:;<=>?AZ_az|";
    const std::string outside = "#$@[^`}\x1F\x7F";
    for (std::size_t oneD : {9, 10, 11, 12}) {
        EXPECT_TRUE(check1D(oneD, bytes(allowed)).passed()) << oneD;
        EXPECT_TRUE(check1D(oneD, bytes(repeat('1', 40))).passed()) << oneD;
        EXPECT_EQ(DataProblem::Length, check1D(oneD, bytes(repeat('1', 41))).problem) << oneD;
        EXPECT_EQ(DataProblem::Length, check1D(oneD, {}).problem) << oneD;
        for (char c : outside) {
            EXPECT_EQ(DataProblem::Byte, check1D(oneD, bytes(std::string("1") + c)).problem)
                << oneD << " " << static_cast<int>(c);
        }
    }
    for (std::size_t twoD : {1, 2, 3}) {
        EXPECT_TRUE(check2D(twoD, bytes(allowed)).passed()) << twoD;
        EXPECT_EQ(DataProblem::Length, check2D(twoD, bytes(repeat('1', 41))).problem) << twoD;
        for (char c : outside) {
            EXPECT_EQ(DataProblem::Byte, check2D(twoD, bytes(std::string("1") + c)).problem)
                << twoD << " " << static_cast<int>(c);
        }
    }
}

TEST(BarcodeDataCheck, TwoDLengthsTakeAnyByte) {
    Bytes all;
    for (int b = 0; b < 255; ++b) {
        all.push_back(static_cast<std::uint8_t>(b));
    }
    for (std::size_t anyByte : {0, 4}) { // PDF417, QR Code: 1..255
        EXPECT_TRUE(check2D(anyByte, all).passed()) << anyByte;
        EXPECT_EQ(all, check2D(anyByte, all).bytes);
        Bytes longer = all;
        longer.push_back(0xFF);
        EXPECT_EQ(DataProblem::Length, check2D(anyByte, longer).problem) << anyByte;
        EXPECT_EQ(DataProblem::Length, check2D(anyByte, {}).problem) << anyByte;
    }
    EXPECT_TRUE(check2D(5, Bytes(84, 0xFF)).passed()); // Maxi Code: 1..84
    EXPECT_EQ(DataProblem::Length, check2D(5, Bytes(85, 'A')).problem);
}

TEST(BarcodeDataCheck, CodeSetCDigitsArePacked) {
    struct Rewrite {
        std::string data;
        Bytes expected; // empty: refused
    };
    const Rewrite cases[] = {
        {"{C1234", {0x7B, 0x43, 0x0C, 0x22}},
        {"{C12345", {}},
        {"{C", {0x7B, 0x43}},
        {"{C0099", {0x7B, 0x43, 0x00, 0x63}},
        {"{A12{C3456{B78", {'{', 'A', '1', '2', '{', 'C', 34, 56, '{', 'B', '7', '8'}},
        {"{C12{B9", {'{', 'C', 12, '{', 'B', '9'}},
        {"{C123{B9", {}},                                 // odd before the next "{"
        {"{C12A4", {}},                                   // not a digit in set C
        {"{C12{134", {'{', 'C', 12, '{', '1', 34}},       // FNC1 keeps code set C
        {"{A{{C12", {'{', 'A', '{', '{', 'C', '1', '2'}}, // "{{" is a brace, not a switch
        {"{B12", {'{', 'B', '1', '2'}},                   // no "{C": as it is
    };
    for (const Rewrite& c : cases) {
        const DataCheck check = check1D(8, bytes(c.data));
        if (c.expected.empty()) {
            EXPECT_EQ(DataProblem::Code128Digits, check.problem) << c.data;
        } else {
            EXPECT_TRUE(check.passed()) << c.data;
            EXPECT_EQ(c.expected, check.bytes) << c.data;
        }
    }
}

TEST(BarcodeDataCheck, RefusalsSayWhy) {
    const Symbology1D& upcE = symbology1D(1);
    const Bytes data = bytes("123456789012");
    EXPECT_EQ("UPC-E data cannot start with \"1\" (31)",
              describeProblem(check1D(1, data), upcE.rule, upcE.name, data));
    const Bytes short1 = bytes("1");
    EXPECT_EQ("UPC-E takes 11 to 12 bytes, not 1",
              describeProblem(check1D(1, short1), upcE.rule, upcE.name, short1));
    const Bytes odd = bytes("{C123");
    EXPECT_EQ("byte 5 \"3\" (33): code set C takes pairs of digits",
              describeProblem(check1D(8, odd), symbology1D(8).rule, "Code128", odd));
}

} // namespace
} // namespace barcode

// The test prints' bytes, piece by piece, for each symbology family of both
// pages, with the fields as the record's defaults hold them and as a foreign
// record may hold them.
#include "oemui/tools/barcode/barcode_jobs.h"

#include <gtest/gtest.h>

#include <string>

namespace barcode {
namespace {

Bytes bytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

const Bytes feedAndCut = {0x0A, 0x1D, 0x56, 0x42, 0x00};

TEST(BarcodeJobs, OneDFamilies) {
    Block1D b = firstDefault1D(); // width 3, height 163, HRI none in font A, GS1 2/100/2/1/1/1
    b.hriPosition = 2;
    b.hriFont = 1;
    b.barHeight = 200;
    b.symbology = 3; // EAN13
    EXPECT_EQ((Pieces{{0x1D, 0x66, 1, 0x1D, 0x48, 2, 0x1D, 0x77, 3, 0x1D, 0x68, 0xC8, 0x1D, 0x6B,
                       0x02, '1', '2', '3', 0x00},
                      feedAndCut}),
              testPrint1D(b, bytes("123")));

    b.symbology = 8; // Code128: an empty symbol, then the counted one
    EXPECT_EQ(
        (Pieces{
            {0x1D, 0x66, 1, 0x1D, 0x48, 2, 0x1D, 0x77, 3, 0x1D, 0x68, 0xC8, 0x1D, 0x6B, 0x49, 0x00},
            {0x1D, 0x77, 3, 0x1D, 0x68, 0xC8, 0x1D, 0x6B, 0x49, 4, 0x7B, 0x43, 0x0C, 0x22, 0x00},
            feedAndCut}),
        testPrint1D(b, {0x7B, 0x43, 0x0C, 0x22}));

    b.symbology = 11; // GS1 DataBar Limited: no HRI command of its own, 02 for segments
    b.gs1RowHeight = 250;
    b.gs1ApplyAi = 0;
    EXPECT_EQ((Pieces{{0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x73, 0x05, 2,   0xFA,
                       2,    1,    0x02, 1,    0,    0x1D, 0x6B, 0x0D, '0',  '1', 0x00},
                      feedAndCut}),
              testPrint1D(b, bytes("01")));
}

TEST(BarcodeJobs, TwoDFamilies) {
    Block2D b = firstDefault2D();
    const TestPrint2D pdf = testPrint2D(b, bytes("AB"));
    ASSERT_FALSE(pdf.refused);
    // The defaults: rows 3, columns 3, width 3, height 3, level 5.
    EXPECT_EQ((Pieces{{0x1D, 0x70, 0x01, 0x01, 0x03, 0x03, 0x03, 0x03, 0x1D, 0x71, 0x05, 0x1D, 0x6B,
                       0x0A},
                      bytes("AB"),
                      {0x00},
                      feedAndCut}),
              pdf.pieces);

    b.symbology = 3; // Expanded Stacked
    b.gs1Segments = 6;
    b.gs1Row2DHeight = 5;
    EXPECT_EQ((Bytes{0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x73, 0x07, 2, 100, 0x05, 2, 6, 1, 1,
                     0x1D, 0x6B, 0x0D}),
              testPrint2D(b, bytes("01")).pieces.at(0));

    b.symbology = 4;
    b.qrModuleWidth = 8;
    b.qrLanguage = 1;
    b.qrModel = 2;
    for (std::uint8_t level : {0, 1, 2, 3}) {
        b.qrErrorLevel = level;
        const std::uint8_t letter = "LMHQ"[level];
        EXPECT_EQ((Bytes{0x1D, 0x6F, 0x00, 8, 1, 2, 0x1D, 0x6B, 0x0B, letter, 0x41, 0x2C}),
                  testPrint2D(b, bytes("x")).pieces.at(0))
            << int(level);
    }

    b.symbology = 5;
    EXPECT_EQ((Pieces{{0x1D, 0x71, 0x00, 0x1D, 0x6B, 0x0C}, bytes("x"), {0x00}, feedAndCut}),
              testPrint2D(b, bytes("x")).pieces);
}

TEST(BarcodeJobs, ForeignRecordValuesGoOutAsThePageShowsThem) {
    Block1D one = firstDefault1D();
    one.symbology = 200;    // shown as the last, GS1 DataBar Expanded
    one.moduleWidth = 9;    // 6
    one.hriPosition = 7;    // 3
    one.hriFont = 5;        // 1
    one.gs1Hri = 0;         // 1
    one.gs1ModuleWidth = 0; // 1
    const Pieces pieces = testPrint1D(one, bytes("1"));
    EXPECT_EQ((Bytes{0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x73, 0x06, 1,   100,
                     2,    1,    0x02, 1,    1,    0x1D, 0x6B, 0x0D, '1',  0x00}),
              pieces.at(0));
    one.symbology = 0;
    const Bytes upcA = testPrint1D(one, bytes("1")).at(0);
    EXPECT_EQ((Bytes{0x1D, 0x66, 1, 0x1D, 0x48, 3, 0x1D, 0x77, 6}),
              Bytes(upcA.begin(), upcA.begin() + 9));

    Block2D two = firstDefault2D();
    two.symbology = 9; // shown as the last, Maxi Code
    EXPECT_EQ((Bytes{0x1D, 0x71, 0x00, 0x1D, 0x6B, 0x0C}),
              testPrint2D(two, bytes("x")).pieces.at(0));
    two.symbology = 4;
    two.qrErrorLevel = 4; // no letter: refused, nothing to send
    const TestPrint2D qr = testPrint2D(two, bytes("x"));
    EXPECT_TRUE(qr.refused);
    EXPECT_TRUE(qr.pieces.empty());
    EXPECT_EQ(1u, shown2D(two).qrErrorLevel); // while the page shows "M"
    two.symbology = 0;                        // other symbologies do not use the level
    EXPECT_FALSE(testPrint2D(two, bytes("x")).refused);
}

} // namespace
} // namespace barcode

#include "oemui/tools/barcode/barcode_symbologies.h"

namespace barcode {
namespace {

constexpr ByteSet::Range digitRanges[] = {{'0', '9'}};
constexpr ByteSet digits(digitRanges);
constexpr ByteSet::Range zeroRange[] = {{'0', '0'}};
constexpr ByteSet zero(zeroRange);
constexpr ByteSet::Range code39Ranges[] = {
    {' ', ' '}, {'$', '%'}, {'*', '+'}, {'-', '9'}, {'A', 'Z'}};
constexpr ByteSet code39(code39Ranges);
constexpr ByteSet::Range codabarRanges[] = {{'$', '$'}, {'*', '+'}, {'-', ':'},
                                            {'A', 'E'}, {'N', 'N'}, {'T', 'T'}};
constexpr ByteSet codabar(codabarRanges);
constexpr ByteSet::Range codabarStartRanges[] = {{'A', 'D'}};
constexpr ByteSet codabarStart(codabarStartRanges);
constexpr ByteSet::Range codabarStopRanges[] = {{'*', '*'}, {'A', 'E'}, {'N', 'N'}, {'T', 'T'}};
constexpr ByteSet codabarStop(codabarStopRanges);
constexpr ByteSet::Range asciiRanges[] = {{0x00, 0x7F}};
constexpr ByteSet ascii(asciiRanges);
// Space, "!", quotation mark, "%" to "?", capitals, "_", small letters to "|".
constexpr ByteSet::Range gs1Ranges[] = {
    {0x20, 0x22}, {0x25, 0x3F}, {0x41, 0x5A}, {0x5F, 0x5F}, {0x61, 0x7C}};
constexpr ByteSet gs1(gs1Ranges);
constexpr ByteSet::Range anyRanges[] = {{0x00, 0xFF}};
constexpr ByteSet any(anyRanges);

constexpr DataRule gs1Rule{1, 40, gs1, {}, {}};

constexpr Symbology1D table1D[symbology1DCount] = {
    {"UPC-A", 0x00, Family1D::Classic, "123456789012", {11, 12, digits, {}, {}}},
    {"UPC-E", 0x01, Family1D::Classic, "023456789012", {11, 12, digits, zero, {}}},
    {"EAN8", 0x03, Family1D::Classic, "12345678", {7, 8, digits, {}, {}}},
    {"EAN13", 0x02, Family1D::Classic, "1234567890123", {12, 13, digits, {}, {}}},
    {"Code39", 0x04, Family1D::Classic, "123ABC*", {1, 255, code39, {}, {}}},
    {"ITF", 0x05, Family1D::Classic, "123456789", {1, 255, digits, {}, {}}},
    {"Codabar",
     0x06,
     Family1D::Classic,
     "A123456789A",
     {1, 255, codabar, codabarStart, codabarStop}},
    {"Code93", 0x48, Family1D::Counted, "123ABC", {1, 255, ascii, {}, {}}},
    {"Code128", 0x49, Family1D::Counted, "{A1234", {2, 255, ascii, {}, {}, true}},
    {"GS1 DataBar Omnidirectional", 0x01, Family1D::Gs1DataBar, "01234567890123", gs1Rule},
    {"GS1 DataBar Truncated", 0x02, Family1D::Gs1DataBar, "01234567890123", gs1Rule},
    {"GS1 DataBar Limited", 0x05, Family1D::Gs1DataBar, "01234567890123", gs1Rule},
    {"GS1 DataBar Expanded", 0x06, Family1D::Gs1DataBar, "01234567890123", gs1Rule},
};

constexpr Symbology2D table2D[symbology2DCount] = {
    {"PDF417", Family2D::Pdf417, 0x00, {1, 255, any, {}, {}}},
    {"GS1 DataBar Stacked", Family2D::Gs1DataBar, 0x03, gs1Rule},
    {"GS1 DataBar Stacked Omnidirectional", Family2D::Gs1DataBar, 0x04, gs1Rule},
    {"GS1 DataBar Expanded Stacked", Family2D::Gs1DataBar, 0x07, gs1Rule},
    {"QR Code", Family2D::QrCode, 0x00, {1, 255, any, {}, {}}},
    {"Maxi Code", Family2D::MaxiCode, 0x00, {1, 84, any, {}, {}}},
};

} // namespace

const Symbology1D& symbology1D(std::size_t index) {
    return table1D[index < symbology1DCount ? index : symbology1DCount - 1];
}

const Symbology2D& symbology2D(std::size_t index) {
    return table2D[index < symbology2DCount ? index : symbology2DCount - 1];
}

} // namespace barcode

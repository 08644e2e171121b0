// Byte layout of PluginSettings, the plug-in's private DEVMODE part. The spooler
// stores the block and the driver's rendering side reads it, so every offset is
// part of a persisted format: little-endian, 1464 bytes, no padding but the bytes
// listed here. The compile-time check at the end proves that the fields and the
// padding cover the block exactly once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace oemui::layout {

inline constexpr std::size_t settingsSize = 1464;      // 0x5B8
inline constexpr std::uint32_t signature = 0x5441564F; // 'TAVO' as a multi-character constant
inline constexpr std::uint32_t version = 1;

// Header (OEM_DMEXTRAHEADER) and the one value behind it.
inline constexpr std::size_t dwSize = 0x000;
inline constexpr std::size_t dwSignature = 0x004;
inline constexpr std::size_t dwVersion = 0x008;
inline constexpr std::size_t hiddenValue = 0x00C; // signed; the merge resets values above 100
inline constexpr std::size_t headerSize = 12;

// One block per moment of a job. The four blocks share their fields but not
// their order, so each has its own table.
struct OperationLayout {
    std::size_t sendCommand;
    std::size_t feedBeforeCut;
    std::size_t command; // 128 bytes
    std::size_t commandLength;
    std::size_t cashDrawer;
    std::size_t paperCut;
    std::size_t paperFeed;
    std::size_t buzzerVolume;
    std::size_t herald;
    std::size_t drawerOrHerald; // dword
    std::size_t buzzer;
    std::size_t logo;
    std::size_t logoAlignment;
    std::size_t logoPosition;
};
inline constexpr std::size_t commandBytes = 128;

inline constexpr OperationLayout startOfDocument = {0x010, 0x011, 0x012, 0x092, 0x093,
                                                    0x094, 0x095, 0x09C, 0x096, 0x098,
                                                    0x09D, 0x09E, 0x09F, 0x0A0};
inline constexpr OperationLayout startOfPage = {0x0A1, 0x0A2, 0x0A3, 0x123, 0x124, 0x125, 0x126,
                                                0x127, 0x128, 0x12C, 0x130, 0x131, 0x132, 0x133};
inline constexpr OperationLayout endOfDocument = {0x134, 0x135, 0x136, 0x1B6, 0x1B7, 0x1B8, 0x1B9,
                                                  0x1BA, 0x1BB, 0x1BC, 0x1C0, 0x1C1, 0x1C2, 0x1C3};
inline constexpr OperationLayout endOfPage = {0x1C4, 0x1C5, 0x1C6, 0x246, 0x247, 0x248, 0x249,
                                              0x24A, 0x24B, 0x24C, 0x250, 0x251, 0x252, 0x253};

// Eight 1D barcode control fonts, offsets within a 36-byte block.
inline constexpr std::size_t barcode1DBase = 0x254;
inline constexpr std::size_t barcode1DStride = 36;
inline constexpr std::size_t barcode1DCount = 8;
namespace b1 {
inline constexpr std::size_t symbology = 0x00;
inline constexpr std::size_t moduleWidth = 0x01;
inline constexpr std::size_t barHeight = 0x04; // dword
inline constexpr std::size_t hriPosition = 0x08;
inline constexpr std::size_t hriFont = 0x09;
inline constexpr std::size_t charWidth = 0x0C; // dword
inline constexpr std::size_t fontSize = 0x10;  // dword
inline constexpr std::size_t gs1ModuleWidth = 0x14;
inline constexpr std::size_t gs1RowHeight = 0x18;   // dword
inline constexpr std::size_t gs1Row2DHeight = 0x1C; // dword
inline constexpr std::size_t gs1SeparatorHeight = 0x20;
inline constexpr std::size_t gs1Hri = 0x21;
inline constexpr std::size_t gs1ApplyAi = 0x22;
} // namespace b1

// Two 2D barcode control fonts, offsets within a 24-byte block.
inline constexpr std::size_t barcode2DBase = 0x374;
inline constexpr std::size_t barcode2DStride = 24;
inline constexpr std::size_t barcode2DCount = 2;
namespace b2 {
inline constexpr std::size_t symbology = 0x00;
inline constexpr std::size_t pdfModuleWidth = 0x01;
inline constexpr std::size_t pdfRowHeight = 0x02;
inline constexpr std::size_t pdfColumns = 0x03;
inline constexpr std::size_t pdfRows = 0x04;
inline constexpr std::size_t pdfErrorLevel = 0x05;
inline constexpr std::size_t gs1ModuleWidth = 0x06;
inline constexpr std::size_t gs1RowHeight = 0x08;   // dword
inline constexpr std::size_t gs1Row2DHeight = 0x0C; // dword
inline constexpr std::size_t gs1SeparatorHeight = 0x10;
inline constexpr std::size_t gs1Segments = 0x11;
inline constexpr std::size_t gs1Hri = 0x12;
inline constexpr std::size_t gs1ApplyAi = 0x13;
inline constexpr std::size_t qrModuleWidth = 0x14;
inline constexpr std::size_t qrLanguage = 0x15;
inline constexpr std::size_t qrModel = 0x16;
inline constexpr std::size_t qrErrorLevel = 0x17;
} // namespace b2

// Document settings and the watermark.
inline constexpr std::size_t reserved3A4 = 0x3A4;
inline constexpr std::size_t reserved3A5 = 0x3A5;
inline constexpr std::size_t reserved3A6 = 0x3A6; // 64 bytes
inline constexpr std::size_t textAsGraphics = 0x3E6;
inline constexpr std::size_t watermarkPath = 0x3E8; // wide text[125]
inline constexpr std::size_t watermarkPathUnits = 125;
inline constexpr std::size_t watermarkKind = 0x4E2;
inline constexpr std::size_t watermarkText = 0x4E4; // wide text[16]
inline constexpr std::size_t watermarkTextUnits = 16;
inline constexpr std::size_t watermarkFont = 0x504; // wide text[50]
inline constexpr std::size_t watermarkFontUnits = 50;
inline constexpr std::size_t watermarkFontSize = 0x568;
inline constexpr std::size_t watermarkFontStyle = 0x569;
inline constexpr std::size_t watermarkAngle = 0x56C; // signed dword
inline constexpr std::size_t watermarkPosition = 0x570;
inline constexpr std::size_t watermarkSize = 0x571;
inline constexpr std::size_t watermarkBrightness = 0x572;
inline constexpr std::size_t zoomScale = 0x573;
inline constexpr std::size_t rotate180 = 0x574;
inline constexpr std::size_t formName = 0x576; // wide text[32]
inline constexpr std::size_t formNameUnits = 32;
inline constexpr std::size_t zoomPrinting = 0x5B6;

// --- proof that the fields tile the block ---------------------------------

struct Span {
    std::size_t offset;
    std::size_t width;
};

constexpr std::array<Span, 17> operationSpans(const OperationLayout& o) {
    return {{{o.sendCommand, 1},
             {o.feedBeforeCut, 1},
             {o.command, commandBytes},
             {o.commandLength, 1},
             {o.cashDrawer, 1},
             {o.paperCut, 1},
             {o.paperFeed, 1},
             {o.buzzerVolume, 1},
             {o.herald, 1},
             {o.drawerOrHerald, 4},
             {o.buzzer, 1},
             {o.logo, 1},
             {o.logoAlignment, 1},
             {o.logoPosition, 1},
             {0, 0}, // (the three tables share one array type)
             {0, 0},
             {0, 0}}};
}

constexpr std::array<Span, 17> barcode1DSpans(std::size_t base) {
    return {{{base + b1::symbology, 1},
             {base + b1::moduleWidth, 1},
             {base + 0x02, 2}, // padding
             {base + b1::barHeight, 4},
             {base + b1::hriPosition, 1},
             {base + b1::hriFont, 1},
             {base + 0x0A, 2}, // padding
             {base + b1::charWidth, 4},
             {base + b1::fontSize, 4},
             {base + b1::gs1ModuleWidth, 1},
             {base + 0x15, 3}, // padding
             {base + b1::gs1RowHeight, 4},
             {base + b1::gs1Row2DHeight, 4},
             {base + b1::gs1SeparatorHeight, 1},
             {base + b1::gs1Hri, 1},
             {base + b1::gs1ApplyAi, 1},
             {base + 0x23, 1}}}; // padding
}

constexpr std::array<Span, 17> barcode2DSpans(std::size_t base) {
    return {{{base + b2::symbology, 1},
             {base + b2::pdfModuleWidth, 1},
             {base + b2::pdfRowHeight, 1},
             {base + b2::pdfColumns, 1},
             {base + b2::pdfRows, 1},
             {base + b2::pdfErrorLevel, 1},
             {base + b2::gs1ModuleWidth, 1},
             {base + 0x07, 1}, // padding
             {base + b2::gs1RowHeight, 4},
             {base + b2::gs1Row2DHeight, 4},
             {base + b2::gs1SeparatorHeight, 1},
             {base + b2::gs1Segments, 1},
             {base + b2::gs1Hri, 1},
             {base + b2::gs1ApplyAi, 1},
             {base + b2::qrModuleWidth, 1},
             {base + b2::qrLanguage, 1},
             {base + b2::qrModel, 1}}};
}

inline constexpr std::array<Span, 27> otherSpans = {{
    {dwSize, 4},
    {dwSignature, 4},
    {dwVersion, 4},
    {hiddenValue, 4},
    {0x097, 1}, // padding inside the start-of-document block
    {0x129, 3}, // padding inside the start-of-page block
    {reserved3A4, 1},
    {reserved3A5, 1},
    {reserved3A6, 64},
    {textAsGraphics, 1},
    {0x3E7, 1},
    {watermarkPath, 2 * watermarkPathUnits},
    {watermarkKind, 1},
    {0x4E3, 1},
    {watermarkText, 2 * watermarkTextUnits},
    {watermarkFont, 2 * watermarkFontUnits},
    {watermarkFontSize, 1},
    {watermarkFontStyle, 1},
    {0x56A, 2},
    {watermarkAngle, 4},
    {watermarkPosition, 1},
    {watermarkSize, 1},
    {watermarkBrightness, 1},
    {zoomScale, 1},
    {rotate180, 1},
    {0x575, 1},
    {formName, 2 * formNameUnits},
}};

constexpr bool cover(std::array<std::uint8_t, settingsSize>& seen, const Span* spans,
                     std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (spans[i].offset + spans[i].width > settingsSize) {
            return false;
        }
        for (std::size_t b = 0; b < spans[i].width; ++b) {
            if (seen[spans[i].offset + b]++ != 0) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool tilesExactly() {
    std::array<std::uint8_t, settingsSize> seen{};
    const OperationLayout blocks[] = {startOfDocument, startOfPage, endOfDocument, endOfPage};
    for (const auto& block : blocks) {
        const auto spans = operationSpans(block);
        if (!cover(seen, spans.data(), spans.size())) {
            return false;
        }
    }
    for (std::size_t i = 0; i < barcode1DCount; ++i) {
        const auto spans = barcode1DSpans(barcode1DBase + barcode1DStride * i);
        if (!cover(seen, spans.data(), spans.size())) {
            return false;
        }
    }
    for (std::size_t j = 0; j < barcode2DCount; ++j) {
        const std::size_t base = barcode2DBase + barcode2DStride * j;
        const auto spans = barcode2DSpans(base);
        const Span last[] = {{base + b2::qrErrorLevel, 1}};
        if (!cover(seen, spans.data(), spans.size()) || !cover(seen, last, 1)) {
            return false;
        }
    }
    const Span tail[] = {{zoomPrinting, 1}, {0x5B7, 1}};
    if (!cover(seen, otherSpans.data(), otherSpans.size()) || !cover(seen, tail, 2)) {
        return false;
    }
    for (auto count : seen) {
        if (count != 1) {
            return false;
        }
    }
    return true;
}

static_assert(tilesExactly(), "every byte of the settings record is one field or listed padding");
static_assert(startOfDocument.command + commandBytes == startOfDocument.commandLength &&
                  startOfPage.command + commandBytes == startOfPage.commandLength &&
                  endOfDocument.command + commandBytes == endOfDocument.commandLength &&
                  endOfPage.command + commandBytes == endOfPage.commandLength,
              "the command length follows the command bytes");
static_assert(startOfDocument.drawerOrHerald % 4 == 0 && startOfPage.drawerOrHerald % 4 == 0 &&
                  endOfDocument.drawerOrHerald % 4 == 0 && endOfPage.drawerOrHerald % 4 == 0,
              "the selectors are aligned dwords");
static_assert(barcode1DBase + barcode1DStride * barcode1DCount == barcode2DBase, "1D blocks");
static_assert(barcode2DBase + barcode2DStride * barcode2DCount == reserved3A4, "2D blocks");
static_assert(formName + 2 * formNameUnits == zoomPrinting, "form name");

} // namespace oemui::layout

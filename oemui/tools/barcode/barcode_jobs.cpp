#include "oemui/tools/barcode/barcode_jobs.h"

namespace barcode {
namespace {

// The printer feeds a line and cuts after the test symbol.
const Bytes feedAndCut = {0x0A, 0x1D, 0x56, 0x42, 0x00};
const Bytes terminator = {0x00};

std::uint8_t low(std::uint32_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

// The GS1 DataBar command of both pages: no HRI of the printer's own, then the
// type, its dimensions, segments, HRI and the Application Identifier choice.
Bytes gs1Command(std::uint8_t type, std::uint8_t width, std::uint32_t rowHeight,
                 std::uint32_t row2DHeight, std::uint8_t separator, std::uint8_t segments,
                 std::uint8_t hri, std::uint8_t applyAi) {
    // clang-format off
    return {0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00,
            0x1D, 0x73, type, width, low(rowHeight), low(row2DHeight), separator, segments, hri,
            applyAi,
            0x1D, 0x6B, 0x0D};
    // clang-format on
}

} // namespace

Pieces testPrint1D(const Block1D& stored, const Bytes& data) {
    const Block1D b = shown1D(stored);
    const Symbology1D& s = symbology1D(b.symbology);
    // clang-format off
    const Bytes setup = {0x1D, 0x66, b.hriFont,
                         0x1D, 0x48, b.hriPosition,
                         0x1D, 0x77, b.moduleWidth,
                         0x1D, 0x68, low(b.barHeight),
                         0x1D, 0x6B, s.code};
    // clang-format on
    switch (s.family) {
    case Family1D::Classic:
        return {joinPieces({setup, data, terminator}), feedAndCut};
    case Family1D::Counted: {
        // An empty symbol first, then the counted one.
        // clang-format off
        const Bytes counted = {0x1D, 0x77, b.moduleWidth,
                               0x1D, 0x68, low(b.barHeight),
                               0x1D, 0x6B, s.code, static_cast<std::uint8_t>(data.size())};
        // clang-format on
        return {joinPieces({setup, terminator}), joinPieces({counted, data, terminator}),
                feedAndCut};
    }
    case Family1D::Gs1DataBar:
        break;
    }
    // The 2D page sends its segment number where this page sends 2.
    const Bytes gs1 = gs1Command(s.code, b.gs1ModuleWidth, b.gs1RowHeight, b.gs1Row2DHeight,
                                 b.gs1SeparatorHeight, 2, b.gs1Hri, b.gs1ApplyAi);
    return {joinPieces({gs1, data, terminator}), feedAndCut};
}

TestPrint2D testPrint2D(const Block2D& stored, const Bytes& data) {
    static const std::uint8_t qrLetters[] = {'L', 'M', 'H', 'Q'};
    const Block2D b = shown2D(stored);
    const Symbology2D& s = symbology2D(b.symbology);
    Bytes header;
    switch (s.family) {
    case Family2D::Pdf417:
        // clang-format off
        header = {0x1D, 0x70, 0x01, 0x01, b.pdfRows, b.pdfColumns, b.pdfModuleWidth, b.pdfRowHeight,
                  0x1D, 0x71, b.pdfErrorLevel,
                  0x1D, 0x6B, 0x0A};
        // clang-format on
        break;
    case Family2D::Gs1DataBar:
        header = gs1Command(s.code, b.gs1ModuleWidth, b.gs1RowHeight, b.gs1Row2DHeight,
                            b.gs1SeparatorHeight, b.gs1Segments, b.gs1Hri, b.gs1ApplyAi);
        break;
    case Family2D::QrCode:
        if (!field2D(Field2D::QrErrorLevel).inRange(stored.qrErrorLevel)) {
            return {true, {}};
        }
        // clang-format off
        header = {0x1D, 0x6F, 0x00, b.qrModuleWidth, b.qrLanguage, b.qrModel,
                  0x1D, 0x6B, 0x0B, qrLetters[b.qrErrorLevel], 0x41, 0x2C};
        // clang-format on
        break;
    case Family2D::MaxiCode:
        header = {0x1D, 0x71, 0x00, 0x1D, 0x6B, 0x0C};
        break;
    }
    return {false, {header, data, terminator, feedAndCut}};
}

Bytes joinPieces(const Pieces& pieces) {
    Bytes out;
    for (const Bytes& piece : pieces) {
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

} // namespace barcode

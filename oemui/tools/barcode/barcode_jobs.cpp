#include "oemui/tools/barcode/barcode_jobs.h"

namespace barcode {
namespace {

// The printer feeds a line and cuts after the test symbol.
const Bytes feedAndCut = {0x0A, 0x1D, 0x56, 0x42, 0x00};

std::uint8_t low(std::uint32_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

std::uint8_t byte(std::uint32_t v) {
    return static_cast<std::uint8_t>(v);
}

const Bytes terminator = {0x00};

} // namespace

Pieces testPrint1D(const Block1D& stored, const Bytes& data) {
    const Block1D b = shown1D(stored);
    const Symbology1D& s = symbology1D(b.symbology);
    const Bytes setup = {0x1D, 0x66, b.hriFont,     0x1D, 0x48, b.hriPosition,
                         0x1D, 0x77, b.moduleWidth, 0x1D, 0x68, low(b.barHeight),
                         0x1D, 0x6B, s.code};
    switch (s.family) {
    case Family1D::Classic:
        return {joinPieces({setup, data, terminator}), feedAndCut};
    case Family1D::Counted: {
        const Bytes counted = {0x1D, 0x77,   b.moduleWidth,    0x1D, 0x68, low(b.barHeight), 0x1D,
                               0x6B, s.code, byte(data.size())};
        return {joinPieces({setup, terminator}), joinPieces({counted, data, terminator}),
                feedAndCut};
    }
    case Family1D::Gs1DataBar:
        break;
    }
    // The 2D page sends its segment number where this page sends 02.
    const Bytes gs1 = {0x1D,
                       0x66,
                       0x00,
                       0x1D,
                       0x48,
                       0x00,
                       0x1D,
                       0x73,
                       s.code,
                       b.gs1ModuleWidth,
                       low(b.gs1RowHeight),
                       low(b.gs1Row2DHeight),
                       b.gs1SeparatorHeight,
                       0x02,
                       b.gs1Hri,
                       b.gs1ApplyAi,
                       0x1D,
                       0x6B,
                       0x0D};
    return {joinPieces({gs1, data, terminator}), feedAndCut};
}

TestPrint2D testPrint2D(const Block2D& stored, const Bytes& data) {
    static const std::uint8_t qrLetters[] = {'L', 'M', 'H', 'Q'};
    const Block2D b = shown2D(stored);
    const Symbology2D& s = symbology2D(b.symbology);
    Bytes header;
    switch (s.family) {
    case Family2D::Pdf417:
        header = {0x1D,
                  0x70,
                  0x01,
                  0x01,
                  b.pdfRows,
                  b.pdfColumns,
                  b.pdfModuleWidth,
                  b.pdfRowHeight,
                  0x1D,
                  0x71,
                  b.pdfErrorLevel,
                  0x1D,
                  0x6B,
                  0x0A};
        break;
    case Family2D::Gs1DataBar:
        header = {0x1D,
                  0x66,
                  0x00,
                  0x1D,
                  0x48,
                  0x00,
                  0x1D,
                  0x73,
                  s.code,
                  b.gs1ModuleWidth,
                  low(b.gs1RowHeight),
                  low(b.gs1Row2DHeight),
                  b.gs1SeparatorHeight,
                  b.gs1Segments,
                  b.gs1Hri,
                  b.gs1ApplyAi,
                  0x1D,
                  0x6B,
                  0x0D};
        break;
    case Family2D::QrCode:
        if (!field2D(Field2D::QrErrorLevel).inRange(stored.qrErrorLevel)) {
            return {true, {}};
        }
        header = {0x1D, 0x6F, 0x00, b.qrModuleWidth,           b.qrLanguage, b.qrModel,
                  0x1D, 0x6B, 0x0B, qrLetters[b.qrErrorLevel], 0x41,         0x2C};
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

// The test prints of the barcode pages: the pieces of one raw job, each written
// with one WritePrinter call. The data is what the check passed (after the
// Code128 rewrite); the blocks are as the record holds them, and every field
// goes out as the page shows it (shown1D, shown2D).
#pragma once

#include "oemui/tools/barcode/barcode_data_check.h"
#include "oemui/tools/barcode/barcode_fields.h"

#include <vector>

namespace barcode {

using Pieces = std::vector<Bytes>;

// The jobs' document names in the spooler.
inline constexpr char16_t jobName1D[] = u"Barcode";
inline constexpr char16_t jobName2D[] = u"2Dcode";

Pieces testPrint1D(const Block1D& stored, const Bytes& data);

// The QR Code header names the error level by its letter: a stored level with no
// letter refuses the print (empty pieces) rather than send a wrong one.
struct TestPrint2D {
    bool refused = false;
    Pieces pieces;
};
TestPrint2D testPrint2D(const Block2D& stored, const Bytes& data);

Bytes joinPieces(const Pieces& pieces);

} // namespace barcode

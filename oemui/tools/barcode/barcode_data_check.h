// The check the barcode pages make before a test print: the data's length and
// bytes against the symbology's rule, and for Code128 the rewrite of code set C,
// whose digits the printer takes in pairs.
#pragma once

#include "oemui/tools/barcode/barcode_symbologies.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace barcode {

using Bytes = std::vector<std::uint8_t>;

enum class DataProblem {
    None,
    Length,        // fewer or more bytes than the symbology takes
    Byte,          // a byte outside the symbology's set
    FirstByte,     // the first byte may not start this symbology's data
    LastByte,      // the last byte may not end it
    Code128Start,  // Code128 data must start with "{" and "A", "B" or "C"
    Code128Digits, // code set C holds something other than pairs of digits
};

struct DataCheck {
    DataProblem problem = DataProblem::None;
    std::size_t at = 0; // the offending byte's position (Byte, FirstByte, LastByte, Code128Digits)
    Bytes bytes;        // what the job carries when the data passes
    bool passed() const { return problem == DataProblem::None; }
};

DataCheck checkData(const DataRule& rule, const Bytes& data);
inline DataCheck check1D(std::size_t symbology, const Bytes& data) {
    return checkData(symbology1D(symbology).rule, data);
}
inline DataCheck check2D(std::size_t symbology, const Bytes& data) {
    return checkData(symbology2D(symbology).rule, data);
}

// Code128 data in which "{C" switches to code set C: every "{" is copied with the
// byte after it; while code set C is active ("{C" until "{A" or "{B") the bytes up
// to the next "{" must be an even number of digits, each pair d1 d2 becoming the
// byte 10 * d1 + d2. Data without "{C" comes back as it is.
DataCheck rewriteCode128(const Bytes& data);

// Why the data was refused, in words, for people who cannot see the page.
std::string describeProblem(const DataCheck& check, const DataRule& rule, const char* name,
                            const Bytes& data);

} // namespace barcode

// The fields of the barcode blocks that the pages edit, with the range each page
// allows. A record written by another program may hold anything: the pages show,
// and print with, each field brought into its range, and never index a table with
// a stored value.
#pragma once

#include "oemui/plugin_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace barcode {

template <typename Block> struct Field {
    const char* name;      // barcodetool's option without "--"
    std::uint32_t minimum; // the page's range, inclusive
    std::uint32_t maximum;
    // What a value outside the range is shown as: -1 the nearer end of the range,
    // otherwise this value (a level that would pick a wrong letter is no level).
    std::int64_t outside;
    std::uint32_t (*get)(const Block&);
    void (*set)(Block&, std::uint32_t);

    std::uint32_t clamp(std::uint32_t v) const {
        if (v >= minimum && v <= maximum) {
            return v;
        }
        if (outside >= 0) {
            return static_cast<std::uint32_t>(outside);
        }
        return v < minimum ? minimum : maximum;
    }
    bool inRange(std::uint32_t v) const { return v >= minimum && v <= maximum; }
};

template <typename Block, auto Member>
constexpr Field<Block> field(const char* name, std::uint32_t minimum, std::uint32_t maximum,
                             std::int64_t outside = -1) {
    using Value = std::remove_reference_t<decltype(std::declval<Block&>().*Member)>;
    return {name,
            minimum,
            maximum,
            outside,
            [](const Block& b) -> std::uint32_t { return b.*Member; },
            [](Block& b, std::uint32_t v) { b.*Member = static_cast<Value>(v); }};
}

using Block1D = oemui::Barcode1DSettings;
using Block2D = oemui::Barcode2DSettings;

// In the order of the tables below.
enum class Field1D {
    Symbology,
    ModuleWidth,
    BarHeight,
    HriPosition,
    HriFont,
    Gs1ModuleWidth,
    Gs1RowHeight,
    Gs1Row2DHeight,
    Gs1SeparatorHeight,
    Gs1Hri,
    Gs1ApplyAi,
};
enum class Field2D {
    Symbology,
    PdfModuleWidth,
    PdfRowHeight,
    PdfColumns,
    PdfRows,
    PdfErrorLevel,
    Gs1ModuleWidth,
    Gs1RowHeight,
    Gs1Row2DHeight,
    Gs1SeparatorHeight,
    Gs1Segments,
    Gs1Hri,
    Gs1ApplyAi,
    QrModuleWidth,
    QrLanguage,
    QrModel,
    QrErrorLevel,
};

const std::array<Field<Block1D>, 11>& fields1D();
const std::array<Field<Block2D>, 17>& fields2D();
inline const Field<Block1D>& field1D(Field1D f) {
    return fields1D()[static_cast<std::size_t>(f)];
}
inline const Field<Block2D>& field2D(Field2D f) {
    return fields2D()[static_cast<std::size_t>(f)];
}

// The block as the page shows it: every field in its range.
Block1D shown1D(const Block1D& stored);
Block2D shown2D(const Block2D& stored);

// The blocks of "1D Code1" and "2D Code1" in a default record.
Block1D firstDefault1D();
Block2D firstDefault2D();

} // namespace barcode

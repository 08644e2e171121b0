// The symbologies of the barcode control fonts, in the order of the pages' "Type:"
// combos: what each is called, the byte that selects it in the printer's command,
// the sample data the page offers, and which data the printer takes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace barcode {

// A set of byte values, built from inclusive ranges.
class ByteSet {
public:
    struct Range {
        std::uint8_t first;
        std::uint8_t last;
    };
    constexpr ByteSet() = default;
    template <std::size_t N> constexpr explicit ByteSet(const Range (&ranges)[N]) {
        for (const Range& r : ranges) {
            for (unsigned b = r.first; b <= r.last; ++b) {
                words_[b / 64] |= std::uint64_t{1} << (b % 64);
            }
        }
    }
    constexpr bool empty() const { return (words_[0] | words_[1] | words_[2] | words_[3]) == 0; }
    constexpr bool has(std::uint8_t b) const { return (words_[b / 64] >> (b % 64)) & 1; }

private:
    std::array<std::uint64_t, 4> words_{};
};

// What the printer takes for one symbology: a length in bytes and the allowed
// bytes, with the first and last byte narrowed further where `first`/`last` are
// not empty.
struct DataRule {
    std::size_t minimumLength;
    std::size_t maximumLength;
    ByteSet allowed;
    ByteSet first;
    ByteSet last;
    bool code128 = false; // starts with "{" and a code-set letter; "{C" packs digit pairs
};

enum class Family1D {
    Classic,   // UPC, EAN, Code39, ITF, Codabar: data ended by 00
    Counted,   // Code93, Code128: the data's length goes before it
    Gs1DataBar // the GS1 DataBar command, then the data ended by 00
};

struct Symbology1D {
    const char* name;  // the combo's text
    std::uint8_t code; // m of the barcode command, or t of the GS1 DataBar command
    Family1D family;
    const char* sample; // put into "Data:" when the symbology is chosen
    DataRule rule;
};

inline constexpr std::size_t symbology1DCount = 13;
inline constexpr std::size_t symbology2DCount = 6;

enum class Family2D { Pdf417, Gs1DataBar, QrCode, MaxiCode };

struct Symbology2D {
    const char* name;
    Family2D family;
    std::uint8_t code; // t of the GS1 DataBar command; 0 for the others
    DataRule rule;
};

// The 2D page offers the same sample for every symbology.
inline constexpr char sample2D[] = "01234567890123";

// Index 0..12 and 0..5, the combos' indexes; an index past the end gives the last
// symbology, as the pages show a stored index past the end.
const Symbology1D& symbology1D(std::size_t index);
const Symbology2D& symbology2D(std::size_t index);

} // namespace barcode

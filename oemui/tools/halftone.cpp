#include "oemui/tools/halftone.h"

#include <new>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace logo {

const std::uint8_t kDitherMatrix8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

int ditherMatrix16(int row, int column) {
    const int i = row & 15;
    const int j = column & 15;
    // Each 8x8 quadrant repeats the small matrix, interleaved by a quadrant offset.
    static const int kQuadrantOffset[2][2] = {{0, 3}, {2, 1}};
    return 4 * kDitherMatrix8[i & 7][j & 7] + kQuadrantOffset[i >> 3][j >> 3];
}

DitherThresholds uniformThresholds(int mean) {
    DitherThresholds t;
    for (auto& row : t) {
        row.fill(static_cast<std::int16_t>(mean));
    }
    return t;
}

DitherThresholds ditherM3Thresholds(bool whiteOnEqual) {
    // (level >> 2) >= b  <=>  level > 4b - 1;   (level >> 2) > b  <=>  level > 4b + 3
    DitherThresholds t;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const int b = kDitherMatrix8[i & 7][j & 7];
            t[i][j] = static_cast<std::int16_t>(whiteOnEqual ? 4 * b - 1 : 4 * b + 3);
        }
    }
    return t;
}

DitherThresholds ditherM4Thresholds(bool whiteOnEqual) {
    DitherThresholds t;
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 16; ++j) {
            const int m = ditherMatrix16(i, j);
            t[i][j] = static_cast<std::int16_t>(whiteOnEqual ? m - 1 : m);
        }
    }
    return t;
}

namespace {

// Pixels from x on, eight to a byte, most significant bit leftmost.
void ditherBits(const std::uint8_t* levels, int x, int width, const std::int16_t* thresholds16,
                std::uint8_t* out) {
    for (; x < width; x += 8) {
        const int n = width - x < 8 ? width - x : 8;
        const std::int16_t* t = thresholds16 + (x & 15);
        unsigned bits = 0;
        for (int k = 0; k < n; ++k) {
            bits |= static_cast<unsigned>(levels[x + k] > t[k]) << (7 - k);
        }
        out[x >> 3] = static_cast<std::uint8_t>(bits);
    }
}

#if defined(__SSE2__)
struct BitReversal {
    std::uint8_t table[256];
    BitReversal() : table() {
        for (unsigned v = 0; v < 256; ++v) {
            unsigned r = 0;
            for (int b = 0; b < 8; ++b) {
                r |= ((v >> b) & 1u) << (7 - b);
            }
            table[v] = static_cast<std::uint8_t>(r);
        }
    }
};
const BitReversal kReversed;
#endif

} // namespace

void ditherRow(const std::uint8_t* levels, int width, const std::int16_t* thresholds16,
               std::uint8_t* out) {
    int x = 0;
#if defined(__SSE2__)
    // Sixteen pixels, one threshold period, per step: compare as 16-bit values (the
    // thresholds run from -1 to 255) and collect the results as a bit mask, whose
    // first pixel is the lowest bit; the bytes are then reversed to put it leftmost.
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(thresholds16));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(thresholds16 + 8));
    for (; x + 16 <= width; x += 16) {
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(levels + x));
        const __m128i whiteLow = _mm_cmpgt_epi16(_mm_unpacklo_epi8(y, zero), low);
        const __m128i whiteHigh = _mm_cmpgt_epi16(_mm_unpackhi_epi8(y, zero), high);
        const unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(whiteLow, whiteHigh)));
        out[x >> 3] = kReversed.table[mask & 0xFF];
        out[(x >> 3) + 1] = kReversed.table[mask >> 8];
    }
#endif
    ditherBits(levels, x, width, thresholds16, out);
}

bool ErrorDiffusion::start(int width) {
    const std::size_t n = width > 0 ? static_cast<std::size_t>(width) : 1;
    current_.reset(new (std::nothrow) std::int32_t[n]);
    next_.reset(new (std::nothrow) std::int32_t[n]());
    width_ = width;
    return current_ && next_;
}

namespace {

// One scan. Each error term below the row receives exactly two shares, 3/8 from the
// pixel straight above and 1/4 from the pixel before that one in scan order, so the
// row below is written once instead of cleared and accumulated. Error values stay
// within a few hundred, so integer division by 8 and by 4 truncates exactly as the
// product with 0.375 or 0.25 would.
template <int kStep>
void diffuseRow(const std::uint8_t* levels, int width, const std::int32_t* current,
                std::int32_t* next, std::uint8_t* out) {
    int carried = 0;
    int quarter = 0;
    unsigned byte = 0;
    int x = kStep > 0 ? 0 : width - 1;
    for (int i = 0; i < width; ++i, x += kStep) {
        const int s = levels[x] + current[x] + carried;
        const int white = s > 128 ? 1 : 0;
        const int e = s - 255 * white;
        const int threeEighths = (3 * e) / 8;
        carried = threeEighths;
        next[x] = threeEighths + quarter;
        quarter = e / 4;
        byte |= static_cast<unsigned>(white) << (7 - (x & 7));
        const bool byteDone = kStep > 0 ? ((x & 7) == 7 || i == width - 1) : (x & 7) == 0;
        if (byteDone) {
            out[x >> 3] = static_cast<std::uint8_t>(byte);
            byte = 0;
        }
    }
}

} // namespace

void ErrorDiffusion::row(const std::uint8_t* levels, int rowIndex, std::uint8_t* out) {
    std::swap(current_, next_);
    if ((rowIndex & 1) != 0) {
        diffuseRow<1>(levels, width_, current_.get(), next_.get(), out);
    } else {
        diffuseRow<-1>(levels, width_, current_.get(), next_.get(), out);
    }
}

} // namespace logo

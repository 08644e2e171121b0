#include "oemui/tools/level_rows.h"

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace logo {

LuminanceTables luminanceTables(const LevelTable& red, const LevelTable& green,
                                const LevelTable& blue) {
    LuminanceTables tables;
    for (std::size_t v = 0; v < 256; ++v) {
        tables.red[v] = 299u * red[v];
        tables.green[v] = 587u * green[v];
        tables.blue[v] = 114u * blue[v];
    }
    tables.plain = isPlain(red) && isPlain(green) && isPlain(blue);
    return tables;
}

bool isPlain(const LevelTable& table) {
    for (std::size_t v = 0; v < 256; ++v) {
        if (table[v] != v) {
            return false;
        }
    }
    return true;
}

namespace {

// Little-endian words of the row: four pixels' twelve bytes in three loads instead
// of twelve, which is what bounds these loops.
std::uint32_t load32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint64_t load64(const std::uint8_t* p) {
    return load32(p) | (static_cast<std::uint64_t>(load32(p + 4)) << 32);
}

// Luminance without a transfer, four pixels per step: each 32-bit lane holds one
// pixel's blue, green, red; (114 B + 299 R) and 587 G come from two multiply-adds,
// and the division by 1000 is exact in single precision as (S + 0.5) * 0.001
// (S is at most 255000, and no quotient lies within 0.0005 of an integer).
void plainLuminance(const std::uint8_t* bgr, int width, std::uint8_t* out) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i blueRed = _mm_set1_epi32(0x00FF00FF);
    const __m128i low = _mm_set1_epi32(0xFF);
    const __m128i weightsBlueRed = _mm_set1_epi32((299 << 16) | 114);
    const __m128i weightGreen = _mm_set1_epi32(587);
    const __m128 half = _mm_set1_ps(0.5f);
    const __m128 thousandth = _mm_set1_ps(0.001f);
    auto four = [&](const std::uint8_t* p) {
        // Bytes 0..15 hold pixels 0..3 at offsets 0, 3, 6, 9: gather them into lanes.
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i pixels =
            _mm_unpacklo_epi64(_mm_unpacklo_epi32(v, _mm_srli_si128(v, 3)),
                               _mm_unpacklo_epi32(_mm_srli_si128(v, 6), _mm_srli_si128(v, 9)));
        const __m128i sum = _mm_add_epi32(
            _mm_madd_epi16(_mm_and_si128(pixels, blueRed), weightsBlueRed),
            _mm_madd_epi16(_mm_and_si128(_mm_srli_epi32(pixels, 8), low), weightGreen));
        return _mm_cvttps_epi32(_mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(sum), half), thousandth));
    };
    // Each step reads 16 bytes from the first pixel of the second group: stop while
    // that stays inside the row's pixels.
    for (; 3 * (x + 4) + 16 <= 3 * width; x += 8) {
        const __m128i words = _mm_packs_epi32(four(bgr + 3 * x), four(bgr + 3 * x + 12));
        const __m128i bytes = _mm_packus_epi16(words, words);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), bytes);
    }
#endif
    for (; x < width; ++x) {
        const std::uint8_t* p = bgr + 3 * x;
        out[x] = static_cast<std::uint8_t>((114u * p[0] + 587u * p[1] + 299u * p[2]) / 1000u);
    }
}

} // namespace

void luminanceRow(const std::uint8_t* bgr, int width, const LuminanceTables& tables,
                  std::uint8_t* out) {
    if (tables.plain) {
        plainLuminance(bgr, width, out);
        return;
    }
    const std::uint32_t* blue = tables.blue.data();
    const std::uint32_t* green = tables.green.data();
    const std::uint32_t* red = tables.red.data();
    auto level = [&](unsigned b, unsigned g, unsigned r) {
        return static_cast<std::uint8_t>((blue[b] + green[g] + red[r]) / 1000u);
    };
    int x = 0;
    for (; x + 4 <= width; x += 4, bgr += 12) {
        const std::uint32_t w0 = load32(bgr);     // b0 g0 r0 b1
        const std::uint32_t w1 = load32(bgr + 4); // g1 r1 b2 g2
        const std::uint32_t w2 = load32(bgr + 8); // r2 b3 g3 r3
        out[x] = level(w0 & 0xFF, (w0 >> 8) & 0xFF, (w0 >> 16) & 0xFF);
        out[x + 1] = level(w0 >> 24, w1 & 0xFF, (w1 >> 8) & 0xFF);
        out[x + 2] = level((w1 >> 16) & 0xFF, w1 >> 24, w2 & 0xFF);
        out[x + 3] = level((w2 >> 8) & 0xFF, (w2 >> 16) & 0xFF, w2 >> 24);
    }
    for (; x < width; ++x, bgr += 3) {
        out[x] = level(bgr[0], bgr[1], bgr[2]);
    }
}

void levelRow8(const std::uint8_t* pixels, int width, const LevelTable& table, std::uint8_t* out) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const std::uint64_t v = load64(pixels + x);
        for (int k = 0; k < 8; ++k) {
            out[x + k] = table[(v >> (8 * k)) & 0xFF];
        }
    }
    for (; x < width; ++x) {
        out[x] = table[pixels[x]];
    }
}

void levelRow1(const std::uint8_t* bits, int width, const LevelTable& table, std::uint8_t* out) {
    const std::uint8_t clear = table[0];
    const std::uint8_t set = table[255];
    for (int x = 0; x < width; ++x) {
        out[x] = (bits[x >> 3] & (0x80u >> (x & 7))) != 0 ? set : clear;
    }
}

void addChannelSums24(const std::uint8_t* p, int width, const LevelTable& table,
                      ChannelSums& sums) {
    // A row holds at most 2^31 pixels of at most 255: 32 bits would not do, 64 do.
    std::uint64_t blue = 0;
    std::uint64_t green = 0;
    std::uint64_t red = 0;
    for (int x = 0; x < width; ++x, p += 3) {
        blue += table[p[0]];
        green += table[p[1]];
        red += table[p[2]];
    }
    sums.blue += blue;
    sums.green += green;
    sums.red += red;
}

void addRawChannelSums24(const std::uint8_t* p, int width, ChannelSums& sums) {
    std::uint64_t channel[3] = {0, 0, 0};
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    std::size_t i = 0;
#if defined(__SSE2__)
    // Blocks of 16 pixels (48 bytes, three vectors): the sum of absolute differences
    // with zero adds up the bytes a mask keeps, blue and green by their masks, red as
    // what the whole block holds beyond them.
    // Byte 16 k + j of a block belongs to channel (16 k + j) mod 3: the masks of the
    // three phases, in the order the vectors of a block meet them.
    const __m128i phase0 = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1);
    const __m128i phase1 = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0);
    const __m128i phase2 = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0);
    const __m128i blueMask[3] = {phase0, phase2, phase1};
    const __m128i greenMask[3] = {phase1, phase0, phase2};
    const __m128i zero = _mm_setzero_si128();
    __m128i blue = zero;
    __m128i green = zero;
    __m128i all = zero;
    for (; i + 48 <= rowBytes; i += 48) {
        for (int k = 0; k < 3; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * k));
            blue = _mm_add_epi64(blue, _mm_sad_epu8(_mm_and_si128(v, blueMask[k]), zero));
            green = _mm_add_epi64(green, _mm_sad_epu8(_mm_and_si128(v, greenMask[k]), zero));
            all = _mm_add_epi64(all, _mm_sad_epu8(v, zero));
        }
    }
    auto total = [](__m128i lanes) {
        alignas(16) std::uint64_t halves[2];
        _mm_store_si128(reinterpret_cast<__m128i*>(halves), lanes);
        return halves[0] + halves[1];
    };
    channel[0] = total(blue);
    channel[1] = total(green);
    channel[2] = total(all) - channel[0] - channel[1];
#endif
    for (; i < rowBytes; ++i) {
        channel[i % 3] += p[i];
    }
    sums.blue += channel[0];
    sums.green += channel[1];
    sums.red += channel[2];
}

std::uint64_t levelSum8(const std::uint8_t* p, int width, const LevelTable& table) {
    std::uint64_t sum = 0;
    for (int x = 0; x < width; ++x) {
        sum += table[p[x]];
    }
    return sum;
}

std::uint64_t byteSum(const std::uint8_t* p, int width) {
    std::uint64_t sum = 0;
    int x = 0;
#if defined(__SSE2__)
    // Sixteen bytes per step, summed by the sum of absolute differences with zero
    // into two 64-bit lanes.
    __m128i lanes = _mm_setzero_si128();
    for (; x + 16 <= width; x += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        lanes = _mm_add_epi64(lanes, _mm_sad_epu8(v, _mm_setzero_si128()));
    }
    std::uint64_t halves[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(halves), lanes);
    sum = halves[0] + halves[1];
#endif
    for (; x < width; ++x) {
        sum += p[x];
    }
    return sum;
}

} // namespace logo

#include "reference_conversion.h"

#include <algorithm>
#include <cmath>

#include "oemui/tools/logo_level.h"

namespace logotest {

namespace {

const int kB[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

int m16(int i, int j) {
    int q = 0;
    if (i < 8 && j >= 8) {
        q = 3;
    } else if (i >= 8 && j < 8) {
        q = 2;
    } else if (i >= 8 && j >= 8) {
        q = 1;
    }
    return 4 * kB[i % 8][j % 8] + q;
}

struct Rgb {
    int r, g, b;
};

Rgb pixel24(const logo::BmpImage& s, int x, int r) {
    const std::uint8_t* p = s.row(r) + 3 * x;
    return {p[2], p[1], p[0]};
}

int level(const logo::BmpImage& s, int x, int r, int c, int b) {
    if (s.bitCount() == 24) {
        const Rgb p = pixel24(s, x, r);
        return logo::Luminance(logo::AdjustLevel(p.r, c, b), logo::AdjustLevel(p.g, c, b),
                               logo::AdjustLevel(p.b, c, b));
    }
    if (s.bitCount() == 8) {
        return logo::AdjustLevel(s.row(r)[x], c, b);
    }
    const bool set = (s.row(r)[x / 8] >> (7 - x % 8)) & 1;
    return logo::AdjustLevel(set ? 255 : 0, c, b);
}

int clamp255(int v) {
    return std::min(255, std::max(0, v));
}

} // namespace

std::vector<std::uint8_t> referenceGray(const logo::BmpImage& s, int contrast, int brightness) {
    std::vector<std::uint8_t> out;
    for (int r = 0; r < s.height(); ++r) {
        for (int x = 0; x < s.width(); ++x) {
            out.push_back(static_cast<std::uint8_t>(level(s, x, r, contrast, brightness)));
        }
    }
    return out;
}

std::vector<std::uint8_t> referenceMono(const logo::BmpImage& s, int halftone, int c, int b) {
    const int w = s.width();
    const int h = s.height();
    const long long n = static_cast<long long>(w) * h;
    const int rowBytes = (w + 7) / 8;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(rowBytes) * h, 0);
    auto setWhite = [&](int x, int r) { out[r * rowBytes + x / 8] |= 0x80 >> (x % 8); };

    if (halftone == 0) {
        long long mean = 0;
        if (s.bitCount() == 24) {
            long long sr = 0, sg = 0, sb = 0;
            for (int r = 0; r < h; ++r) {
                for (int x = 0; x < w; ++x) {
                    const Rgb p = pixel24(s, x, r);
                    sr += logo::AdjustLevel(p.r, c, b);
                    sg += logo::AdjustLevel(p.g, c, b);
                    sb += logo::AdjustLevel(p.b, c, b);
                }
            }
            mean = (587 * (sg / n) + 299 * (sr / n) + 114 * (sb / n)) / 1000;
        } else {
            long long sum = 0;
            for (int r = 0; r < h; ++r) {
                for (int x = 0; x < w; ++x) {
                    sum += level(s, x, r, c, b);
                }
            }
            mean = sum / n;
        }
        for (int r = 0; r < h; ++r) {
            for (int x = 0; x < w; ++x) {
                if (level(s, x, r, c, b) > mean) {
                    setWhite(x, r);
                }
            }
        }
    } else if (halftone == 1) {
        for (int r = 0; r < h; ++r) {
            for (int x = 0; x < w; ++x) {
                const int y = level(s, x, r, c, b) >> 2;
                const bool white =
                    s.bitCount() == 24 ? y >= kB[r % 8][x % 8] : y > kB[r % 8][x % 8];
                if (white) {
                    setWhite(x, r);
                }
            }
        }
    } else if (halftone == 2) {
        if (s.bitCount() == 8) {
            for (int r = 0; r < h; ++r) {
                for (int x = 0; x < w; ++x) {
                    if (level(s, x, r, c, b) > m16(r % 16, x % 16)) {
                        setWhite(x, r);
                    }
                }
            }
        } else {
            long long sr = 0, sg = 0, sb = 0;
            for (int r = 0; r < h; ++r) {
                for (int x = 0; x < w; ++x) {
                    const Rgb p = pixel24(s, x, r);
                    sr += p.r;
                    sg += p.g;
                    sb += p.b;
                }
            }
            const int mr = static_cast<int>(sr / n), mg = static_cast<int>(sg / n),
                      mb = static_cast<int>(sb / n);
            const int cc = std::min(100, std::max(-100, c));
            const float f = cc >= 0 ? static_cast<float>(cc / 10.0 + 1.0)
                                    : static_cast<float>(1.0 - std::sqrt(-cc) / 10.0);
            auto stretch = [&](int v, int mu) {
                const float scaled = static_cast<float>(v - mu) * f;
                const float moved = scaled + static_cast<float>(mu);
                return clamp255(static_cast<int>(std::trunc(moved)) + b);
            };
            for (int r = 0; r < h; ++r) {
                for (int x = 0; x < w; ++x) {
                    const Rgb p = pixel24(s, x, r);
                    const int y =
                        logo::Luminance(stretch(p.r, mr), stretch(p.g, mg), stretch(p.b, mb));
                    if (y >= m16(r % 16, x % 16)) {
                        setWhite(x, r);
                    }
                }
            }
        }
    } else {
        static std::int32_t current[2000];
        static std::int32_t next[2000];
        std::fill(std::begin(current), std::end(current), 0);
        std::fill(std::begin(next), std::end(next), 0);
        for (int r = 0; r < h; ++r) {
            std::copy(next, next + w, current);
            std::fill(next, next + w, 0);
            int carried = 0;
            const bool leftToRight = r % 2 == 1;
            for (int i = 0; i < w; ++i) {
                const int x = leftToRight ? i : w - 1 - i;
                const int sum = level(s, x, r, c, b) + current[x] + carried;
                float e;
                if (sum > 128) {
                    setWhite(x, r);
                    e = static_cast<float>(sum - 255.0);
                } else {
                    e = static_cast<float>(sum);
                }
                if (i != w - 1) {
                    carried = static_cast<int>(std::trunc(static_cast<double>(e) * 0.375));
                }
                if (r != h - 1) {
                    next[x] += static_cast<int>(std::trunc(static_cast<double>(e) * 0.375));
                    const int further = leftToRight ? x + 1 : x - 1;
                    if (further >= 0 && further < w) {
                        next[further] +=
                            static_cast<int>(std::trunc(static_cast<double>(e) * 0.25));
                    }
                }
            }
        }
    }
    return out;
}

} // namespace logotest

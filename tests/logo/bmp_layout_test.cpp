// Bitmaps as today's tools write them: information headers of 108 and 124 bytes,
// palettes shorter than the depth allows, gaps before the pixels. They must convert
// exactly as the same picture with the classic 40-byte header does; what is still
// no usable bitmap is refused with a reason.
#include <cstdlib>

#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "conversion_helpers.h"
#include "oemui/tools/bmp_file.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/make_work_bitmap.h"
#include "oemui/tools/stdio_files.h"

using namespace logotest;

namespace {

// The same picture laid out another way: a longer information header, a palette of
// `entries` colours, `gap` bytes before the rows.
Bytes relayout(const Bytes& classic, std::uint32_t headerSize, std::uint32_t entries,
               std::uint32_t gap) {
    const std::uint32_t offset = get32(classic, 10);
    const int bitCount = classic[28];
    Bytes b(classic.begin(), classic.begin() + 54);
    b.resize(14 + headerSize, 0);
    put32(b, 14, headerSize);
    put32(b, 46, bitCount == 24 ? 0 : entries);
    b.insert(b.end(), classic.begin() + 54, classic.begin() + 54 + 4 * entries);
    b.resize(b.size() + gap, 0xAB);
    put32(b, 10, static_cast<std::uint32_t>(b.size()));
    b.insert(b.end(), classic.begin() + offset, classic.end());
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

struct Outputs {
    std::vector<Bytes> works;
    Bytes monoJob;
    Bytes grayJob;
};

// Every work bitmap of every mode, and both jobs, for one file.
Outputs convertAll(const TempDir& dir, const Bytes& file) {
    const std::string source = dir.write("logo.bmp", file);
    logo::StdioLogoFiles logo(source);
    const int bitCount = file[28];
    Outputs o;
    const logo::DepthSet any = logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1);
    for (int contrast : {0, -40}) {
        EXPECT_EQ(logo::makeGrayWorkBitmap(logo, any, contrast, 7), logo::ImageError::None);
        o.works.push_back(readFile(*logo.workPath()));
    }
    const logo::LogoJobResult gray = logo::buildDownloadAllJob(logo::LogoMode::Gray, {source});
    EXPECT_EQ(gray.error, logo::LogoJobError::None) << gray.message;
    o.grayJob = gray.job.bytes();
    if (bitCount != 1) {
        for (int h = logo::kHalftoneNone; h <= logo::kHalftoneErrorDiffuse; ++h) {
            EXPECT_EQ(logo::makeMonoWorkBitmap(logo, any, h, 30, 0), logo::ImageError::None);
            o.works.push_back(readFile(*logo.workPath()));
        }
    }
    const logo::LogoJobResult mono =
        logo::buildDownloadAllJob(logo::LogoMode::Transformation, {source});
    EXPECT_EQ(mono.error, logo::LogoJobError::None) << mono.message;
    o.monoJob = mono.job.bytes();
    return o;
}

void expectSameOutputs(const Outputs& a, const Outputs& b, const std::string& what) {
    EXPECT_EQ(a.works, b.works) << what;
    EXPECT_EQ(a.grayJob, b.grayJob) << what;
    EXPECT_EQ(a.monoJob, b.monoJob) << what;
}

bool haveImageMagick() {
    return std::system("convert -version >/dev/null 2>&1") == 0;
}

} // namespace

TEST(BmpLayout, PicturesSavedByImageMagickBothWaysGiveTheSameLogos) {
    if (!haveImageMagick()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    TempDir dir;
    struct Kind {
        const char* name;
        const char* options;
    } kinds[] = {{"24-bit", "-type TrueColor"},
                 {"8-bit", "-colorspace Gray -type Palette -compress None"},
                 {"1-bit", "-monochrome -compress None"}};
    for (const Kind& kind : kinds) {
        Outputs outputs[2];
        std::uint32_t headerSizes[2] = {};
        int i = 0;
        for (const char* format : {"BMP3", "BMP"}) {
            const std::string made = dir.file(std::string(kind.name) + format + ".bmp");
            const std::string command = "convert -seed 3 -size 37x21 plasma:fractal " +
                                        std::string(kind.options) + " " + format + ":'" + made +
                                        "' 2>/dev/null";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            const Bytes file = readFile(made);
            headerSizes[i] = get32(file, 14);
            outputs[i++] = convertAll(dir, file);
        }
        EXPECT_EQ(headerSizes[0], 40u) << kind.name;
        EXPECT_GE(headerSizes[1], 108u) << kind.name;
        expectSameOutputs(outputs[0], outputs[1], kind.name);
    }
}

TEST(BmpLayout, ShortPalettesGapsAndUnsetOffsetsFindTheRows) {
    TempDir dir;
    const Bytes classic8 = makeBmp(13, 5, 8, [](int x, int r) { return (x * 17 + r * 40) % 16; });
    const Bytes classic1 = makeBmp(13, 5, 1, [](int x, int r) { return (x + r) % 3 == 0; });
    const Bytes classic24 = makeBmp(13, 5, 24, [](int x, int r) { return gray24(x * 19 + r); });
    const Outputs expected8 = convertAll(dir, classic8);
    expectSameOutputs(expected8, convertAll(dir, relayout(classic8, 40, 16, 0)), "16 colours");
    expectSameOutputs(expected8, convertAll(dir, relayout(classic8, 124, 256, 6)), "V5 and a gap");
    Bytes unset = relayout(classic8, 40, 16, 0);
    put32(unset, 10, 0);
    expectSameOutputs(expected8, convertAll(dir, unset), "bfOffBits 0");
    expectSameOutputs(convertAll(dir, classic1), convertAll(dir, relayout(classic1, 108, 2, 2)),
                      "1-bit V4");
    expectSameOutputs(convertAll(dir, classic24), convertAll(dir, relayout(classic24, 124, 0, 1)),
                      "24-bit V5");
}

TEST(BmpLayout, WhatIsNoUsableBitmapIsRefusedWithItsReason) {
    const Bytes good = makeBmp(4, 4, 8, [](int, int) { return 9u; });
    auto with = [&](std::size_t at, std::uint32_t v, bool dword = true) {
        Bytes b = good;
        dword ? put32(b, at, v) : put16(b, at, v);
        return b;
    };
    const struct {
        const char* what;
        Bytes file;
        logo::ImageError error;
    } cases[] = {
        {"not BM", with(0, 0x4D43, false), logo::ImageError::NotBmp},
        {"12-byte header", with(14, 12), logo::ImageError::OldHeader},
        {"32 bits", with(28, 32, false), logo::ImageError::UnsupportedDepth},
        {"RLE8", with(30, 1), logo::ImageError::Compressed},
        {"top-down", with(22, static_cast<std::uint32_t>(-4)), logo::ImageError::TopDown},
        {"257 colours", with(46, 257), logo::ImageError::BadLayout},
        {"rows inside the palette", with(10, 1000), logo::ImageError::BadLayout},
        {"rows beyond the file", with(10, 1079), logo::ImageError::Truncated},
        {"header beyond the file", with(14, 0x7FFFFFF0), logo::ImageError::BadLayout},
    };
    for (const auto& c : cases) {
        logo::MemorySource source(c.file.data(), c.file.size());
        logo::FileRows rows;
        EXPECT_EQ(rows.open(source, logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1)),
                  c.error)
            << c.what;
        EXPECT_STRNE(logo::describeImageError(c.error), "is refused") << c.what;
    }
}

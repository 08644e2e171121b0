#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "conversion_helpers.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/logo_raster.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/make_work_bitmap.h"

using namespace logotest;
using logo::LogoJobError;
using logo::LogoMode;

namespace {

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

} // namespace

TEST(ClearAllLogos, ThirteenBytesInThreeWrites) {
    const logo::RawJob job = logo::buildClearAllLogosJob();
    EXPECT_EQ(job.documentName, "SELFTEST");
    ASSERT_EQ(job.pieces.size(), 3u);
    EXPECT_EQ(job.pieces[0], (Bytes{0x1B, 0x63, 0x3B, 0x01}));
    EXPECT_EQ(job.pieces[1], (Bytes{0x1C, 0x71, 0x00, 0x00, 0x0A}));
    EXPECT_EQ(job.pieces[2], (Bytes{0x1B, 0x63, 0x3B, 0x00}));
    EXPECT_EQ(job.bytes().size(), 13u);
}

class DownloadAll : public ::testing::Test {
protected:
    TempDir dir;
    char out[logo::kWorkPathBufferSize];
};

TEST_F(DownloadAll, TransformationSendsOneBitSourcesAsTheyAreAndOthersFromTheirWorkBitmaps) {
    const Bytes oneBit = makeBmp(1, 1, 1, [](int, int) { return 0u; });
    const std::string first = dir.write("first.bmp", oneBit);
    const std::string second = dir.write(
        "second.bmp", makeBmp(3, 9, 24, [](int x, int) { return x == 1 ? 0u : 0xFFFFFFu; }));
    ASSERT_EQ(logo::MakeMonoWorkBitmap(second.c_str(), out, logo::kHalftoneDitherM3, 0, 0), 1);

    const logo::LogoJobResult result =
        logo::buildDownloadAllJob(LogoMode::Transformation, {first, second});
    ASSERT_EQ(result.error, LogoJobError::None) << result.message;
    EXPECT_EQ(result.job.documentName, "LOGO");
    const auto& p = result.job.pieces;
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(p[0], (Bytes{0x1B, 0x63, 0x3B, 0x01}));
    EXPECT_EQ(p[1], (Bytes{0x1C, 0x71, 0x02}));
    EXPECT_EQ(p[2], (Bytes{0x04, 0x00, 0x01, 0x00}));
    Bytes firstData(32, 0);
    firstData[0] = 0x01;
    EXPECT_EQ(p[3], firstData);
    EXPECT_EQ(p[4], (Bytes{0x04, 0x00, 0x02, 0x00}));
    // Column 1 is black over all 9 rows: 7 blank grid rows on top.
    Bytes secondData(64, 0);
    secondData[2] = 0x01;
    secondData[3] = 0xFF;
    EXPECT_EQ(p[5], secondData);
    EXPECT_EQ(p[6], (Bytes{0x0A}));
    EXPECT_EQ(p[7], (Bytes{0x1B, 0x63, 0x3B, 0x00}));
}

TEST_F(DownloadAll, GraySendsEveryLogoFromItsGrayWorkBitmap) {
    const std::string a = dir.write("a.bmp", makeBmp(5, 3, 8, [](int, int) { return 0u; }));
    const std::string b = dir.write("b.bmp", makeBmp(2, 2, 1, [](int x, int) { return x; }));
    ASSERT_EQ(logo::MakeGrayWorkBitmap8(a.c_str(), out, 0, 0), 1);
    ASSERT_EQ(logo::MakeGrayWorkBitmap1(b.c_str(), out, 0, 0), 1);

    const logo::LogoJobResult result = logo::buildDownloadAllJob(LogoMode::Gray, {a, b});
    ASSERT_EQ(result.error, LogoJobError::None) << result.message;
    const Bytes expected = concat({
        {0x1B, 0x63, 0x3B, 0x01},
        {0x1C, 0x72, 0x02},
        {0x01, 0x00, 0x01, 0x00, 0x02, 0x00},
        {0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0xF8, 0, 0, 0, 0},
        {0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
        {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},
        {0x0A},
        {0x1B, 0x63, 0x3B, 0x00},
    });
    EXPECT_EQ(result.job.bytes(), expected);
    EXPECT_EQ(result.job.pieces.size(), 8u);
}

TEST_F(DownloadAll, LogoMemoryHoldsJustUnder96KiB) {
    // A 1-bit logo has no work bitmap: its own file size counts. Pad the file.
    Bytes logo = makeBmp(8, 8, 1, [](int, int) { return 1u; });
    const std::size_t pictureSize = logo.size();
    const std::string small = dir.write("small.bmp", logo);
    logo.resize(98303 - pictureSize, 0);
    const std::string big = dir.write("big.bmp", logo);
    EXPECT_EQ(logo::buildDownloadAllJob(LogoMode::Transformation, {small, big}).error,
              LogoJobError::None);

    logo.push_back(0);
    const std::string bigger = dir.write("bigger.bmp", logo);
    const logo::LogoJobResult refused =
        logo::buildDownloadAllJob(LogoMode::Transformation, {small, bigger});
    EXPECT_EQ(refused.error, LogoJobError::OverLogoMemory);
    EXPECT_EQ(refused.message, logo::kTextLogosOver96k);
    EXPECT_TRUE(refused.job.pieces.empty());
}

TEST_F(DownloadAll, ListsThatCannotBeSent) {
    EXPECT_EQ(logo::buildDownloadAllJob(LogoMode::Gray, std::vector<std::string>{}).message,
              logo::kTextNoLogos);
    const std::string one = dir.write("one.bmp", makeBmp(2, 2, 1, [](int, int) { return 1u; }));
    EXPECT_EQ(logo::buildDownloadAllJob(LogoMode::Transformation, std::vector<std::string>(10, one))
                  .message,
              logo::kTextTooManyLogos);
    EXPECT_EQ(
        logo::buildDownloadAllJob(LogoMode::Transformation, std::vector<std::string>(9, one)).error,
        LogoJobError::None);

    const logo::LogoJobResult missing =
        logo::buildDownloadAllJob(LogoMode::Gray, {one, dir.file("gone.bmp")});
    EXPECT_EQ(missing.error, LogoJobError::SizeUnknown);
    EXPECT_EQ(missing.message, logo::kTextLogoSizeUnknown);
    EXPECT_EQ(missing.failedLogo, 1u);
}

TEST_F(DownloadAll, ABadLogoStopsTheJobBeforeAnyByte) {
    // Gray mode without a gray work bitmap.
    const std::string plain = dir.write("plain.bmp", makeBmp(4, 4, 8, [](int, int) { return 3u; }));
    const logo::LogoJobResult noWork = logo::buildDownloadAllJob(LogoMode::Gray, {plain});
    EXPECT_EQ(noWork.error, LogoJobError::LogoUnreadable);
    EXPECT_TRUE(noWork.job.pieces.empty());

    // Transformation mode finds a gray work bitmap where a 1-bit one should be.
    ASSERT_EQ(logo::MakeGrayWorkBitmap8(plain.c_str(), out, 0, 0), 1);
    EXPECT_EQ(logo::buildDownloadAllJob(LogoMode::Transformation, {plain}).error,
              LogoJobError::LogoUnreadable);

    // A work bitmap cut short.
    Bytes work = readFile(out);
    work.resize(work.size() - 1);
    dir.write("plainTemp.bmp", work);
    const logo::LogoJobResult cut = logo::buildDownloadAllJob(LogoMode::Gray, {plain});
    EXPECT_EQ(cut.error, LogoJobError::LogoUnreadable);
    EXPECT_NE(cut.message.find("plainTemp.bmp"), std::string::npos) << cut.message;

    // A 1-bit source beyond the printer's largest logo.
    const std::string wide =
        dir.write("wide.bmp", makeBmp(1025, 1, 1, [](int, int) { return 1u; }));
    const logo::LogoJobResult tooBig = logo::buildDownloadAllJob(LogoMode::Transformation, {wide});
    EXPECT_EQ(tooBig.error, LogoJobError::LogoTooBig);
    EXPECT_EQ(tooBig.message, logo::kTextLogoTooBig);
}

TEST(LogoFileCheck, SizeLimitsAndUnreadableFiles) {
    TempDir dir;
    auto headerOnly = [&](int width, int height) {
        Bytes b = makeBmp(1, 1, 24, [](int, int) { return 0u; });
        put32(b, 18, static_cast<std::uint32_t>(width));
        put32(b, 22, static_cast<std::uint32_t>(height));
        return dir.write("h.bmp", b);
    };
    EXPECT_EQ(logo::checkLogoFile(headerOnly(1024, 768)), logo::LogoFileCheck::Accepted);
    EXPECT_EQ(logo::checkLogoFile(headerOnly(1025, 1)), logo::LogoFileCheck::TooBig);
    EXPECT_EQ(logo::checkLogoFile(headerOnly(1, 769)), logo::LogoFileCheck::TooBig);
    // Negative sizes pass here and are refused by the conversion.
    EXPECT_EQ(logo::checkLogoFile(headerOnly(-5, 3)), logo::LogoFileCheck::Accepted);
    // A whole 1 x 1 24-bit bitmap is 58 bytes; its headers are all that is needed.
    EXPECT_EQ(
        logo::checkLogoFile(dir.write("tiny.bmp", makeBmp(1, 1, 24, [](int, int) { return 0u; }))),
        logo::LogoFileCheck::Accepted);
    EXPECT_EQ(logo::checkLogoFile(dir.write("short.bmp", Bytes(53, 0x42))),
              logo::LogoFileCheck::CannotRead);
    EXPECT_EQ(logo::checkLogoFile(dir.file("missing.bmp")), logo::LogoFileCheck::CannotOpen);
    EXPECT_STREQ(logo::logoFileCheckText(logo::LogoFileCheck::TooBig), logo::kTextLogoTooBig);
    EXPECT_STREQ(logo::logoFileCheckText(logo::LogoFileCheck::CannotOpen),
                 "Fail to open the selected file!");
}

// A job's bytes drawn back into what the printer prints.
#include <gtest/gtest.h>

#include "conversion_helpers.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/logo_preview.h"
#include "oemui/tools/logo_raster.h"

using namespace logotest;

namespace {

Bytes jobOf(bool gray, const std::vector<logo::LogoRaster>& logos) {
    Bytes job = {0x1B,
                 0x63,
                 0x3B,
                 0x01,
                 0x1C,
                 static_cast<std::uint8_t>(gray ? 0x72 : 0x71),
                 static_cast<std::uint8_t>(logos.size())};
    for (const logo::LogoRaster& raster : logos) {
        if (gray) {
            job.insert(job.end(), {0x01, 0x00});
        }
        const Bytes size = logo::rasterSizeBytes(raster);
        job.insert(job.end(), size.begin(), size.end());
        job.insert(job.end(), raster.data.begin(), raster.data.end());
    }
    job.insert(job.end(), {0x0A, 0x1B, 0x63, 0x3B, 0x00});
    return job;
}

} // namespace

TEST(LogoPreview, DrawsEveryLogoAsItsWholeDotGridOneBelowTheOther) {
    // A 2 x 3 picture, black where x == r, under five blank rows; then a 1 x 1 dot.
    logo::LogoRaster a;
    ASSERT_EQ(logo::columnData(parsed(makeBmp(2, 3, 1, [](int x, int r) { return x != r; })), a),
              logo::ImageError::None);
    logo::LogoRaster dot;
    ASSERT_EQ(logo::columnData(parsed(makeBmp(1, 1, 1, [](int, int) { return 0u; })), dot),
              logo::ImageError::None);
    const Bytes job = jobOf(false, {a, dot});
    const logo::JobPreview preview = logo::previewLogoJob(job.data(), job.size());
    ASSERT_TRUE(preview.ok) << preview.error;
    EXPECT_EQ(preview.logos, 2);
    ASSERT_EQ(preview.picture.width, 32);
    ASSERT_EQ(preview.picture.height, 16);
    std::vector<std::pair<int, int>> black;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (preview.picture.levels[static_cast<std::size_t>(y) * 32 + x] == 0) {
                black.emplace_back(x, y);
            }
        }
    }
    // Stored row r is the picture's row from the bottom; the dot is the second grid's
    // bottom-left dot.
    EXPECT_EQ(black, (std::vector<std::pair<int, int>>{{1, 6}, {0, 7}, {0, 15}}));
}

TEST(LogoPreview, DrawsTheGrayRasterInSixteenLevels) {
    // 5 x 3 levels 0, 40, ..., 160 in every row: P = 8, x = 1, y = 2.
    logo::LogoRaster raster;
    ASSERT_EQ(
        logo::grayRaster(parsed(makeBmp(5, 3, 8, [](int x, int) { return 40u * x; })), raster),
        logo::ImageError::None);
    const Bytes job = jobOf(true, {raster});
    const logo::JobPreview preview = logo::previewLogoJob(job.data(), job.size());
    ASSERT_TRUE(preview.ok) << preview.error;
    ASSERT_EQ(preview.picture.width, 8);
    ASSERT_EQ(preview.picture.height, 4);
    const Bytes row = {0, 34, 85, 119, 170, 255, 255, 255}; // each level's top four bits
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(Bytes(preview.picture.levels.begin() + 8 * y,
                        preview.picture.levels.begin() + 8 * y + 8),
                  row);
    }
    EXPECT_EQ(Bytes(preview.picture.levels.end() - 8, preview.picture.levels.end()), Bytes(8, 255))
        << "the zero lines of an odd number of rows print nothing";
}

TEST(LogoPreview, RefusesWhatIsNoJobOfLogos) {
    logo::LogoRaster dot;
    ASSERT_EQ(logo::columnData(parsed(makeBmp(1, 1, 1, [](int, int) { return 0u; })), dot),
              logo::ImageError::None);
    const Bytes good = jobOf(false, {dot});
    Bytes trailing = good;
    trailing.push_back(0x1D);
    Bytes empty = {0x1C, 0x71, 0x01, 0x00, 0x00, 0x01, 0x00};
    const struct {
        Bytes job;
        const char* error;
    } cases[] = {
        {Bytes(good.begin(), good.end() - 6), "ends inside the data of logo 1"},
        {trailing, "has bytes after its logos that are not part of a logo job"},
        {logo::buildClearAllLogosJob().bytes(), "stores no logos"},
        {{0x42, 0x4D, 0x00}, "is not a logo job: it does not store logos (FS q or FS r)"},
        {empty, "has an empty logo 1"},
        {{0x1C, 0x72, 0x01, 0x02, 0x00}, "ends inside the header of logo 1"},
    };
    for (const auto& c : cases) {
        const logo::JobPreview preview = logo::previewLogoJob(c.job.data(), c.job.size());
        EXPECT_FALSE(preview.ok);
        EXPECT_EQ(preview.error, c.error);
    }
}

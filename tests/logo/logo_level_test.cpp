#include <climits>

#include <gtest/gtest.h>

#include "oemui/tools/logo_level.h"

using logo::AdjustLevel;

TEST(AdjustLevel, NeutralSettingsKeepEveryLevel) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(AdjustLevel(v, 0, 0), v) << "level " << v;
    }
}

TEST(AdjustLevel, FullContrastCutsBothEnds) {
    for (int v = 0; v <= 100; ++v) {
        EXPECT_EQ(AdjustLevel(v, 100, 0), 0) << "level " << v;
    }
    for (int v = 155; v < 256; ++v) {
        EXPECT_EQ(AdjustLevel(v, 100, 0), 255) << "level " << v;
    }
    EXPECT_EQ(AdjustLevel(101, 100, 0), 4);
    EXPECT_EQ(AdjustLevel(128, 100, 0), 129);
    EXPECT_EQ(AdjustLevel(154, 100, 0), 250);
}

TEST(AdjustLevel, LeastContrastSqueezesIntoTheMiddle) {
    EXPECT_EQ(AdjustLevel(0, -100, 0), 100);
    EXPECT_EQ(AdjustLevel(128, -100, 0), 127);
    EXPECT_EQ(AdjustLevel(255, -100, 0), 155);
    for (int v = 0; v < 256; ++v) {
        const int t = AdjustLevel(v, -100, 0);
        EXPECT_TRUE(t >= 100 && t <= 155) << "level " << v << " gave " << t;
    }
}

// Levels where double precision would give a different result: the divisors are
// single precision, and stored logos depend on it.
TEST(AdjustLevel, SinglePrecisionStepsDecideBorderlineLevels) {
    EXPECT_EQ(AdjustLevel(255, -28, 0), 227); // double: 226
    EXPECT_EQ(AdjustLevel(51, -20, 0), 63);   // double: 62
    EXPECT_EQ(AdjustLevel(86, 3, 0), 84);     // double: 85
    EXPECT_EQ(AdjustLevel(54, 5, 0), 50);     // double: 51
    EXPECT_EQ(AdjustLevel(100, 50, 0), 82);
    EXPECT_EQ(AdjustLevel(200, -50, 0), 171);
    EXPECT_EQ(AdjustLevel(255, -1, 0), 254);
}

TEST(AdjustLevel, BrightnessIsAddedAfterContrastAndClamped) {
    EXPECT_EQ(AdjustLevel(200, -50, 30), 201);
    EXPECT_EQ(AdjustLevel(200, 0, 100), 255);
    EXPECT_EQ(AdjustLevel(50, 0, -100), 0);
    EXPECT_EQ(AdjustLevel(255, 100, -100), 155);
    EXPECT_EQ(AdjustLevel(0, 100, 100), 100);
}

TEST(AdjustLevel, SettingsBeyondTheSlidersAreTakenAtTheirEnds) {
    EXPECT_EQ(AdjustLevel(128, 1000, 0), AdjustLevel(128, 100, 0));
    EXPECT_EQ(AdjustLevel(128, INT_MIN, INT_MAX), AdjustLevel(128, -100, 100));
    EXPECT_EQ(AdjustLevel(INT_MAX, 0, 0), 255);
    EXPECT_EQ(AdjustLevel(-5, 0, 0), 0);
}

TEST(Luminance, WeightsAndTruncation) {
    EXPECT_EQ(logo::Luminance(255, 255, 255), 255);
    EXPECT_EQ(logo::Luminance(1, 1, 1), 1);
    EXPECT_EQ(logo::Luminance(0, 0, 8), 0); // 912 / 1000
    EXPECT_EQ(logo::Luminance(0, 0, 9), 1);
    EXPECT_EQ(logo::Luminance(255, 0, 0), 76);
    EXPECT_EQ(logo::Luminance(0, 255, 0), 149);
    EXPECT_EQ(logo::Luminance(0, 0, 255), 29);
}

TEST(MeanContrast, FactorRunsFromZeroToEleven) {
    EXPECT_EQ(logo::meanContrastFactor(-100), 0.0f);
    EXPECT_EQ(logo::meanContrastFactor(0), 1.0f);
    EXPECT_EQ(logo::meanContrastFactor(100), 11.0f);
}

TEST(MeanContrast, ChannelsStretchAboutTheirMean) {
    const logo::LevelTable flat = logo::makeMeanContrastTable(100, -100, 0);
    EXPECT_EQ(flat[0], 100);
    EXPECT_EQ(flat[255], 100);
    const logo::LevelTable steep = logo::makeMeanContrastTable(100, 100, 0);
    EXPECT_EQ(steep[90], 0);
    EXPECT_EQ(steep[110], 210);
    EXPECT_EQ(steep[200], 255);
    const logo::LevelTable half = logo::makeMeanContrastTable(100, -50, 0);
    EXPECT_EQ(half[0], 70);
    EXPECT_EQ(half[255], 145);
    EXPECT_EQ(half[101], 100);
    const logo::LevelTable same = logo::makeMeanContrastTable(37, 0, 5);
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(same[v], std::min(255, v + 5));
    }
}

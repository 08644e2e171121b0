// The text watermark's picture (font, centring, the 300 x 300 file) and the
// preview made from any picture: placement, tiling, rows kept when the picture
// is too tall, brightness.
#include "bitmap_files.h"
#include "oemui/watermark_picture.h"
#include "oemui/watermark_preview.h"
#include "platform/sim/sim_plugin_host.h"

#include <gtest/gtest.h>

#include <functional>

namespace oemui {
namespace {

using platform::Bitmap32;

TEST(TextPicture, FontOfTheFaceAtTheChosenSizeStyleAndAngle) {
    platform::LogFontW enumerated;
    enumerated.faceName = u"Arial";
    enumerated.height = 16;
    enumerated.width = 7;
    enumerated.pitchAndFamily = 0x22;
    const struct {
        int size, dpi, style, angle;
        int height, weight, italic;
    } cases[] = {{50, 96, 0, 45, -67, 400, 0},
                 {8, 96, 1, 0, -11, 400, 1},
                 {72, 120, 2, 360, -120, 700, 0},
                 {10, 96, 3, 90, -13, 700, 1}};
    for (const auto& c : cases) {
        TextWatermark mark;
        mark.fontSize = c.size;
        mark.style = static_cast<std::uint8_t>(c.style);
        mark.angle = c.angle;
        const platform::LogFontW f = textPictureFont(enumerated, mark, c.dpi);
        EXPECT_EQ(c.height, f.height) << c.size << " points at " << c.dpi << " dpi";
        EXPECT_EQ(0, f.width) << "the mapper keeps the face's proportions";
        EXPECT_EQ(c.weight, f.weight);
        EXPECT_EQ(c.italic, f.italic);
        EXPECT_EQ(c.angle * 10, f.escapement);
        EXPECT_EQ(c.angle * 10, f.orientation);
        EXPECT_EQ(0x10, f.clipPrecision) << "CLIP_LH_ANGLES";
        EXPECT_EQ(u"Arial", f.faceName);
        EXPECT_EQ(0x22, f.pitchAndFamily);
    }
}

TEST(TextPicture, TheTextIsCentredAndTheFileIsThe300By300Picture) {
    EXPECT_EQ(std::make_pair(150 - 50, 150 + 10), textStartPoint(100, 20, 0));
    EXPECT_EQ(std::make_pair(150 + 10, 150 + 50), textStartPoint(100, 20, 90));
    // cos 30 = 0.866, sin 30 = 0.5: 150 - (83.5 * 0.866 - 33.5 * 0.5), 150 + (41.75 + 29.01)
    EXPECT_EQ(std::make_pair(94, 221), textStartPoint(167, 67, 30));

    platform::sim::SimPluginHost host;
    TextWatermark mark{u"DRAFT", u"Courier New", 50, 3, 0};
    const Bitmap32 picture = drawTextPicture(host, 0, mark);
    ASSERT_EQ(1u, host.textOuts().size());
    const auto& call = host.textOuts()[0];
    EXPECT_EQ(u"DRAFT", call.text);
    EXPECT_EQ(u"Courier New", call.font.faceName);
    EXPECT_EQ(0x31, call.font.pitchAndFamily) << "the face's last enumerated style";
    EXPECT_EQ(24u, call.align) << "TA_BASELINE";
    // The simulated host measures 67 x 5 / 2 by 67.
    EXPECT_EQ(150 - 83, call.x);
    EXPECT_EQ(150 + 34, call.y);

    const std::u16string path = watermarkPictureFile(host, u"Receipt");
    EXPECT_EQ(u"C:\\Users\\User\\AppData\\Local\\Temp\\Receipt1.bmp", path);
    ASSERT_TRUE(writePictureFile(host, path, picture));
    const std::vector<std::uint8_t> file = host.fileBytes(path);
    ASSERT_EQ(270054u, file.size());
    // "BM", size, 0, offset 54; 40, 300 x 300, 1 plane, 24 bits, the rest 0.
    std::vector<std::uint8_t> header(54, 0);
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, 270054}, {10, 54}, {14, 40}, {18, 300}, {22, 300}, {26, 1 | 24 << 16}};
    header[0] = 'B';
    header[1] = 'M';
    for (const auto& [at, value] : fields) {
        for (std::size_t i = 0; i < 4; ++i) {
            header[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    EXPECT_EQ(header, std::vector<std::uint8_t>(file.begin(), file.begin() + 54));
    const test::ColourGrid grid = test::readBmp24(file);
    EXPECT_EQ(picture.pixels, grid.pixels);
    EXPECT_EQ(0xFFFFFFu, grid.at(0, 0));
    EXPECT_EQ(0u, grid.at(call.x, call.y - 1)) << "the text stands on its baseline";

    Bitmap32 back;
    ASSERT_EQ(PictureLoad::Loaded, loadPictureFile(host, path, back));
    EXPECT_EQ(picture.pixels, back.pixels);
    EXPECT_EQ(PictureLoad::Missing, loadPictureFile(host, path + u"x", back));
}

TEST(WatermarkPreview, PlacesScalesTilesAndBrightensThePicture) {
    // Pixel (x, y) of a w x h source is x + 16 * y, so every pixel tells where it came from.
    const auto source = [](int w, int h) {
        Bitmap32 b{w, h, {}};
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                b.pixels.push_back(static_cast<std::uint32_t>(x + 16 * y));
            }
        }
        return b;
    };
    const std::uint32_t white = 0xFFFFFF;
    // What each case shows at (x, y), white outside the picture.
    using Expected = std::function<std::uint32_t(int, int)>;
    const auto inside = [&](int left, int top, int w, int h, Expected at) -> Expected {
        return [=](int x, int y) {
            return x >= left && x < left + w && y >= top && y < top + h ? at(x - left, y - top)
                                                                        : white;
        };
    };
    const auto from = [](int sx, int sy) { return static_cast<std::uint32_t>(sx + 16 * sy); };
    const struct {
        const char* what;
        Bitmap32 picture;
        PreviewLook look;
        int width, height;
        Expected expected;
    } cases[] = {
        {"left-top at half size",
         source(4, 4),
         {0, 50, 0},
         8,
         8,
         inside(0, 0, 4, 4, [&](int x, int y) { return from(x, y); })},
        {"right-bottom at half size",
         source(4, 4),
         {0, 50, 8},
         8,
         8,
         inside(4, 4, 4, 4, [&](int x, int y) { return from(x, y); })},
        {"centre at full size, doubled",
         source(4, 4),
         {0, 100, 4},
         8,
         8,
         [&](int x, int y) { return from(x / 2, y / 2); }},
        {"centre-top of a wide picture",
         source(4, 2),
         {0, 50, 1},
         8,
         8,
         inside(2, 0, 4, 2, [&](int x, int y) { return from(x, y); })},
        {"tiled", source(4, 4), {0, 50, 9}, 8, 8, [&](int x, int y) { return from(x % 4, y % 4); }},
        {"tiled below 20 percent is drawn at 20",
         source(4, 4),
         {0, 10, 9},
         20,
         20,
         [&](int x, int y) { return from(x % 4, y % 4); }},
        {"too tall, left-top: the first rows",
         source(4, 16),
         {0, 50, 0},
         8,
         8,
         inside(0, 0, 4, 8, [&](int x, int y) { return from(x, y); })},
        {"too tall, left-middle: the middle rows",
         source(4, 16),
         {0, 50, 3},
         8,
         8,
         inside(0, 0, 4, 8, [&](int x, int y) { return from(x, y + 4); })},
        {"too tall, left-bottom: the last rows",
         source(4, 16),
         {0, 50, 6},
         8,
         8,
         inside(0, 0, 4, 8, [&](int x, int y) { return from(x, y + 8); })},
        {"brightness added to every byte, capped",
         Bitmap32{1, 1, {0x10FF40}},
         {200, 100, 0},
         2,
         2,
         [](int, int) { return 0xD8FFFFu; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ui::Picture got = composePreview(&c.picture, c.look, c.width, c.height);
        ASSERT_EQ(c.width, got.width);
        ASSERT_EQ(c.height, got.height);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                ASSERT_EQ(c.expected(x, y), got.pixels[static_cast<std::size_t>(y * c.width + x)])
                    << "at " << x << "," << y;
            }
        }
    }
    const ui::Picture none = composePreview(nullptr, {}, 3, 2);
    EXPECT_EQ(std::vector<std::uint32_t>(6, white), none.pixels) << "no watermark: white";
}

} // namespace
} // namespace oemui

#include "oemui/watermark_picture.h"

#include "oemui/bitmap_to_24.h"
#include "oemui/host_file.h"

#include <cmath>
#include <vector>

namespace oemui {

using platform::Bitmap32;
using platform::PluginHost;

std::u16string watermarkPictureFile(PluginHost& host, const std::u16string& printerName) {
    std::u16string folder = host.GetTempPathW();
    if (folder.empty()) {
        return folder;
    }
    if (folder.back() != u'\\') {
        folder += u'\\';
    }
    return folder + printerName + u"1.bmp";
}

namespace {

constexpr std::uint8_t clipLhAngles = 0x10;

// MulDiv: the product over the divisor, rounded half away from zero.
int mulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

platform::LogFontW textPictureFont(const platform::LogFontW& enumerated, const TextWatermark& mark,
                                   int logPixelsY) {
    platform::LogFontW font = enumerated;
    const auto style = static_cast<FontStyle>(mark.style);
    font.height = -mulDiv(mark.fontSize, logPixelsY, 72);
    font.width = 0;
    font.weight = style == FontStyle::Bold || style == FontStyle::BoldItalic ? 700 : 400;
    font.italic = style == FontStyle::Italic || style == FontStyle::BoldItalic ? 1 : 0;
    font.clipPrecision = clipLhAngles;
    font.escapement = mark.angle * 10;
    font.orientation = mark.angle * 10;
    return font;
}

std::pair<int, int> textStartPoint(int cx, int cy, int angle) {
    const double a = angle * 0.017453292522222223;
    const double halfX = cx / 2.0, halfY = cy / 2.0;
    const int centre = textPictureSize / 2;
    return {static_cast<int>(std::lround(centre - (halfX * std::cos(a) - halfY * std::sin(a)))),
            static_cast<int>(std::lround(centre + (halfX * std::sin(a) + halfY * std::cos(a))))};
}

Bitmap32 drawTextPicture(PluginHost& host, platform::Handle window, const TextWatermark& mark) {
    Bitmap32 picture{textPictureSize, textPictureSize,
                     std::vector<std::uint32_t>(textPictureSize * textPictureSize, 0xFFFFFF)};
    platform::LogFontW filter;
    filter.faceName = mark.face;
    const std::vector<platform::FontFamilyW> styles = host.EnumFontFamiliesExW(window, filter);
    const platform::LogFontW font =
        textPictureFont(styles.empty() ? filter : styles.back().font, mark,
                        host.GetDeviceCaps(window, PluginHost::logPixelsY));
    int cx = 0, cy = 0;
    if (!mark.text.empty() && host.GetTextExtentPoint32W(font, mark.text, cx, cy)) {
        const auto [x, y] = textStartPoint(cx, cy, mark.angle);
        host.TextOutW(picture, font, PluginHost::taBaseline, x, y, mark.text);
    }
    return picture;
}

bool writePictureFile(PluginHost& host, const std::u16string& path, const Bitmap32& picture) {
    const auto width = static_cast<std::size_t>(picture.width);
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != width * static_cast<std::size_t>(picture.height)) {
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stride24(picture.width)) *
                                    static_cast<std::size_t>(picture.height));
    const auto headers = headers24(picture.width, picture.height);
    bytes.insert(bytes.begin(), headers.begin(), headers.end());
    std::uint8_t* row = bytes.data() + headers.size();
    for (int y = picture.height - 1; y >= 0; --y, row += stride24(picture.width)) {
        const std::uint32_t* pixel = picture.pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(pixel[x]);
            row[3 * x + 1] = static_cast<std::uint8_t>(pixel[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(pixel[x] >> 16);
        }
    }
    HostFile file(host);
    if (!file.open(path, PluginHost::genericWrite, 0, PluginHost::createAlways)) {
        return false;
    }
    if (!file.write(bytes.data(), bytes.size())) {
        file.close();
        host.DeleteFileW(path);
        return false;
    }
    return true;
}

PictureLoad loadPictureFile(PluginHost& host, const std::u16string& path, Bitmap32& picture) {
    HostFile file(host);
    if (!file.open(path, PluginHost::genericRead, PluginHost::shareRead,
                   PluginHost::openExisting)) {
        return PictureLoad::Missing;
    }
    const std::optional<SourceBitmap> bitmap = checkSourceBitmap(file);
    if (!bitmap || bitmap->bitCount != 24) {
        return PictureLoad::Missing;
    }
    if (bitmap->stride * static_cast<std::uint64_t>(bitmap->height) > largestPreviewPixels) {
        return PictureLoad::TooBig;
    }
    const auto width = static_cast<std::size_t>(bitmap->width);
    picture.width = bitmap->width;
    picture.height = bitmap->height;
    picture.pixels.assign(width * static_cast<std::size_t>(bitmap->height), 0);
    std::size_t y = static_cast<std::size_t>(bitmap->height);
    const bool read = forEachRow24(*bitmap, file, [&](const std::uint8_t* bgr) {
        std::uint32_t* pixel = picture.pixels.data() + --y * width;
        for (std::size_t x = 0; x < width; ++x) {
            pixel[x] = bgr[3 * x] | (static_cast<std::uint32_t>(bgr[3 * x + 1]) << 8) |
                       (static_cast<std::uint32_t>(bgr[3 * x + 2]) << 16);
        }
        return true;
    });
    if (!read) {
        picture = Bitmap32{};
        return PictureLoad::Missing;
    }
    return PictureLoad::Loaded;
}

} // namespace oemui

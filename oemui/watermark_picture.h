// The 300 x 300 picture of a text watermark and the watermark picture file the
// driver's rendering side prints: where it lives, how the text is laid out,
// writing it, and reading a picture file back for the preview. The drawing
// itself (fonts, TextOutW) is the host's; the layout is decided here.
#pragma once

#include "platform/plugin_host.h"

#include <cstdint>
#include <string>
#include <utility>

namespace oemui {

inline constexpr int textPictureSize = 300;
// Pixel bytes of a picture the preview takes, as stored (rows padded to 4).
inline constexpr std::uint64_t largestPreviewPixels = 10485760;

// The temporary folder + the printer's name + "1.bmp"; empty when the host has
// no temporary folder.
std::u16string watermarkPictureFile(platform::PluginHost& host, const std::u16string& printerName);

enum class FontStyle : std::uint8_t { Regular = 0, Italic = 1, Bold = 2, BoldItalic = 3 };

struct TextWatermark {
    std::u16string text;
    std::u16string face;
    int fontSize = 50; // points
    std::uint8_t style = 0;
    int angle = 45; // degrees, counter-clockwise
};

// The face's font as enumerated, at the watermark's size, weight, slant and
// angle; the width is left to the font mapper, so the text keeps its shape.
platform::LogFontW textPictureFont(const platform::LogFontW& enumerated, const TextWatermark& mark,
                                   int logPixelsY);

// Where the text's baseline starts so that a cx x cy text turned by `angle`
// degrees is centred on the picture.
std::pair<int, int> textStartPoint(int cx, int cy, int angle);

// The white 300 x 300 picture with the text drawn on it through the host, in
// the last font the display reports for the face (the face as named when it
// reports none).
platform::Bitmap32 drawTextPicture(platform::PluginHost& host, platform::Handle window,
                                   const TextWatermark& mark);

// Writes a picture as an uncompressed bottom-up 24-bit file; false when the
// file cannot be created or written completely (nothing is left behind then).
bool writePictureFile(platform::PluginHost& host, const std::u16string& path,
                      const platform::Bitmap32& picture);

enum class PictureLoad {
    Loaded,
    Missing, // the file cannot be opened or is not a 24-bit picture we take
    TooBig,  // more than largestPreviewPixels bytes of pixels
};

// Reads a 24-bit picture file for the preview, top row first.
PictureLoad loadPictureFile(platform::PluginHost& host, const std::u16string& path,
                            platform::Bitmap32& picture);

} // namespace oemui

// The watermark's bitmaps: a user's 1-, 8- or 24-bit Windows bitmap checked and
// turned into the uncompressed bottom-up 24-bit file the driver's rendering side
// prints (ConvertBitmapTo24), and the rows of such a file read back.
#pragma once

#include "oemui/byte_stream.h"
#include "platform/plugin_host.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace oemui {

// BITMAPFILEHEADER and BITMAPINFOHEADER.
inline constexpr std::size_t bmpHeadersSize = 54;

// A bitmap the conversion takes: uncompressed (BI_RGB), bottom-up, not empty,
// 1, 8 or 24 bits per pixel, its palette and every row its headers promise
// present in the file, and small enough that its 24-bit twin fits the format's
// 32-bit sizes.
struct SourceBitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitCount = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t pixelOffset = 0;
    std::uint64_t stride = 0; // bytes of a stored row
    // Colours as stored (blue, green, red, reserved); indices the palette
    // lacks read as black.
    std::array<std::uint32_t, 256> palette{};
    // Laid out as the 24-bit file already (pixels right after the 54 header
    // bytes): taken over as it is.
    bool asItIs = false;
};

std::optional<SourceBitmap> checkSourceBitmap(ByteSource& source);

// Bytes of a row of the 24-bit file: three per pixel, padded to four.
std::uint64_t stride24(std::int32_t width);

// The headers of a 24-bit file of width x height: "BM", its total size, pixel
// offset 54; a 40-byte info header with 1 plane, 24 bits, no compression, the
// resolution given and every other field 0.
std::array<std::uint8_t, bmpHeadersSize> headers24(std::int32_t width, std::int32_t height,
                                                   std::int32_t xPelsPerMeter = 0,
                                                   std::int32_t yPelsPerMeter = 0);

// Hands over each stored row, bottom first, as 3 x width bytes of blue, green,
// red; stops with false when a row cannot be read or `row` answers false.
bool forEachRow24(const SourceBitmap& bitmap, ByteSource& source,
                  const std::function<bool(const std::uint8_t* bgr)>& row);

// What ConvertBitmapTo24 answers, numbered as the watermark page reports it.
enum class Convert24Result {
    Refused = 0,            // the source cannot be opened, is no bitmap or not one we take
    Converted = 1,          // the target holds the 24-bit picture
    CannotCreateTarget = 2, // the target cannot be created or written
};

// The 24-bit file of a checked bitmap into `target`: headers, then the rows
// padded with 0xFF bytes for a 1-bit source and 0x00 bytes otherwise.
Convert24Result writeAs24(const SourceBitmap& bitmap, ByteSource& source, ByteSink& target);

// The source file is checked completely before the target is touched, so a
// refused bitmap leaves the last good picture in place; a target that cannot
// be written completely is removed again.
Convert24Result ConvertBitmapTo24(platform::PluginHost& host, const std::u16string& source,
                                  const std::u16string& target);

} // namespace oemui

#pragma once

#include <cstdint>
#include <vector>

#include "oemui/tools/bmp_image.h"

namespace logo {

// A logo as the printer stores it: x and y as the command's header sends them (low
// byte first) and x * y * 8 bytes of data.
struct LogoRaster {
    int x = 0;
    int y = 0;
    std::vector<std::uint8_t> data;
};

// The 1-bit column data of a monochrome picture (a work bitmap or a 1-bit source).
// x = the 1-bit row stride in bytes, y = (height + 7) / 8 bands. The picture sits at
// the bottom left of an 8x by 8y dot grid; dots are 1 where the picture is black
// (a clear bit). For every dot column from the left, y bytes from the top band down,
// bit 7 the band's top dot.
ImageError columnData(const BmpImage& mono, LogoRaster& raster);

// The 16-level gray raster of an 8-bit gray work bitmap. The width is padded to a
// multiple of 4 pixels (padding pixels are white); x = (padded width + 7) / 8 bytes
// per line, y = (4 * height + 7) / 8. Rows from the top down, each giving four lines
// of the level's bits 7, 6, 5 and 4, a line bit 1 where the level's bit is 0; four
// zero lines follow an odd number of rows.
ImageError grayRaster(const BmpImage& gray, LogoRaster& raster);

// The four header bytes xL xH yL yH.
std::vector<std::uint8_t> rasterSizeBytes(const LogoRaster& raster);

} // namespace logo

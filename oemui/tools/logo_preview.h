#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace logo {

// A picture of levels (0 black .. 255 white), rows from the top down.
struct GrayPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> levels; // width * height
};

// What the printer prints for a "Download all" job, read back from the job's bytes:
// every logo's whole dot grid (the blank columns and rows of its bands included), the
// 1-bit column data as black and white, the gray raster as its 16 levels. The logos
// lie one below the other, as they come out when printed one after another; paper
// beside a narrower logo is white.
struct JobPreview {
    bool ok = false;
    std::string error; // what makes the bytes no logo job, when not ok
    int logos = 0;
    bool gray = false;
    GrayPicture picture;
};

// The bytes may start with the logo mode's enter command and end with its line feed
// and leave command, as the page's job does; nothing else may come before or after.
JobPreview previewLogoJob(const std::uint8_t* data, std::size_t size);

// The largest preview made, in pixels: 24 times the printer's largest logo.
constexpr std::uint64_t kMaxPreviewPixels = 24u * 1024u * 768u;

} // namespace logo

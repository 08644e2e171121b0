// What the watermark page's preview shows: the picture brightened, scaled to
// the watermark's size and placed at its position (or tiled) in the preview's
// area, the rest white.
#pragma once

#include "platform/plugin_host.h"
#include "ui/dialog_view.h"

#include <cstdint>

namespace oemui {

// Positions 0..8 are left/centre/right by top/middle/bottom; 9 repeats the
// picture over the whole area.
inline constexpr std::uint8_t tiledPosition = 9;
inline constexpr std::uint8_t smallestTiledSize = 20;

struct PreviewLook {
    std::uint8_t brightness = 50; // added to every colour byte, capped at 255
    std::uint8_t size = 100;      // percent of the area's width
    std::uint8_t position = 4;
};

// A width x height picture of the preview; all white without a source picture.
ui::Picture composePreview(const platform::Bitmap32* source, const PreviewLook& look, int width,
                           int height);

} // namespace oemui

#include "oemui/tools/barcode/barcode_font_size.h"

#include <cmath>
#include <cstdio>

namespace barcode {
namespace {

std::string format51(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%5.1f", value);
    return text;
}

} // namespace

std::uint32_t hriHeight(std::uint32_t hriPosition, std::uint32_t hriFont) {
    if (hriPosition == 0) {
        return 0;
    }
    const std::uint32_t line = hriFont == 0 ? 24 : 17;
    return hriPosition >= 3 ? 2 * line : line;
}

double snapPoints(double points) {
    const double whole = std::floor(points);
    const double fraction = points - whole;
    if (fraction < 0.4) {
        return whole;
    }
    if (fraction < 0.7) {
        return whole + 0.5;
    }
    return whole + 1;
}

std::uint32_t fontSize(std::uint32_t barHeight, std::uint32_t hriPosition, std::uint32_t hriFont) {
    const double dots = static_cast<double>(barHeight) + hriHeight(hriPosition, hriFont);
    const double size = snapPoints(dots * 72 / 180) * 180 / 72;
    if (size >= 4294967295.0) { // a height no page allows: keep the cast defined
        return 0xFFFFFFFFu;
    }
    const auto truncated = static_cast<std::uint32_t>(size);
    return truncated == 0 ? 2 : truncated;
}

std::string fontSizeMillimetres(std::uint32_t size) {
    return format51(static_cast<double>(size) * 25.4 / 180);
}

std::string fontSizePoints(std::uint32_t size) {
    return format51(snapPoints(static_cast<double>(size) * 72 / 180));
}

} // namespace barcode

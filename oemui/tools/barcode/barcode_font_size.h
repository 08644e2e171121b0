// The point size an application selects for a 1D barcode control font: the bar
// height plus the human-readable line, in dots of 1/180 inch, snapped to the half
// points a font size menu offers. The printing side matches fonts by this size,
// so the arithmetic is kept exactly as the record's other writers do it: in
// double precision, snapped at fixed fractions of a point.
#pragma once

#include <cstdint>
#include <string>

namespace barcode {

// Dots the human-readable line adds: none when it is not printed (position 0),
// one line above or below (1, 2) or both (3), in font A (0) or B (1).
std::uint32_t hriHeight(std::uint32_t hriPosition, std::uint32_t hriFont);

// Points snapped down to the whole point below .4, to the half point below .7,
// else up to the next whole point.
double snapPoints(double points);

// The stored fontSize for a bar height and HRI setting (never 0: 0 is stored as 2).
std::uint32_t fontSize(std::uint32_t barHeight, std::uint32_t hriPosition, std::uint32_t hriFont);

// What the page shows for a stored fontSize, formatted "%5.1f": millimetres and
// the snapped points.
std::string fontSizeMillimetres(std::uint32_t fontSize);
std::string fontSizePoints(std::uint32_t fontSize);

} // namespace barcode

#pragma once

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/byte_stream.h"

namespace logo {

// The whole gray work-bitmap file for a checked 24-, 8- or 1-bit picture, written row
// by row as the source rows arrive.
ImageError convertToGray(RowSource& source, int contrast, int brightness, ByteSink& file);

// The whole monochrome work-bitmap file for a checked 24- or 8-bit picture, by one of
// the four halftone methods (Halftone). "None" and the colour "Dither M4" look at the
// whole picture first, so they read the rows twice.
ImageError convertToMono(RowSource& source, int halftone, int contrast, int brightness,
                         ByteSink& file);

// The same for a picture in memory, into a buffer of the work bitmap's size.
ImageError convertToGray(const BmpImage& source, int contrast, int brightness, ByteBuffer& file);
ImageError convertToMono(const BmpImage& source, int halftone, int contrast, int brightness,
                         ByteBuffer& file);

} // namespace logo

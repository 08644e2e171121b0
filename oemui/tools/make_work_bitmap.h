#pragma once

#include <string>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_stream.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/work_bitmap_path.h"

namespace logo {

// Converts a logo's source into its work bitmap. depths says which source depths are
// taken. Nothing is left behind when the source is refused or the work bitmap cannot
// be written whole.
ImageError makeGrayWorkBitmap(LogoFiles& logo, DepthSet depths, int contrast, int brightness);
ImageError makeMonoWorkBitmap(LogoFiles& logo, DepthSet depths, int halftone, int contrast,
                              int brightness);

// The plug-in's conversion entry points. Paths are 8-bit; outPath is a buffer of
// kWorkPathBufferSize bytes that receives the work bitmap's path on success and an
// empty string otherwise. Results: 1 success; -1 the source cannot be opened, memory
// cannot be had or the work bitmap cannot be created; -2 the source is not a BMP of
// the required depth, is compressed or malformed, or the halftone method is unknown.
int MakeGrayWorkBitmap24(const char* source, char* outPath, int contrast, int brightness);
int MakeGrayWorkBitmap8(const char* source, char* outPath, int contrast, int brightness);
int MakeGrayWorkBitmap1(const char* source, char* outPath, int contrast, int brightness);
int MakeMonoWorkBitmap24(const char* source, char* outPath, int halftone, int contrast,
                         int brightness);
int MakeMonoWorkBitmap8(const char* source, char* outPath, int halftone, int contrast,
                        int brightness);
// Any depth: 24- and 8-bit sources go to the functions above; anything else,
// including a file whose headers cannot be read, gives -1.
int MakeMonoWorkBitmap(const char* source, char* outPath, int halftone, int contrast,
                       int brightness);

// The status code of an ImageError.
int workBitmapStatus(ImageError error);

} // namespace logo

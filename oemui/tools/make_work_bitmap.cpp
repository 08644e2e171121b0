#include "oemui/tools/make_work_bitmap.h"

#include <cstring>
#include <new>
#include <optional>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/stdio_files.h"
#include "oemui/tools/work_bitmap.h"

namespace logo {

namespace {

// Source rows in, work bitmap rows out, one block at a time.
template <typename Convert>
ImageError convertFiles(LogoFiles& logo, DepthSet depths, Convert&& convert) {
    std::unique_ptr<ByteSource> source = logo.openSource();
    if (!source) {
        return ImageError::CannotOpen;
    }
    FileRows rows;
    ImageError error = rows.open(*source, depths);
    if (error != ImageError::None) {
        return error;
    }
    std::unique_ptr<ByteSink> work = logo.createWork();
    if (!work) {
        return ImageError::CannotCreate;
    }
    error = convert(rows, *work);
    if (error == ImageError::None && !work->commit()) {
        error = ImageError::CannotCreate;
    }
    return error;
}

// The page calls these from a window procedure: nothing may be thrown at it.
template <typename Convert>
ImageError makeWorkBitmap(LogoFiles& logo, DepthSet depths, Convert&& convert) {
    try {
        return convertFiles(logo, depths, convert);
    } catch (const std::bad_alloc&) {
        return ImageError::NoMemory;
    }
}

int finish(ImageError error, const std::string& workPath, char* outPath) {
    if (outPath != nullptr) {
        outPath[0] = '\0';
        if (error == ImageError::None) {
            // workBitmapPath guarantees the path and its terminator fit.
            std::memcpy(outPath, workPath.c_str(), workPath.size() + 1);
        }
    }
    return workBitmapStatus(error);
}

// The entry points answer with a status whatever happens: nothing may be thrown
// into the plug-in's caller.
template <typename Convert> int guarded(char* outPath, Convert&& convert) {
    std::string workPath;
    ImageError error = ImageError::NoMemory;
    try {
        error = convert(workPath);
    } catch (const std::bad_alloc&) {
        error = ImageError::NoMemory;
    }
    return finish(error, workPath, outPath);
}

// A work bitmap beside an 8-bit source path; a path too short to name one cannot be
// converted.
template <typename Make>
ImageError besideSource(const char* source, std::string& workPath, Make&& make) {
    if (source == nullptr) {
        return ImageError::CannotOpen;
    }
    StdioLogoFiles logo(source);
    if (!logo.workPath()) {
        return ImageError::CannotCreate;
    }
    const ImageError error = make(logo);
    if (error == ImageError::None) {
        workPath = *logo.workPath();
    }
    return error;
}

int gray(const char* source, char* outPath, int bitCount, int contrast, int brightness) {
    return guarded(outPath, [&](std::string& workPath) {
        return besideSource(source, workPath, [&](LogoFiles& logo) {
            return makeGrayWorkBitmap(logo, depthSet(bitCount), contrast, brightness);
        });
    });
}

int mono(const char* source, char* outPath, int bitCount, int halftone, int contrast,
         int brightness) {
    return guarded(outPath, [&](std::string& workPath) {
        return besideSource(source, workPath, [&](LogoFiles& logo) {
            return makeMonoWorkBitmap(logo, depthSet(bitCount), halftone, contrast, brightness);
        });
    });
}

} // namespace

int workBitmapStatus(ImageError error) {
    switch (error) {
    case ImageError::None:
        return 1;
    case ImageError::CannotOpen:
    case ImageError::CannotCreate:
    case ImageError::NoMemory:
        return -1;
    default:
        return -2;
    }
}

ImageError makeGrayWorkBitmap(LogoFiles& logo, DepthSet depths, int contrast, int brightness) {
    return makeWorkBitmap(logo, depths & (depthSet(24) | depthSet(8) | depthSet(1)),
                          [&](RowSource& rows, ByteSink& work) {
                              return convertToGray(rows, contrast, brightness, work);
                          });
}

ImageError makeMonoWorkBitmap(LogoFiles& logo, DepthSet depths, int halftone, int contrast,
                              int brightness) {
    return makeWorkBitmap(logo, depths & (depthSet(24) | depthSet(8)),
                          [&](RowSource& rows, ByteSink& work) {
                              return convertToMono(rows, halftone, contrast, brightness, work);
                          });
}

int MakeGrayWorkBitmap24(const char* source, char* outPath, int contrast, int brightness) {
    return gray(source, outPath, 24, contrast, brightness);
}

int MakeGrayWorkBitmap8(const char* source, char* outPath, int contrast, int brightness) {
    return gray(source, outPath, 8, contrast, brightness);
}

int MakeGrayWorkBitmap1(const char* source, char* outPath, int contrast, int brightness) {
    return gray(source, outPath, 1, contrast, brightness);
}

int MakeMonoWorkBitmap24(const char* source, char* outPath, int halftone, int contrast,
                         int brightness) {
    return mono(source, outPath, 24, halftone, contrast, brightness);
}

int MakeMonoWorkBitmap8(const char* source, char* outPath, int halftone, int contrast,
                        int brightness) {
    return mono(source, outPath, 8, halftone, contrast, brightness);
}

int MakeMonoWorkBitmap(const char* source, char* outPath, int halftone, int contrast,
                       int brightness) {
    BmpHeaders headers;
    const int read = guarded(outPath, [&](std::string&) {
        std::unique_ptr<ByteSource> file = source ? openFileSource(source) : nullptr;
        return file ? readBmpHeaders(*file, headers) : ImageError::CannotOpen;
    });
    if (read != 1 || headers.type != kBmpSignature || headers.compression != 0 ||
        (headers.bitCount != 24 && headers.bitCount != 8)) {
        return finish(ImageError::CannotOpen, std::string(), outPath);
    }
    return mono(source, outPath, headers.bitCount, halftone, contrast, brightness);
}

} // namespace logo

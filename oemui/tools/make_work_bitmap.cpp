#include "oemui/tools/make_work_bitmap.h"

#include <cstring>
#include <new>
#include <optional>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/work_bitmap.h"
#include "oemui/tools/work_bitmap_path.h"

namespace logo {

namespace {

ImageError writeWorkBitmap(const std::string& source, const ByteBuffer& file,
                           std::string& workPath) {
    const std::optional<std::string> path = workBitmapPath(source);
    if (!path || !writeWholeFile(*path, file.data(), file.size())) {
        return ImageError::CannotCreate;
    }
    workPath = *path;
    return ImageError::None;
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

int gray(const char* source, char* outPath, int bitCount, int contrast, int brightness) {
    return guarded(outPath, [&](std::string& workPath) {
        return source == nullptr
                   ? ImageError::CannotOpen
                   : makeGrayWorkBitmap(source, depthSet(bitCount), contrast, brightness, workPath);
    });
}

int mono(const char* source, char* outPath, int bitCount, int halftone, int contrast,
         int brightness) {
    return guarded(outPath, [&](std::string& workPath) {
        return source == nullptr ? ImageError::CannotOpen
                                 : makeMonoWorkBitmap(source, depthSet(bitCount), halftone,
                                                      contrast, brightness, workPath);
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

ImageError makeGrayWorkBitmap(const std::string& source, DepthSet depths, int contrast,
                              int brightness, std::string& workPath) {
    ByteBuffer bytes;
    BmpImage image;
    ImageError error =
        loadBmpFile(source, depths & (depthSet(24) | depthSet(8) | depthSet(1)), bytes, image);
    if (error != ImageError::None) {
        return error;
    }
    ByteBuffer file;
    error = convertToGray(image, contrast, brightness, file);
    if (error != ImageError::None) {
        return error;
    }
    return writeWorkBitmap(source, file, workPath);
}

ImageError makeMonoWorkBitmap(const std::string& source, DepthSet depths, int halftone,
                              int contrast, int brightness, std::string& workPath) {
    ByteBuffer bytes;
    BmpImage image;
    ImageError error = loadBmpFile(source, depths & (depthSet(24) | depthSet(8)), bytes, image);
    if (error != ImageError::None) {
        return error;
    }
    ByteBuffer file;
    error = convertToMono(image, halftone, contrast, brightness, file);
    if (error != ImageError::None) {
        return error;
    }
    return writeWorkBitmap(source, file, workPath);
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
        return source == nullptr ? ImageError::CannotOpen : peekBmpHeaders(source, headers);
    });
    if (read != 1 || headers.type != kBmpSignature || headers.compression != 0 ||
        (headers.bitCount != 24 && headers.bitCount != 8)) {
        return finish(ImageError::CannotOpen, std::string(), outPath);
    }
    return mono(source, outPath, headers.bitCount, halftone, contrast, brightness);
}

} // namespace logo

#include "oemui/tools/logo_jobs.h"

#include <new>
#include <optional>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_raster.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/work_bitmap_path.h"

namespace logo {

namespace {

const std::vector<std::uint8_t> kEnterLogoMode = {0x1B, 0x63, 0x3B, 0x01};
const std::vector<std::uint8_t> kLeaveLogoMode = {0x1B, 0x63, 0x3B, 0x00};
const std::vector<std::uint8_t> kLineFeed = {0x0A};
constexpr std::uint8_t kFs = 0x1C;
constexpr std::uint8_t kStoreColumnLogos = 0x71; // FS q
constexpr std::uint8_t kStoreGrayLogos = 0x72;   // FS r

LogoJobResult failure(LogoJobError error, std::string message, std::size_t logo = 0) {
    LogoJobResult result;
    result.error = error;
    result.message = std::move(message);
    result.failedLogo = logo;
    return result;
}

// The file the size check counts for a logo: its work bitmap, else its source.
std::int64_t logoFileSize(const std::string& source) {
    if (const std::optional<std::string> work = workBitmapPath(source)) {
        const std::int64_t size = fileSizeOf(*work);
        if (size >= 0) {
            return size;
        }
    }
    return fileSizeOf(source);
}

bool isOneBitBmp(const std::string& path) {
    BmpHeaders headers;
    return peekBmpHeaders(path, headers) == ImageError::None && headers.type == kBmpSignature &&
           headers.bitCount == 1;
}

// Reads the picture a logo is sent from and builds its printer data.
LogoJobResult readLogo(LogoMode mode, const std::string& source, std::size_t index,
                       LogoRaster& raster) {
    const bool oneBitSource = mode == LogoMode::Transformation && isOneBitBmp(source);
    const std::optional<std::string> work = workBitmapPath(source);
    if (!oneBitSource && !work) {
        return failure(LogoJobError::LogoUnreadable,
                       source + ": no work bitmap path can be made for this file name", index);
    }
    const std::string path = oneBitSource ? source : *work;
    const int bitCount = mode == LogoMode::Transformation ? 1 : 8;
    ByteBuffer bytes;
    BmpImage image;
    ImageError error = loadBmpFile(path, depthSet(bitCount), bytes, image);
    if (error == ImageError::None &&
        (image.width() > kMaxLogoWidth || image.height() > kMaxLogoHeight)) {
        return failure(LogoJobError::LogoTooBig, kTextLogoTooBig, index);
    }
    if (error == ImageError::None) {
        error = mode == LogoMode::Transformation ? columnData(image, raster)
                                                 : grayRaster(image, raster);
    }
    if (error != ImageError::None) {
        return failure(LogoJobError::LogoUnreadable, path + " " + describeImageError(error), index);
    }
    return LogoJobResult();
}

} // namespace

std::vector<std::uint8_t> RawJob::bytes() const {
    std::vector<std::uint8_t> all;
    for (const auto& piece : pieces) {
        all.insert(all.end(), piece.begin(), piece.end());
    }
    return all;
}

namespace {

LogoJobResult buildJob(LogoMode mode, const std::vector<std::string>& sources) {
    if (sources.empty()) {
        return failure(LogoJobError::NoLogos, kTextNoLogos);
    }
    if (sources.size() > static_cast<std::size_t>(kMaxLogos)) {
        return failure(LogoJobError::TooManyLogos, kTextTooManyLogos);
    }
    std::int64_t total = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::int64_t size = logoFileSize(sources[i]);
        if (size < 0) {
            return failure(LogoJobError::SizeUnknown, kTextLogoSizeUnknown, i);
        }
        total += size;
    }
    if (total >= kLogoMemoryBytes) {
        return failure(LogoJobError::OverLogoMemory, kTextLogosOver96k);
    }

    const bool gray = mode == LogoMode::Gray;
    LogoJobResult result;
    result.job.documentName = "LOGO";
    auto& pieces = result.job.pieces;
    pieces.push_back(kEnterLogoMode);
    pieces.push_back({kFs, gray ? kStoreGrayLogos : kStoreColumnLogos,
                      static_cast<std::uint8_t>(sources.size())});
    for (std::size_t i = 0; i < sources.size(); ++i) {
        LogoRaster raster;
        LogoJobResult logo = readLogo(mode, sources[i], i, raster);
        if (logo.error != LogoJobError::None) {
            return logo;
        }
        std::vector<std::uint8_t> header = rasterSizeBytes(raster);
        if (gray) {
            header.insert(header.begin(), {0x01, 0x00});
        }
        pieces.push_back(std::move(header));
        pieces.push_back(std::move(raster.data));
    }
    pieces.push_back(kLineFeed);
    pieces.push_back(kLeaveLogoMode);
    return result;
}

} // namespace

LogoJobResult buildDownloadAllJob(LogoMode mode, const std::vector<std::string>& sources) {
    // The page calls this from a window procedure: nothing may be thrown at it.
    try {
        return buildJob(mode, sources);
    } catch (const std::bad_alloc&) {
        return failure(LogoJobError::OutOfMemory, "not enough memory for the logos");
    }
}

RawJob buildClearAllLogosJob() {
    RawJob job;
    job.documentName = "SELFTEST";
    job.pieces = {kEnterLogoMode, {kFs, kStoreColumnLogos, 0x00, 0x00, 0x0A}, kLeaveLogoMode};
    return job;
}

} // namespace logo

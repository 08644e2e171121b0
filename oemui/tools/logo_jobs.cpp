#include "oemui/tools/logo_jobs.h"

#include <new>
#include <optional>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/byte_buffer.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_raster.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/stdio_files.h"

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

std::optional<std::uint64_t> sizeOf(std::unique_ptr<ByteSource> file) {
    return file ? file->size() : std::nullopt;
}

// The file the size check counts for a logo: its work bitmap, else its source.
std::optional<std::uint64_t> logoFileSize(LogoFiles& logo) {
    if (const std::optional<std::uint64_t> work = sizeOf(logo.openWork())) {
        return work;
    }
    return sizeOf(logo.openSource());
}

bool isOneBitBmp(LogoFiles& logo) {
    std::unique_ptr<ByteSource> source = logo.openSource();
    BmpHeaders headers;
    return source && readBmpHeaders(*source, headers) == ImageError::None &&
           headers.type == kBmpSignature && headers.bitCount == 1;
}

// Reads the picture a logo is sent from and builds its printer data.
LogoJobResult readLogo(LogoMode mode, LogoFiles& logo, std::size_t index, LogoRaster& raster) {
    const bool oneBitSource = mode == LogoMode::Transformation && isOneBitBmp(logo);
    const std::string name = oneBitSource ? logo.sourceName() : logo.workName();
    std::unique_ptr<ByteSource> file = oneBitSource ? logo.openSource() : logo.openWork();
    const int bitCount = mode == LogoMode::Transformation ? 1 : 8;
    ByteBuffer pixels;
    BmpImage image;
    ImageError error =
        file ? loadBmp(*file, depthSet(bitCount), pixels, image) : ImageError::CannotOpen;
    if (error == ImageError::None &&
        (image.width() > kMaxLogoWidth || image.height() > kMaxLogoHeight)) {
        return failure(LogoJobError::LogoTooBig, kTextLogoTooBig, index);
    }
    if (error == ImageError::None) {
        error = mode == LogoMode::Transformation ? columnData(image, raster)
                                                 : grayRaster(image, raster);
    }
    if (error != ImageError::None) {
        LogoJobResult result =
            failure(LogoJobError::LogoUnreadable, name + " " + describeImageError(error), index);
        result.reason = error;
        return result;
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

LogoJobResult buildJob(LogoMode mode, const std::vector<LogoFiles*>& sources) {
    if (sources.empty()) {
        return failure(LogoJobError::NoLogos, kTextNoLogos);
    }
    if (sources.size() > static_cast<std::size_t>(kMaxLogos)) {
        return failure(LogoJobError::TooManyLogos, kTextTooManyLogos);
    }
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::optional<std::uint64_t> size = logoFileSize(*sources[i]);
        if (!size) {
            return failure(LogoJobError::SizeUnknown, kTextLogoSizeUnknown, i);
        }
        total += *size;
    }
    if (total >= static_cast<std::uint64_t>(kLogoMemoryBytes)) {
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
        LogoJobResult logo = readLogo(mode, *sources[i], i, raster);
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

LogoJobResult buildDownloadAllJob(LogoMode mode, const std::vector<LogoFiles*>& logos) {
    // The page calls this from a window procedure: nothing may be thrown at it.
    try {
        return buildJob(mode, logos);
    } catch (const std::bad_alloc&) {
        return failure(LogoJobError::OutOfMemory, "not enough memory for the logos");
    }
}

LogoJobResult buildDownloadAllJob(LogoMode mode, const std::vector<std::string>& sources) {
    try {
        std::vector<StdioLogoFiles> files(sources.begin(), sources.end());
        std::vector<LogoFiles*> logos;
        for (StdioLogoFiles& file : files) {
            logos.push_back(&file);
        }
        return buildJob(mode, logos);
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

#include "tools/logotool/logotool_commands.h"

#include <memory>
#include <string>
#include <vector>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_preview.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/make_work_bitmap.h"
#include "oemui/tools/picture_file.h"
#include "oemui/tools/stdio_files.h"

namespace logotool {

namespace {

int refused(std::FILE* err, const std::string& file, const std::string& message) {
    std::fprintf(err, "logotool: %s%s%s\n", file.c_str(), file.empty() ? "" : ": ",
                 message.c_str());
    return kExitRefused;
}

logo::BmpHeaders headersOf(const std::string& file) {
    logo::BmpHeaders headers;
    if (std::unique_ptr<logo::ByteSource> source = logo::openFileSource(file)) {
        logo::readBmpHeaders(*source, headers);
    }
    return headers;
}

// Names the depth when that is what stops the conversion.
std::string conversionProblem(const logo::BmpHeaders& headers, logo::ImageError error, bool gray) {
    if (error == logo::ImageError::UnsupportedDepth) {
        if (!gray && headers.bitCount == 1) {
            return "is a 1-bit picture already: in Transformation mode it is sent as it is";
        }
        return "a " + std::to_string(headers.bitCount) + "-bit BMP cannot be made " +
               (gray ? "gray (24, 8 or 1 bits per pixel are needed)"
                     : "monochrome (24 or 8 bits per pixel are needed)");
    }
    return logo::describeImageError(error);
}

// What the page does when it takes a file into its list: the checks of its headers,
// then the work bitmap of the mode. A 1-bit source needs none in Transformation mode.
int prepareLogo(const Options& options, const std::string& file, bool convertOnly, std::FILE* out,
                std::FILE* err) {
    const logo::LogoFileCheck check = logo::checkLogoFile(file);
    if (check != logo::LogoFileCheck::Accepted) {
        return refused(err, file, logo::logoFileCheckText(check));
    }
    const bool gray = options.mode == logo::LogoMode::Gray;
    const logo::BmpHeaders headers = headersOf(file);
    if (!gray && !convertOnly && headers.bitCount == 1) {
        return kExitOk;
    }
    logo::StdioLogoFiles logo(file, convertOnly ? options.out : std::nullopt);
    if (!logo.workPath()) {
        return refused(err, file, "no work bitmap can be named after this file name");
    }
    const logo::ImageError error =
        gray ? logo::makeGrayWorkBitmap(logo,
                                        logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1),
                                        options.contrast, options.brightness)
             : logo::makeMonoWorkBitmap(logo, logo::depthSet(24) | logo::depthSet(8),
                                        options.halftone.value_or(logo::kHalftoneDitherM3),
                                        options.contrast, options.brightness);
    if (error == logo::ImageError::CannotCreate) {
        return refused(err, *logo.workPath(), "cannot be written");
    }
    if (error != logo::ImageError::None) {
        return refused(err, file, conversionProblem(headers, error, gray));
    }
    if (convertOnly) {
        std::fprintf(out, "%s\n", logo.workPath()->c_str());
    }
    return kExitOk;
}

int writeBytes(const std::optional<std::string>& to, const std::vector<std::uint8_t>& bytes,
               std::FILE* out, std::FILE* err) {
    if (to) {
        if (!logo::writeWholeFile(*to, bytes.data(), bytes.size())) {
            return refused(err, *to, "cannot be written");
        }
        return kExitOk;
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fflush(out) != 0) {
        return refused(err, "", "the job cannot be written to standard output");
    }
    return kExitOk;
}

int runJob(const Options& options, std::FILE* out, std::FILE* err) {
    if (options.files.size() > static_cast<std::size_t>(logo::kMaxLogos)) {
        return refused(err, "", logo::kTextTooManyLogos);
    }
    for (const std::string& file : options.files) {
        const int status = prepareLogo(options, file, false, out, err);
        if (status != kExitOk) {
            return status;
        }
    }
    const logo::LogoJobResult result = logo::buildDownloadAllJob(options.mode, options.files);
    if (result.error != logo::LogoJobError::None) {
        const bool perLogo = result.error == logo::LogoJobError::SizeUnknown ||
                             result.error == logo::LogoJobError::LogoTooBig;
        return refused(err, perLogo ? options.files[result.failedLogo] : "", result.message);
    }
    return writeBytes(options.out, result.job.bytes(), out, err);
}

// Job files are small (the printer's logo memory is 96 KiB); anything beyond this is
// not one.
constexpr std::uint64_t kLargestJob = 16u * 1024u * 1024u;

int runPreview(const Options& options, std::FILE* out, std::FILE* err) {
    const std::string& file = options.files.front();
    std::unique_ptr<logo::ByteSource> source = logo::openFileSource(file);
    const std::optional<std::uint64_t> size = source ? source->size() : std::nullopt;
    if (!size) {
        return refused(err, file, "cannot be opened or read");
    }
    if (*size > kLargestJob) {
        return refused(err, file, "is too large to be a job of logos");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    if (!source->seek(0) || source->read(bytes.data(), bytes.size()) != bytes.size()) {
        return refused(err, file, "cannot be read");
    }
    const logo::JobPreview preview = logo::previewLogoJob(bytes.data(), bytes.size());
    if (!preview.ok) {
        return refused(err, file, preview.error);
    }
    const bool png = pictureFormatOf(*options.out) == PictureFormat::Png;
    return writeBytes(options.out,
                      png ? logo::encodePng(preview.picture) : logo::encodeGrayBmp(preview.picture),
                      out, err);
}

} // namespace

int runCommand(const Options& options, std::FILE* out, std::FILE* err) {
    switch (options.command) {
    case Command::Help:
        std::fputs(kUsage, out);
        return kExitOk;
    case Command::Convert:
        return prepareLogo(options, options.files.front(), true, out, err);
    case Command::Job:
        return runJob(options, out, err);
    case Command::Clear:
        return writeBytes(options.out, logo::buildClearAllLogosJob().bytes(), out, err);
    case Command::Preview:
        return runPreview(options, out, err);
    }
    return kExitUsage;
}

} // namespace logotool

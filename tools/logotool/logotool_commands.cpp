#include "tools/logotool/logotool_commands.h"

#include <string>
#include <vector>

#include "oemui/tools/bmp_file.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/make_work_bitmap.h"

namespace logotool {

namespace {

int refused(std::FILE* err, const std::string& file, const std::string& message) {
    std::fprintf(err, "logotool: %s%s%s\n", file.c_str(), file.empty() ? "" : ": ",
                 message.c_str());
    return kExitRefused;
}

// Names the depth when that is what stops the conversion.
std::string conversionProblem(const std::string& file, logo::ImageError error, bool gray) {
    if (error == logo::ImageError::UnsupportedDepth) {
        logo::BmpHeaders headers;
        logo::peekBmpHeaders(file, headers);
        if (!gray && headers.bitCount == 1) {
            return "is a 1-bit picture already: in Transformation mode it is sent as it is";
        }
        return "a " + std::to_string(headers.bitCount) + "-bit BMP cannot be made " +
               (gray ? "gray (24, 8 or 1 bits per pixel are needed)"
                     : "monochrome (24 or 8 bits per pixel are needed)");
    }
    return logo::describeImageError(error);
}

// What the page does when it takes a file into its list: the size check, then the
// work bitmap of the mode. A 1-bit source needs none in Transformation mode.
int prepareLogo(const Options& options, const std::string& file, bool printPath, std::FILE* out,
                std::FILE* err) {
    const logo::LogoFileCheck check = logo::checkLogoFile(file);
    if (check != logo::LogoFileCheck::Accepted) {
        return refused(err, file, logo::logoFileCheckText(check));
    }
    const bool gray = options.mode == logo::LogoMode::Gray;
    logo::BmpHeaders headers;
    if (!gray && !printPath && logo::peekBmpHeaders(file, headers) == logo::ImageError::None &&
        headers.type == logo::kBmpSignature && headers.bitCount == 1) {
        return kExitOk;
    }
    std::string workPath;
    const logo::ImageError error =
        gray ? logo::makeGrayWorkBitmap(file,
                                        logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1),
                                        options.contrast, options.brightness, workPath)
             : logo::makeMonoWorkBitmap(file, logo::depthSet(24) | logo::depthSet(8),
                                        options.halftone.value_or(logo::kHalftoneDitherM3),
                                        options.contrast, options.brightness, workPath);
    if (error != logo::ImageError::None) {
        return refused(err, file, conversionProblem(file, error, gray));
    }
    if (printPath) {
        std::fprintf(out, "%s\n", workPath.c_str());
    }
    return kExitOk;
}

int writeBytes(const Options& options, const std::vector<std::uint8_t>& bytes, std::FILE* out,
               std::FILE* err) {
    if (options.out) {
        if (!logo::writeWholeFile(*options.out, bytes.data(), bytes.size())) {
            return refused(err, *options.out, "cannot be written");
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
    return writeBytes(options, result.job.bytes(), out, err);
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
        return writeBytes(options, logo::buildClearAllLogosJob().bytes(), out, err);
    }
    return kExitUsage;
}

} // namespace logotool

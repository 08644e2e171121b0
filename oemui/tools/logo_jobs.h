#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "oemui/tools/bmp_image.h"
#include "oemui/tools/byte_stream.h"

namespace logo {

// A raw spooler job: its document name and the pieces written one WritePrinter each.
struct RawJob {
    std::string documentName;
    std::vector<std::vector<std::uint8_t>> pieces;

    std::vector<std::uint8_t> bytes() const;
};

// The page's preview modes that can download: logos go to the printer as 1-bit
// column data (Transformation) or as 16-level gray rasters (Gray).
enum class LogoMode { Transformation = 1, Gray = 2 };

// Files of all logos together (work bitmaps, or sources where no work bitmap exists)
// must stay below the printer's logo memory.
constexpr std::int64_t kLogoMemoryBytes = 96 * 1024;

enum class LogoJobError {
    None,
    NoLogos,        // kTextNoLogos
    TooManyLogos,   // kTextTooManyLogos
    SizeUnknown,    // kTextLogoSizeUnknown
    OverLogoMemory, // kTextLogosOver96k
    LogoTooBig,     // kTextLogoTooBig
    LogoUnreadable, // no page text: a work bitmap (or 1-bit source) is missing or malformed
    OutOfMemory,    // no page text
};

struct LogoJobResult {
    LogoJobError error = LogoJobError::None;
    std::string message;                  // the page's text, or for LogoUnreadable the file and why
    std::size_t failedLogo = 0;           // 0-based list position of a logo that failed
    ImageError reason = ImageError::None; // for LogoUnreadable: what is wrong with the file
    RawJob job;                           // complete only when error is None
};

// "Download all" for the logos of the list, in list order.
// In Transformation mode a 1-bit source is sent as it is and any other logo from its
// monochrome work bitmap; in Gray mode every logo from its gray work bitmap. The work
// bitmaps must have been made already. Every logo is read and checked before the job
// is put together, so a bad file never leaves a half-sent logo set in the printer.
LogoJobResult buildDownloadAllJob(LogoMode mode, const std::vector<LogoFiles*>& logos);
// The same for logos given by 8-bit path, their work bitmaps beside them.
LogoJobResult buildDownloadAllJob(LogoMode mode, const std::vector<std::string>& sources);

// "Clear All Logos": thirteen bytes in three pieces.
RawJob buildClearAllLogosJob();

} // namespace logo

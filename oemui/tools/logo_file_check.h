#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "oemui/tools/byte_stream.h"

namespace logo {

// The largest logo the printer's logo memory takes, and the most logos at once.
constexpr int kMaxLogoWidth = 1024;
constexpr int kMaxLogoHeight = 768;
constexpr int kMaxLogos = 9;

// What the page checks before it takes a file into its list.
enum class LogoFileCheck {
    Accepted,
    CannotOpen, // kTextCannotOpenLogo
    CannotRead, // kTextCannotReadLogo: fewer bytes than the two headers
    NotBmp,     // kTextNotBmp: no "BM" signature, so its sizes mean nothing
    TooBig,     // kTextLogoTooBig: wider than 1024 or higher than 768
};

// Only the signature and the size are judged here; whether the file is a usable
// bitmap is the conversion's business. Negative sizes pass, as they are refused there.
LogoFileCheck checkLogoHeaders(const std::uint8_t* data, std::size_t size);
LogoFileCheck checkLogoFile(ByteSource* file); // nullptr: the file cannot be opened
LogoFileCheck checkLogoFile(const std::string& path);

// The page's text for a refusal, or nullptr for Accepted.
const char* logoFileCheckText(LogoFileCheck check);

} // namespace logo

// What the Download page tells the user beyond the logo tools' texts
// (oemui/tools/logo_texts.h), word for word.
#pragma once

namespace oemui::pages {

inline constexpr char16_t kCaptionError[] = u"Error";

// The file download.
inline constexpr char16_t kTitleChooseFile[] = u"Please select a file";
inline constexpr char16_t kTitleChooseLogo[] = u"Please Select a Logo file";
inline constexpr char16_t kTextFileSizeUnknown[] = u"Failed to get the size of the selected file!";
inline constexpr char16_t kTextNoMemory[] = u"Failed to Alloc the required memory!";
inline constexpr char16_t kTextCannotRewind[] =
    u"Failed to set the file point to the head of the file!";

// A download that did not reach the printer says so, and why.
inline constexpr char16_t kTextLogosNotSent[] = u"The logos were not sent to the printer: ";
inline constexpr char16_t kTextClearNotSent[] = u"The logos were not cleared: ";
inline constexpr char16_t kTextFileNotSent[] = u"The file was not sent to the printer: ";
inline constexpr char16_t kTextFileCutShort[] =
    u"The file could not be read to its end, so the printer did not get all of it.";

// A logo that cannot be used or converted.
inline constexpr char16_t kTextLogoUnusable[] = u"The selected file cannot be used as a logo: ";
inline constexpr char16_t kTextLogoNotConverted[] = u"The logo could not be converted: ";

} // namespace oemui::pages

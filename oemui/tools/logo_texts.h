#pragma once

// What the logo page tells the user, word for word.
namespace logo {

inline constexpr char kCaptionError[] = "Error";
inline constexpr char kCaptionTooManyLogos[] = "ok";

inline constexpr char kTextTooManyLogos[] =
    "The total counts of the logos is 9,\nplease delete some logos before selecting another logo!";
inline constexpr char kTextCannotOpenLogo[] = "Fail to open the selected file!";
inline constexpr char kTextCannotReadLogo[] = "Failed to get data from the file!";
inline constexpr char kTextLogoTooBig[] =
    "The image is too big to be selected.\nthe width must be less than 1024 Byte,and the height "
    "must be less than 768 Byte!";
// A file without the "BM" signature: its size fields mean nothing, so it is not
// called too big.
inline constexpr char kTextNotBmp[] = "The selected file is not a BMP picture!";
inline constexpr char kTextNoLogos[] = "Please select logos first!";
inline constexpr char kTextLogoSizeUnknown[] = "Failed to get the size of logo!";
inline constexpr char kTextLogosOver96k[] = "The total sizes of all the logos is greater 96k!";

} // namespace logo

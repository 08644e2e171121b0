// What the barcode pages say when they refuse a test print (caption textError,
// an OK button).
#pragma once

namespace barcode {

// The leading space is the page's own.
inline constexpr char16_t textDataError[] = u" BarCode data error!";
inline constexpr char16_t textError[] = u"Error";
// A stored QR Code error level without a letter: the combo shows "M", but the
// record still holds the bad level until one is chosen.
inline constexpr char16_t textQrLevelError[] =
    u"The QR Code error correction stored for this font is not L, M, H or Q. Choose one "
    u"under \"Error Correction:\" and print again.";

} // namespace barcode

// Printer commands as people type them: hexadecimal bytes separated by blanks
// ("1D 56 42 00"). The operation dialog keeps them in the settings record and
// the control-font table in 57KXCONTROL.dat; both read what ParseHexCommand
// reads and show what FormatHexCommand writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace oemui {

// The longest command a moment of the settings record or a character of the
// table holds.
inline constexpr std::size_t maxCommandBytes = 128;

// The bytes the text stands for. Blanks (U+0020 only) separate; a digit
// followed by a blank, or the last character, is a byte of its own ("1 2" is
// 01 02); otherwise two characters make a byte ("123" is 12 03). Any character
// that is not a hexadecimal digit counts as 0. The whole text is read, however
// long: the caller refuses what does not fit.
std::vector<std::uint8_t> ParseHexCommand(std::u16string_view text);

// Two upper-case digits and a blank per byte: 1D 56 42 00 gives "1D 56 42 00 ".
std::u16string FormatHexCommand(const std::uint8_t* bytes, std::size_t length);
inline std::u16string FormatHexCommand(const std::vector<std::uint8_t>& bytes) {
    return FormatHexCommand(bytes.data(), bytes.size());
}

// Whether a character may be typed into a command edit: hexadecimal digits and
// the blank, and the editing characters backspace, '.' and '-' (what else is
// pasted the parser reads as 0).
bool hexCommandCharacter(unsigned character);

} // namespace oemui

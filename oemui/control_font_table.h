// 57KXCONTROL.dat, the control-font character translation table: a printer
// command for each printable character 0x20 to 0x7F, which the driver's
// rendering side looks up in the spooler's driver folder. A profile file with
// one section, "Character Translation Table", whose keys are the characters'
// codes in upper-case hexadecimal ("41") and whose values are commands as
// FormatHexCommand writes them; a character without a command has no key.
#pragma once

#include "oemui/hex_command.h"
#include "platform/plugin_host.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oemui {

inline constexpr char16_t firstTableCharacter = 0x20;
inline constexpr std::size_t tableCharacters = 96; // 0x20 to 0x7F
inline constexpr const char16_t* tableSection = u"Character Translation Table";

struct ControlFontEntry {
    char16_t character = 0;
    std::vector<std::uint8_t> command; // never more than maxCommandBytes
    // A stored value that stands for more than maxCommandBytes bytes. It is
    // refused rather than cut: kept as it was read, so that saving the table
    // writes it back unchanged, and the user is told.
    std::u16string refusedText;
};

using ControlFontTable = std::array<ControlFontEntry, tableCharacters>;

// Every character, none with a command.
ControlFontTable emptyControlTable();

// The table's key of a character: its code, "%X".
std::u16string tableKey(char16_t character);

// The Windows folder followed by "\system32\spool\drivers\x64\3\57KXCONTROL.dat";
// empty when the Windows folder cannot be had.
std::u16string controlTablePath(platform::PluginHost& host);

// The table as the file holds it; a missing file is an empty table.
ControlFontTable loadControlTable(platform::PluginHost& host, const std::u16string& path);

// One character's line of the table: its key and its command text (empty: no
// command).
struct TableRow {
    std::u16string key;
    std::u16string command;
};

// Replaces the file with these rows; with no command at all, the file is
// removed. The new table is written beside the old one and takes its place
// only once it is complete, so a failure at any point leaves the old file as
// it was. False, with the host's last error, when the table could not be saved.
bool saveControlTable(platform::PluginHost& host, const std::u16string& path,
                      const std::vector<TableRow>& rows);

} // namespace oemui

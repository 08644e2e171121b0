#include "oemui/control_font_table.h"

namespace oemui {
namespace {

// Values are read whole, however long, so that one too long to hold is
// recognised as such instead of being cut by a buffer.
std::u16string readValue(platform::PluginHost& host, const std::u16string& key,
                         const std::u16string& path) {
    constexpr std::uint32_t largest = 65536;
    for (std::uint32_t size = 512;; size *= 4) {
        std::u16string value = host.GetPrivateProfileStringW(tableSection, key, u"", size, path);
        if (value.size() + 1 < size || size >= largest) {
            return value;
        }
    }
}

bool missing(std::uint32_t error) {
    return error == platform::err::fileNotFound || error == platform::err::pathNotFound;
}

} // namespace

ControlFontTable emptyControlTable() {
    ControlFontTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i].character = static_cast<char16_t>(firstTableCharacter + i);
    }
    return table;
}

std::u16string tableKey(char16_t character) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string key;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned digit = (character >> shift) & 0xF;
        if (digit != 0 || !key.empty() || shift == 0) {
            key.push_back(digits[digit]);
        }
    }
    return key;
}

std::u16string controlTablePath(platform::PluginHost& host) {
    const std::u16string windows = host.GetWindowsDirectoryW();
    if (windows.empty()) {
        return {};
    }
    return windows + u"\\system32\\spool\\drivers\\x64\\3\\57KXCONTROL.dat";
}

ControlFontTable loadControlTable(platform::PluginHost& host, const std::u16string& path) {
    ControlFontTable table = emptyControlTable();
    if (path.empty()) {
        return table;
    }
    for (ControlFontEntry& entry : table) {
        const std::u16string value = readValue(host, tableKey(entry.character), path);
        std::vector<std::uint8_t> command = ParseHexCommand(value);
        if (command.size() > maxCommandBytes) {
            entry.refusedText = value;
        } else {
            entry.command = std::move(command);
        }
    }
    return table;
}

bool saveControlTable(platform::PluginHost& host, const std::u16string& path,
                      const std::vector<TableRow>& rows) {
    if (path.empty()) {
        host.SetLastError(platform::err::pathNotFound);
        return false;
    }
    const std::u16string fresh = path + u".new";
    // What an interrupted save may have left behind.
    host.DeleteFileW(fresh);
    const auto giveUp = [&] {
        const std::uint32_t error = host.GetLastError();
        host.DeleteFileW(fresh);
        host.SetLastError(error);
        return false;
    };
    bool any = false;
    for (const TableRow& row : rows) {
        if (row.command.empty()) {
            continue;
        }
        any = true;
        if (!host.WritePrivateProfileStringW(tableSection, row.key, row.command, fresh)) {
            return giveUp();
        }
    }
    if (!any) {
        return host.DeleteFileW(path) || missing(host.GetLastError());
    }
    if (!host.MoveFileExW(fresh, path, platform::PluginHost::moveFileReplaceExisting)) {
        return giveUp();
    }
    return true;
}

} // namespace oemui

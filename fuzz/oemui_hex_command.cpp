// Command text as a user may type or paste it into a command edit, and as a
// table file may hold it: the input is read as UTF-16 code units. Parsing
// never fails and never stops early; what it reads, formatted and read again,
// is the same bytes.
#include "oemui/hex_command.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::vector<std::uint8_t> bytes = oemui::ParseHexCommand(text);
    if (bytes.size() > text.size()) {
        std::abort();
    }
    const std::u16string shown = oemui::FormatHexCommand(bytes);
    if (shown.size() != bytes.size() * 3 || oemui::ParseHexCommand(shown) != bytes) {
        std::abort();
    }
    return 0;
}

// A number as the pages' edits show it.
#pragma once

#include <string>

namespace oemui::pages {

inline std::u16string decimalText(unsigned long value) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return text;
}

} // namespace oemui::pages

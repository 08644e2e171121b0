#include "oemui/hex_command.h"

namespace oemui {
namespace {

std::uint8_t digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return static_cast<std::uint8_t>(c - u'0');
    }
    if (c >= u'A' && c <= u'F') {
        return static_cast<std::uint8_t>(c - u'A' + 10);
    }
    if (c >= u'a' && c <= u'f') {
        return static_cast<std::uint8_t>(c - u'a' + 10);
    }
    return 0;
}

} // namespace

std::vector<std::uint8_t> ParseHexCommand(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u' ') {
            ++i;
            continue;
        }
        const std::uint8_t high = digitValue(text[i]);
        if (i + 1 >= text.size()) {
            bytes.push_back(high);
            break;
        }
        const char16_t next = text[i + 1];
        bytes.push_back(next == u' ' ? high
                                     : static_cast<std::uint8_t>(high * 16 + digitValue(next)));
        i += 2;
    }
    return bytes;
}

std::u16string FormatHexCommand(const std::uint8_t* bytes, std::size_t length) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string text;
    text.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0xF]);
        text.push_back(u' ');
    }
    return text;
}

bool hexCommandCharacter(unsigned character) {
    if (character == 8 || character == '.' || character == '-' || character == ' ') {
        return true;
    }
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F') ||
           (character >= 'a' && character <= 'f');
}

} // namespace oemui

// The profile-file engine on arbitrary file text: no read out of bounds, every
// answer within its buffer, the same answers from the text parsed once, and a
// written value always reads back.
#include "common/profile_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// A name made only of letters and digits, which no line of the file can disturb.
std::string cleanName(const std::string& text, std::size_t from, const char* fallback) {
    std::string name;
    for (std::size_t i = from; i < text.size() && name.size() < 8; ++i) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += c;
    }
    return name.empty() ? fallback : name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t bufferSizes[] = {0, 1, 2, 7, 200, 2048};
    const std::size_t chosen = bufferSizes[data[0] % 6];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::vector<std::string> sections = common::profileSectionNames(text);
    sections.push_back("");
    sections.push_back("DEVICENAME");
    const common::ParsedProfile parsed(text);
    std::size_t asked = 0;
    for (const std::string& section : sections) {
        if (++asked > 6)
            break;
        std::vector<std::string> keys = common::profileKeyNames(text, section);
        keys.push_back("DEVICENUMBER");
        for (std::size_t k = 0; k < keys.size() && k < 6; ++k) {
            for (const std::size_t bufferSize : {chosen, std::size_t{4096}}) {
                const std::string value =
                    common::profileGetString(text, section, keys[k], "\"0\"  ", bufferSize);
                check(bufferSize == 0 ? value.empty() : value.size() < bufferSize);
                // The text parsed once answers as the text parsed for each read.
                check(parsed.getString(section, keys[k], "\"0\"  ", bufferSize) == value);
            }
        }
    }

    const std::string section = cleanName(text, 0, "S");
    const std::string key = cleanName(text, text.size() / 2, "k");
    const std::string written = common::profileSetString(text, section, key, "v4lue");
    check(common::profileGetString(written, section, key, "", 4096) == "v4lue");
    return 0;
}

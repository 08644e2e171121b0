#include "common/response_file.h"

#include <algorithm>
#include <cctype>

namespace common {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string lineError(int line, const std::string& why) {
    return "line " + std::to_string(line) + ": " + why;
}

std::string keyList(const std::vector<std::string>& keys) {
    std::string list;
    for (const std::string& k : keys)
        list += (list.empty() ? "" : ", ") + k;
    return list;
}

// The next line of `text` from `at`, without its line break.
std::string nextLine(const std::string& text, std::size_t& at) {
    const std::size_t end = text.find('\n', at);
    std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

const ResponseValue* ResponseFile::find(const std::string& key) const {
    for (const ResponseValue& v : values) {
        if (v.key == key)
            return &v;
    }
    return nullptr;
}

std::optional<bool> responseFlag(const std::string& value) {
    const std::string v = lower(value);
    if (v == "yes" || v == "1" || v == "true")
        return true;
    if (v == "no" || v == "0" || v == "false")
        return false;
    return std::nullopt;
}

std::string responseError(const ResponseValue& v, const std::string& why) {
    return lineError(v.line, v.key + "=" + v.value + ": " + why);
}

ResponseFile readResponseFile(const std::vector<std::uint8_t>& bytes, const std::string& section,
                              const std::vector<std::string>& keys) {
    ResponseFile file;
    auto refuse = [&file](const std::string& why) {
        file.values.clear();
        file.error = why;
        return file;
    };
    if (bytes.size() > maxResponseFileSize)
        return refuse("the file is larger than " + std::to_string(maxResponseFileSize) +
                      " bytes; a response file is a few lines");
    if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end())
        return refuse("the file holds a zero byte; a response file is text (perhaps it was "
                      "saved as UTF-16: save it as ANSI or UTF-8)");
    std::string text(bytes.begin(), bytes.end());
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);

    bool inSection = false, sectionSeen = false;
    std::size_t at = 0;
    for (int number = 1; at < text.size(); ++number) {
        const std::string raw = nextLine(text, at);
        if (raw.size() > maxResponseLine)
            return refuse(lineError(number, "the line is longer than " +
                                                std::to_string(maxResponseLine) + " characters"));
        const std::string line = trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                return refuse(lineError(number, "a section line ends with ']'"));
            const std::string name = trim(line.substr(1, line.size() - 2));
            if (lower(name) != lower(section))
                return refuse(lineError(number, "unknown section [" + name +
                                                    "]; the file holds one section [" + section +
                                                    "]"));
            if (sectionSeen)
                return refuse(lineError(number, "[" + section + "] is given twice"));
            inSection = sectionSeen = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            return refuse(lineError(number, "\"" + line + "\" is not a KEY=VALUE line"));
        if (!inSection)
            return refuse(lineError(number, "a key before the [" + section + "] line"));
        const std::string key = trim(line.substr(0, equals));
        const auto known = std::find_if(keys.begin(), keys.end(), [&key](const std::string& k) {
            return lower(k) == lower(key);
        });
        if (known == keys.end())
            return refuse(lineError(number, "unknown key \"" + key + "\" in [" + section +
                                                "]; the keys are " + keyList(keys)));
        if (const ResponseValue* earlier = file.find(*known))
            return refuse(lineError(number, *known + " is given twice (first on line " +
                                                std::to_string(earlier->line) + ")"));
        std::string value = trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        file.values.push_back(ResponseValue{*known, value, number});
    }
    if (!sectionSeen)
        return refuse("the file has no [" + section + "] section");
    return file;
}

} // namespace common

#include "common/profile_file.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace common {
namespace {

// Blanks as the profile functions see them; Ctrl-Z, the old end-of-file mark
// that editors of the DOS era left behind, counts as one.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

// The system keeps names and values as C strings: whatever follows a NUL byte
// of the file is never seen.
std::string_view untilNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// One line of the file, already cut into its parts.
struct Line {
    std::size_t begin = 0; // offsets of the whole line in the text, line break excluded
    std::size_t end = 0;
    enum Kind { Blank, Section, Entry, Other } kind = Blank;
    std::string_view name; // section name (between '[' and the last ']', trimmed), or key name
    std::optional<std::string_view> value; // entries with an '=' only
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    // A UTF-8 byte-order mark is not part of the first line.
    std::size_t pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (pos < text.size()) {
        std::size_t stop = pos;
        while (stop < text.size() && text[stop] != '\n' && text[stop] != '\r')
            ++stop;
        Line line;
        line.begin = pos;
        line.end = stop;
        const std::string_view body = trim(text.substr(pos, stop - pos));
        if (body.empty()) {
            line.kind = Line::Blank;
        } else if (body.front() == '[' && body.find_last_of(']') != 0 &&
                   body.find_last_of(']') != std::string_view::npos) {
            // The name runs to the last ']'; anything after that is ignored.
            line.kind = Line::Section;
            line.name = untilNul(trim(body.substr(1, body.find_last_of(']') - 1)));
        } else {
            line.kind = Line::Entry;
            const std::size_t eq = body.find('=');
            if (eq == std::string_view::npos) {
                line.name = untilNul(body);
            } else {
                line.name = untilNul(trim(body.substr(0, eq)));
                line.value = untilNul(trim(body.substr(eq + 1)));
            }
        }
        lines.push_back(line);
        while (stop < text.size() && (text[stop] == '\n' || text[stop] == '\r'))
            ++stop;
        pos = stop;
    }
    return lines;
}

// Index range [first, last) of the entries of the first section with that name;
// entries before any section header belong to the section with the empty name.
struct SectionRange {
    std::size_t header = 0; // index of the header line (unused for the unnamed section)
    std::size_t first = 0;
    std::size_t last = 0;
    bool found = false;
};

SectionRange findSection(const std::vector<Line>& lines, std::string_view section) {
    SectionRange range;
    std::string_view current;
    bool inWanted = false;
    // The unnamed leading section.
    if (section.empty()) {
        inWanted = true;
        range.found = true;
        range.first = 0;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Line::Section)
            continue;
        if (inWanted) {
            range.last = i;
            return range;
        }
        current = lines[i].name;
        if (equalNoCase(current, section)) {
            inWanted = true;
            range.found = true;
            range.header = i;
            range.first = i + 1;
        }
    }
    if (inWanted)
        range.last = lines.size();
    return range;
}

const Line* findKey(const std::vector<Line>& lines, const SectionRange& range,
                    std::string_view key) {
    if (!range.found)
        return nullptr;
    for (std::size_t i = range.first; i < range.last; ++i) {
        if (lines[i].kind == Line::Entry && equalNoCase(lines[i].name, key))
            return &lines[i];
    }
    return nullptr;
}

// What the caller's buffer receives: at most bufferSize - 1 bytes; a value
// enclosed in a pair of equal quotes (' or ") loses them, the closing one only
// when the whole value fits.
std::string copyEntry(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    bool quoted = false;
    if (!value.empty() && (value.front() == '"' || value.front() == '\'') && value.size() > 1 &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, std::min(value.size(), bufferSize - 1)));
    if (quoted && bufferSize >= value.size() && !out.empty())
        out.pop_back();
    return out;
}

// Trailing spaces of a default are dropped, but never its first character: a
// default of blanks only still answers one blank.
std::string_view withoutTrailingSpaces(std::string_view s) {
    while (s.size() > 1 && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

namespace {

std::string getString(const std::vector<Line>& lines, std::string_view section,
                      std::string_view key, std::string_view defaultValue, std::size_t bufferSize) {
    const Line* line = findKey(lines, findSection(lines, trim(section)), trim(key));
    if (line == nullptr || !line->value)
        return copyEntry(withoutTrailingSpaces(defaultValue), bufferSize);
    return copyEntry(*line->value, bufferSize);
}

} // namespace

std::string profileGetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
    return getString(splitLines(fileText), section, key, defaultValue, bufferSize);
}

struct ParsedProfile::Lines {
    std::vector<Line> lines;
};

ParsedProfile::ParsedProfile(std::string text)
    : text_(std::move(text)), lines_(std::make_unique<Lines>(Lines{splitLines(text_)})) {}

ParsedProfile::~ParsedProfile() = default;

std::string ParsedProfile::getString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::size_t bufferSize) const {
    return common::getString(lines_->lines, section, key, defaultValue, bufferSize);
}

std::string profileDefaultWhenUnopenable(std::string_view defaultValue, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    defaultValue = withoutTrailingSpaces(defaultValue);
    return std::string(defaultValue.substr(0, std::min(defaultValue.size(), bufferSize - 1)));
}

std::string profileSetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view value) {
    section = trim(section);
    key = trim(key);
    const std::vector<Line> lines = splitLines(fileText);
    const SectionRange range = findSection(lines, section);
    const std::string entry = std::string(key) + "=" + std::string(value);
    std::string out(fileText);
    if (const Line* line = findKey(lines, range, key)) {
        // The key keeps the name it was written with; only its value changes.
        out.replace(line->begin, line->end - line->begin,
                    std::string(line->name) + "=" + std::string(value));
        return out;
    }
    if (range.found) {
        // After the section's last non-blank line.
        std::size_t after = range.first;
        for (std::size_t i = range.first; i < range.last; ++i) {
            if (lines[i].kind != Line::Blank)
                after = i + 1;
        }
        std::size_t at = 0;
        if (after > 0) {
            at = lines[after - 1].end;
            if (at < out.size() && out[at] == '\r')
                ++at;
            if (at < out.size() && out[at] == '\n')
                ++at;
        }
        std::string insert = entry + "\r\n";
        if (at > 0 && (out[at - 1] != '\n' && out[at - 1] != '\r'))
            insert = "\r\n" + insert;
        out.insert(at, insert);
        return out;
    }
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    out += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    return out;
}

std::vector<std::string> profileSectionNames(std::string_view fileText) {
    std::vector<std::string> names;
    // A section without a name cannot be listed: its empty name would end the
    // double-zero-terminated list.
    for (const Line& line : splitLines(fileText)) {
        if (line.kind == Line::Section && !line.name.empty())
            names.emplace_back(line.name);
    }
    return names;
}

std::vector<std::string> profileKeyNames(std::string_view fileText, std::string_view section) {
    const std::vector<Line> lines = splitLines(fileText);
    // Unlike a lookup, a listing does not trim the section name it is given.
    const SectionRange range = findSection(lines, section);
    std::vector<std::string> names;
    if (!range.found)
        return names;
    // Only real entries are listed: not lines without '=', not comments, not an
    // empty name.
    for (std::size_t i = range.first; i < range.last; ++i) {
        const Line& line = lines[i];
        if (line.kind == Line::Entry && line.value && !line.name.empty() &&
            line.name.front() != ';')
            names.emplace_back(line.name);
    }
    return names;
}

} // namespace common

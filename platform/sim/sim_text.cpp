#include "platform/sim/sim_text.h"

#include <cctype>

namespace platform::sim {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*")
        pattern = "*";
    // Iterative match with one backtrack point for the last '*'.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || std::toupper(static_cast<unsigned char>(pattern[p])) ==
                                      std::toupper(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

bool parseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes) {
    if (text.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = hexDigit(text[i]), lo = hexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return true;
}

std::string escapeField(std::string_view field) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    if (field.empty())
        return "%"; // an empty field still takes its place on the line
    for (unsigned char c : field) {
        if (c <= ' ' || c == '%' || c >= 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string unescapeField(std::string_view field) {
    if (field == "%")
        return {};
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size()) {
            const int hi = hexDigit(field[i + 1]), lo = hexDigit(field[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos <= line.size()) {
        const std::size_t space = line.find(' ', pos);
        const std::string_view part = line.substr(
            pos, space == std::string_view::npos ? std::string_view::npos : space - pos);
        if (!part.empty())
            fields.push_back(unescapeField(part));
        if (space == std::string_view::npos)
            break;
        pos = space + 1;
    }
    return fields;
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields) {
        if (!line.empty())
            line += ' ';
        line += escapeField(f);
    }
    return line;
}

} // namespace platform::sim

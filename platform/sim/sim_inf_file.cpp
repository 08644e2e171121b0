#include "platform/sim/sim_inf_file.h"

#include "platform/device_setup.h"
#include "platform/sim/sim_text.h"

namespace platform::sim {
namespace {

constexpr std::size_t maxSectionName = 255;

// UTF-16LE text (with its byte-order mark) as ANSI: characters beyond ASCII
// become '?', which no section or key the programs look for contains.
std::string narrow(std::string_view bytes) {
    if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
        static_cast<unsigned char>(bytes[1]) == 0xBB &&
        static_cast<unsigned char>(bytes[2]) == 0xBF)
        return std::string(bytes.substr(3));
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::string out;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned unit = static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1]))
                                      << 8;
            out += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return out;
    }
    return std::string(bytes);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Whether only blanks follow `pos` up to the end of its physical line.
bool restOfLineBlank(const std::string& text, std::size_t pos) {
    for (; pos < text.size() && text[pos] != '\n'; ++pos) {
        if (!isBlank(text[pos]))
            return false;
    }
    return true;
}

std::size_t endOfPhysicalLine(const std::string& text, std::size_t pos) {
    const std::size_t nl = text.find('\n', pos);
    return nl == std::string::npos ? text.size() : nl;
}

struct Token {
    std::string text;
    std::string pendingBlanks; // kept only when more text follows
};

} // namespace

InfSection& InfFile::sectionFor(const std::string& name) {
    for (InfSection& s : sections_) {
        if (equalNoCase(s.name, name))
            return s; // a section given twice is one section
    }
    sections_.push_back(InfSection{name, {}});
    return sections_.back();
}

bool InfFile::parse(std::string_view bytes, std::uint32_t& error, std::uint32_t& errorLine) {
    sections_.clear();
    style_ = infstyle::oldNt;
    error = 0;
    errorLine = 0;
    const std::string text = narrow(bytes);

    InfSection* current = nullptr;
    std::uint32_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        ++lineNumber;
        const std::uint32_t startLine = lineNumber;
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        if (text[pos] == '\n' || text[pos] == ';' || text[pos] == '\x1A') {
            pos = endOfPhysicalLine(text, pos) + 1;
            continue;
        }
        if (text[pos] == '[') {
            const std::size_t end = endOfPhysicalLine(text, pos);
            const std::size_t close = text.find(']', pos);
            if (close == std::string::npos || close > end) {
                error = err::badSectionNameLine;
                errorLine = startLine;
                return false;
            }
            std::string name = text.substr(pos + 1, close - pos - 1);
            while (!name.empty() && isBlank(name.back()))
                name.pop_back();
            while (!name.empty() && isBlank(name.front()))
                name.erase(name.begin());
            if (name.size() > maxSectionName) {
                error = err::sectionNameTooLong;
                errorLine = startLine;
                return false;
            }
            current = &sectionFor(name);
            pos = end + 1;
            continue;
        }
        if (current == nullptr) {
            error = err::expectedSectionName;
            errorLine = startLine;
            return false;
        }

        InfLine line;
        std::vector<Token> fields(1);
        bool quoted = false;
        bool done = false;
        while (!done && pos < text.size()) {
            const char c = text[pos];
            Token& field = fields.back();
            if (quoted) {
                if (c == '"') {
                    if (pos + 1 < text.size() && text[pos + 1] == '"') {
                        field.text += '"';
                        pos += 2;
                    } else {
                        quoted = false;
                        ++pos;
                    }
                } else if (c == '\n') {
                    done = true; // an open quote ends with its line
                    ++pos;
                } else {
                    field.text += c;
                    ++pos;
                }
                continue;
            }
            switch (c) {
            case '\n':
                done = true;
                ++pos;
                break;
            case ';':
                pos = endOfPhysicalLine(text, pos) + 1;
                done = true;
                break;
            case '"':
                field.text += field.pendingBlanks;
                field.pendingBlanks.clear();
                quoted = true;
                ++pos;
                break;
            case '\\':
                if (restOfLineBlank(text, pos + 1) && endOfPhysicalLine(text, pos) < text.size()) {
                    pos = endOfPhysicalLine(text, pos) + 1;
                    ++lineNumber;
                } else {
                    field.text += field.pendingBlanks;
                    field.pendingBlanks.clear();
                    field.text += c;
                    ++pos;
                }
                break;
            case '=':
                if (!line.hasKey && fields.size() == 1) {
                    line.hasKey = true;
                    line.key = field.text;
                    fields.back() = Token{};
                } else {
                    field.text += field.pendingBlanks;
                    field.pendingBlanks.clear();
                    field.text += c;
                }
                ++pos;
                break;
            case ',':
                fields.emplace_back();
                ++pos;
                break;
            case ' ':
            case '\t':
            case '\r':
                if (!field.text.empty() && c != '\r')
                    field.pendingBlanks += c;
                ++pos;
                break;
            default:
                field.text += field.pendingBlanks;
                field.pendingBlanks.clear();
                field.text += c;
                ++pos;
                break;
            }
        }
        for (const Token& t : fields)
            line.fields.push_back(t.text);
        current->lines.push_back(std::move(line));
    }

    if (const auto signature = value("Version", "Signature")) {
        if (equalNoCase(*signature, "$Windows NT$") || equalNoCase(*signature, "$Chicago$") ||
            equalNoCase(*signature, "$Windows 95$"))
            style_ = infstyle::win4;
    }
    if (style_ == infstyle::win4)
        substituteStrings();
    return true;
}

void InfFile::substituteStrings() {
    const InfSection* strings = section("Strings");
    if (strings == nullptr)
        return;
    std::vector<std::pair<std::string, std::string>> table;
    for (const InfLine& l : strings->lines) {
        if (l.hasKey)
            table.emplace_back(l.key, l.fields.front());
    }
    auto substitute = [&table](const std::string& in) {
        std::string out;
        std::size_t pos = 0;
        while (pos < in.size()) {
            const std::size_t open = in.find('%', pos);
            if (open == std::string::npos) {
                out += in.substr(pos);
                break;
            }
            out += in.substr(pos, open - pos);
            const std::size_t close = in.find('%', open + 1);
            if (close == std::string::npos) {
                out += in.substr(open);
                break;
            }
            const std::string name = in.substr(open + 1, close - open - 1);
            if (name.empty()) {
                out += '%'; // "%%" stands for one percent sign
            } else {
                const std::string* found = nullptr;
                for (const auto& [key, text] : table) {
                    if (equalNoCase(key, name)) {
                        found = &text;
                        break;
                    }
                }
                out += found != nullptr ? *found : in.substr(open, close - open + 1);
            }
            pos = close + 1;
        }
        return out;
    };
    for (InfSection& s : sections_) {
        if (equalNoCase(s.name, "Strings"))
            continue;
        for (InfLine& l : s.lines) {
            l.key = substitute(l.key);
            for (std::string& f : l.fields)
                f = substitute(f);
        }
    }
}

const InfSection* InfFile::section(std::string_view name) const {
    for (const InfSection& s : sections_) {
        if (equalNoCase(s.name, name))
            return &s;
    }
    return nullptr;
}

std::optional<std::string> InfFile::value(std::string_view sectionName,
                                          std::string_view key) const {
    const InfSection* s = section(sectionName);
    if (s == nullptr)
        return std::nullopt;
    for (const InfLine& l : s->lines) {
        if (l.hasKey && equalNoCase(l.key, key))
            return l.fields.front();
    }
    return std::nullopt;
}

std::optional<InfModel> findInfModel(const InfFile& inf, std::string_view hardwareId,
                                     bool is64Bit) {
    const InfSection* manufacturers = inf.section("Manufacturer");
    if (manufacturers == nullptr)
        return std::nullopt;
    for (const InfLine& m : manufacturers->lines) {
        std::string models = m.fields.front();
        if (models.empty())
            continue;
        std::string decoration;
        for (std::size_t i = 1; i < m.fields.size(); ++i) {
            const std::string platformPart = upper(m.fields[i].substr(0, m.fields[i].find('.')));
            const bool fits = is64Bit ? platformPart == "NTAMD64"
                                      : platformPart == "NTX86" || platformPart == "NT";
            if (fits && (decoration.empty() || platformPart == "NTX86"))
                decoration = m.fields[i];
        }
        if (is64Bit && decoration.empty())
            continue; // not meant for 64-bit Windows
        const InfSection* list =
            inf.section(decoration.empty() ? models : models + "." + decoration);
        if (list == nullptr)
            continue;
        for (const InfLine& l : list->lines) {
            for (std::size_t i = 1; i < l.fields.size(); ++i) {
                if (equalNoCase(l.fields[i], hardwareId))
                    return InfModel{l.hasKey ? l.key : l.fields.front(), l.fields.front()};
            }
        }
    }
    return std::nullopt;
}

const InfSection* findInstallSection(const InfFile& inf, const std::string& section, bool is64Bit) {
    for (const char* suffix : {is64Bit ? ".NTamd64" : ".NTx86", ".NT", ""}) {
        if (const InfSection* s = inf.section(section + suffix))
            return s;
    }
    return nullptr;
}

std::vector<std::pair<std::string, std::string>> infCopyFiles(const InfFile& inf,
                                                              const InfSection& install) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const InfLine& l : install.lines) {
        if (!l.hasKey || !equalNoCase(l.key, "CopyFiles"))
            continue;
        for (const std::string& entry : l.fields) {
            if (entry.empty())
                continue;
            if (entry[0] == '@') {
                files.emplace_back(entry.substr(1), entry.substr(1));
                continue;
            }
            const InfSection* list = inf.section(entry);
            if (list == nullptr)
                continue;
            for (const InfLine& f : list->lines) {
                const std::string& destination = f.hasKey ? f.key : f.fields.front();
                const std::string source =
                    f.fields.size() > 1 && !f.fields[1].empty() ? f.fields[1] : destination;
                if (!destination.empty())
                    files.emplace_back(destination, source);
            }
        }
    }
    return files;
}

} // namespace platform::sim

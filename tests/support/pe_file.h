// Windows executables with a version resource, built byte by byte, for tests
// of everything that reads a file's FileVersion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct VersionTable {
    std::string key = "040904b0"; // language and code page, as StringFileInfo names the table
    std::vector<std::pair<std::string, std::string>> strings;
};

struct VersionResourceSpec {
    std::vector<VersionTable> tables;
    // \VarFileInfo\Translation: language, code page pairs; none leaves VarFileInfo out.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations = {{0x0409, 0x04B0}};
    bool pe32Plus = false;           // a 64-bit image
    std::uint32_t resourceType = 16; // RT_VERSION
    std::uint32_t resourceId = 1;
};

namespace pedetail {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
inline void pad4(Bytes& b) {
    while (b.size() % 4 != 0)
        b.push_back(0);
}
inline void utf16(Bytes& b, const std::string& text) {
    for (char c : text) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(0);
    }
    b.push_back(0);
    b.push_back(0);
}

// One block of a version resource: length, value length, type, key, value, children.
inline Bytes block(const std::string& key, const Bytes& value, std::uint16_t valueLength,
                   std::uint16_t type, const std::vector<Bytes>& children) {
    Bytes b(6, 0);
    utf16(b, key);
    pad4(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& c : children) {
        pad4(b);
        b.insert(b.end(), c.begin(), c.end());
    }
    put16(b, 0, static_cast<std::uint32_t>(b.size()));
    put16(b, 2, valueLength);
    put16(b, 4, type);
    return b;
}

} // namespace pedetail

inline std::vector<std::uint8_t> versionResource(const VersionResourceSpec& spec) {
    using namespace pedetail;
    Bytes fixed(52, 0);
    put32(fixed, 0, 0xFEEF04BD);
    put32(fixed, 4, 0x00010000);
    std::vector<Bytes> tables;
    for (const VersionTable& t : spec.tables) {
        std::vector<Bytes> strings;
        for (const auto& [name, value] : t.strings) {
            Bytes text;
            utf16(text, value);
            strings.push_back(
                block(name, text, static_cast<std::uint16_t>(value.size() + 1), 1, {}));
        }
        tables.push_back(block(t.key, {}, 0, 1, strings));
    }
    std::vector<Bytes> children;
    if (!spec.tables.empty())
        children.push_back(block("StringFileInfo", {}, 0, 1, tables));
    if (!spec.translations.empty()) {
        Bytes pairs(4 * spec.translations.size(), 0);
        for (std::size_t i = 0; i < spec.translations.size(); ++i) {
            put16(pairs, 4 * i, spec.translations[i].first);
            put16(pairs, 4 * i + 2, spec.translations[i].second);
        }
        children.push_back(
            block("VarFileInfo", {}, 0, 1,
                  {block("Translation", pairs, static_cast<std::uint16_t>(pairs.size()), 0, {})}));
    }
    return block("VS_VERSION_INFO", fixed, 52, 0, children);
}

// A PE image with one section, .rsrc, holding the version resource.
inline std::vector<std::uint8_t> peFile(const VersionResourceSpec& spec) {
    using namespace pedetail;
    const std::uint32_t sectionRva = 0x1000, sectionFile = 0x200;
    // Resource directory: type -> id -> language -> data entry -> data.
    Bytes rsrc(0x58, 0);
    put16(rsrc, 0x0E, 1);
    put32(rsrc, 0x10, spec.resourceType);
    put32(rsrc, 0x14, 0x80000000u | 0x18);
    put16(rsrc, 0x18 + 0x0E, 1);
    put32(rsrc, 0x28, spec.resourceId);
    put32(rsrc, 0x2C, 0x80000000u | 0x30);
    put16(rsrc, 0x30 + 0x0E, 1);
    put32(rsrc, 0x40, 0x0409);
    put32(rsrc, 0x44, 0x48);
    const Bytes data = versionResource(spec);
    put32(rsrc, 0x48, sectionRva + 0x58);
    put32(rsrc, 0x4C, static_cast<std::uint32_t>(data.size()));
    rsrc.insert(rsrc.end(), data.begin(), data.end());
    const std::uint32_t rawSize = static_cast<std::uint32_t>((rsrc.size() + 0x1FF) & ~0x1FFu);

    const std::uint32_t optionalSize = spec.pe32Plus ? 240 : 224;
    Bytes pe(sectionFile, 0);
    pe[0] = 'M';
    pe[1] = 'Z';
    put32(pe, 0x3C, 0x40);
    pe[0x40] = 'P';
    pe[0x41] = 'E';
    const std::size_t coff = 0x44, optional = coff + 20;
    put16(pe, coff, spec.pe32Plus ? 0x8664 : 0x014C);
    put16(pe, coff + 2, 1);
    put16(pe, coff + 16, optionalSize);
    put16(pe, coff + 18, 0x0102);
    put16(pe, optional, spec.pe32Plus ? 0x20B : 0x10B);
    const std::size_t count = optional + (spec.pe32Plus ? 108 : 92);
    put32(pe, count, 16);
    put32(pe, count + 4 + 2 * 8, sectionRva);
    put32(pe, count + 4 + 2 * 8 + 4, static_cast<std::uint32_t>(rsrc.size()));
    const std::size_t section = optional + optionalSize;
    const char name[] = ".rsrc";
    for (std::size_t i = 0; i < 5; ++i)
        pe[section + i] = static_cast<std::uint8_t>(name[i]);
    put32(pe, section + 8, static_cast<std::uint32_t>(rsrc.size()));
    put32(pe, section + 12, sectionRva);
    put32(pe, section + 16, rawSize);
    put32(pe, section + 20, sectionFile);
    pe.insert(pe.end(), rsrc.begin(), rsrc.end());
    pe.resize(sectionFile + rawSize, 0);
    return pe;
}

// The usual case: one table in US English, Unicode, with this FileVersion.
inline std::vector<std::uint8_t> peWithFileVersion(const std::string& fileVersion,
                                                   bool pe32Plus = false) {
    VersionResourceSpec spec;
    spec.pe32Plus = pe32Plus;
    spec.tables.push_back(
        VersionTable{"040904b0", {{"CompanyName", "Korvane"}, {"FileVersion", fileVersion}}});
    return peFile(spec);
}

} // namespace testsupport

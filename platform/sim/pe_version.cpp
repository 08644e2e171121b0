#include "platform/sim/pe_version.h"

#include "platform/win_types.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace platform::sim {
namespace {

constexpr std::uint32_t rtVersion = 16;
constexpr std::uint32_t versionInfoId = 1;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
    std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) const {
        return static_cast<std::uint32_t>(u16(at)) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
    }
    std::size_t size() const { return size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

class Image {
public:
    explicit Image(Bytes bytes) : b_(bytes) {}

    VersionResult open(std::uint32_t& resourceRva) {
        if (!b_.has(0, 0x40) || b_.u16(0) != 0x5A4D) // "MZ"
            return VersionResult::NotExecutable;
        const std::size_t pe = b_.u32(0x3C);
        if (!b_.has(pe, 24) || b_.u32(pe) != 0x00004550) // "PE\0\0"
            return VersionResult::NotExecutable;
        const std::size_t sections = b_.u16(pe + 6);
        const std::size_t optionalSize = b_.u16(pe + 20);
        const std::size_t optional = pe + 24;
        if (!b_.has(optional, optionalSize) || optionalSize < 2)
            return VersionResult::NotExecutable;
        std::size_t countAt = 0, directories = 0;
        switch (b_.u16(optional)) {
        case 0x10B: // PE32
            countAt = 92;
            directories = 96;
            break;
        case 0x20B: // PE32+
            countAt = 108;
            directories = 112;
            break;
        default:
            return VersionResult::NotExecutable;
        }
        // The resource table is data directory 2.
        const std::size_t resourceEntry = directories + 2 * 8;
        if (optionalSize < countAt + 4 || b_.u32(optional + countAt) <= 2 ||
            optionalSize < resourceEntry + 8)
            return VersionResult::NoResources;
        resourceRva = b_.u32(optional + resourceEntry);
        if (resourceRva == 0 || b_.u32(optional + resourceEntry + 4) == 0)
            return VersionResult::NoResources;

        const std::size_t table = optional + optionalSize;
        if (sections > 96 || !b_.has(table, sections * 40))
            return VersionResult::NotExecutable;
        for (std::size_t i = 0; i < sections; ++i) {
            const std::size_t s = table + i * 40;
            sections_[count_++] =
                Section{b_.u32(s + 12), b_.u32(s + 8), b_.u32(s + 16), b_.u32(s + 20)};
        }
        return VersionResult::Ok;
    }

    // The file offset of `length` bytes at `rva`, when a section's file data holds them all.
    std::optional<std::size_t> offset(std::uint64_t rva, std::size_t length) const {
        for (std::size_t i = 0; i < count_; ++i) {
            const Section& s = sections_[i];
            if (rva < s.virtualAddress)
                continue;
            const std::uint64_t into = rva - s.virtualAddress;
            if (into >= s.rawSize || length > s.rawSize - into)
                continue;
            const std::size_t at = static_cast<std::size_t>(s.rawOffset + into);
            if (b_.has(at, length))
                return at;
        }
        return std::nullopt;
    }

private:
    Bytes b_;
    Section sections_[96]{};
    std::size_t count_ = 0;
};

// One entry of a resource directory: by id, or the first when `id` is empty.
struct Entry {
    bool found = false;
    bool directory = false;
    std::uint32_t offset = 0; // from the start of the resource table
};

std::optional<Entry> findEntry(const Bytes& b, const Image& image, std::uint32_t resourceRva,
                               std::uint32_t directoryOffset, std::optional<std::uint32_t> id) {
    const std::uint64_t at = std::uint64_t{resourceRva} + directoryOffset;
    const std::optional<std::size_t> dir = image.offset(at, 16);
    if (!dir)
        return std::nullopt;
    const std::size_t named = b.u16(*dir + 12), ids = b.u16(*dir + 14);
    const std::optional<std::size_t> entries = image.offset(at + 16, (named + ids) * 8);
    if (!entries)
        return std::nullopt;
    for (std::size_t i = 0; i < named + ids; ++i) {
        const std::uint32_t name = b.u32(*entries + i * 8);
        const std::uint32_t target = b.u32(*entries + i * 8 + 4);
        const bool byId = (name & 0x80000000u) == 0;
        if (!id || (byId && name == *id))
            return Entry{true, (target & 0x80000000u) != 0, target & 0x7FFFFFFFu};
    }
    return Entry{};
}

// The blocks of a version resource: length, value length, type, key, value, children.
struct Block {
    std::size_t start = 0, end = 0;
    std::u16string key;
    std::size_t value = 0, valueEnd = 0; // the value's bytes
    std::size_t children = 0;
};

std::size_t align4(std::size_t base, std::size_t at) {
    return at + ((4 - (at - base) % 4) % 4);
}

bool readBlock(const Bytes& b, std::size_t base, std::size_t at, std::size_t limit, Block& out) {
    if (at + 6 > limit || !b.has(at, 6))
        return false;
    const std::size_t length = b.u16(at), valueLength = b.u16(at + 2), type = b.u16(at + 4);
    if (length < 6 || length > limit - at)
        return false;
    out.start = at;
    out.end = at + length;
    out.key.clear();
    std::size_t p = at + 6;
    for (;;) {
        if (p + 2 > out.end)
            return false;
        const char16_t unit = static_cast<char16_t>(b.u16(p));
        p += 2;
        if (unit == 0)
            break;
        out.key += unit;
    }
    p = align4(base, p);
    // Text values count characters, binary values bytes.
    const std::size_t valueBytes = type == 1 ? valueLength * 2 : valueLength;
    out.value = std::min(p, out.end);
    out.valueEnd = std::min(out.end, out.value + valueBytes);
    out.children = std::min(out.end, align4(base, out.valueEnd));
    return true;
}

bool equalKey(const std::u16string& key, const std::string& name) {
    if (key.size() != name.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        char16_t a = key[i];
        char c = name[i];
        if (a >= u'a' && a <= u'z')
            a = static_cast<char16_t>(a - u'a' + u'A');
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (a != static_cast<unsigned char>(c))
            return false;
    }
    return true;
}

// The child of `parent` with this key.
bool child(const Bytes& b, std::size_t base, const Block& parent, const std::string& key,
           Block& found) {
    std::size_t at = parent.children;
    while (at + 6 <= parent.end) {
        Block c;
        if (!readBlock(b, base, at, parent.end, c))
            return false;
        if (equalKey(c.key, key)) {
            found = c;
            return true;
        }
        const std::size_t next = align4(base, c.end);
        if (next <= at)
            return false;
        at = next;
    }
    return false;
}

} // namespace

VersionResult readFileVersion(const std::uint8_t* data, std::size_t size,
                              std::string& fileVersion) {
    fileVersion.clear();
    const Bytes b(data, size);
    Image image(b);
    std::uint32_t resources = 0;
    if (const VersionResult r = image.open(resources); r != VersionResult::Ok)
        return r;
    if (!image.offset(resources, 16))
        return VersionResult::NoResources;

    // Type, then name, then language.
    const std::optional<Entry> type = findEntry(b, image, resources, 0, rtVersion);
    if (!type)
        return VersionResult::Malformed;
    if (!type->found || !type->directory)
        return VersionResult::NoVersion;
    const std::optional<Entry> name = findEntry(b, image, resources, type->offset, versionInfoId);
    if (!name)
        return VersionResult::Malformed;
    if (!name->found || !name->directory)
        return VersionResult::NoVersionId;
    const std::optional<Entry> language =
        findEntry(b, image, resources, name->offset, std::nullopt);
    if (!language || !language->found || language->directory)
        return VersionResult::Malformed;
    const std::optional<std::size_t> dataEntry =
        image.offset(std::uint64_t{resources} + language->offset, 16);
    if (!dataEntry)
        return VersionResult::Malformed;
    const std::uint32_t dataRva = b.u32(*dataEntry), dataSize = b.u32(*dataEntry + 4);
    const std::optional<std::size_t> start = image.offset(dataRva, dataSize);
    if (!start)
        return VersionResult::Malformed;

    const std::size_t base = *start, limit = *start + dataSize;
    Block root;
    if (!readBlock(b, base, base, limit, root) || !equalKey(root.key, "VS_VERSION_INFO"))
        return VersionResult::Malformed;

    Block varInfo, translation;
    if (!child(b, base, root, "VarFileInfo", varInfo) ||
        !child(b, base, varInfo, "Translation", translation) ||
        translation.valueEnd - translation.value < 4)
        return VersionResult::NoTranslation;
    char table[9];
    std::snprintf(table, sizeof table, "%04x%04x", b.u16(translation.value),
                  b.u16(translation.value + 2));

    Block stringInfo, strings, version;
    if (!child(b, base, root, "StringFileInfo", stringInfo) ||
        !child(b, base, stringInfo, table, strings) ||
        !child(b, base, strings, "FileVersion", version))
        return VersionResult::NoFileVersion;
    // The text runs to its terminator, within the block whatever its value length says.
    for (std::size_t p = version.value; p + 2 <= version.end; p += 2) {
        const std::uint16_t unit = b.u16(p);
        if (unit == 0)
            break;
        fileVersion += unit < 0x100 ? static_cast<char>(unit) : '?';
    }
    return VersionResult::Ok;
}

std::uint32_t versionResultError(VersionResult result) {
    switch (result) {
    case VersionResult::Ok:
        return err::success;
    case VersionResult::NotExecutable:
    case VersionResult::NoResources:
        return err::resourceDataNotFound;
    case VersionResult::NoVersion:
        return err::resourceTypeNotFound;
    case VersionResult::NoVersionId:
        return err::resourceNameNotFound;
    case VersionResult::Malformed:
        return err::badFormat;
    case VersionResult::NoTranslation:
    case VersionResult::NoFileVersion:
        return err::resourceTypeNotFound;
    }
    return err::badFormat;
}

} // namespace platform::sim

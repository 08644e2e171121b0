// The simulated machine's reader of INF files: sections, lines with an
// optional key and comma-separated fields, quoting, comments, line
// continuation and %string% substitution from [Strings], as SetupAPI reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sim {

struct InfLine {
    bool hasKey = false;
    std::string key;
    std::vector<std::string> fields; // never empty: "key =" holds one empty field
};

struct InfSection {
    std::string name;
    std::vector<InfLine> lines;
};

class InfFile {
public:
    // Reads the text of an INF (ANSI, UTF-8 or UTF-16LE with a byte-order mark).
    // On malformed text answers false with a SetupAPI error and the 1-based
    // line it was found on.
    bool parse(std::string_view bytes, std::uint32_t& error, std::uint32_t& errorLine);

    // infstyle::win4 when [Version] carries a Windows 95/NT signature, else oldNt.
    std::uint32_t style() const { return style_; }
    const std::vector<InfSection>& sections() const { return sections_; }
    // The section of that name (names compare without regard to case), or null.
    const InfSection* section(std::string_view name) const;
    // Field 1 of the first line of `section` whose key is `key`.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

private:
    InfSection& sectionFor(const std::string& name);
    void substituteStrings();

    std::vector<InfSection> sections_;
    std::uint32_t style_ = 0;
};

// One model of an INF that fits a hardware id: its description and install section.
struct InfModel {
    std::string description;
    std::string installSection;
};

// The model whose ids list `hardwareId`, walking [Manufacturer] with the
// decorations Windows of that bitness honours: on 64-bit Windows only models
// sections decorated NTamd64 count; on 32-bit Windows NTx86, then NT, then the
// undecorated section.
std::optional<InfModel> findInfModel(const InfFile& inf, std::string_view hardwareId, bool is64Bit);

// The install section Windows of that bitness uses: decorated, then ".NT", then plain.
const InfSection* findInstallSection(const InfFile& inf, const std::string& section, bool is64Bit);

// The files the install section copies: (destination name, source name) pairs
// of its CopyFiles entries, each a file list section or an "@file".
std::vector<std::pair<std::string, std::string>> infCopyFiles(const InfFile& inf,
                                                              const InfSection& install);

} // namespace platform::sim

// Texts of the setup's language file: one reader bound to one section.
#pragma once

#include <string>

namespace platform {
class Machine;
class ProfileFiles;
} // namespace platform

namespace common {

// Current directory + "\language\setup.ini" (the program expects to be started
// from its own folder).
std::string setupLanguageFilePath(platform::Machine& machine);

class LanguageText {
public:
    LanguageText(platform::ProfileFiles& profiles, std::string file, std::string section);

    // The key's value (at most 2047 bytes, empty when missing) with the first
    // "\1", then the first "\2", then the first "\3" each turned into a line break.
    // Every call returns its own string: a text stays as it was when another
    // reader reads.
    std::string get(const std::string& key) const;

    const std::string& section() const { return section_; }

private:
    platform::ProfileFiles* profiles_;
    std::string file_;
    std::string section_;
};

// The line-break rule alone.
std::string expandLineBreaks(std::string text);

} // namespace common

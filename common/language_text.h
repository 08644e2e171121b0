// Texts of a program's language file: one reader bound to one section.
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
// Current directory + "\language\" + name.
std::string languageFilePath(platform::Machine& machine, const std::string& name);

// How a language file writes its line breaks.
enum class LineBreaks {
    Numbered,        // the setup's: the first "\1", then "\2", then "\3" each
    FirstBackslashN, // the uninstaller's: the first backslash followed by "n"
};

class LanguageText {
public:
    LanguageText(platform::ProfileFiles& profiles, std::string file, std::string section,
                 LineBreaks breaks = LineBreaks::Numbered);

    // The key's value (at most 2047 bytes, empty when missing) with its line
    // breaks turned into CR LF. Every call returns its own string: a text stays
    // as it was when another reader reads.
    std::string get(const std::string& key) const;

    const std::string& section() const { return section_; }

private:
    platform::ProfileFiles* profiles_;
    std::string file_;
    std::string section_;
    LineBreaks breaks_;
};

// The line-break rules alone.
std::string expandLineBreaks(std::string text);
std::string expandLineBreaks(std::string text, LineBreaks breaks);

} // namespace common

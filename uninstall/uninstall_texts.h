// The uninstaller's texts: language\uninstall.ini under the current directory
// (a backslash and "n" stand for a line break), with the package's English
// file built in for what it lacks.
#pragma once

#include "common/program_texts.h"

#include <string>

namespace platform {
class Machine;
}

namespace uninstall {

class UninstallTexts : public common::ProgramTexts {
public:
    // The language file under the machine's current directory.
    explicit UninstallTexts(platform::Machine& machine);

    // A message of section Message with its one "%s" replaced by `argument`.
    // Nothing else in the text is taken as a format, so a language file
    // cannot make the program read what it was not given.
    std::string format(const std::string& key, const std::string& argument) const;
    // The program's title: Title of section Uninstall, the caption of every box.
    std::string title() const { return get("Uninstall", "Title"); }
};

// The text with its first "%s" replaced by `argument` (appended when it has none).
std::string withArgument(std::string text, const std::string& argument);

} // namespace uninstall

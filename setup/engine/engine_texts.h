// The setup's texts: language\setup.ini under the current directory, with the
// package's English file built in for what it lacks.
#pragma once

#include "common/program_texts.h"

#include <string>

namespace platform {
class ProfileFiles;
}

namespace setup {

// The English language file's value of section/key (line breaks expanded);
// empty when it has none.
std::string fallbackText(const std::string& section, const std::string& key);
inline std::string fallbackText(const std::string& key) {
    return fallbackText("Message", key);
}

class SetupTexts : public common::ProgramTexts {
public:
    SetupTexts(platform::ProfileFiles& profiles, std::string languageFile);
};

} // namespace setup

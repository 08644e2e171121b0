// The setup's texts: the language file under the current directory, and for a
// key the file lacks (a missing or damaged file) the package's own English
// text, built into the program, so that nothing is ever shown as an empty box
// or a bare key.
#pragma once

#include "common/language_text.h"

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

class SetupTexts {
public:
    SetupTexts(platform::ProfileFiles& profiles, std::string languageFile);

    // The language file's text, else the English one, else empty.
    std::string get(const std::string& section, const std::string& key) const;
    std::string message(const std::string& key) const { return get("Message", key); }
    const std::string& file() const { return file_; }
    platform::ProfileFiles& profiles() const { return *profiles_; }

private:
    platform::ProfileFiles* profiles_;
    std::string file_;
};

} // namespace setup

// A program's texts: its language file under the current directory, and for a
// key the file lacks (a missing or damaged file) the package's own English
// text, built into the program, so that nothing is ever shown as an empty box
// or a bare key.
#pragma once

#include "common/language_text.h"

#include <string>
#include <string_view>

namespace platform {
class ProfileFiles;
}

namespace common {

// The value of section/key in a language file's text, line breaks expanded;
// empty when it has none.
std::string textOf(std::string_view fileText, const std::string& section, const std::string& key,
                   LineBreaks breaks);

class ProgramTexts {
public:
    // `english` is the English language file's text; it must outlive the texts.
    ProgramTexts(platform::ProfileFiles& profiles, std::string languageFile,
                 std::string_view english, LineBreaks breaks);

    // The language file's text, else the English one, else empty.
    std::string get(const std::string& section, const std::string& key) const;
    std::string message(const std::string& key) const { return get("Message", key); }
    // The English text alone.
    std::string english(const std::string& section, const std::string& key) const {
        return textOf(english_, section, key, breaks_);
    }
    const std::string& file() const { return file_; }
    platform::ProfileFiles& profiles() const { return *profiles_; }
    LineBreaks lineBreaks() const { return breaks_; }

private:
    platform::ProfileFiles* profiles_;
    std::string file_;
    std::string_view english_;
    LineBreaks breaks_;
};

} // namespace common

#include "common/program_texts.h"

#include "common/profile_file.h"

namespace common {

std::string textOf(std::string_view fileText, const std::string& section, const std::string& key,
                   LineBreaks breaks) {
    return expandLineBreaks(profileGetString(fileText, section, key, "", 2048), breaks);
}

ProgramTexts::ProgramTexts(platform::ProfileFiles& profiles, std::string languageFile,
                           std::string_view english, LineBreaks breaks)
    : profiles_(&profiles), file_(std::move(languageFile)), english_(english), breaks_(breaks) {}

std::string ProgramTexts::get(const std::string& section, const std::string& key) const {
    const std::string value = LanguageText(*profiles_, file_, section, breaks_).get(key);
    return value.empty() ? english(section, key) : value;
}

} // namespace common

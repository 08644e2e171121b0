#include "setup/engine/engine_texts.h"

#include "common/profile_file.h"

#include <string_view>
#include <vector>

namespace setup {

std::vector<std::string_view> englishLanguageFile();

std::string fallbackText(const std::string& section, const std::string& key) {
    static const std::vector<std::string_view> file = englishLanguageFile();
    return common::expandLineBreaks(common::profileGetString(file.at(0), section, key, "", 2048));
}

SetupTexts::SetupTexts(platform::ProfileFiles& profiles, std::string languageFile)
    : profiles_(&profiles), file_(std::move(languageFile)) {}

std::string SetupTexts::get(const std::string& section, const std::string& key) const {
    const std::string value = common::LanguageText(*profiles_, file_, section).get(key);
    return value.empty() ? fallbackText(section, key) : value;
}

} // namespace setup

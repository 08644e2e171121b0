#include "setup/engine/engine_texts.h"

#include <string_view>
#include <vector>

namespace setup {

std::vector<std::string_view> englishLanguageFile();

namespace {

// The built-in texts are literals: the view outlives the list it came in.
std::string_view englishFile() {
    return englishLanguageFile().at(0);
}

} // namespace

std::string fallbackText(const std::string& section, const std::string& key) {
    return common::textOf(englishFile(), section, key, common::LineBreaks::Numbered);
}

SetupTexts::SetupTexts(platform::ProfileFiles& profiles, std::string languageFile)
    : common::ProgramTexts(profiles, std::move(languageFile), englishFile(),
                           common::LineBreaks::Numbered) {}

} // namespace setup

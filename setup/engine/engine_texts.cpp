#include "setup/engine/engine_texts.h"

#include <string_view>
#include <vector>

namespace setup {

std::vector<std::string_view> englishLanguageFile();

namespace {

std::string_view englishFile() {
    static const std::vector<std::string_view> file = englishLanguageFile();
    return file.at(0);
}

} // namespace

std::string fallbackText(const std::string& section, const std::string& key) {
    return common::textOf(englishFile(), section, key, common::LineBreaks::Numbered);
}

SetupTexts::SetupTexts(platform::ProfileFiles& profiles, std::string languageFile)
    : common::ProgramTexts(profiles, std::move(languageFile), englishFile(),
                           common::LineBreaks::Numbered) {}

} // namespace setup

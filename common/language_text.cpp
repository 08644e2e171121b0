#include "common/language_text.h"

#include "platform/machine.h"

namespace common {

std::string languageFilePath(platform::Machine& machine, const std::string& name) {
    std::string folder;
    machine.system().GetCurrentDirectoryA(folder);
    return folder + "\\language\\" + name;
}

std::string setupLanguageFilePath(platform::Machine& machine) {
    return languageFilePath(machine, "setup.ini");
}

std::string expandLineBreaks(std::string text) {
    for (const char* marker : {"\\1", "\\2", "\\3"}) {
        const std::size_t at = text.find(marker);
        if (at != std::string::npos)
            text.replace(at, 2, "\r\n");
    }
    return text;
}

std::string expandLineBreaks(std::string text, LineBreaks breaks) {
    if (breaks == LineBreaks::Numbered)
        return expandLineBreaks(std::move(text));
    const std::size_t at = text.find("\\n");
    if (at != std::string::npos)
        text.replace(at, 2, "\r\n");
    return text;
}

LanguageText::LanguageText(platform::ProfileFiles& profiles, std::string file, std::string section,
                           LineBreaks breaks)
    : profiles_(&profiles), file_(std::move(file)), section_(std::move(section)), breaks_(breaks) {}

std::string LanguageText::get(const std::string& key) const {
    return expandLineBreaks(profiles_->GetPrivateProfileStringA(section_, key, "", 2048, file_),
                            breaks_);
}

} // namespace common

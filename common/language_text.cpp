#include "common/language_text.h"

#include "platform/machine.h"

namespace common {

std::string setupLanguageFilePath(platform::Machine& machine) {
    std::string folder;
    machine.system().GetCurrentDirectoryA(folder);
    return folder + "\\language\\setup.ini";
}

std::string expandLineBreaks(std::string text) {
    for (const char* marker : {"\\1", "\\2", "\\3"}) {
        const std::size_t at = text.find(marker);
        if (at != std::string::npos)
            text.replace(at, 2, "\r\n");
    }
    return text;
}

LanguageText::LanguageText(platform::ProfileFiles& profiles, std::string file, std::string section)
    : profiles_(&profiles), file_(std::move(file)), section_(std::move(section)) {}

std::string LanguageText::get(const std::string& key) const {
    return expandLineBreaks(profiles_->GetPrivateProfileStringA(section_, key, "", 2048, file_));
}

} // namespace common

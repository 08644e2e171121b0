#include "uninstall/uninstall_texts.h"

#include "platform/machine.h"

#include <string_view>
#include <vector>

namespace uninstall {

std::vector<std::string_view> englishLanguageFile();

namespace {

// The built-in texts are literals: the view outlives the list it came in.
std::string_view englishFile() {
    return englishLanguageFile().at(0);
}

} // namespace

UninstallTexts::UninstallTexts(platform::Machine& machine)
    : common::ProgramTexts(machine.profiles(), common::languageFilePath(machine, "uninstall.ini"),
                           englishFile(), common::LineBreaks::FirstBackslashN) {}

std::string withArgument(std::string text, const std::string& argument) {
    const std::size_t at = text.find("%s");
    if (at == std::string::npos)
        return text.empty() ? argument : text + " " + argument;
    return text.replace(at, 2, argument);
}

std::string UninstallTexts::format(const std::string& key, const std::string& argument) const {
    return withArgument(message(key), argument);
}

} // namespace uninstall

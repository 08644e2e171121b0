#include "setup/wizard_context.h"

#include "common/language_text.h"
#include "platform/machine.h"
#include "ui/chinese_font.h"

namespace setup {

Font sharedChineseFont() {
    return ui::chineseDialogFont();
}

WizardContext::WizardContext(platform::Machine& m, std::string folder, const StartupResult& startup)
    : machine(m), texts(m.profiles(), common::setupLanguageFilePath(m)),
      programFolder(std::move(folder)), wow64(startup.wow64), licenceInUse(startup.licenceInUse) {
    if (startup.chineseFont)
        chineseFont = sharedChineseFont();
}

void WizardContext::show(platform::Handle owner, const std::string& text) const {
    machine.desktop().MessageBoxA(owner, text, texts.get("Setup", "Caption"), platform::mb::ok);
}

} // namespace setup

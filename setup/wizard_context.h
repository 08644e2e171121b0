// What the wizard's frame, pages and dialogs share: the machine, the texts of
// the language file, the program's folder and what start-up decided.
#pragma once

#include "common/run_log.h"
#include "setup/engine/engine_texts.h"
#include "setup/startup.h"
#include "ui/dialog_view.h"

#include <optional>
#include <string>

namespace platform {
class Machine;
}

namespace setup {

using View = ui::DialogView<std::string>;
using Font = ui::FontSpec<std::string>;

// The Chinese dialog font of the package's Chinese edition: 13 pixels, normal
// weight, GB2312, swiss family, face "宋体" (code page 936).
Font sharedChineseFont();

struct WizardContext {
    WizardContext(platform::Machine& machine, std::string programFolder,
                  const StartupResult& startup);

    platform::Machine& machine;
    SetupTexts texts;          // language\setup.ini under the current directory
    std::string programFolder; // the program file's folder, no trailing backslash
    bool wow64 = false;
    bool licenceInUse = false;
    std::optional<Font> chineseFont; // when the package's LANGUAGE is 0
    common::RunLog* log = nullptr;   // the run log, when there is one

    const Font* font() const { return chineseFont ? &*chineseFont : nullptr; }
    // A message box with an OK button, owned by `owner`, captioned with the
    // program's title.
    void show(platform::Handle owner, const std::string& text) const;
};

} // namespace setup

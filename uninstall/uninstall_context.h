// What the uninstaller's dialogs share: the machine, the language file's
// texts and, for the Chinese edition, the dialog font.
#pragma once

#include "common/run_log.h"
#include "platform/win_types.h"
#include "ui/dialog_view.h"
#include "uninstall/uninstall_texts.h"

#include <optional>
#include <string>

namespace platform {
class Machine;
}

namespace uninstall {

using View = ui::DialogView<std::string>;
using Font = ui::FontSpec<std::string>;

struct UninstallContext {
    UninstallContext(platform::Machine& machine, bool chineseFont);

    platform::Machine& machine;
    UninstallTexts texts;
    std::optional<Font> chineseFont;
    common::RunLog* log = nullptr; // the run log, when there is one

    const Font* font() const { return chineseFont ? &*chineseFont : nullptr; }
    // A message box with an OK button, captioned with the program's title.
    void show(platform::Handle owner, const std::string& text) const;
};

} // namespace uninstall

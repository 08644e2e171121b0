#include "uninstall/uninstall_context.h"

#include "platform/machine.h"
#include "ui/chinese_font.h"

namespace uninstall {

UninstallContext::UninstallContext(platform::Machine& m, bool chinese) : machine(m), texts(m) {
    if (chinese)
        chineseFont = ui::chineseDialogFont();
}

void UninstallContext::show(platform::Handle owner, const std::string& text) const {
    machine.desktop().MessageBoxA(owner, text, texts.title(), platform::mb::ok);
}

} // namespace uninstall

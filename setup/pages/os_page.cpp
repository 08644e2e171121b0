#include "setup/pages/os_page.h"

#include "common/language_text.h"
#include "platform/machine.h"
#include "setup/res/resource.h"

namespace setup {
namespace {

// The radio button of each variant code.
constexpr int buttons[] = {IDC_OS_98,   IDC_OS_NT,    IDC_OS_2000, IDC_OS_XP,
                           IDC_OS_2003, IDC_OS_VISTA, IDC_OS_2008, IDC_OS_7};

} // namespace

void OsPage::onInit(View& view) {
    applyFont(view);
    const common::LanguageText messages(context_.machine.profiles(), context_.texts.file(),
                                        "Message");
    code_ = common::detectOsVariant(context_.machine, messages);
    platform::OsVersionInfo version;
    const bool windows98OrMe = context_.machine.system().GetVersionExA(version) &&
                               version.platformId == platform::platformWindows &&
                               version.minorVersion > 0;
    // Windows 95, and a Windows the program does not know, check nothing.
    int checked = 0;
    if (code_ != common::osWin9x || windows98OrMe)
        checked = buttons[code_];
    for (int id : buttons)
        view.setChecked(id, id == checked);
    for (int id : buttons)
        view.enable(id, id == buttons[code_]);
    if (context_.wow64)
        view.show(IDC_OS_2000, false);
}

void OsPage::refreshTexts(View& view) {
    view.setText(IDC_OS_GROUP, text("System", "Select"));
}

} // namespace setup

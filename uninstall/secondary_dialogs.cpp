#include "uninstall/secondary_dialogs.h"

#include "uninstall/res/resource.h"
#include "uninstall/startup.h"
#include "ui/chinese_font.h"

namespace uninstall {
namespace {

void closeOnButtons(View& view, const ui::ControlEvent& event) {
    if (event.notice == ui::Notice::Clicked && (event.id == ui::idOk || event.id == ui::idCancel))
        view.close(event.id);
}

} // namespace

void RestartDialog::onInit(View& view) {
    if (const Font* font = context_.font())
        view.applyFont(*font);
    const UninstallTexts& t = context_.texts;
    view.setCaption(t.get("Reboot", "Title"));
    view.setText(IDC_REBOOT_NOTE1, t.get("Reboot", "Note1"));
    view.setText(IDC_REBOOT_NOTE2, t.get("Reboot", "Note2"));
    view.setText(IDC_REBOOT_NOTE3, t.get("Reboot", "Note3"));
    view.setText(ui::idOk, t.get("Reboot", "Yes"));
    view.setText(ui::idCancel, t.get("Reboot", "No"));
}

void RestartDialog::onEvent(View& view, const ui::ControlEvent& event) {
    closeOnButtons(view, event);
}

void AboutBox::onInit(View& view) {
    // The About box asks the package itself, as the setup's does.
    if (packageIsChinese(context_.machine))
        view.applyFont(ui::chineseDialogFont());
    const UninstallTexts& t = context_.texts;
    view.setCaption(t.get("About", "Title"));
    view.setText(IDC_ABOUT_VERSION, t.get("About", "Version"));
    view.setText(IDC_ABOUT_COPYRIGHT, t.get("About", "Copyright"));
    view.setText(ui::idOk, t.get("About", "OK"));
}

void AboutBox::onEvent(View& view, const ui::ControlEvent& event) {
    closeOnButtons(view, event);
}

} // namespace uninstall

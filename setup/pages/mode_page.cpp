#include "setup/pages/mode_page.h"

#include "setup/res/resource.h"

namespace setup {

void ModePage::onInit(View& view) {
    view.checkRadio(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    showTypical(view);
    applyFont(view);
}

void ModePage::showTypical(View& view) {
    typical_ = true;
    view.setText(IDC_NOTE1, text("Mode", "Note1"));
    view.show(IDC_NOTE2, false);
    view.show(IDC_NOTE3, false);
}

void ModePage::showAdvanced(View& view) {
    typical_ = false;
    view.setText(IDC_NOTE1, text("Mode", "Note2"));
    view.setText(IDC_NOTE2, text("Mode", "Note3"));
    view.show(IDC_NOTE2, true);
    view.show(IDC_NOTE3, false);
}

void ModePage::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked)
        return;
    if (event.id == IDC_TYPICAL)
        showTypical(view);
    else if (event.id == IDC_ADVANCED)
        showAdvanced(view);
}

void ModePage::offerAdvanced(View& view, bool advancedSetup) {
    if (advancedSetup) {
        view.enable(IDC_ADVANCED, true);
        // The typical-only note of an earlier model must not stay behind.
        if (typical_)
            showTypical(view);
        return;
    }
    view.enable(IDC_ADVANCED, false);
    view.checkRadio(IDC_TYPICAL, IDC_ADVANCED, IDC_TYPICAL);
    view.setText(IDC_NOTE1, context_.texts.message("IDS_TYPICAL_NOTES"));
    view.show(IDC_NOTE2, false);
    view.show(IDC_NOTE3, false);
    typical_ = true;
}

void ModePage::refreshTexts(View& view) {
    view.setText(IDC_MODE_GROUP, text("Mode", "Type"));
    view.setText(IDC_TYPICAL, text("Mode", "Typical"));
    view.setText(IDC_ADVANCED, text("Mode", "Advanced"));
    view.setText(IDC_REMARKS, text("Mode", "Remarks"));
}

} // namespace setup

// The licence page (template 133): the package's licence text, accept or
// reject; Next stays disabled until the user accepts.
#pragma once

#include "setup/pages/wizard_page.h"

namespace setup {

class LicencePage : public WizardPage {
public:
    LicencePage(WizardContext& context, WizardFrameControl& frame)
        : WizardPage(context), frame_(frame) {}

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void refreshTexts(View& view) override;

private:
    WizardFrameControl& frame_;
};

} // namespace setup

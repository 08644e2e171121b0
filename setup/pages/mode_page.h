// The install-mode page (template 137): typical (one USB port entry, no raster
// choice) or advanced (four USB port entries, the raster choice where the
// model offers it).
#pragma once

#include "setup/pages/wizard_page.h"

namespace setup {

class ModePage : public WizardPage {
public:
    using WizardPage::WizardPage;

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void refreshTexts(View& view) override;

    bool typical() const { return typical_; }
    // The frame's rule when a model is chosen: models without AdvancedSetup
    // install in typical mode only.
    void offerAdvanced(View& view, bool advancedSetup);

private:
    void showTypical(View& view);
    void showAdvanced(View& view);

    bool typical_ = true;
};

} // namespace setup

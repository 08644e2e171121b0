// The printer type and model page (template 131): the type's radio button, the
// model from that type's list, and whether the printer becomes the default.
// The models come from the package's model list.
#pragma once

#include "setup/engine/setup_config.h"
#include "setup/pages/wizard_page.h"

#include <array>

namespace setup {

class TypePage : public WizardPage {
public:
    using WizardPage::WizardPage;

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void refreshTexts(View& view) override;
    bool store(View& view) override;

    PrinterType type() const { return type_; }
    const std::string& model() const { return model_; }
    bool setAsDefault() const { return setAsDefault_; }
    // False when the package lists no model at all.
    bool hasModels() const { return hasModels_; }

private:
    void choose(View& view, PrinterType type);

    PrinterType type_ = PrinterType::None;
    std::string model_;
    bool setAsDefault_ = false;
    bool hasModels_ = false;
};

} // namespace setup

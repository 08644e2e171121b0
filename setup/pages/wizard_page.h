// What the wizard frame asks of each of its pages.
#pragma once

#include "setup/wizard_context.h"
#include "ui/dialog_controller.h"

namespace setup {

// What a page may ask of the frame it lives in.
class WizardFrameControl {
public:
    virtual void enableNext(bool enabled) = 0;
    // Ends the wizard (a page that cannot be used).
    virtual void closeWizard() = 0;

protected:
    ~WizardFrameControl() = default;
};

class WizardPage : public ui::DialogController<std::string> {
public:
    explicit WizardPage(WizardContext& context) : context_(context) {}
    // Each time the page is shown: its texts, from the language file.
    virtual void refreshTexts(View&) {}
    // Before the page is left: the controls into the page's fields; false
    // keeps the page shown.
    virtual bool store(View&) { return true; }

protected:
    void applyFont(View& view) {
        if (const Font* font = context_.font())
            view.applyFont(*font);
    }
    std::string text(const char* section, const char* key) const {
        return context_.texts.get(section, key);
    }

    WizardContext& context_;
};

} // namespace setup

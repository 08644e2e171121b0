// The operating-system page (template 130): the Windows variant the driver is
// installed for. The user does not choose it: the page checks the running
// Windows and disables every other choice.
#pragma once

#include "common/os_variant.h"
#include "setup/pages/wizard_page.h"

namespace setup {

class OsPage : public WizardPage {
public:
    using WizardPage::WizardPage;

    void onInit(View& view) override;
    void refreshTexts(View& view) override;

    common::OsVariant code() const { return code_; }

private:
    common::OsVariant code_ = common::osWin9x;
};

} // namespace setup

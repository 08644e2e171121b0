// Page 103 "Operation" of the printing preferences: one button per moment of a
// job; each opens dialog 104 over that moment's block of the settings record,
// and the block changes only when the dialog ends with OK.
#pragma once

#include "oemui/pages/page_factory.h"

namespace oemui::pages {

class OperationPage final : public PageController {
public:
    explicit OperationPage(const PageEnvironment& env) : env_(env) {}

    void onInit(PageView&) override {}
    void onEvent(PageView& view, const ui::ControlEvent& event) override;

private:
    PageEnvironment env_;
};

} // namespace oemui::pages

// Page 114 "Utility" of the printer properties: the printer's self-test page
// (a raw job), the user-defined paper sizes (spooler forms whose names begin
// with "Custom Paper-") and the way to the control-font table.
#pragma once

#include "oemui/pages/page_factory.h"
#include "platform/plugin_host.h"

#include <string>

namespace oemui::pages {

class UtilityPage final : public PageController {
public:
    explicit UtilityPage(const PageEnvironment& env) : env_(env) {}

    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;

private:
    platform::Handle printer() const;
    void showSelection(PageView& view);
    void enableDelete(PageView& view);
    void printSelfTest(PageView& view);
    void savePaper(PageView& view);
    void deletePaper(PageView& view);
    void editControlTable(PageView& view);
    // A failure the user has to hear about, with the system's reason.
    void tell(PageView& view, const std::u16string& text, std::uint32_t error,
              const std::u16string& caption);

    PageEnvironment env_;
};

} // namespace oemui::pages

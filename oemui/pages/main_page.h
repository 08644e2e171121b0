// "Main" (template 128): the paper size, which is the universal driver's own
// option item changed through the host, and "print all text as graphics
// image", which a watermark (and the hidden rotation and zoom) forces on.
#pragma once

#include "oemui/pages/page_factory.h"
#include "oemui/pages/paper_size_options.h"
#include "oemui/plugin_settings.h"

#include <memory>
#include <utility>
#include <vector>

namespace oemui::pages {

class MainPage final : public PageController {
public:
    MainPage(PluginSettings settings, std::unique_ptr<PaperSizeOptions> papers,
             platform::PluginHost& host, DocumentPageFlags& flags);

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void onPageShown(View& view) override;
    bool onApply(View& view) override;

private:
    bool graphicsForced() const;
    void enableGraphicsChoice(View& view, bool enabled);
    void lockGraphicsChoice(View& view);
    void forceGraphics(View& view);
    void selectDriverChoice(View& view);
    void commitPaperSize(View& view);
    void onZoomClicked(View& view);

    PluginSettings settings_;
    std::unique_ptr<PaperSizeOptions> papers_;
    platform::PluginHost& host_;
    DocumentPageFlags& flags_;
    std::vector<std::pair<std::size_t, int>> rows_; // combo row: (item, index in the item)
};

std::unique_ptr<PageController> makeMainPage(const PageEnvironment& env);

} // namespace oemui::pages

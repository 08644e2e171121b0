#include "oemui/pages/download_page.h"

#include "oemui/pages/download_messages.h"

namespace oemui::pages {

DownloadPage::DownloadPage(const PageEnvironment& env)
    : file_(env.host, printerOf(env)), logos_(env.host, printerOf(env)) {}

void DownloadPage::onInit(PageView& view) {
    file_.start(view);
    logos_.start(view);
}

void DownloadPage::onEvent(PageView& view, const ui::ControlEvent& event) {
    if (!file_.onEvent(view, event)) {
        logos_.onEvent(view, event);
    }
}

bool DownloadPage::onApply(PageView&) {
    logos_.removeWorkBitmaps();
    return true;
}

void DownloadPage::onCancel(PageView&) {
    logos_.removeWorkBitmaps();
}

void DownloadPage::onDestroy(PageView&) {
    logos_.removeWorkBitmaps();
}

} // namespace oemui::pages

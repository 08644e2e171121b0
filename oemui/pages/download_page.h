// The printer's "Download" page (dialog 113): the file download group and the logo
// download group.
#pragma once

#include "oemui/pages/file_download.h"
#include "oemui/pages/logo_download.h"
#include "oemui/pages/page_factory.h"

namespace oemui::pages {

class DownloadPage final : public PageController {
public:
    explicit DownloadPage(const PageEnvironment& env);

    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;
    // The work bitmaps go when the sheet is applied, cancelled or closed: nothing is
    // left in the user's folders.
    bool onApply(PageView& view) override;
    void onCancel(PageView& view) override;
    void onDestroy(PageView& view) override;

    const LogoDownload& logos() const { return logos_; }

private:
    FileDownload file_;
    LogoDownload logos_;
};

} // namespace oemui::pages

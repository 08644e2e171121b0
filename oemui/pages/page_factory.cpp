#include "oemui/pages/page_factory.h"

#include "oemui/pages/download_page.h"
#include "oemui/pages/font_page.h"
#include "oemui/resource.h"

namespace oemui::pages {

std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment& env) {
    switch (templateId) {
    case IDD_DOWNLOAD:
        return std::make_unique<DownloadPage>(env);
    case IDD_FONT:
        return std::make_unique<FontPage>();
    default:
        return nullptr;
    }
}

} // namespace oemui::pages

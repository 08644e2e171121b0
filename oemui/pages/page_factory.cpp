#include "oemui/pages/page_factory.h"

#include "oemui/pages/main_page.h"
#include "oemui/pages/watermark_page.h"
#include "oemui/resource.h"

namespace oemui::pages {

std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment& env) {
    switch (templateId) {
    case IDD_MAIN:
        return makeMainPage(env);
    case IDD_WATERMARK:
        return makeWatermarkPage(env);
    default:
        return nullptr;
    }
}

} // namespace oemui::pages

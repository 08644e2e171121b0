#include "oemui/pages/page_factory.h"

#include "oemui/pages/barcode_1d_page.h"
#include "oemui/pages/barcode_2d_page.h"
#include "oemui/pages/operation_page.h"
#include "oemui/pages/utility_page.h"
#include "oemui/pages/main_page.h"
#include "oemui/pages/watermark_page.h"
#include "oemui/pages/download_page.h"
#include "oemui/pages/font_page.h"
#include "oemui/resource.h"

namespace oemui::pages {

std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment& env) {
    switch (templateId) {
    case IDD_CODE_1D:
        return std::make_unique<Barcode1DPage>(env);
    case IDD_CODE_2D:
        return std::make_unique<Barcode2DPage>(env);
    case IDD_OPERATION:
        return std::make_unique<OperationPage>(env);
    case IDD_UTILITY:
        return std::make_unique<UtilityPage>(env);
    case IDD_MAIN:
        return makeMainPage(env);
    case IDD_WATERMARK:
        return makeWatermarkPage(env);
    case IDD_DOWNLOAD:
        return std::make_unique<DownloadPage>(env);
    case IDD_FONT:
        return std::make_unique<FontPage>();
    default:
        return nullptr;
    }
}

} // namespace oemui::pages

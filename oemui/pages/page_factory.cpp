#include "oemui/pages/page_factory.h"

#include "oemui/pages/barcode_1d_page.h"
#include "oemui/pages/barcode_2d_page.h"
#include "oemui/resource.h"

namespace oemui::pages {

std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment& env) {
    switch (templateId) {
    case IDD_CODE_1D:
        return std::make_unique<Barcode1DPage>(env);
    case IDD_CODE_2D:
        return std::make_unique<Barcode2DPage>(env);
    default:
        return nullptr;
    }
}

} // namespace oemui::pages

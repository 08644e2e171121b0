#include "oemui/pages/page_factory.h"

#include "oemui/resource.h"

namespace oemui::pages {

std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment&) {
    switch (templateId) {
    default:
        return nullptr;
    }
}

} // namespace oemui::pages

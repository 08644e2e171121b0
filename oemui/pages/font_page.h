// The printer's "Font" page (dialog 119): the resident fonts and the point size
// that selects each in an application, as a fixed tree. It stores nothing.
#pragma once

#include "oemui/pages/page_factory.h"

namespace oemui::pages {

class FontPage final : public PageController {
public:
    void onInit(PageView& view) override;
};

} // namespace oemui::pages

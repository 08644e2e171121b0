// The controller behind each property page and dialog of the plug-in. The DLL's
// page procedure asks for one when a page is created and hands it the page's
// messages through the dialog seam; a page without a controller keeps only the
// conventions every page follows.
#pragma once

#include "oemui/page_context.h"
#include "oemui/pages/sheet_state.h"
#include "ui/dialog_controller.h"

#include <memory>
#include <string>

namespace platform {
class PluginHost;
}

namespace oemui::pages {

using PageView = ui::DialogView<std::u16string>;
using PageController = ui::DialogController<std::u16string>;

// What a page controller may use.
struct PageEnvironment {
    platform::PluginHost& host;
    SheetState& sheet;
    DocumentPageContext* document = nullptr; // the printing-preferences pages
    DevicePageContext* device = nullptr;     // the printer-properties pages
};

// nullptr for a page that has no behaviour of its own.
std::unique_ptr<PageController> makePageController(int templateId, const PageEnvironment& env);

} // namespace oemui::pages

// The pages of the plug-in on FakeDialog with the simulated host: what a sheet
// hands its pages (the context records, the settings record the host owns).
#pragma once

#include "oemui/dialog_templates.h"
#include "oemui/pages/page_factory.h"
#include "oemui/plugin_settings.h"
#include "platform/sim/sim_plugin_host.h"
#include "ui/fake_dialog.h"

#include <memory>

namespace oemui::test {

using Dialog = ui::FakeDialog<std::u16string>;

// One page of a sheet: its controller over its real template.
struct SheetPage {
    SheetPage(int templateId, const pages::PageEnvironment& env)
        : controller(pages::makePageController(templateId, env)),
          view(dialogTemplates(), templateId, *controller) {}
    std::unique_ptr<pages::PageController> controller;
    Dialog view;
};

// The printing preferences: a default settings record in the host's hands.
struct DocumentSheet {
    DocumentSheet() {
        writeDefaults(PluginSettings(record));
        ps.pOEMDM = record.data();
        context.psParam = &ps;
    }
    pages::PageEnvironment env(platform::PluginHost& host, pages::SheetState& sheet) {
        pages::PageEnvironment e{host, sheet};
        e.document = &context;
        return e;
    }
    SettingsBytes record{};
    OEMUIPSPARAM ps{};
    DocumentPageContext context;
};

// The printer properties of one printer the host opened.
struct DeviceSheet {
    explicit DeviceSheet(platform::Handle printer) {
        cuip.hPrinter = reinterpret_cast<void*>(static_cast<std::uintptr_t>(printer));
        context.cuipParam = &cuip;
    }
    pages::PageEnvironment env(platform::PluginHost& host, pages::SheetState& sheet) {
        pages::PageEnvironment e{host, sheet};
        e.device = &context;
        return e;
    }
    OEMCUIPPARAM cuip{};
    DevicePageContext context;
};

} // namespace oemui::test

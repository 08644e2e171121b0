// Dialog 104: what the printer does at one moment of a job (a free command, the
// cash drawer or the herald output, buzzer, paper feed, cut, a stored logo),
// edited in the module's working copy. OK stores the controls into it; Cancel
// and "Default" leave it as it was.
#pragma once

#include "oemui/pages/page_factory.h"
#include "platform/plugin_host.h"

namespace oemui::pages {

class OperationDialog final : public PageController {
public:
    OperationDialog(platform::PluginHost& host, OperationWork& work) : host_(host), work_(work) {}

    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;
    bool onCharacter(PageView& view, int id, unsigned character) override;

private:
    void showDefaults(PageView& view);
    bool store(PageView& view);

    platform::PluginHost& host_;
    OperationWork& work_;
};

} // namespace oemui::pages

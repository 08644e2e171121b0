// The control-font character translation table (57KXCONTROL.dat): dialog 115
// lists the 96 characters with their commands and writes the table on OK;
// dialog 116 edits one character's command.
#pragma once

#include "oemui/pages/page_factory.h"
#include "platform/plugin_host.h"

#include <string>

namespace oemui::pages {

class ControlTableDialog final : public PageController {
public:
    ControlTableDialog(platform::PluginHost& host, ControlFontWork& work)
        : host_(host), work_(work) {}

    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;

private:
    void editRow(PageView& view);
    void save(PageView& view);

    platform::PluginHost& host_;
    ControlFontWork& work_;
    std::u16string path_;
};

class ControlEntryDialog final : public PageController {
public:
    ControlEntryDialog(platform::PluginHost& host, ControlFontWork& work)
        : host_(host), work_(work) {}

    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;
    bool onCharacter(PageView& view, int id, unsigned character) override;

private:
    platform::PluginHost& host_;
    ControlFontWork& work_;
};

} // namespace oemui::pages

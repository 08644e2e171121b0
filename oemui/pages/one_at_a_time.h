// The operation dialog and the control-font table keep their work in the
// module (SheetState), so only one of each may be open in a process, even with
// two sheets open side by side.
#pragma once

#include "oemui/pages/page_factory.h"
#include "platform/plugin_host.h"

#include <string>

namespace oemui::pages {

// Marks the dialog open for as long as it runs.
class OneAtATime {
public:
    explicit OneAtATime(bool& open) : open_(open) { open_ = true; }
    ~OneAtATime() { open_ = false; }
    OneAtATime(const OneAtATime&) = delete;
    OneAtATime& operator=(const OneAtATime&) = delete;

private:
    bool& open_;
};

// When the dialog is open already, tells the user so and answers true.
bool openElsewhere(PageView& view, platform::PluginHost& host, bool open,
                   const std::u16string& caption);

} // namespace oemui::pages

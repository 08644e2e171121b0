// "Print all text as graphics image" is forced on by a watermark and by the
// hidden rotation and zoom: the user is told once, when it was off.
#pragma once

#include "oemui/plugin_settings.h"
#include "platform/plugin_host.h"

namespace oemui::pages {

inline void forceTextAsGraphics(platform::PluginHost& host, platform::Handle owner,
                                PluginSettings& settings) {
    if (settings.textAsGraphics() == 0) {
        host.MessageBoxW(owner, u"All Text will be printed as graphics image!", u"Information",
                         platform::mb::iconInformation);
        settings.setTextAsGraphics(1);
    }
}

} // namespace oemui::pages

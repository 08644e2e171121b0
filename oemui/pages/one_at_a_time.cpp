#include "oemui/pages/one_at_a_time.h"

namespace oemui::pages {

bool openElsewhere(PageView& view, platform::PluginHost& host, bool open,
                   const std::u16string& caption) {
    if (open) {
        host.MessageBoxW(view.window(),
                         u"This dialog is already open in another window. Close it there first.",
                         caption, platform::mb::iconInformation);
    }
    return open;
}

} // namespace oemui::pages

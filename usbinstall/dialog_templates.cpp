#include "usbinstall/dialog_templates.h"

#include <string_view>
#include <vector>

namespace usbinstall {

std::vector<std::string_view> installScript();

const ui::TemplateSet& dialogTemplates() {
    static const ui::TemplateSet set = ui::builtInTemplates(installScript());
    return set;
}

} // namespace usbinstall

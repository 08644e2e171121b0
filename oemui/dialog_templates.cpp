#include "oemui/dialog_templates.h"

#include <string_view>
#include <vector>

namespace oemui {

std::vector<std::string_view> pluginScript();

const ui::TemplateSet& dialogTemplates() {
    static const ui::TemplateSet set = ui::builtInTemplates(pluginScript());
    return set;
}

} // namespace oemui

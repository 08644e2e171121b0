#include "uninstall/dialog_templates.h"

#include <string_view>
#include <vector>

namespace uninstall {

std::vector<std::string_view> uninstallScript();

const ui::TemplateSet& dialogTemplates() {
    static const ui::TemplateSet set = ui::builtInTemplates(uninstallScript());
    return set;
}

} // namespace uninstall

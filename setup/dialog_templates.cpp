#include "setup/dialog_templates.h"

#include <string_view>
#include <vector>

namespace setup {

std::vector<std::string_view> setupScript();

const ui::TemplateSet& dialogTemplates() {
    static const ui::TemplateSet set = ui::builtInTemplates(setupScript());
    return set;
}

} // namespace setup

// The setup program's dialog templates (res/tessaly.rc), for FakeDialog in tests.
#pragma once

#include "ui/dialog_template.h"

namespace setup {

const ui::TemplateSet& dialogTemplates();

} // namespace setup

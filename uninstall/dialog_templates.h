// The uninstaller's dialog templates (res/uninstall.rc), for FakeDialog in
// tests and tools.
#pragma once

#include "ui/dialog_template.h"

namespace uninstall {

const ui::TemplateSet& dialogTemplates();

} // namespace uninstall

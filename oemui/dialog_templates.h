// The plug-in's own dialog templates (57KXUI.rc), for FakeDialog in tests.
#pragma once

#include "ui/dialog_template.h"

namespace oemui {

const ui::TemplateSet& dialogTemplates();

} // namespace oemui

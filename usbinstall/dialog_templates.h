// The dialog templates of Install (res/install.rc), for FakeDialog in tests.
#pragma once

#include "ui/dialog_template.h"

namespace usbinstall {

const ui::TemplateSet& dialogTemplates();

} // namespace usbinstall

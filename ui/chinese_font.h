// The dialog font of the package's Chinese edition, which every dialog of the
// setup and the uninstaller takes when the package's LANGUAGE is 0: 13 pixels,
// normal weight, GB2312, swiss family, face "宋体" (code page 936).
#pragma once

#include "ui/dialog_view.h"

#include <string>

namespace ui {

inline FontSpec<std::string> chineseDialogFont() {
    return FontSpec<std::string>{13, 400, 134, 0x20, "\xCB\xCE\xCC\xE5"};
}

} // namespace ui

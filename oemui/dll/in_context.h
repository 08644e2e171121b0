// Running the plug-in's own windows inside its activation context.
#pragma once

#include <windows.h>

#include <functional>

namespace oemui::dll {

// DialogBoxParamW(module, MAKEINTRESOURCE(templateId), owner, procedure, param)
// inside the module's activation context; its result (IDOK is 1), or -1 when the
// context could not be activated for a reason other than the system lacking
// contexts. The pages' dialog hosts run their modal dialogs through it.
INT_PTR RunModalDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM param = 0);

// Any other call that creates common controls (the open-file dialog, image
// lists). Returns what the call returned, or false when it could not be run.
bool runInContext(const std::function<bool()>& call);

} // namespace oemui::dll

// The dialog procedures of the property pages. The Version page is complete;
// the other pages follow, for now, only the conventions every page follows
// (their behaviour comes with their own controllers).
#pragma once

#include <windows.h>

namespace oemui::dll {

INT_PTR CALLBACK versionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK documentPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK devicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure registered for a page template (resource.h).
DLGPROC pageProcedureFor(int templateId);

} // namespace oemui::dll

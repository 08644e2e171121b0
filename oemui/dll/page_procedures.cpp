#include "oemui/dll/page_procedures.h"

#include "oemui/page_conventions.h"
#include "oemui/resource.h"

#include <commctrl.h>
#include <prsht.h>

namespace oemui::dll {
namespace {

UINT notifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->code : 0;
}

// The shared conventions, for a page whose sheet hands it a Context. Pages with
// settings (the document pages) also tell the sheet they hold nothing unsaved.
template <typename Context, bool hasSettings>
INT_PTR conventionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<Context*>(::GetWindowLongPtrW(page, DWLP_USER));
    switch (pageConventionStep(message, notifyCode(message, lParam), context != nullptr)) {
    case PageStep::StoreContext:
        ::SetWindowLongPtrW(page, DWLP_USER,
                            reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
        return TRUE;
    case PageStep::ReportApplied:
        reportApplied(*context);
        if (hasSettings) {
            ::SendMessageW(::GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
        }
        return TRUE;
    case PageStep::AnswerTrue:
        return TRUE;
    case PageStep::DefaultThenZero:
        ::DefWindowProcW(page, message, wParam, lParam);
        return 0;
    case PageStep::DefaultWithResult:
        return ::DefWindowProcW(page, message, wParam, lParam);
    case PageStep::AnswerFalse:
        break;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK versionPageProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    return versionPageAnswer(message, wParam, notifyCode(message, lParam)) ? TRUE : FALSE;
}

INT_PTR CALLBACK documentPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return conventionPageProc<DocumentPageContext, true>(page, message, wParam, lParam);
}

INT_PTR CALLBACK devicePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return conventionPageProc<DevicePageContext, false>(page, message, wParam, lParam);
}

DLGPROC pageProcedureFor(int templateId) {
    switch (templateId) {
    case IDD_VERSION:
        return versionPageProc;
    case IDD_UTILITY:
    case IDD_DOWNLOAD:
    case IDD_FONT:
        return devicePageProc;
    default:
        return documentPageProc;
    }
}

} // namespace oemui::dll

#include "oemui/dll/page_procedures.h"

#include "oemui/dll/in_context.h"
#include "oemui/dll/plugin_module.h"
#include "oemui/page_conventions.h"
#include "oemui/pages/page_factory.h"
#include "oemui/resource.h"
#include "ui/win32/dialog_host.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <type_traits>

namespace oemui::dll {
namespace {

UINT notifyCode(UINT message, LPARAM lParam) {
    return message == WM_NOTIFY && lParam != 0 ? reinterpret_cast<const NMHDR*>(lParam)->code : 0;
}

// A page's controller and the host that hands it the page's messages; made
// when the page is created, gone with its window.
struct PageBinding {
    std::unique_ptr<pages::PageController> controller;
    std::unique_ptr<ui::win32::DialogHost<std::u16string>> host;
};

const wchar_t bindingProperty[] = L"57KXUI.page";

PageBinding* bindingOf(HWND page) {
    return static_cast<PageBinding*>(::GetPropW(page, bindingProperty));
}

template <typename Context>
void bindController(HWND page, const PROPSHEETPAGEW& sheetPage, Context* context) {
    const int templateId =
        static_cast<int>(reinterpret_cast<std::uintptr_t>(sheetPage.pszTemplate));
    PluginModule& module = pluginModule();
    pages::PageEnvironment env{module.host, module.sheet};
    if constexpr (std::is_same_v<Context, DocumentPageContext>)
        env.document = context;
    else
        env.device = context;
    std::unique_ptr<pages::PageController> controller = pages::makePageController(templateId, env);
    if (!controller)
        return;
    auto* binding = new PageBinding{std::move(controller), nullptr};
    binding->host = std::make_unique<ui::win32::DialogHost<std::u16string>>(module.instance,
                                                                            *binding->controller);
    // The pages' own dialogs need Common Controls 6 like the pages.
    binding->host->setModalRunner(RunModalDialog);
    ::SetPropW(page, bindingProperty, binding);
    binding->host->attach(page);
}

// The shared conventions, for a page whose sheet hands it a Context, with the
// page's controller (when it has one) served first. Pages with settings (the
// document pages) also tell the sheet they hold nothing unsaved.
template <typename Context, bool hasSettings>
INT_PTR conventionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<Context*>(::GetWindowLongPtrW(page, DWLP_USER));
    PageBinding* binding = bindingOf(page);
    if (message == WM_NCDESTROY && binding != nullptr) {
        ::RemovePropW(page, bindingProperty);
        delete binding;
        binding = nullptr;
    }
    const UINT code = notifyCode(message, lParam);
    if (binding != nullptr && message != WM_INITDIALOG) {
        INT_PTR result = 0;
        const bool served = binding->host->handle(message, wParam, lParam, result);
        // A page that refuses its values keeps the sheet open: nothing is reported.
        if (message == WM_NOTIFY && code == static_cast<UINT>(PSN_APPLY) &&
            ::GetWindowLongPtrW(page, DWLP_MSGRESULT) != PSNRET_NOERROR)
            return TRUE;
        if (served && !(message == WM_NOTIFY && code == static_cast<UINT>(PSN_APPLY)))
            return result;
    }
    switch (pageConventionStep(message, code, context != nullptr)) {
    case PageStep::StoreContext: {
        const auto& sheetPage = *reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        ::SetWindowLongPtrW(page, DWLP_USER, sheetPage.lParam);
        bindController(page, sheetPage, reinterpret_cast<Context*>(sheetPage.lParam));
        return TRUE;
    }
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

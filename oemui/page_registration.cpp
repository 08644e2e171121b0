#include "oemui/page_registration.h"

#include "oemui/resource.h"
#include "platform/win_types.h"

namespace oemui {

const std::array<int, 6> documentPages = {IDD_MAIN,    IDD_WATERMARK, IDD_OPERATION,
                                          IDD_CODE_1D, IDD_CODE_2D,   IDD_VERSION};
const std::array<int, 4> devicePages = {IDD_UTILITY, IDD_DOWNLOAD, IDD_FONT, IDD_VERSION};

const char16_t sheetTitle[] = u"OEM UI Page";

namespace {

// Hands one page to the host and returns what the host answered (the page's
// handle, or 0 when it could not be added: that page is then simply missing).
std::intptr_t addPage(ModuleServices& module, const PropSheetUiInfo& info, int templateId,
                      std::intptr_t context) {
    PropSheetPageW page{};
    page.dwSize = sizeof(PropSheetPageW);
    if (void* actCtx = module.activationContext()) {
        page.dwFlags |= pspUseFusionContext;
        page.hActCtx = actCtx;
    }
    page.hInstance = module.moduleHandle();
    page.pszTemplate = reinterpret_cast<const char16_t*>(static_cast<std::uintptr_t>(templateId));
    page.pfnDlgProc = module.pageProcedure(templateId);
    page.lParam = context;
    return info.pfnComPropSheet(info.hComPropSheet, cpsfunc::addPropSheetPageW,
                                reinterpret_cast<std::intptr_t>(&page), 0);
}

// The reasons both sheets answer alike. Returns false for INIT, which each sheet
// handles itself.
bool answerCommonReason(PropSheetUiInfo& info, std::intptr_t lParam) {
    switch (info.Reason) {
    case psuiReason::init:
        return false;
    case psuiReason::getInfoHeader:
        if (auto* header = reinterpret_cast<PropSheetUiInfoHeader*>(lParam)) {
            header->pTitle = const_cast<char16_t*>(sheetTitle);
        }
        info.Result = 1;
        return true;
    case psuiReason::destroy:
        info.Result = 1;
        return true;
    case psuiReason::setResult:
        if (const auto* result = reinterpret_cast<const SetResultInfo*>(lParam)) {
            info.Result = static_cast<std::uintptr_t>(result->Result);
        }
        return true;
    case psuiReason::getIcon:
        info.Result = 0;
        return true;
    default:
        return true; // not ours to answer
    }
}

// Refuses what the host must not send: no record, a record of another version,
// or pages to add without the host's entry for adding them.
bool acceptable(const PropSheetUiInfo* info) {
    if (info == nullptr || info->Version != propSheetUiInfoVersion) {
        return false;
    }
    return info->Reason != psuiReason::init || info->pfnComPropSheet != nullptr;
}

} // namespace

Outcome documentPropertySheets(ModuleServices& module, DocumentPageContext& context,
                               PropSheetUiInfo* info, std::intptr_t lParam) {
    if (!acceptable(info)) {
        return failed(platform::err::invalidParameter);
    }
    if (answerCommonReason(*info, lParam)) {
        return succeeded();
    }
    context.hComPropSheet = info->hComPropSheet;
    context.pfnComPropSheet = info->pfnComPropSheet;
    context.psParam = reinterpret_cast<OEMUIPSPARAM*>(info->lParamInit);
    std::intptr_t last = 0;
    for (int id : documentPages) {
        last = addPage(module, *info, id, reinterpret_cast<std::intptr_t>(&context));
    }
    info->Result = static_cast<std::uintptr_t>(last);
    return succeeded();
}

Outcome devicePropertySheets(ModuleServices& module, DevicePageContext& context,
                             PropSheetUiInfo* info, std::intptr_t lParam) {
    if (!acceptable(info)) {
        return failed(platform::err::invalidParameter);
    }
    if (answerCommonReason(*info, lParam)) {
        return succeeded();
    }
    context.hComPropSheet = info->hComPropSheet;
    context.pfnComPropSheet = info->pfnComPropSheet;
    std::intptr_t last = 0;
    for (int id : devicePages) {
        last = addPage(module, *info, id, reinterpret_cast<std::intptr_t>(&context));
        context.pageHandle = last;
    }
    info->Result = static_cast<std::uintptr_t>(last);
    return succeeded();
}

} // namespace oemui

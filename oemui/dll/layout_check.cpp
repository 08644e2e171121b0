// Holds the plug-in's portable declarations of the host's records to the
// system headers that declare them too (no code: compiling is the check).
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include "oemui/oem_ui_records.h"
#include "oemui/page_conventions.h"

#include <cstddef>

namespace oemui {

#define SAME_LAYOUT(ours, theirs, ourField, theirField)                                            \
    static_assert(offsetof(ours, ourField) == offsetof(theirs, theirField) &&                      \
                      sizeof(ours::ourField) == sizeof(theirs::theirField),                        \
                  #theirs "." #theirField)

static_assert(sizeof(PropSheetUiInfo) == sizeof(PROPSHEETUI_INFO), "PROPSHEETUI_INFO");
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, Version, Version);
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, Reason, Reason);
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, hComPropSheet, hComPropSheet);
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, pfnComPropSheet, pfnComPropSheet);
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, lParamInit, lParamInit);
SAME_LAYOUT(PropSheetUiInfo, PROPSHEETUI_INFO, Result, Result);

static_assert(sizeof(PropSheetUiInfoHeader) == sizeof(PROPSHEETUI_INFO_HEADER), "header");
SAME_LAYOUT(PropSheetUiInfoHeader, PROPSHEETUI_INFO_HEADER, pTitle, pTitle);
static_assert(sizeof(SetResultInfo) == sizeof(SETRESULT_INFO), "SETRESULT_INFO");
SAME_LAYOUT(SetResultInfo, SETRESULT_INFO, Result, Result);

static_assert(sizeof(OptParam) == sizeof(OPTPARAM), "OPTPARAM");
SAME_LAYOUT(OptParam, OPTPARAM, pData, pData);
static_assert(sizeof(OptType) == sizeof(OPTTYPE), "OPTTYPE");
SAME_LAYOUT(OptType, OPTTYPE, Count, Count);
SAME_LAYOUT(OptType, OPTTYPE, pOptParam, pOptParam);
static_assert(sizeof(OptItem) == sizeof(OPTITEM), "OPTITEM");
SAME_LAYOUT(OptItem, OPTITEM, Flags, Flags);
SAME_LAYOUT(OptItem, OPTITEM, Sel, pSel);
SAME_LAYOUT(OptItem, OPTITEM, pOptType, pOptType);
SAME_LAYOUT(OptItem, OPTITEM, DMPubID, DMPubID);

static_assert(sizeof(PropSheetPageW) == sizeof(PROPSHEETPAGEW_V3), "PROPSHEETPAGEW_V3");
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, dwFlags, dwFlags);
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, hInstance, hInstance);
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, pszTemplate, pszTemplate);
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, pfnDlgProc, pfnDlgProc);
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, lParam, lParam);
SAME_LAYOUT(PropSheetPageW, PROPSHEETPAGEW_V3, hActCtx, hActCtx);

static_assert(cpsfunc::addPropSheetPageW == CPSFUNC_ADD_PROPSHEETPAGEW, "CPSFUNC");
static_assert(cpsfunc::setResult == CPSFUNC_SET_RESULT, "CPSFUNC");
static_assert(cpsuiOk == CPSUI_OK, "CPSUI_OK");
static_assert(propSheetUiInfoVersion == PROPSHEETUI_INFO_VERSION, "version");
static_assert(psuiReason::init == PROPSHEETUI_REASON_INIT &&
                  psuiReason::getInfoHeader == PROPSHEETUI_REASON_GET_INFO_HEADER &&
                  psuiReason::destroy == PROPSHEETUI_REASON_DESTROY &&
                  psuiReason::setResult == PROPSHEETUI_REASON_SET_RESULT &&
                  psuiReason::getIcon == PROPSHEETUI_REASON_GET_ICON,
              "PROPSHEETUI_REASON");
static_assert(dmpubFormName == DMPUB_FORMNAME && optifChanged == OPTIF_CHANGED, "compstui");
static_assert(pspUseFusionContext == PSP_USEFUSIONCONTEXT, "PSP_USEFUSIONCONTEXT");

static_assert(wm::notify == WM_NOTIFY && wm::setIcon == WM_SETICON &&
                  wm::initDialog == WM_INITDIALOG && wm::command == WM_COMMAND &&
                  wm::sysCommand == WM_SYSCOMMAND,
              "window messages");
static_assert(psn::setActive == PSN_SETACTIVE && psn::killActive == PSN_KILLACTIVE &&
                  psn::apply == PSN_APPLY && psn::queryCancel == PSN_QUERYCANCEL,
              "PSN");
static_assert(psm::changed == PSM_CHANGED && psm::unchanged == PSM_UNCHANGED, "PSM");

} // namespace oemui

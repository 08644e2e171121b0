// What every page of the plug-in does with the messages all pages share, and
// what the Version page answers. The DLL's dialog procedures ask these and carry
// out the answer; the pages' own Parts add their controls on top.
#pragma once

#include "oemui/page_context.h"

#include <cstdint>

namespace oemui {

// The window messages and notifications involved (values of <winuser.h>,
// <commctrl.h> and <prsht.h>).
namespace wm {
inline constexpr std::uint32_t notify = 0x004E;
inline constexpr std::uint32_t setIcon = 0x0080;
inline constexpr std::uint32_t initDialog = 0x0110;
inline constexpr std::uint32_t command = 0x0111;
inline constexpr std::uint32_t sysCommand = 0x0112;
} // namespace wm
namespace psn {
inline constexpr std::uint32_t setActive = static_cast<std::uint32_t>(-200);
inline constexpr std::uint32_t killActive = static_cast<std::uint32_t>(-201);
inline constexpr std::uint32_t apply = static_cast<std::uint32_t>(-202);
inline constexpr std::uint32_t queryCancel = static_cast<std::uint32_t>(-209);
} // namespace psn
namespace psm {
inline constexpr std::uint32_t changed = 0x0400 + 104;
inline constexpr std::uint32_t unchanged = 0x0400 + 109;
} // namespace psm

enum class PageStep {
    StoreContext,      // WM_INITDIALOG: keep the PROPSHEETPAGEW's lParam at DWLP_USER; TRUE
    ReportApplied,     // PSN_APPLY: CPSFUNC_SET_RESULT with CPSUI_OK; TRUE
    AnswerTrue,        // PSN_SETACTIVE, PSN_KILLACTIVE
    AnswerFalse,       // everything else, and every message before the context is kept
    DefaultThenZero,   // WM_SETICON: DefWindowProcW, answer 0
    DefaultWithResult, // WM_SYSCOMMAND: DefWindowProcW, answer its result
};

// notifyCode is NMHDR.code for WM_NOTIFY and ignored otherwise.
PageStep pageConventionStep(std::uint32_t message, std::uint32_t notifyCode, bool contextKept);

// The report of PSN_APPLY: pfnComPropSheet(hComPropSheet, CPSFUNC_SET_RESULT,
// page-handle slot, CPSUI_OK). Returns what the host answered, or 0 when the
// sheet never gave us its entry.
std::intptr_t reportApplied(const DocumentPageContext& context);
std::intptr_t reportApplied(const DevicePageContext& context);

// The Version page: static only; TRUE to the three sheet notifications and to
// WM_COMMAND with notification code 0, FALSE to everything else.
bool versionPageAnswer(std::uint32_t message, std::uintptr_t wParam, std::uint32_t notifyCode);

} // namespace oemui

#include "oemui/page_conventions.h"

namespace oemui {

PageStep pageConventionStep(std::uint32_t message, std::uint32_t notifyCode, bool contextKept) {
    if (message == wm::initDialog) {
        return PageStep::StoreContext;
    }
    if (message == wm::setIcon) {
        return PageStep::DefaultThenZero;
    }
    if (message == wm::sysCommand) {
        return PageStep::DefaultWithResult;
    }
    if (!contextKept || message != wm::notify) {
        return PageStep::AnswerFalse;
    }
    switch (notifyCode) {
    case psn::apply:
        return PageStep::ReportApplied;
    case psn::setActive:
    case psn::killActive:
        return PageStep::AnswerTrue;
    default:
        return PageStep::AnswerFalse;
    }
}

namespace {

std::intptr_t setResult(PfnComPropSheet pfn, void* sheet, std::intptr_t pageHandle) {
    if (pfn == nullptr) {
        return 0;
    }
    return pfn(sheet, cpsfunc::setResult, pageHandle, cpsuiOk);
}

} // namespace

std::intptr_t reportApplied(const DocumentPageContext& context) {
    return setResult(context.pfnComPropSheet, context.hComPropSheet, context.pageHandle);
}

std::intptr_t reportApplied(const DevicePageContext& context) {
    return setResult(context.pfnComPropSheet, context.hComPropSheet, context.pageHandle);
}

bool versionPageAnswer(std::uint32_t message, std::uintptr_t wParam, std::uint32_t notifyCode) {
    if (message == wm::notify) {
        return notifyCode == psn::setActive || notifyCode == psn::killActive ||
               notifyCode == psn::apply;
    }
    if (message == wm::command) {
        return ((wParam >> 16) & 0xFFFF) == 0;
    }
    return false;
}

} // namespace oemui

#include "oemui_test_support.h"

#include <cstring>

namespace oemui::test {
namespace {

SheetRecorder* activeSheet = nullptr;

std::intptr_t OEMUI_STDCALL recordCall(void* sheet, std::uint32_t function, std::intptr_t lParam1,
                                       std::intptr_t lParam2) {
    SheetCall call{sheet, function, lParam1, lParam2, {}};
    std::intptr_t answer = 1;
    if (function == cpsfunc::addPropSheetPageW) {
        // The host copies the page; the plug-in's record is gone after the call.
        std::memcpy(&call.page, reinterpret_cast<const void*>(lParam1), sizeof call.page);
        const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(call.page.pszTemplate));
        const auto fixed = activeSheet->answerForTemplate.find(id);
        answer = fixed != activeSheet->answerForTemplate.end() ? fixed->second
                                                               : activeSheet->nextHandle++;
    }
    activeSheet->calls.push_back(call);
    return answer;
}

template <int id>
std::intptr_t OEMUI_STDCALL pageProc(void*, std::uint32_t, std::uintptr_t, std::intptr_t) {
    return id;
}

} // namespace

DialogProc RecordingServices::procedureFor(int templateId) {
    switch (templateId) {
    case 103:
        return pageProc<103>;
    case 105:
        return pageProc<105>;
    case 113:
        return pageProc<113>;
    case 114:
        return pageProc<114>;
    case 117:
        return pageProc<117>;
    case 118:
        return pageProc<118>;
    case 119:
        return pageProc<119>;
    case 128:
        return pageProc<128>;
    case 131:
        return pageProc<131>;
    default:
        return pageProc<0>;
    }
}

DialogProc RecordingServices::pageProcedure(int templateId) {
    return procedureFor(templateId);
}

SheetRecorder::SheetRecorder() {
    activeSheet = this;
}

SheetRecorder::~SheetRecorder() {
    activeSheet = nullptr;
}

PfnComPropSheet SheetRecorder::pfn() {
    return recordCall;
}

HResult FakeDriverUi::QueryInterface(const Guid& iid, void** object) {
    ++queries;
    if (offersDriverUi && (iid == iidPrintOemDriverUi || iid == iidUnknown)) {
        *object = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return hr::ok;
    }
    *object = nullptr;
    return hr::noInterface;
}

} // namespace oemui::test

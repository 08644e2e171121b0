// Test doubles of the plug-in's surroundings: the DLL's module services, the
// host's pfnComPropSheet and the driver's IPrintOemDriverUI.
#pragma once

#include "oemui/module_services.h"
#include "oemui/oem_ui_records.h"

#include <cstdint>
#include <map>
#include <vector>

namespace oemui::test {

// Module services that record the last error and hand out marker values.
class RecordingServices : public ModuleServices {
public:
    void setLastError(std::uint32_t code) override {
        lastError = code;
        ++lastErrorCalls;
    }
    void* moduleHandle() override { return reinterpret_cast<void*>(0x5700000); }
    void* activationContext() override { return context; }
    DialogProc pageProcedure(int templateId) override;

    // The procedure each template would get: a distinct address per template.
    static DialogProc procedureFor(int templateId);

    std::uint32_t lastError = 0;
    int lastErrorCalls = 0;
    void* context = nullptr;
};

// One call of pfnComPropSheet, with the page it added (function 1).
struct SheetCall {
    void* sheet;
    std::uint32_t function;
    std::intptr_t lParam1;
    std::intptr_t lParam2;
    PropSheetPageW page; // valid for CPSFUNC_ADD_PROPSHEETPAGEW
};

// What the host's common property sheet saw. Install one with Recording
// sheet(...); its pfn() is what goes into PROPSHEETUI_INFO.
class SheetRecorder {
public:
    SheetRecorder();
    ~SheetRecorder();
    static PfnComPropSheet pfn();

    std::vector<SheetCall> calls;
    std::intptr_t nextHandle = 0x1000;              // what an added page is answered with
    std::map<int, std::intptr_t> answerForTemplate; // overrides, e.g. 0 for a failed page
};

// The driver's interface, counting its references.
class FakeDriverUi : public IPrintOemDriverUI {
public:
    HResult OEMUI_STDCALL QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t OEMUI_STDCALL AddRef() override { return ++references; }
    std::uint32_t OEMUI_STDCALL Release() override { return --references; }
    HResult OEMUI_STDCALL DrvGetDriverSetting(void*, const char*, void*, std::uint32_t,
                                              std::uint32_t*, std::uint32_t*) override {
        return hr::notImplemented;
    }
    HResult OEMUI_STDCALL DrvUpgradeRegistrySetting(void*, const char*, const char*) override {
        return hr::notImplemented;
    }
    HResult OEMUI_STDCALL DrvUpdateUISetting(void* pci, void* item, std::uint32_t previous,
                                             std::uint32_t mode) override {
        updates.push_back({pci, item, previous, mode});
        return hr::ok;
    }

    struct Update {
        void* pci;
        void* item;
        std::uint32_t previous;
        std::uint32_t mode;
    };
    std::vector<Update> updates;
    std::uint32_t references = 1;
    int queries = 0;
    bool offersDriverUi = true;
};

} // namespace oemui::test

// The module around the interface object: what the DLL supplies (module handle,
// activation context, the pages' dialog procedures, the thread's last error) and
// the counts that decide whether the DLL may be unloaded. The DLL holds one
// OemUiModule; tests build their own over a recording ModuleServices.
#pragma once

#include "oemui/com_types.h"
#include "oemui/oem_ui_records.h"

#include <atomic>
#include <cstdint>

namespace oemui {

class ModuleServices {
public:
    virtual void setLastError(std::uint32_t code) = 0;
    // The HINSTANCE of every page and modal dialog.
    virtual void* moduleHandle() = 0;
    // The activation context made from the module's own manifest, created on
    // first use; null when the system has none or it cannot be made.
    virtual void* activationContext() = 0;
    // The dialog procedure of a page template (resource.h ids).
    virtual DialogProc pageProcedure(int templateId) = 0;

protected:
    ~ModuleServices() = default;
};

struct OemUiModule {
    explicit OemUiModule(ModuleServices& moduleServices) : services(moduleServices) {}

    ModuleServices& services;
    std::atomic<std::int32_t> serverLocks{0}; // IClassFactory::LockServer
    std::atomic<std::int32_t> liveObjects{0}; // interface objects not yet destroyed
};

// DllCanUnloadNow.
inline HResult canUnloadNow(const OemUiModule& module) {
    return module.liveObjects.load() == 0 && module.serverLocks.load() == 0 ? hr::ok
                                                                            : hr::falseResult;
}

} // namespace oemui

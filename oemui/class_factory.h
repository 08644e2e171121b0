// DllGetClassObject and the class factory behind it.
#pragma once

#include "oemui/com_types.h"
#include "oemui/module_services.h"

#include <atomic>
#include <cstdint>

namespace oemui {

class OemUiClassFactory final : public ComClassFactory {
public:
    explicit OemUiClassFactory(OemUiModule& module) : module_(module) {}

    HResult OEMUI_STDCALL QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t OEMUI_STDCALL AddRef() override;
    std::uint32_t OEMUI_STDCALL Release() override;
    HResult OEMUI_STDCALL CreateInstance(ComUnknown* outer, const Guid& iid,
                                         void** object) override;
    HResult OEMUI_STDCALL LockServer(std::int32_t lock) override;

private:
    std::atomic<std::uint32_t> references_{1};
    OemUiModule& module_;
};

// DllGetClassObject: a factory for the OEM UI class only; any other class id
// leaves *object untouched.
HResult getClassObject(OemUiModule& module, const Guid& clsid, const Guid& iid, void** object);

} // namespace oemui

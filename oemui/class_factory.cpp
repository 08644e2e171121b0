#include "oemui/class_factory.h"

#include "oemui/oem_ui_object.h"

#include <new>

namespace oemui {

HResult OemUiClassFactory::QueryInterface(const Guid& iid, void** object) {
    if (object == nullptr) {
        return hr::pointer;
    }
    if (iid == iidUnknown || iid == iidClassFactory) {
        *object = static_cast<ComClassFactory*>(this);
        AddRef();
        return hr::ok;
    }
    *object = nullptr;
    return hr::noInterface;
}

std::uint32_t OemUiClassFactory::AddRef() {
    return references_.fetch_add(1) + 1;
}

std::uint32_t OemUiClassFactory::Release() {
    const std::uint32_t left = references_.fetch_sub(1) - 1;
    if (left == 0) {
        delete this;
    }
    return left;
}

HResult OemUiClassFactory::CreateInstance(ComUnknown* outer, const Guid& iid, void** object) {
    if (object == nullptr) {
        return hr::pointer;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return hr::noAggregation;
    }
    auto* instance = new (std::nothrow) OemUiObject(module_);
    if (instance == nullptr) {
        return hr::outOfMemory;
    }
    // The object starts with one reference; QueryInterface adds the caller's,
    // Release drops ours (and destroys the object when the interface is refused).
    const HResult result = instance->QueryInterface(iid, object);
    instance->Release();
    return result;
}

HResult OemUiClassFactory::LockServer(std::int32_t lock) {
    if (lock != 0) {
        ++module_.serverLocks;
    } else {
        --module_.serverLocks;
    }
    return hr::ok;
}

HResult getClassObject(OemUiModule& module, const Guid& clsid, const Guid& iid, void** object) {
    if (clsid != clsidOemUi) {
        return hr::classNotAvailable;
    }
    if (object == nullptr) {
        return hr::pointer;
    }
    auto* factory = new (std::nothrow) OemUiClassFactory(module);
    if (factory == nullptr) {
        return hr::outOfMemory;
    }
    const HResult result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

} // namespace oemui

#include "oemui/oem_ui_object.h"

#include "oemui/dev_mode.h"
#include "oemui/get_info.h"
#include "oemui/page_registration.h"
#include "oemui/query_color_profile.h"
#include "platform/win_types.h"

namespace oemui {

OemUiObject::OemUiObject(OemUiModule& module) : module_(module) {
    ++module_.liveObjects;
}

OemUiObject::~OemUiObject() {
    --module_.liveObjects;
}

HResult OemUiObject::apply(Outcome outcome) {
    if (outcome.lastError != 0) {
        module_.services.setLastError(outcome.lastError);
    }
    return outcome.result;
}

HResult OemUiObject::QueryInterface(const Guid& iid, void** object) {
    if (object == nullptr) {
        return hr::pointer;
    }
    if (iid == iidUnknown || iid == iidPrintOemUi) {
        *object = static_cast<IPrintOemUI*>(this);
        AddRef();
        return hr::ok;
    }
    *object = nullptr;
    return hr::noInterface;
}

std::uint32_t OemUiObject::AddRef() {
    return references_.fetch_add(1) + 1;
}

std::uint32_t OemUiObject::Release() {
    const std::uint32_t left = references_.fetch_sub(1) - 1;
    if (left == 0) {
        if (driverUi_ != nullptr) {
            driverUi_->Release();
            driverUi_ = nullptr;
        }
        delete this;
    }
    return left;
}

HResult OemUiObject::GetInfo(std::uint32_t mode, void* buffer, std::uint32_t cbSize,
                             std::uint32_t* pcbNeeded) {
    return apply(getInfo(mode, buffer, cbSize, pcbNeeded));
}

HResult OemUiObject::DevMode(std::uint32_t mode, OEMDMPARAM* param) {
    return apply(devMode(mode, param));
}

HResult OemUiObject::PublishDriverInterface(ComUnknown* unknown) {
    if (driverUi_ != nullptr) {
        return hr::ok;
    }
    void* driverUi = nullptr;
    if (unknown == nullptr || unknown->QueryInterface(iidPrintOemDriverUi, &driverUi) != hr::ok ||
        driverUi == nullptr) {
        driverUi_ = nullptr;
        return hr::fail;
    }
    driverUi_ = static_cast<IPrintOemDriverUI*>(driverUi);
    return hr::ok;
}

HResult OemUiObject::CommonUIProp(std::uint32_t mode, OEMCUIPPARAM* param) {
    if (param == nullptr) {
        return apply(failed(platform::err::invalidParameter));
    }
    device_.cuipParam = param;
    document_.cuipParam = param;
    switch (mode) {
    case OEMCUIP_DOCPROP:
        return hr::ok;
    case OEMCUIP_PRNPROP:
        // The plug-in adds no option items of its own.
        if (param->pOEMOptItems == nullptr) {
            param->cOEMOptItems = 0;
        }
        return hr::ok;
    default:
        return apply(failed(platform::err::invalidParameter));
    }
}

HResult OemUiObject::DocumentPropertySheets(PropSheetUiInfo* info, std::intptr_t lParam) {
    document_.driverUi = driverUi_;
    return apply(documentPropertySheets(module_.services, document_, info, lParam));
}

HResult OemUiObject::DevicePropertySheets(PropSheetUiInfo* info, std::intptr_t lParam) {
    device_.driverUi = driverUi_;
    return apply(devicePropertySheets(module_.services, device_, info, lParam));
}

HResult OemUiObject::DevQueryPrintEx(void*, void*, void*, void*) {
    return hr::notImplemented;
}

HResult OemUiObject::DeviceCapabilities(void*, void*, char16_t*, std::uint16_t, void*, void*, void*,
                                        std::uint32_t, std::uint32_t*) {
    return hr::notImplemented;
}

HResult OemUiObject::UpgradePrinter(std::uint32_t, std::uint8_t*) {
    return hr::notImplemented;
}

HResult OemUiObject::PrinterEvent(char16_t*, std::int32_t, std::uint32_t, std::intptr_t) {
    return hr::notImplemented;
}

HResult OemUiObject::DriverEvent(std::uint32_t, std::uint32_t, std::uint8_t*, std::intptr_t) {
    return hr::notImplemented;
}

HResult OemUiObject::QueryColorProfile(void*, void*, void*, void*, std::uint32_t ulQueryMode,
                                       void* pvProfileData, std::uint32_t* pcbProfileData,
                                       std::uint32_t* pflProfileData) {
    return apply(queryColorProfile(ulQueryMode, pvProfileData, pcbProfileData, pflProfileData));
}

HResult OemUiObject::FontInstallerDlgProc(void*, std::uint32_t, std::uintptr_t, std::intptr_t) {
    return hr::notImplemented;
}

HResult OemUiObject::UpdateExternalFonts(void*, void*, char16_t*) {
    return hr::notImplemented;
}

} // namespace oemui

// What every page of a sheet receives as its PROPSHEETPAGEW.lParam. The records
// live inside the interface object; a page may use them while its sheet is open.
#pragma once

#include "oemui/oem_ui_records.h"

#include <cstdint>

namespace oemui {

// "Not set yet": the host's handles start with all bits set.
inline void* const unsetHandle = reinterpret_cast<void*>(~std::uintptr_t{0});
inline constexpr std::intptr_t unsetPageHandle = -1;

struct DevicePageContext {
    void* hComPropSheet = unsetHandle;
    std::intptr_t pageHandle = unsetPageHandle; // what CPSFUNC_SET_RESULT reports for
    PfnComPropSheet pfnComPropSheet = nullptr;
    OEMCUIPPARAM* cuipParam = nullptr;
    IPrintOemDriverUI* driverUi = nullptr;
};

struct DocumentPageContext {
    void* hComPropSheet = unsetHandle;
    std::intptr_t pageHandle = unsetPageHandle;
    OEMUIPSPARAM* psParam = nullptr; // the sheet's lParamInit; pOEMDM is the settings record
    OEMCUIPPARAM* cuipParam = nullptr;
    PfnComPropSheet pfnComPropSheet = nullptr;
    IPrintOemDriverUI* driverUi = nullptr;
};

} // namespace oemui

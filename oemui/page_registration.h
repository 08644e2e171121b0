// DocumentPropertySheets and DevicePropertySheets: the plug-in's pages and what
// it answers to each PROPSHEETUI reason.
#pragma once

#include "oemui/module_services.h"
#include "oemui/outcome.h"
#include "oemui/page_context.h"

#include <array>
#include <cstdint>

namespace oemui {

// Templates in the order the sheets show them.
extern const std::array<int, 6>
    documentPages; // Main, Water Mark, Operation, 1D Code, 2D Code, Version
extern const std::array<int, 4> devicePages; // Utility, Download, Font, Version

// Title given for PROPSHEETUI_REASON_GET_INFO_HEADER.
extern const char16_t sheetTitle[];

Outcome documentPropertySheets(ModuleServices& module, DocumentPageContext& context,
                               PropSheetUiInfo* info, std::intptr_t lParam);
Outcome devicePropertySheets(ModuleServices& module, DevicePageContext& context,
                             PropSheetUiInfo* info, std::intptr_t lParam);

} // namespace oemui

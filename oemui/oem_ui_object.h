// The IPrintOemUI object: one per CreateInstance, alive until the host's last
// Release. It keeps the driver's IPrintOemDriverUI and the two page contexts;
// the decisions live in the operations it forwards to (get_info, dev_mode,
// query_color_profile, page_registration).
#pragma once

#include "oemui/module_services.h"
#include "oemui/oem_ui_records.h"
#include "oemui/outcome.h"
#include "oemui/page_context.h"

#include <atomic>
#include <cstdint>

namespace oemui {

class OemUiObject final : public IPrintOemUI {
public:
    explicit OemUiObject(OemUiModule& module);

    HResult OEMUI_STDCALL QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t OEMUI_STDCALL AddRef() override;
    std::uint32_t OEMUI_STDCALL Release() override;

    HResult OEMUI_STDCALL GetInfo(std::uint32_t mode, void* buffer, std::uint32_t cbSize,
                                  std::uint32_t* pcbNeeded) override;
    HResult OEMUI_STDCALL DevMode(std::uint32_t mode, OEMDMPARAM* param) override;
    HResult OEMUI_STDCALL PublishDriverInterface(ComUnknown* unknown) override;
    HResult OEMUI_STDCALL CommonUIProp(std::uint32_t mode, OEMCUIPPARAM* param) override;
    HResult OEMUI_STDCALL DocumentPropertySheets(PropSheetUiInfo* info,
                                                 std::intptr_t lParam) override;
    HResult OEMUI_STDCALL DevicePropertySheets(PropSheetUiInfo* info,
                                               std::intptr_t lParam) override;
    HResult OEMUI_STDCALL DevQueryPrintEx(void* poemuiobj, void* pDQPInfo, void* pPublicDM,
                                          void* pOEMDM) override;
    HResult OEMUI_STDCALL DeviceCapabilities(void* poemuiobj, void* hPrinter, char16_t* pDeviceName,
                                             std::uint16_t wCapability, void* pOutput,
                                             void* pPublicDM, void* pOEMDM, std::uint32_t dwOld,
                                             std::uint32_t* dwResult) override;
    HResult OEMUI_STDCALL UpgradePrinter(std::uint32_t dwLevel,
                                         std::uint8_t* pDriverUpgradeInfo) override;
    HResult OEMUI_STDCALL PrinterEvent(char16_t* pPrinterName, std::int32_t iDriverEvent,
                                       std::uint32_t dwFlags, std::intptr_t lParam) override;
    HResult OEMUI_STDCALL DriverEvent(std::uint32_t dwDriverEvent, std::uint32_t dwLevel,
                                      std::uint8_t* pDriverInfo, std::intptr_t lParam) override;
    HResult OEMUI_STDCALL QueryColorProfile(void* hPrinter, void* poemuiobj, void* pPublicDM,
                                            void* pOEMDM, std::uint32_t ulQueryMode,
                                            void* pvProfileData, std::uint32_t* pcbProfileData,
                                            std::uint32_t* pflProfileData) override;
    HResult OEMUI_STDCALL FontInstallerDlgProc(void* hWnd, std::uint32_t usMsg,
                                               std::uintptr_t wParam,
                                               std::intptr_t lParam) override;
    HResult OEMUI_STDCALL UpdateExternalFonts(void* hPrinter, void* hHeap,
                                              char16_t* pwstrCartridges) override;

    // For tests: what the pages will be handed.
    const DevicePageContext& deviceContext() const { return device_; }
    const DocumentPageContext& documentContext() const { return document_; }
    IPrintOemDriverUI* driverUi() const { return driverUi_; }

private:
    ~OemUiObject();
    HResult apply(Outcome outcome);

    std::atomic<std::uint32_t> references_{1};
    IPrintOemDriverUI* driverUi_ = nullptr;
    DevicePageContext device_;
    DocumentPageContext document_;
    OemUiModule& module_;
};

} // namespace oemui

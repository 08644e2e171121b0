// The universal printer driver's UI host, as the plug-in meets it: its records,
// its constants and the two interfaces, written from the host's public
// documentation. Pointers and handles are pointers and the DWORDs fixed 32-bit
// values, so on x64 (Windows and the native Linux build alike) every record has
// the host's layout; the static assertions below hold us to it. The DLL build
// also checks the records that <compstui.h> and <prsht.h> declare against the
// system headers (oemui/dll/layout_check.cpp).
//
// Names that the system headers define as macros or types of their own get
// PascalCase or lower-case spellings here, so that this header can sit beside
// <windows.h> in the DLL.
#pragma once

#include "oemui/com_types.h"

#include <cstddef>
#include <cstdint>

namespace oemui {

// --- printoem.h ----------------------------------------------------------

inline constexpr std::uint32_t OEMGI_GETSIGNATURE = 1;
inline constexpr std::uint32_t OEMGI_GETINTERFACEVERSION = 2;
inline constexpr std::uint32_t OEMGI_GETVERSION = 3;
inline constexpr std::uint32_t OEMGI_GETPUBLISHERINFO = 4;

inline constexpr std::uint32_t OEMDM_SIZE = 1;
inline constexpr std::uint32_t OEMDM_DEFAULT = 2;
inline constexpr std::uint32_t OEMDM_CONVERT = 3;
inline constexpr std::uint32_t OEMDM_MERGE = 4;

inline constexpr std::uint32_t OEMCUIP_DOCPROP = 1;
inline constexpr std::uint32_t OEMCUIP_PRNPROP = 2;

inline constexpr std::uint32_t QCP_DEVICEPROFILE = 0;
inline constexpr std::uint32_t QCP_PROFILEMEMORY = 1;
inline constexpr std::uint32_t QCP_PROFILEDISK = 2;

struct OptItem;

// The head of every plug-in's private DEVMODE part.
struct OEM_DMEXTRAHEADER {
    std::uint32_t dwSize;
    std::uint32_t dwSignature;
    std::uint32_t dwVersion;
};

struct OEMDMPARAM {
    std::uint32_t cbSize;
    void* pdriverobj;
    void* hPrinter;
    void* hModule;
    void* pPublicDMIn;
    void* pPublicDMOut;
    void* pOEMDMIn;
    void* pOEMDMOut;
    std::uint32_t cbBufSize; // in: room at pOEMDMOut; out (OEMDM_SIZE): our size
};

// lParamInit of the sheets' PROPSHEETUI_INFO.
struct OEMUIPSPARAM {
    std::uint32_t cbSize;
    void* poemuiobj;
    void* hPrinter;
    char16_t* pPrinterName;
    void* hModule;
    void* hOEMHeap;
    void* pPublicDM;
    void* pOEMDM;
    void* pOEMUserData;
    std::uint32_t dwFlags;
    void* pOemEntry;
};

struct OEMCUIPPARAM {
    std::uint32_t cbSize;
    void* poemuiobj;
    void* hPrinter;
    char16_t* pPrinterName;
    void* hModule;
    void* hOEMHeap;
    void* pPublicDM;
    void* pOEMDM;
    std::uint32_t dwFlags;
    OptItem* pDrvOptItems;
    std::uint32_t cDrvOptItems;
    OptItem* pOEMOptItems;
    std::uint32_t cOEMOptItems;
    void* pOEMUserData;
    void* OEMCUIPCallback;
};

// --- compstui.h ----------------------------------------------------------

// PFNCOMPROPSHEET: the host's entry for adding pages and reporting results.
using PfnComPropSheet = std::intptr_t(OEMUI_STDCALL*)(void* hComPropSheet, std::uint32_t function,
                                                      std::intptr_t lParam1, std::intptr_t lParam2);

namespace cpsfunc {
inline constexpr std::uint32_t addPropSheetPageW = 1;
inline constexpr std::uint32_t setResult = 9;
} // namespace cpsfunc

inline constexpr std::intptr_t cpsuiOk = 1;
inline constexpr std::uint16_t propSheetUiInfoVersion = 0x0100;

namespace psuiReason {
inline constexpr std::uint16_t init = 0;
inline constexpr std::uint16_t getInfoHeader = 1;
inline constexpr std::uint16_t destroy = 2;
inline constexpr std::uint16_t setResult = 3;
inline constexpr std::uint16_t getIcon = 4;
} // namespace psuiReason

inline constexpr std::uint8_t dmpubFormName = 9;
inline constexpr std::uint32_t optifChanged = 0x00000008;

struct PropSheetUiInfo {
    std::uint16_t cbSize;
    std::uint16_t Version;
    std::uint16_t Flags;
    std::uint16_t Reason;
    void* hComPropSheet;
    PfnComPropSheet pfnComPropSheet;
    std::intptr_t lParamInit;
    std::uintptr_t UserData;
    std::uintptr_t Result;
};

struct PropSheetUiInfoHeader {
    std::uint16_t cbSize;
    std::uint16_t Flags;
    char16_t* pTitle;
    void* hWndParent;
    void* hInst;
    std::uintptr_t IconId; // hIcon or IconID
};

struct SetResultInfo {
    std::uint16_t cbSize;
    std::uint16_t wReserved;
    void* hSetResult;
    std::intptr_t Result;
};

struct OptParam {
    std::uint16_t cbSize;
    std::uint8_t Flags;
    std::uint8_t Style;
    char16_t* pData;
    std::uintptr_t IconID;
    std::intptr_t lParam;
    std::uintptr_t dwReserved[2];
};

struct OptType {
    std::uint16_t cbSize;
    std::uint8_t Type;
    std::uint8_t Flags;
    std::uint16_t Count;
    std::uint16_t BegCtrlID;
    OptParam* pOptParam;
    std::uint16_t Style;
    std::uint16_t wReserved[3];
    std::uintptr_t dwReserved[3];
};

struct OptItem {
    std::uint16_t cbSize;
    std::uint8_t Level;
    std::uint8_t DlgPageIdx;
    std::uint32_t Flags;
    std::uintptr_t UserData;
    char16_t* pName;
    std::intptr_t Sel; // LONG Sel or LPTSTR pSel: the low 32 bits are Sel
    void* pExtChkBox;
    OptType* pOptType;
    std::uint32_t HelpIndex;
    std::uint8_t DMPubID;
    std::uint8_t UserItemID;
    std::uint16_t wReserved;
    void* pOIExt;
    std::uintptr_t dwReserved[3];
};

// --- prsht.h -------------------------------------------------------------

// DLGPROC. The plug-in only passes its procedures on; the DLL supplies them.
using DialogProc = std::intptr_t(OEMUI_STDCALL*)(void* hwnd, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam);

inline constexpr std::uint32_t pspUseFusionContext = 0x00004000;

// PROPSHEETPAGEW up to and including hActCtx: the size we announce in dwSize.
struct PropSheetPageW {
    std::uint32_t dwSize;
    std::uint32_t dwFlags;
    void* hInstance;
    const char16_t* pszTemplate; // MAKEINTRESOURCE(id)
    void* hIcon;
    const char16_t* pszTitle;
    DialogProc pfnDlgProc;
    std::intptr_t lParam;
    void* pfnCallback;
    std::uint32_t* pcRefParent;
    const char16_t* pszHeaderTitle;
    const char16_t* pszHeaderSubTitle;
    void* hActCtx;
};

// --- prcomoem.h: the interfaces ------------------------------------------

// Offered by the host through PublishDriverInterface.
class IPrintOemDriverUI : public ComUnknown {
public:
    virtual HResult OEMUI_STDCALL DrvGetDriverSetting(void* pci, const char* feature, void* output,
                                                      std::uint32_t cbSize,
                                                      std::uint32_t* pcbNeeded,
                                                      std::uint32_t* pdwOptionsReturned) = 0;
    virtual HResult OEMUI_STDCALL DrvUpgradeRegistrySetting(void* hPrinter, const char* feature,
                                                            const char* option) = 0;
    virtual HResult OEMUI_STDCALL DrvUpdateUISetting(void* pci, void* pOptItem,
                                                     std::uint32_t dwPreviousSelection,
                                                     std::uint32_t dwMode) = 0;

protected:
    ~IPrintOemDriverUI() = default;
};

// What the plug-in implements: seventeen slots, IUnknown's three first.
class IPrintOemUI : public ComUnknown {
public:
    virtual HResult OEMUI_STDCALL GetInfo(std::uint32_t mode, void* buffer, std::uint32_t cbSize,
                                          std::uint32_t* pcbNeeded) = 0;
    virtual HResult OEMUI_STDCALL DevMode(std::uint32_t mode, OEMDMPARAM* param) = 0;
    virtual HResult OEMUI_STDCALL PublishDriverInterface(ComUnknown* unknown) = 0;
    virtual HResult OEMUI_STDCALL CommonUIProp(std::uint32_t mode, OEMCUIPPARAM* param) = 0;
    virtual HResult OEMUI_STDCALL DocumentPropertySheets(PropSheetUiInfo* info,
                                                         std::intptr_t lParam) = 0;
    virtual HResult OEMUI_STDCALL DevicePropertySheets(PropSheetUiInfo* info,
                                                       std::intptr_t lParam) = 0;
    virtual HResult OEMUI_STDCALL DevQueryPrintEx(void* poemuiobj, void* pDQPInfo, void* pPublicDM,
                                                  void* pOEMDM) = 0;
    virtual HResult OEMUI_STDCALL DeviceCapabilities(void* poemuiobj, void* hPrinter,
                                                     char16_t* pDeviceName,
                                                     std::uint16_t wCapability, void* pOutput,
                                                     void* pPublicDM, void* pOEMDM,
                                                     std::uint32_t dwOld,
                                                     std::uint32_t* dwResult) = 0;
    virtual HResult OEMUI_STDCALL UpgradePrinter(std::uint32_t dwLevel,
                                                 std::uint8_t* pDriverUpgradeInfo) = 0;
    virtual HResult OEMUI_STDCALL PrinterEvent(char16_t* pPrinterName, std::int32_t iDriverEvent,
                                               std::uint32_t dwFlags, std::intptr_t lParam) = 0;
    virtual HResult OEMUI_STDCALL DriverEvent(std::uint32_t dwDriverEvent, std::uint32_t dwLevel,
                                              std::uint8_t* pDriverInfo, std::intptr_t lParam) = 0;
    virtual HResult OEMUI_STDCALL QueryColorProfile(void* hPrinter, void* poemuiobj,
                                                    void* pPublicDM, void* pOEMDM,
                                                    std::uint32_t ulQueryMode, void* pvProfileData,
                                                    std::uint32_t* pcbProfileData,
                                                    std::uint32_t* pflProfileData) = 0;
    virtual HResult OEMUI_STDCALL FontInstallerDlgProc(void* hWnd, std::uint32_t usMsg,
                                                       std::uintptr_t wParam,
                                                       std::intptr_t lParam) = 0;
    virtual HResult OEMUI_STDCALL UpdateExternalFonts(void* hPrinter, void* hHeap,
                                                      char16_t* pwstrCartridges) = 0;

protected:
    ~IPrintOemUI() = default;
};

// The x64 layout the host relies on. (The i686 build never hands these records
// to a host: the plug-in ships for 64-bit Windows only.)
#if UINTPTR_MAX == UINT64_MAX
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "OEM_DMEXTRAHEADER");

static_assert(offsetof(OEMDMPARAM, pdriverobj) == 8, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, hPrinter) == 16, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, hModule) == 24, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, pPublicDMIn) == 32, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, pPublicDMOut) == 40, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == 48, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, pOEMDMOut) == 56, "OEMDMPARAM");
static_assert(offsetof(OEMDMPARAM, cbBufSize) == 64, "OEMDMPARAM");
static_assert(sizeof(OEMDMPARAM) == 72, "OEMDMPARAM");

static_assert(offsetof(OEMUIPSPARAM, poemuiobj) == 8, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, hPrinter) == 16, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, pPrinterName) == 24, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, pPublicDM) == 48, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, pOEMDM) == 56, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, pOEMUserData) == 64, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, dwFlags) == 72, "OEMUIPSPARAM");
static_assert(offsetof(OEMUIPSPARAM, pOemEntry) == 80, "OEMUIPSPARAM");
static_assert(sizeof(OEMUIPSPARAM) == 88, "OEMUIPSPARAM");

static_assert(offsetof(OEMCUIPPARAM, poemuiobj) == 8, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, hPrinter) == 16, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, pOEMDM) == 56, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == 64, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, pDrvOptItems) == 72, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, cDrvOptItems) == 80, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, pOEMOptItems) == 88, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, cOEMOptItems) == 96, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, pOEMUserData) == 104, "OEMCUIPPARAM");
static_assert(offsetof(OEMCUIPPARAM, OEMCUIPCallback) == 112, "OEMCUIPPARAM");
static_assert(sizeof(OEMCUIPPARAM) == 120, "OEMCUIPPARAM");

static_assert(offsetof(PropSheetUiInfo, hComPropSheet) == 8, "PROPSHEETUI_INFO");
static_assert(offsetof(PropSheetUiInfo, pfnComPropSheet) == 16, "PROPSHEETUI_INFO");
static_assert(offsetof(PropSheetUiInfo, lParamInit) == 24, "PROPSHEETUI_INFO");
static_assert(offsetof(PropSheetUiInfo, Result) == 40, "PROPSHEETUI_INFO");
static_assert(sizeof(PropSheetUiInfo) == 48, "PROPSHEETUI_INFO");
static_assert(offsetof(PropSheetUiInfoHeader, pTitle) == 8, "PROPSHEETUI_INFO_HEADER");
static_assert(sizeof(PropSheetUiInfoHeader) == 40, "PROPSHEETUI_INFO_HEADER");
static_assert(offsetof(SetResultInfo, Result) == 16, "SETRESULT_INFO");
static_assert(sizeof(SetResultInfo) == 24, "SETRESULT_INFO");

static_assert(sizeof(OptParam) == 48, "OPTPARAM");
static_assert(offsetof(OptType, Count) == 4, "OPTTYPE");
static_assert(offsetof(OptType, pOptParam) == 8, "OPTTYPE");
static_assert(sizeof(OptType) == 48, "OPTTYPE");
static_assert(offsetof(OptItem, Flags) == 4, "OPTITEM");
static_assert(offsetof(OptItem, Sel) == 24, "OPTITEM");
static_assert(offsetof(OptItem, pOptType) == 40, "OPTITEM");
static_assert(offsetof(OptItem, DMPubID) == 52, "OPTITEM");
static_assert(sizeof(OptItem) == 88, "OPTITEM");

static_assert(offsetof(PropSheetPageW, hInstance) == 8, "PROPSHEETPAGEW");
static_assert(offsetof(PropSheetPageW, pszTemplate) == 16, "PROPSHEETPAGEW");
static_assert(offsetof(PropSheetPageW, pfnDlgProc) == 40, "PROPSHEETPAGEW");
static_assert(offsetof(PropSheetPageW, lParam) == 48, "PROPSHEETPAGEW");
static_assert(offsetof(PropSheetPageW, hActCtx) == 88, "PROPSHEETPAGEW");
static_assert(sizeof(PropSheetPageW) == 96, "PROPSHEETPAGEW with hActCtx");
#endif

} // namespace oemui

// The UI host's side of the plug-in's interface, declared from its documentation
// on its own (a C vtable in slot order), so that a slot out of place in the
// plug-in shows up as a wrong answer. Shared by the Wine probes of 57KXUI.dll,
// with the way they report: one line per check, ok or FAIL, saying what was expected.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <objbase.h>
#include <prsht.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace oemui_probe {

struct OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    PDEVMODEW pPublicDMIn;
    PDEVMODEW pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
};

struct OEMCUIPPARAM {
    DWORD cbSize;
    PVOID poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    POPTITEM pDrvOptItems;
    DWORD cDrvOptItems;
    POPTITEM pOEMOptItems;
    DWORD cOEMOptItems;
    PVOID pOEMUserData;
    PVOID OEMCUIPCallback;
};

struct OEMUIPSPARAM {
    DWORD cbSize;
    PVOID poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
};

struct OemUi;
struct OemUiVtbl {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(OemUi*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(OemUi*);
    ULONG(STDMETHODCALLTYPE* Release)(OemUi*);
    HRESULT(STDMETHODCALLTYPE* GetInfo)(OemUi*, DWORD, PVOID, DWORD, PDWORD);
    HRESULT(STDMETHODCALLTYPE* DevMode)(OemUi*, DWORD, OEMDMPARAM*);
    HRESULT(STDMETHODCALLTYPE* PublishDriverInterface)(OemUi*, IUnknown*);
    HRESULT(STDMETHODCALLTYPE* CommonUIProp)(OemUi*, DWORD, OEMCUIPPARAM*);
    HRESULT(STDMETHODCALLTYPE* DocumentPropertySheets)(OemUi*, PPROPSHEETUI_INFO, LPARAM);
    HRESULT(STDMETHODCALLTYPE* DevicePropertySheets)(OemUi*, PPROPSHEETUI_INFO, LPARAM);
    HRESULT(STDMETHODCALLTYPE* DevQueryPrintEx)(OemUi*, PVOID, PVOID, PDEVMODEW, PVOID);
    HRESULT(STDMETHODCALLTYPE* DeviceCapabilities)
    (OemUi*, PVOID, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW, PVOID, DWORD, DWORD*);
    HRESULT(STDMETHODCALLTYPE* UpgradePrinter)(OemUi*, DWORD, PBYTE);
    HRESULT(STDMETHODCALLTYPE* PrinterEvent)(OemUi*, PWSTR, INT, DWORD, LPARAM);
    HRESULT(STDMETHODCALLTYPE* DriverEvent)(OemUi*, DWORD, DWORD, LPBYTE, LPARAM);
    HRESULT(STDMETHODCALLTYPE* QueryColorProfile)
    (OemUi*, HANDLE, PVOID, PDEVMODEW, PVOID, ULONG, VOID*, ULONG*, ULONG*);
    HRESULT(STDMETHODCALLTYPE* FontInstallerDlgProc)(OemUi*, HWND, UINT, WPARAM, LPARAM);
    HRESULT(STDMETHODCALLTYPE* UpdateExternalFonts)(OemUi*, HANDLE, HANDLE, PWSTR);
};
struct OemUi {
    const OemUiVtbl* lpVtbl;
};

const GUID clsidOemUi = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
const GUID iidPrintOemUi = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
const GUID iidPrintOemDriverUi = {
    0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
const GUID iidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID iidClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID someOtherId = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

constexpr DWORD OEMGI_GETSIGNATURE = 1, OEMGI_GETINTERFACEVERSION = 2, OEMGI_GETVERSION = 3,
                OEMGI_GETPUBLISHERINFO = 4;
constexpr DWORD OEMDM_SIZE = 1, OEMDM_DEFAULT = 2, OEMDM_CONVERT = 3, OEMDM_MERGE = 4;
constexpr DWORD OEMCUIP_DOCPROP = 1, OEMCUIP_PRNPROP = 2;
// --- the driver's IPrintOemDriverUI -------------------------------------------

// What the pages told the driver through DrvUpdateUISetting.
struct Update {
    PVOID pci;
    PVOID item;
    LONG sel;
    DWORD flags;
    DWORD previous;
    DWORD mode;
};

// The driver's side, counting references and queries and recording updates.
class DriverUi : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        ++queries;
        if (IsEqualGUID(iid, iidPrintOemDriverUi) || IsEqualGUID(iid, iidUnknown)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                          PDWORD) {
        return E_NOTIMPL;
    }
    virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) {
        return E_NOTIMPL;
    }
    virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID item, DWORD previous,
                                                         DWORD mode) {
        if (item == nullptr)
            return E_INVALIDARG;
        const auto* option = static_cast<const OPTITEM*>(item);
        updates.push_back({pci, item, option->Sel, option->Flags, previous, mode});
        return S_OK;
    }

    ULONG references = 1;
    int queries = 0;
    std::vector<Update> updates;
};

// --- loading the plug-in -------------------------------------------------------

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

inline std::wstring pluginBesideProgram() {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring path(self);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"57KXUI.dll";
}

// The common controls the pages use, then the plug-in; null (said why) when it
// cannot be loaded.
inline HMODULE loadPlugin(const std::wstring& path) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    HMODULE module = ::LoadLibraryW(path.c_str());
    if (module == nullptr) {
        std::printf("cannot load %ls (error %lu)\n", path.c_str(), ::GetLastError());
    }
    return module;
}

template <typename Function> Function exported(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// --- the common property sheet's pfnComPropSheet -----------------------------

struct SheetCall {
    HANDLE sheet;
    UINT function;
    LPARAM lParam1;
    LPARAM lParam2;
    PROPSHEETPAGEW page;
};

inline std::vector<SheetCall> sheetCalls;
inline LONG_PTR nextPageHandle = 0x1000;
inline HANDLE const sheetHandle = reinterpret_cast<HANDLE>(0xC0FFEE);

inline LONG_PTR CALLBACK recordSheetCall(HANDLE sheet, UINT function, LPARAM lParam1,
                                         LPARAM lParam2) {
    SheetCall call{sheet, function, lParam1, lParam2, {}};
    LONG_PTR answer = 1;
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
        std::memcpy(&call.page, page,
                    page->dwSize < sizeof call.page ? page->dwSize : sizeof call.page);
        answer = nextPageHandle++;
    }
    sheetCalls.push_back(call);
    return answer;
}

inline int templateOf(const PROPSHEETPAGEW& page) {
    return static_cast<int>(reinterpret_cast<ULONG_PTR>(page.pszTemplate));
}

// --- reporting ----------------------------------------------------------------

inline int failures = 0;

inline void check(bool ok, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::printf("%s ", ok ? "ok  " : "FAIL");
    std::vprintf(format, args);
    std::printf("\n");
    std::fflush(stdout); // a probe reports from two threads; keep the lines in order
    va_end(args);
    if (!ok) {
        ++failures;
    }
}

inline std::string narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

} // namespace oemui_probe

// The universal printer driver's UI host as the Wine probes of 57KXUI.dll play
// it: the records it hands the plug-in and the IPrintOemUI table, declared here
// on their own from the host's documentation (so that a slot out of place in
// the plug-in shows up as a wrong answer), and the probes' way of reporting a
// check. Included by one source file of each probe.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <objbase.h>
#include <prsht.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

// --- the host's side of the interface, from its documentation ---------------

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

constexpr DWORD OEMGI_GETSIGNATURE = 1, OEMGI_GETINTERFACEVERSION = 2, OEMGI_GETVERSION = 3,
                OEMGI_GETPUBLISHERINFO = 4;
constexpr DWORD OEMDM_SIZE = 1, OEMDM_DEFAULT = 2, OEMDM_CONVERT = 3, OEMDM_MERGE = 4;
constexpr DWORD OEMCUIP_DOCPROP = 1, OEMCUIP_PRNPROP = 2;

// --- reporting ----------------------------------------------------------------

int failures = 0;

void check(bool ok, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::printf("%s ", ok ? "ok  " : "FAIL");
    std::vprintf(format, args);
    std::printf("\n");
    va_end(args);
    std::fflush(stdout);
    if (!ok) {
        ++failures;
    }
}

std::string narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

} // namespace

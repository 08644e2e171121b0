// The "1D Code" and "2D Code" pages of the real 57KXUI.dll in a real property
// sheet, as the UI host makes them: a default settings record from DevMode, the
// document sheet's pages from DocumentPropertySheets, then the two barcode pages
// driven through their windows (typed text, the up-down arrows, combo choices,
// radio and Print clicks) with the record checked after each step. A message box
// a page opens is read and closed by a timer of this thread.
//
//   oemui_barcode_pages.exe                 run the checks; exit 0 when all pass
//   oemui_barcode_pages.exe show PAGE SECS  show the sheet on page 0 or 1 (for
//                                           screenshots) for SECS seconds
#include "oemui_interface.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace oemui_probe;

// Control ids of templates 117 and 118 (oemui/resource.h).
enum : int {
    fontName = 1020,
    type = 1022,
    d1HriPosition = 1023,
    d1Print = 1036,
    d1ModuleWidth = 1047,
    d1BarHeight = 1048,
    d1SizeMm = 1052,
    d1BarHeightSpin = 1054,
    d1SizePoint = 1055,
    d1Row2DHeight = 1051,
    d1FontA = 1060,
    d1Data = 1104,
    d2QrError = 1028,
    d2FontSize = 1055,
    d2PdfModuleWidth = 1047,
    d2Segments = 1078,
    d2SegmentsSpin = 1079,
    d2Composite = 1098,
    d2Print = 1106,
    d2Data = 1107,
    d2SegmentsRange = 1114,
};
constexpr int applyButton = 0x3021;
const wchar_t sheetTitle[] = L"Barcode control fonts";

// The record's 1D blocks start at 0x254 (36 bytes each), the 2D ones at 0x374 (24).
BYTE record[1464];
BYTE& field1D(int font, int offset) {
    return record[0x254 + 36 * font + offset];
}
DWORD dword1D(int font, int offset) {
    DWORD v;
    std::memcpy(&v, &record[0x254 + 36 * font + offset], 4);
    return v;
}
BYTE& field2D(int font, int offset) {
    return record[0x374 + 24 * font + offset];
}

// --- message boxes the pages open ------------------------------------------

struct Box {
    std::wstring caption;
    std::wstring text;
};
std::vector<Box> boxes;

BOOL CALLBACK closeBox(HWND window, LPARAM) {
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    // A message box is a dialog whose text is the static control 0xFFFF.
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window) ||
        std::wstring(text) == sheetTitle || ::GetDlgItem(window, 0xFFFF) == nullptr) {
        return TRUE;
    }
    Box box;
    box.caption = text;
    ::GetDlgItemTextW(window, 0xFFFF, text, 512);
    box.text = text;
    boxes.push_back(box);
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK watchForBoxes(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), closeBox, 0);
}

void pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    MSG msg;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

// --- the page's controls as a user works them ---------------------------------

std::wstring textOf(HWND page, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(page, id, text, 512);
    return text;
}

bool enabled(HWND page, int id) {
    return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE;
}

void typeInto(HWND page, int id, const wchar_t* text) {
    ::SetDlgItemTextW(page, id, text); // the edit reports EN_CHANGE as for typing
}

void choose(HWND page, int id, int row) {
    HWND combo = ::GetDlgItem(page, id);
    ::SendMessageW(combo, CB_SETCURSEL, row, 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

void click(HWND page, int id) {
    ::SendMessageW(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    pump(100);
}

// A press on the up-down control's upper arrow.
void clickUpArrow(HWND page, int id) {
    HWND spin = ::GetDlgItem(page, id);
    RECT r;
    ::GetClientRect(spin, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 4);
    ::SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(spin, WM_LBUTTONUP, 0, at);
    pump(50);
}

std::pair<int, int> spinRange(HWND page, int id) {
    int low = -1, high = -1;
    ::SendDlgItemMessageW(page, id, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                          reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

int rows(HWND page, int id) {
    return static_cast<int>(::SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0));
}

int selected(HWND page, int id) {
    return static_cast<int>(::SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0));
}

// --- the checks ------------------------------------------------------------------

void checkOneD(HWND sheet, HWND page) {
    check(rows(page, fontName) == 8 && selected(page, fontName) == 0 && rows(page, type) == 13,
          "1D: eight fonts, \"1D Code1\" chosen, thirteen symbologies");
    check(textOf(page, d1SizeMm) == L" 23.0" && textOf(page, d1SizePoint) == L" 65.0" &&
              !enabled(page, d1SizeMm),
          "1D: the default block shows \" 23.0\" mm and \" 65.0\" points, disabled (got \"%s\", "
          "\"%s\")",
          narrow(textOf(page, d1SizeMm)).c_str(), narrow(textOf(page, d1SizePoint)).c_str());
    check(textOf(page, d1ModuleWidth) == L"3" && spinRange(page, 1053) == std::make_pair(2, 6),
          "1D: element width 3 with its up-down at 2..6");
    check(!enabled(page, d1Row2DHeight) && !enabled(page, d1FontA),
          "1D: \"2D Row Height:\" off under Independence, HRI fonts off while HRI is not printed");
    check(!enabled(sheet, applyButton),
          "1D: filling the controls (each SetWindowText reports EN_CHANGE) changes nothing");

    typeInto(page, d1ModuleWidth, L"9");
    check(field1D(0, 1) == 6 && dword1D(0, 0x0C) == 48 && textOf(page, d1ModuleWidth) == L"6",
          "1D: typing 9 into \"Element Width:\" stores 6 and character width 48, shows 6 (got %d)",
          field1D(0, 1));
    check(enabled(sheet, applyButton), "1D: an edit tells the sheet (Apply enabled)");

    clickUpArrow(page, d1BarHeightSpin);
    check(dword1D(0, 4) == 164 && textOf(page, d1BarHeight) == L"164",
          "1D: the upper arrow of \"Element Height:\" stores and shows 164 (got %lu, \"%s\")",
          dword1D(0, 4), narrow(textOf(page, d1BarHeight)).c_str());
    choose(page, d1HriPosition, 3);
    check(field1D(0, 8) == 3 && dword1D(0, 0x10) == 212 && enabled(page, d1FontA) &&
              textOf(page, d1SizePoint) == L" 85.0",
          "1D: HRI both above and below in font A: fontSize 212, 85.0 points, fonts on (got %lu)",
          dword1D(0, 0x10));

    typeInto(page, d1Data, L"");
    const bool offWhenEmpty = !enabled(page, d1Print);
    typeInto(page, d1Data, L"12345");
    check(offWhenEmpty && enabled(page, d1Print), "1D: \"Print\" only while there is data");
    click(page, d1Print);
    check(boxes.size() == 1 && boxes[0].caption == L"Error" &&
              boxes[0].text == L" BarCode data error!",
          "1D: five digits of UPC-A are refused with \" BarCode data error!\" (%zu boxes)",
          boxes.size());
    typeInto(page, d1Data, L"12345678901");
    click(page, d1Print);
    check(boxes.size() == 1, "1D: eleven digits print without a message (no printer: the "
                             "spooler refuses silently)");

    choose(page, fontName, 7);
    check(textOf(page, d1ModuleWidth) == L"3" && selected(page, type) == 8 &&
              textOf(page, d1Data) == L"{A1234",
          "1D: \"1D Code8\" shows its own block: Code128 with its sample \"{A1234\"");
}

void checkTwoD(HWND page) {
    check(textOf(page, d2FontSize) == L"9.5" && !enabled(page, d2FontSize),
          "2D: the font size is 9.5, disabled");
    check(rows(page, type) == 6 && rows(page, 1023) == 9 && rows(page, d2QrError) == 4,
          "2D: six symbologies, nine PDF417 levels, four QR levels");

    choose(page, type, 3);
    check(field2D(0, 0) == 3 && enabled(page, d2Segments) && !enabled(page, d2PdfModuleWidth),
          "2D: GS1 DataBar Expanded Stacked offers the segments, not the PDF417 group");
    typeInto(page, d2Segments, L"2");
    click(page, d2Composite);
    check(field2D(0, 0x11) == 4 && spinRange(page, d2SegmentsSpin) == std::make_pair(4, 20) &&
              textOf(page, d2SegmentsRange) == L"[ 4 . . 20 ]" && textOf(page, d2Segments) == L"4",
          "2D: \"Composite\" raises 2 segments to 4, range 4..20 (got %d)", field2D(0, 0x11));

    // "2D Code2" holds a QR level from another program that has no letter.
    choose(page, fontName, 1);
    check(selected(page, type) == 4 && selected(page, d2QrError) == 1,
          "2D: a stored QR level 9 shows as \"M\"");
    click(page, d2Print);
    check(boxes.size() == 2 && boxes[1].text.find(L"not L, M, H or Q") != std::wstring::npos,
          "2D: and the print is refused with a message (%zu boxes)", boxes.size());
    check(field2D(1, 0x17) == 9, "2D: the record keeps the level until one is chosen");
    choose(page, d2QrError, 3);
    check(field2D(1, 0x17) == 3, "2D: choosing \"Q\" stores 3");
}

int run(int showPage, int seconds) {
    HMODULE module = loadPlugin(pluginBesideProgram());
    if (module == nullptr) {
        return 2;
    }
    const auto getClassObject = exported<GetClassObject>(module, "DllGetClassObject");
    IClassFactory* factory = nullptr;
    OemUi* ui = nullptr;
    if (getClassObject == nullptr ||
        getClassObject(clsidOemUi, iidClassFactory, reinterpret_cast<void**>(&factory)) != S_OK ||
        factory->CreateInstance(nullptr, iidPrintOemUi, reinterpret_cast<void**>(&ui)) != S_OK) {
        std::printf("no IPrintOemUI object\n");
        return 2;
    }
    factory->Release();

    OEMDMPARAM dm{};
    dm.cbSize = sizeof dm;
    dm.pOEMDMOut = record;
    dm.cbBufSize = sizeof record;
    check(ui->lpVtbl->DevMode(ui, OEMDM_DEFAULT, &dm) == S_OK, "DevMode(OEMDM_DEFAULT)");
    field2D(1, 0) = 4;    // QR Code
    field2D(1, 0x17) = 9; // a level no letter stands for
    OEMCUIPPARAM cuip{};
    cuip.cbSize = sizeof cuip;
    ui->lpVtbl->CommonUIProp(ui, OEMCUIP_DOCPROP, &cuip);
    OEMUIPSPARAM psParam{};
    psParam.cbSize = sizeof psParam;
    psParam.pOEMDM = record;
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = sheetHandle;
    info.pfnComPropSheet = recordSheetCall;
    info.lParamInit = reinterpret_cast<LPARAM>(&psParam);
    ui->lpVtbl->DocumentPropertySheets(ui, &info, 0);
    std::vector<HPROPSHEETPAGE> pages;
    for (const auto& call : sheetCalls) {
        const int id = templateOf(call.page);
        if (call.function == CPSFUNC_ADD_PROPSHEETPAGEW && (id == 117 || id == 118)) {
            pages.push_back(::CreatePropertySheetPageW(&call.page));
        }
    }
    check(pages.size() == 2, "the document sheet offers pages 117 and 118");
    if (pages.size() != 2) {
        return 1;
    }
    sheetCalls.clear();

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = sheetTitle;
    header.nPages = 2;
    header.phpage = pages.data();
    const HWND sheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
    check(sheet != nullptr, "the pages open in a property sheet");
    if (sheet == nullptr) {
        return 1;
    }
    if (showPage >= 0) {
        PropSheet_SetCurSel(sheet, nullptr, showPage);
        pump(seconds * 1000);
        ::DestroyWindow(sheet);
        return 0;
    }

    ::SetTimer(nullptr, 0, 50, watchForBoxes);
    PropSheet_SetCurSel(sheet, nullptr, 0);
    checkOneD(sheet, PropSheet_GetCurrentPageHwnd(sheet));
    PropSheet_SetCurSel(sheet, nullptr, 1);
    checkTwoD(PropSheet_GetCurrentPageHwnd(sheet));

    PropSheet_Apply(sheet);
    pump(100);
    int okReports = 0;
    for (const auto& call : sheetCalls) {
        okReports += call.function == CPSFUNC_SET_RESULT && call.lParam2 == CPSUI_OK;
    }
    check(okReports == 2 && !enabled(sheet, applyButton),
          "applying reports CPSUI_OK for both pages and leaves nothing unsaved (%d reports)",
          okReports);
    ::DestroyWindow(sheet);
    ui->lpVtbl->Release(ui);
    std::printf("%d check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "show") {
        return run(std::atoi(argv[2]), std::atoi(argv[3]));
    }
    return run(-1, 0);
}

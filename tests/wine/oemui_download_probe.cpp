// Opens the printer's property sheet of the real 57KXUI.dll as the universal printer
// driver's UI host does, and works its Download and Font pages as a user would: logos
// chosen in the real open-file dialog, the preview modes, a slider, the downloads and
// their messages, the sheet applied.
//
//   oemui_download_probe check FOLDER
//       every check; exit 0 when all pass. FOLDER (a Windows path) holds logo24.bmp,
//       logo8.bmp, logo1.bmp and firmware.JK.
//   oemui_download_probe show FOLDER original|transformation|gray|font
//       the Download page with the three logos in that preview mode (or the Font
//       page), then "ready LEFT TOP WIDTH HEIGHT" on standard output; the sheet stays
//       until a file FOLDER\shown appears (at most two minutes).
//
// The host hands the pages no printer (a null handle), so every job is refused by the
// spooler: the pages' messages for a failed download are what is checked here; the
// bytes of the jobs are the native tests' business.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <prsht.h>

#include <cstdarg>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// --- the host's side of the interface (slots 0 to 8 of IPrintOemUI) ---------

struct OEMCUIPPARAM {
    DWORD cbSize;
    PVOID poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PVOID pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    PVOID pDrvOptItems;
    DWORD cDrvOptItems;
    PVOID pOEMOptItems;
    DWORD cOEMOptItems;
    PVOID pOEMUserData;
    PVOID OEMCUIPCallback;
};

struct PropSheetUiInfo {
    WORD cbSize;
    WORD Version;
    WORD Flags;
    WORD Reason;
    HANDLE hComPropSheet;
    LONG_PTR(CALLBACK* pfnComPropSheet)(HANDLE, UINT, LPARAM, LPARAM);
    LPARAM lParamInit;
    ULONG_PTR UserData;
    ULONG_PTR Result;
};

struct OemUi;
struct OemUiVtbl {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(OemUi*, REFIID, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(OemUi*);
    ULONG(STDMETHODCALLTYPE* Release)(OemUi*);
    void* GetInfo;
    void* DevMode;
    void* PublishDriverInterface;
    HRESULT(STDMETHODCALLTYPE* CommonUIProp)(OemUi*, DWORD, OEMCUIPPARAM*);
    void* DocumentPropertySheets;
    HRESULT(STDMETHODCALLTYPE* DevicePropertySheets)(OemUi*, PropSheetUiInfo*, LPARAM);
};
struct OemUi {
    const OemUiVtbl* lpVtbl;
};

const GUID clsidOemUi = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
const GUID iidPrintOemUi = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
const GUID iidClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr UINT addPage = 1;  // CPSFUNC_ADD_PROPSHEETPAGEW
constexpr DWORD prnProp = 2; // OEMCUIP_PRNPROP

std::vector<PROPSHEETPAGEW> pages;

LONG_PTR CALLBACK recordSheetCall(HANDLE, UINT function, LPARAM lParam1, LPARAM) {
    if (function == addPage) {
        pages.push_back(*reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
        return static_cast<LONG_PTR>(0x1000 + pages.size());
    }
    return 1;
}

// --- reporting ----------------------------------------------------------------

int failures = 0;

void check(bool ok, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::printf("%s ", ok ? "ok  " : "FAIL");
    std::vprintf(format, args);
    std::printf("\n");
    std::fflush(stdout);
    va_end(args);
    failures += ok ? 0 : 1;
}

std::string narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) {
        out.push_back(c == L'\n' ? '|' : c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

// --- the other windows: open-file dialogs and message boxes --------------------

CRITICAL_SECTION lock;
std::vector<std::wstring> filesToChoose; // answered in order
std::vector<std::wstring> messagesSeen;  // "caption: text"
volatile bool watching = true;

std::wstring windowText(HWND w) {
    wchar_t text[2048] = {};
    GetWindowTextW(w, text, 2048);
    return text;
}

// Answers an open-file dialog with the next file, in whichever style the system
// draws it (the file name box is cmb13 in the Explorer style, edt1 in the old one).
void answerFileDialog(HWND dialog) {
    EnterCriticalSection(&lock);
    const std::wstring file = filesToChoose.empty() ? L"" : filesToChoose.front();
    if (!filesToChoose.empty()) {
        filesToChoose.erase(filesToChoose.begin());
    }
    LeaveCriticalSection(&lock);
    HWND name = GetDlgItem(dialog, 0x47C);
    if (name == nullptr) {
        name = GetDlgItem(dialog, 0x480);
    }
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(dialog, WM_COMMAND, file.empty() ? IDCANCEL : IDOK, 0);
}

// Waits until a window answered is gone, so that it is not answered twice.
void awaitClosed(HWND window) {
    for (int i = 0; i < 100 && IsWindow(window); ++i) {
        Sleep(20);
    }
}

DWORD WINAPI watch(void*) {
    while (watching) {
        for (const wchar_t* title : {L"Please Select a Logo file", L"Please select a file"}) {
            if (HWND dialog = FindWindowW(L"#32770", title)) {
                answerFileDialog(dialog);
                awaitClosed(dialog);
            }
        }
        for (const wchar_t* caption : {L"Error", L"ok"}) {
            HWND box = FindWindowW(L"#32770", caption);
            const std::wstring text = box ? windowText(GetDlgItem(box, 0xFFFF)) : L"";
            if (!text.empty()) { // a box still being made has no text yet
                EnterCriticalSection(&lock);
                messagesSeen.push_back(std::wstring(caption) + L": " + text);
                LeaveCriticalSection(&lock);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                awaitClosed(box);
            }
        }
        Sleep(50);
    }
    return 0;
}

std::vector<std::wstring> takeMessages() {
    EnterCriticalSection(&lock);
    std::vector<std::wstring> seen;
    seen.swap(messagesSeen);
    LeaveCriticalSection(&lock);
    return seen;
}

// --- the sheet ------------------------------------------------------------------

HWND sheet = nullptr;

void pump(DWORD milliseconds = 300) {
    const DWORD until = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!PropSheet_IsDialogMessage(sheet, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(10);
    }
}

HWND showPage(int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    pump();
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void press(HWND page, int id) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    pump();
}

void clickRadio(HWND page, int id) {
    SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
    pump();
}

void selectRow(HWND page, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, 1041, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    pump();
}

void addLogo(HWND page, const std::wstring& path) {
    EnterCriticalSection(&lock);
    filesToChoose.push_back(path);
    LeaveCriticalSection(&lock);
    press(page, 1042);
}

std::wstring cell(HWND page, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendDlgItemMessageW(page, 1041, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

bool checked(HWND page, int id) {
    return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool enabled(HWND page, int id) {
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

// Bits per pixel of a bitmap file, 0 when there is no such file.
int bitsOf(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 0;
    }
    BYTE head[30] = {};
    DWORD got = 0;
    ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    return got == sizeof head && head[0] == 'B' && head[1] == 'M' ? head[28] : 0;
}

// The distinct colours the preview shows on the screen.
std::set<COLORREF> previewColours(HWND page) {
    HWND preview = GetDlgItem(page, 1046);
    RECT r{};
    GetClientRect(preview, &r);
    HDC dc = GetDC(preview);
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; y += 2) {
        for (int x = r.left; x < r.right; x += 2) {
            colours.insert(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(preview, dc);
    return colours;
}

bool startsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// --- the checks -------------------------------------------------------------------

void checkDownloadPage(HWND page, const std::wstring& folder) {
    HWND list = GetDlgItem(page, 1041);
    const wchar_t* titles[] = {L"ID", L"Name", L"Path"};
    const int widths[] = {30, 150, 300};
    for (int c = 0; c < 3; ++c) {
        wchar_t text[32] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = 32;
        const bool got = SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        check(got && std::wstring(text) == titles[c] && column.cx == widths[c],
              "Download: list column %d is \"%s\", %d wide (got \"%s\", %d)", c,
              narrow(titles[c]).c_str(), widths[c], narrow(text).c_str(), column.cx);
    }
    check((SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT) != 0,
          "Download: the list selects whole rows");
    check(checked(page, 1087) && checked(page, 1089), "Download: opens with Original and None");
    check(!enabled(page, 1036) && enabled(page, 1040) && !enabled(page, 1044),
          "Download: Download and Download all start disabled, Browse enabled");
    check((GetWindowLongW(GetDlgItem(page, 1039), GWL_STYLE) & ES_READONLY) != 0,
          "Download: the file path cannot be typed into");
    HWND contrast = GetDlgItem(page, 1095);
    check(SendMessageW(contrast, TBM_GETRANGEMIN, 0, 0) == -100 &&
              SendMessageW(contrast, TBM_GETRANGEMAX, 0, 0) == 100 &&
              SendMessageW(contrast, TBM_GETPAGESIZE, 0, 0) == 20,
          "Download: Contrast runs from -100 to 100 in pages of 20");
    RECT thumb{};
    RECT channel{};
    SendMessageW(contrast, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(contrast, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const long middle = (channel.left + channel.right) / 2;
    check(SendMessageW(contrast, TBM_GETPOS, 0, 0) == 0 && thumb.left < middle &&
              thumb.right > middle,
          "Download: Contrast starts at 0, its thumb in the middle of the channel (thumb %ld-%ld, "
          "channel %ld-%ld, position %ld)",
          thumb.left, thumb.right, channel.left, channel.right,
          static_cast<long>(SendMessageW(contrast, TBM_GETPOS, 0, 0)));
    check((GetWindowLongW(GetDlgItem(page, 1046), GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW,
          "Download: the preview is an owner-drawn static");

    for (const wchar_t* name : {L"logo24.bmp", L"logo8.bmp", L"logo1.bmp"}) {
        addLogo(page, folder + name);
    }
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    check(rows == 3 && cell(page, 0, 0) == L"1" && cell(page, 2, 0) == L"3" &&
              cell(page, 0, 1) == L"logo24.bmp" && cell(page, 1, 2) == folder + L"logo8.bmp",
          "Download: three logos chosen in the open-file dialog are listed (%d rows)", rows);
    check(bitsOf(folder + L"logo24Temp.bmp") == 1 && bitsOf(folder + L"logo8Temp.bmp") == 1 &&
              bitsOf(folder + L"logo1Temp.bmp") == 0,
          "Download: adding makes 1-bit work bitmaps of the 24- and 8-bit logos only");

    selectRow(page, 0);
    const std::size_t original = previewColours(page).size();
    check(original > 8, "Download: Original previews the colour logo itself (%zu colours)",
          original);
    clickRadio(page, 1061);
    const std::set<COLORREF> mono = previewColours(page);
    check(mono == std::set<COLORREF>{RGB(0, 0, 0), RGB(255, 255, 255)},
          "Download: Transformation previews black and white only (%zu colours)", mono.size());
    check(enabled(page, 1044) && checked(page, 1090),
          "Download: Transformation enables Download all and checks Dither M3");
    HWND slider = GetDlgItem(page, 1095);
    SendMessageW(slider, TBM_SETPOS, TRUE, 40);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 40),
                 reinterpret_cast<LPARAM>(slider));
    pump();
    check(windowText(GetDlgItem(page, 1096)) == L"40",
          "Download: the Contrast label follows "
          "the slider (\"%s\")",
          narrow(windowText(GetDlgItem(page, 1096))).c_str());
    clickRadio(page, 1088);
    const std::size_t grays = previewColours(page).size();
    check(bitsOf(folder + L"logo24Temp.bmp") == 8 && grays > 2,
          "Download: Gray makes 8-bit work bitmaps and previews levels of gray (%zu)", grays);
    takeMessages();

    press(page, 1044);
    press(page, 1045);
    EnterCriticalSection(&lock);
    filesToChoose.push_back(folder + L"firmware.JK");
    LeaveCriticalSection(&lock);
    press(page, 1040);
    check(windowText(GetDlgItem(page, 1039)) == folder + L"firmware.JK" && enabled(page, 1036),
          "Download: Browse puts the chosen file in the path and enables Download");
    press(page, 1036);
    pump(1000);
    const std::vector<std::wstring> seen = takeMessages();
    const wchar_t* expected[] = {
        L"Error: The logos were not sent to the printer: the print job could not be started.\n",
        L"Error: The logos were not cleared: the print job could not be started.\n",
        L"Error: The file was not sent to the printer: the print job could not be started.\n"};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::wstring got = i < seen.size() ? seen[i] : L"";
        check(startsWith(got, expected[i]) && got.size() > wcslen(expected[i]),
              "Download: a refused job says so and gives the system's reason: \"%s\"",
              narrow(got).c_str());
    }

    PropSheet_Apply(sheet);
    pump();
    check(bitsOf(folder + L"logo24Temp.bmp") == 0 && bitsOf(folder + L"logo8Temp.bmp") == 0,
          "Download: applying the sheet removes the work bitmaps");
}

void checkFontPage(HWND page) {
    HWND tree = GetDlgItem(page, 1069);
    const LRESULT count = SendMessageW(tree, TVM_GETCOUNT, 0, 0);
    HTREEITEM root = TreeView_GetRoot(tree);
    wchar_t text[64] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE;
    item.hItem = root;
    item.pszText = text;
    item.cchTextMax = 64;
    item.stateMask = TVIS_EXPANDED;
    TreeView_GetItem(tree, &item);
    check(count == 19 && std::wstring(text) == L"Printer Fonts and Font Sizes" &&
              (item.state & TVIS_EXPANDED) != 0 && item.iImage == 0,
          "Font: 19 items under the expanded root \"%s\"", narrow(text).c_str());
    check(TreeView_GetSelection(tree) == root, "Font: the root is selected");
    HTREEITEM group = TreeView_GetChild(tree, root);
    int expandedGroups = 0;
    for (; group != nullptr; group = TreeView_GetNextSibling(tree, group)) {
        expandedGroups += (TreeView_GetItemState(tree, group, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    check(expandedGroups == 3, "Font: the three groups are expanded (%d)", expandedGroups);
    HIMAGELIST images = TreeView_GetImageList(tree, TVSIL_NORMAL);
    check(images != nullptr && ImageList_GetImageCount(images) == 3,
          "Font: the tree has the three icons");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: oemui_download_probe check|show FOLDER [MODE]\n");
        return 2;
    }
    const std::string command = argv[1];
    wchar_t folderText[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, argv[2], -1, folderText, MAX_PATH);
    std::wstring folder = folderText;
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    const std::string mode = argc > 3 ? argv[3] : "original";

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    InitializeCriticalSection(&lock);
    HANDLE watcher = CreateThread(nullptr, 0, watch, nullptr, 0, nullptr);

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dll(self);
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"57KXUI.dll";
    HMODULE module = LoadLibraryW(dll.c_str());
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject =
        module ? reinterpret_cast<GetClassObject>(
                     reinterpret_cast<void (*)()>(GetProcAddress(module, "DllGetClassObject")))
               : nullptr;
    IClassFactory* factory = nullptr;
    OemUi* ui = nullptr;
    if (getClassObject == nullptr ||
        getClassObject(clsidOemUi, iidClassFactory, reinterpret_cast<void**>(&factory)) != S_OK ||
        factory->CreateInstance(nullptr, iidPrintOemUi, reinterpret_cast<void**>(&ui)) != S_OK) {
        std::printf("cannot load 57KXUI.dll and make its object (error %lu)\n", GetLastError());
        return 2;
    }
    factory->Release();

    OEMCUIPPARAM cuip{};
    cuip.cbSize = sizeof cuip;
    ui->lpVtbl->CommonUIProp(ui, prnProp, &cuip);
    PropSheetUiInfo info{};
    info.cbSize = sizeof info;
    info.Version = 0x0100;
    info.Reason = 0; // PROPSHEETUI_REASON_INIT
    info.hComPropSheet = reinterpret_cast<HANDLE>(0xC0FFEE);
    info.pfnComPropSheet = recordSheetCall;
    ui->lpVtbl->DevicePropertySheets(ui, &info, 0);

    std::vector<HPROPSHEETPAGE> handles;
    for (const auto& page : pages) {
        handles.push_back(CreatePropertySheetPageW(&page));
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"QRT-K500NX Printer Properties";
    header.nPages = static_cast<UINT>(handles.size());
    header.phpage = handles.data();
    sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (sheet == nullptr || pages.size() != 4) {
        std::printf("the device sheet did not open (%zu pages)\n", pages.size());
        return 2;
    }
    SetWindowPos(sheet, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);

    if (command == "check") {
        checkDownloadPage(showPage(1), folder);
        checkFontPage(showPage(2));
    } else {
        HWND page = showPage(mode == "font" ? 2 : 1);
        if (mode != "font") {
            for (const wchar_t* name : {L"logo24.bmp", L"logo8.bmp", L"logo1.bmp"}) {
                addLogo(page, folder + name);
            }
            selectRow(page, 0);
            if (mode != "original") {
                clickRadio(page, mode == "gray" ? 1088 : 1061);
            }
        }
        pump(500);
        RECT r{};
        GetWindowRect(sheet, &r);
        std::printf("ready %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        std::fflush(stdout);
        const std::wstring shown = folder + L"shown";
        for (int i = 0; i < 1200 && GetFileAttributesW(shown.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++i) {
            pump(100);
        }
        DeleteFileW(shown.c_str());
        PropSheet_Apply(sheet);
    }
    DestroyWindow(sheet);
    pump();
    watching = false;
    WaitForSingleObject(watcher, 2000);
    ui->lpVtbl->Release(ui);
    std::printf("%d check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
}

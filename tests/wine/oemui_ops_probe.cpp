// The Operation and Utility pages of the real 57KXUI.dll in a real property
// sheet, driven as a user drives them: a second thread clicks, types and reads
// the controls by messages while this thread runs the sheet and the pages'
// modal dialogs. The document sheet's settings record is the host's buffer and
// is read back byte for byte; the control-font table is read from and written
// to the driver folder of the Wine prefix.
//
//   oemui_ops_probe.exe [HOLD_SECONDS]
// With HOLD_SECONDS every page and dialog stays up that long once it is filled,
// so that the screenshot script can take it.
//
// Exit code 0 when every check passes, 1 when one fails, 2 when the plug-in
// cannot be loaded at all.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <winspool.h>
#include <objbase.h>
#include <prsht.h>

#include "oemui_interface.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace oemui_probe;

constexpr std::size_t recordSize = 1464;
DWORD holdMilliseconds = 0; // how long a filled page stays up for the screenshots

// --- the common property sheet's pfnComPropSheet --------------------------------

std::vector<PROPSHEETPAGEW> addedPages;
int okReports = 0;

LONG_PTR CALLBACK recordSheetCall(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        PROPSHEETPAGEW page{};
        const auto* given = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
        std::memcpy(&page, given, given->dwSize < sizeof page ? given->dwSize : sizeof page);
        addedPages.push_back(page);
        return 0x1000 + static_cast<LONG_PTR>(addedPages.size());
    }
    if (function == CPSFUNC_SET_RESULT && lParam2 == CPSUI_OK) {
        ++okReports;
    }
    return 1;
}

PROPSHEETUI_INFO sheetInfo(LPARAM lParamInit) {
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = reinterpret_cast<HANDLE>(0xC0FFEE);
    info.pfnComPropSheet = recordSheetCall;
    info.lParamInit = lParamInit;
    return info;
}

// The page of that template among those the plug-in added.
const PROPSHEETPAGEW* pageOf(int templateId) {
    for (const auto& page : addedPages) {
        if (reinterpret_cast<ULONG_PTR>(page.pszTemplate) == static_cast<ULONG_PTR>(templateId)) {
            return &page;
        }
    }
    return nullptr;
}

// --- what the second thread does to the windows of this one ---------------------

// A top-level window of this process with that title, waited for.
HWND waitForWindow(const wchar_t* title, DWORD milliseconds = 10000) {
    const DWORD until = ::GetTickCount() + milliseconds;
    for (;;) {
        for (HWND w = ::FindWindowW(nullptr, title); w != nullptr;
             w = ::FindWindowExW(nullptr, w, nullptr, title)) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(w, &process);
            if (process == ::GetCurrentProcessId() && ::IsWindowVisible(w)) {
                return w;
            }
        }
        if (::GetTickCount() > until) {
            return nullptr;
        }
        ::Sleep(50);
    }
}

bool waitGone(HWND window, DWORD milliseconds = 10000) {
    const DWORD until = ::GetTickCount() + milliseconds;
    while (::IsWindow(window)) {
        if (::GetTickCount() > until) {
            return false;
        }
        ::Sleep(50);
    }
    return true;
}

void hold() {
    if (holdMilliseconds != 0) {
        ::Sleep(holdMilliseconds);
    }
}

std::wstring textOf(HWND dialog, int id) {
    wchar_t text[2048] = {};
    ::GetDlgItemTextW(dialog, id, text, 2048);
    return text;
}

bool checked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void click(HWND dialog, int id);

// A check box clicked: its state changes, then the dialog hears of it.
void toggle(HWND dialog, int id) {
    ::SendDlgItemMessageW(dialog, id, BM_SETCHECK,
                          checked(dialog, id) ? BST_UNCHECKED : BST_CHECKED, 0);
    click(dialog, id);
}

// A click that returns once the page has acted on it.
void click(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A click that opens a modal dialog (or closes one): this thread goes on.
void clickLater(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void type(HWND dialog, int id, const wchar_t* text) {
    ::SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void typeCharacters(HWND dialog, int id, const wchar_t* characters) {
    for (const wchar_t* c = characters; *c != 0; ++c) {
        ::SendDlgItemMessageW(dialog, id, WM_CHAR, *c, 1);
    }
}

void choose(HWND dialog, int id, int index) {
    ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::wstring cell(HWND list, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void selectRow(HWND list, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

// The activation context on this (the sheets') thread at the moment a message
// reaches the probe's own window: asked by the second thread while a dialog is
// up, it is the context the dialog runs in. Wine's Common Controls 5 and 6 are
// one module, so the controls themselves cannot tell.
HWND contextWindow = nullptr;
std::wstring activeManifest;

LRESULT CALLBACK contextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    activeManifest.clear();
    HANDLE context = nullptr;
    if (::GetCurrentActCtx(&context) && context != nullptr) {
        SIZE_T needed = 0;
        ::QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, nullptr, 0,
                       &needed);
        std::vector<BYTE> buffer(needed);
        if (needed != 0 && ::QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation,
                                          buffer.data(), needed, &needed)) {
            const auto* detail =
                reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(buffer.data());
            if (detail->lpRootManifestPath != nullptr) {
                activeManifest = detail->lpRootManifestPath;
            }
        }
        ::ReleaseActCtx(context);
    }
    return 0;
}

// Whether the dialogs now run inside the plug-in's own context.
bool inPluginContext(std::string& manifest) {
    ::SendMessageW(contextWindow, WM_APP, 0, 0);
    manifest = narrow(activeManifest);
    for (auto& c : manifest) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return manifest.find("57kxui.dll") != std::string::npos;
}

// --- a sheet run by this thread, driven by a second one --------------------------

struct Script {
    void (*run)(HWND sheet);
    HWND sheet;
};

DWORD WINAPI runScript(LPVOID parameter) {
    const auto* script = static_cast<const Script*>(parameter);
    script->run(script->sheet);
    return 0;
}

void runSheet(const PROPSHEETPAGEW& page, const wchar_t* caption, void (*run)(HWND sheet)) {
    HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&page);
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = caption;
    header.nPages = 1;
    header.phpage = &handle;
    const HWND sheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
    check(sheet != nullptr, "\"%s\" opens as a property sheet", narrow(caption).c_str());
    if (sheet == nullptr) {
        return;
    }
    Script script{run, sheet};
    HANDLE thread = ::CreateThread(nullptr, 0, runScript, &script, 0, nullptr);
    MSG msg;
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 60000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!PropSheet_IsDialogMessage(sheet, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    check(::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0, "the script of \"%s\" ended in time",
          narrow(caption).c_str());
    ::CloseHandle(thread);
    ::DestroyWindow(sheet);
}

// --- the Operation page (103) and its dialog (104) ---------------------------------

// Resource ids (oemui/resource.h).
enum : int {
    OpStartDocument = 1011,
    OpEndDocument = 1014,
    SendCommand = 1015,
    Command = 1016,
    CashDrawer = 1017,
    PaperCut = 1020,
    PaperFeed = 1021,
    PaperFeedSpin = 1022,
    FeedBeforeCut = 1023,
    Volume = 1024,
    Buzzer = 1027,
    Logo = 1028,
    AlignLeft = 1029,
    SelfTest = 1036,
    SavePaper = 1046,
    Width = 1047,
    Height = 1048,
    DeletePaper = 1049,
    FormName = 1052,
    WidthRange = 1057,
    ControlFont = 1045,
    FormList = 1094,
    TableEdit = 1016,
    TableDelete = 1036,
    TableList = 1048,
    EntryChar = 1047,
    EntryHex = 1048,
    EntryCommand = 1052,
};

std::uint8_t* record = nullptr; // the host's copy of the settings record

void operationScript(HWND sheet) {
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    check(page != nullptr, "the Operation page is shown");
    hold();
    std::vector<std::uint8_t> before(record, record + recordSize);

    // End of Document: the defaults of that moment, then the user's changes.
    clickLater(page, OpEndDocument);
    HWND dialog = waitForWindow(L"End Document Operation");
    check(dialog != nullptr,
          "\"End of Document\" opens the dialog titled \"End Document Operation\"");
    if (dialog == nullptr) {
        return;
    }
    check(checked(dialog, FeedBeforeCut) &&
              ::SendDlgItemMessageW(dialog, PaperCut, CB_GETCURSEL, 0, 0) == 1,
          "the moment's block is shown: feed before cut, \"Partial Cut\"");
    check(!enabled(dialog, Command) && !enabled(dialog, Volume) && !enabled(dialog, AlignLeft),
          "command, volume and logo placement are disabled until chosen");
    std::string manifest;
    const bool inContext = inPluginContext(manifest);
    check(inContext, "the dialog runs inside the plug-in's activation context (active: \"%s\")",
          manifest.c_str());
    toggle(dialog, SendCommand);
    check(enabled(dialog, Command), "\"Send Command\" enables the command edit");
    type(dialog, Command, L"");
    typeCharacters(dialog, Command, L"1Dg 5z6");
    check(textOf(dialog, Command) == L"1D 56",
          "the command edit takes hexadecimal digits and blanks only (shows \"%s\")",
          narrow(textOf(dialog, Command)).c_str());
    // Keys held down, as the dialog's thread sees them: this thread shares its
    // input state for a moment.
    const DWORD uiThread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (::AttachThreadInput(::GetCurrentThreadId(), uiThread, TRUE)) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        typeCharacters(dialog, Command, L"z");
        const bool ctrlPasses = textOf(dialog, Command) == L"1D 56z";
        keys[VK_CONTROL] = 0;
        keys[VK_TAB] = 0x80;
        ::SetKeyboardState(keys);
        ::SetFocus(::GetDlgItem(dialog, Command));
        typeCharacters(dialog, Command, L"\t");
        ::Sleep(200); // the move is posted
        const bool tabMoves =
            textOf(dialog, Command) == L"1D 56z" && ::GetFocus() != ::GetDlgItem(dialog, Command);
        keys[VK_TAB] = 0;
        ::SetKeyboardState(keys);
        ::AttachThreadInput(::GetCurrentThreadId(), uiThread, FALSE);
        check(ctrlPasses, "with Ctrl held any character gets in (shows \"%s\")",
              narrow(textOf(dialog, Command)).c_str());
        check(tabMoves, "Tab moves the focus on and types nothing");
    } else {
        std::printf("     AttachThreadInput failed (%lu): Ctrl and Tab not checked\n",
                    ::GetLastError());
    }
    type(dialog, Command, L"1D 56 42 00");
    type(dialog, PaperFeed, L"150");
    const int feedPosition =
        static_cast<int>(::SendDlgItemMessageW(dialog, PaperFeedSpin, UDM_GETPOS32, 0, 0));
    check(feedPosition == 100 && textOf(dialog, PaperFeed) == L"100",
          "a feed of 150 is held to 100 by the up-down control and its edit (at %d, \"%s\")",
          feedPosition, narrow(textOf(dialog, PaperFeed)).c_str());
    choose(dialog, Buzzer, 2);
    check(enabled(dialog, Volume), "a buzzer enables the volume");
    type(dialog, Volume, L"300");
    choose(dialog, Logo, 3);
    check(enabled(dialog, AlignLeft), "a logo enables its placement");
    hold();
    clickLater(dialog, IDOK);
    check(waitGone(dialog), "OK closes the dialog");

    // What the record holds now: the End of Document block changed, nothing else.
    std::vector<std::uint8_t> expected = before;
    expected[0x134] = 1; // send command
    const std::uint8_t command[] = {0x1D, 0x56, 0x42, 0x00};
    std::memcpy(&expected[0x136], command, sizeof command);
    expected[0x1B6] = 4;   // its length
    expected[0x1B9] = 100; // feed, held to 100 mm
    expected[0x1BA] = 255; // volume, held to 255
    expected[0x1C0] = 2;   // "Beep three"
    expected[0x1C1] = 3;   // "Print Logo3"
    std::size_t differences = 0;
    for (std::size_t i = 0; i < recordSize; ++i) {
        if (record[i] != expected[i]) {
            if (differences++ < 8) {
                std::printf("     byte 0x%03zx: 0x%02x, expected 0x%02x\n", i, record[i],
                            expected[i]);
            }
        }
    }
    check(differences == 0,
          "the settings record holds exactly the dialog's values (%zu bytes differ)", differences);

    // Cancel after changes leaves the record alone.
    before.assign(record, record + recordSize);
    clickLater(page, OpStartDocument);
    dialog = waitForWindow(L"Start Document Operation");
    check(dialog != nullptr, "\"Start of Document\" opens its dialog");
    if (dialog != nullptr) {
        check(::SendDlgItemMessageW(dialog, CashDrawer, CB_GETCURSEL, 0, 0) == 12,
              "Start of Document shows \"Cash Drawer #1+#2 Waiting 60ms\"");
        toggle(dialog, SendCommand);
        type(dialog, Command, L"01 02 03");
        choose(dialog, CashDrawer, 1);
        clickLater(dialog, IDCANCEL);
        check(waitGone(dialog), "Cancel closes the dialog");
    }
    check(std::memcmp(record, before.data(), recordSize) == 0,
          "Cancel leaves the settings record as it was");

    const int reports = okReports;
    PropSheet_Apply(sheet);
    check(okReports == reports + 1, "applying the sheet reports CPSUI_OK for the page");
}

// --- the Utility page (114) and the control-font table (115, 116) -----------------

std::wstring tablePath;

std::string fileText(const std::wstring& path) {
    std::string text;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return text;
    }
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read != 0) {
        text.append(buffer, read);
    }
    ::CloseHandle(file);
    return text;
}

// Reads a message box the page shows, answers it, and gives its text.
std::wstring answerMessageBox(const wchar_t* caption) {
    HWND box = waitForWindow(caption);
    if (box == nullptr) {
        return L"(no message box titled " + std::wstring(caption) + L")";
    }
    std::wstring text = textOf(box, 0xFFFF);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    waitGone(box);
    return text;
}

void utilityScript(HWND sheet) {
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    check(page != nullptr, "the Utility page is shown");
    check(::IsWindowVisible(::GetDlgItem(page, ControlFont)) != FALSE,
          "the \"Control Font\" button is shown");
    // Wine's AddFormW answers TRUE and keeps nothing, so the default form the
    // page adds is not there to be listed when it enumerates again.
    const LRESULT forms = ::SendDlgItemMessageW(page, FormList, LB_GETCOUNT, 0, 0);
    std::printf("     the paper sizes list holds %ld entries after opening\n",
                static_cast<long>(forms));
    check(textOf(page, WidthRange) == L"[ 410 - 800 (0.1mm) ]" &&
              ::SendDlgItemMessageW(page, FormName, EM_GETLIMITTEXT, 0, 0) == 18,
          "the spooler's forms were enumerated: limits and ranges are set");
    type(page, FormName, L"Probe");
    type(page, Width, L"300");
    type(page, Height, L"40000");
    click(page, SavePaper);
    check(textOf(page, Width) == L"410" && textOf(page, Height) == L"32760",
          "\"Save Paper Size\" holds the size to 410 x 32760 and shows it");
    const LRESULT added = ::SendDlgItemMessageW(page, FormList, LB_GETCOUNT, 0, 0);
    const LRESULT selected = ::SendDlgItemMessageW(page, FormList, LB_GETCURSEL, 0, 0);
    wchar_t name[64] = {};
    ::SendDlgItemMessageW(page, FormList, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(name));
    check(added == forms + 1 && std::wstring(name) == L"Custom Paper-Probe" &&
              enabled(page, DeletePaper),
          "the new form is listed, selected and can be deleted (\"%s\")", narrow(name).c_str());
    hold();
    click(page, DeletePaper);
    check(::SendDlgItemMessageW(page, FormList, LB_GETCOUNT, 0, 0) == forms,
          "\"Delete Paper Size\" removes the entry the spooler deleted");

    // The self-test on a printer handle the spooler does not know.
    clickLater(page, SelfTest);
    const std::wstring told = answerMessageBox(L"SelfTest");
    check(told.find(L"The self-test page could not be printed.") == 0,
          "a self-test that cannot start tells the user (\"%s\")", narrow(told).c_str());

    // The control-font table, from the file in the driver folder.
    clickLater(page, ControlFont);
    HWND table = waitForWindow(L"Control Font Character Translation Table");
    check(table != nullptr, "\"Control Font\" opens the table");
    if (table == nullptr) {
        return;
    }
    HWND list = ::GetDlgItem(table, TableList);
    check(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 96, "the table lists 96 characters");
    std::string manifest;
    const bool inContext = inPluginContext(manifest);
    check(inContext, "the table runs inside the plug-in's activation context (active: \"%s\")",
          manifest.c_str());
    check(cell(list, 0x41 - 0x20, 0) == L"A" && cell(list, 0x41 - 0x20, 1) == L"41" &&
              cell(list, 0x41 - 0x20, 2) == L"1B 21 08 ",
          "row A shows the file's command as \"1B 21 08 \" (got \"%s\")",
          narrow(cell(list, 0x41 - 0x20, 2)).c_str());
    selectRow(list, 0x41 - 0x20);
    hold();
    clickLater(table, TableEdit);
    HWND entry = waitForWindow(L"Control Font Character Translator");
    check(entry != nullptr, "\"Edit\" opens the entry dialog");
    if (entry != nullptr) {
        check(textOf(entry, EntryChar) == L"A" && textOf(entry, EntryHex) == L"41" &&
                  textOf(entry, EntryCommand) == L"1B 21 08 ",
              "the entry dialog shows A, 41 and the command");
        type(entry, EntryCommand, L"1B 21 09");
        hold();
        clickLater(entry, IDOK);
        check(waitGone(entry), "OK closes the entry dialog");
    }
    check(cell(list, 0x41 - 0x20, 2) == L"1B 21 09 ", "the row shows the new command");
    selectRow(list, 0x42 - 0x20);
    click(table, TableDelete);
    check(cell(list, 0x42 - 0x20, 2).empty(), "\"Delete\" empties row B");
    clickLater(table, IDOK);
    check(waitGone(table), "OK closes the table");
    const std::string written = fileText(tablePath);
    check(written == "[Character Translation Table]\r\n41=1B 21 09 \r\n",
          "57KXCONTROL.dat holds the new table (got \"%s\")", written.c_str());
    check(::GetFileAttributesW((tablePath + L".new").c_str()) == INVALID_FILE_ATTRIBUTES,
          "nothing is left beside it");

    const int reports = okReports;
    PropSheet_Apply(sheet);
    check(okReports == reports + 1, "applying the sheet reports CPSUI_OK for the page");
}

// The driver folder of the prefix, with a table in it.
void prepareTable() {
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring folder = windows;
    for (const wchar_t* part : {L"\\system32", L"\\spool", L"\\drivers", L"\\x64", L"\\3"}) {
        folder += part;
        ::CreateDirectoryW(folder.c_str(), nullptr);
    }
    tablePath = folder + L"\\57KXCONTROL.dat";
    ::WritePrivateProfileStringW(L"Character Translation Table", L"41", L"1B 21 08 ",
                                 tablePath.c_str());
    ::WritePrivateProfileStringW(L"Character Translation Table", L"42", L"01 ", tablePath.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        holdMilliseconds = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10) * 1000);
    }
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path = path.substr(0, path.find_last_of(L'\\') + 1) + L"57KXUI.dll";

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    HMODULE module = ::LoadLibraryW(path.c_str());
    if (module == nullptr) {
        std::printf("cannot load %s (error %lu)\n", narrow(path).c_str(), ::GetLastError());
        return 2;
    }
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    if (getClassObject == nullptr ||
        getClassObject(clsidOemUi, iidClassFactory, reinterpret_cast<void**>(&factory)) != S_OK) {
        std::printf("no class factory\n");
        return 2;
    }
    OemUi* ui = nullptr;
    factory->CreateInstance(nullptr, iidPrintOemUi, reinterpret_cast<void**>(&ui));
    factory->Release();
    if (ui == nullptr) {
        std::printf("no IPrintOemUI\n");
        return 2;
    }

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = contextWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"57KXUI.probe.context";
    ::RegisterClassW(&windowClass);
    contextWindow = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);

    // The document sheet over a default record in the host's buffer.
    std::vector<std::uint8_t> buffer(recordSize, 0xCC);
    record = buffer.data();
    OEMDMPARAM dm{};
    dm.cbSize = sizeof dm;
    dm.pOEMDMOut = record;
    dm.cbBufSize = recordSize;
    check(ui->lpVtbl->DevMode(ui, OEMDM_DEFAULT, &dm) == S_OK, "DevMode(OEMDM_DEFAULT)");
    OEMCUIPPARAM cuip{};
    cuip.cbSize = sizeof cuip;
    // The print server's handle: the spooler's forms are there, but it takes
    // no jobs, so the self-test meets a refusal.
    HANDLE server = nullptr;
    check(::OpenPrinterW(nullptr, &server, nullptr) != FALSE,
          "OpenPrinterW(NULL) opens the server");
    cuip.hPrinter = server;
    OEMUIPSPARAM ps{};
    ps.cbSize = sizeof ps;
    ps.pOEMDM = record;
    ui->lpVtbl->CommonUIProp(ui, OEMCUIP_DOCPROP, &cuip);
    PROPSHEETUI_INFO info = sheetInfo(reinterpret_cast<LPARAM>(&ps));
    ui->lpVtbl->DocumentPropertySheets(ui, &info, 0);
    if (const PROPSHEETPAGEW* page = pageOf(103)) {
        runSheet(*page, L"QRT-K500NX Printing Preferences", operationScript);
    } else {
        check(false, "the document sheet has the Operation page");
    }

    addedPages.clear();
    prepareTable();
    ui->lpVtbl->CommonUIProp(ui, OEMCUIP_PRNPROP, &cuip);
    info = sheetInfo(0);
    ui->lpVtbl->DevicePropertySheets(ui, &info, 0);
    if (const PROPSHEETPAGEW* page = pageOf(114)) {
        runSheet(*page, L"QRT-K500NX Properties", utilityScript);
    } else {
        check(false, "the device sheet has the Utility page");
    }

    ui->lpVtbl->Release(ui);
    ::ClosePrinter(server);
    std::printf("%d check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
}

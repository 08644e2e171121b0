// A small helper for the Wine tests: it plays the other windows of the desktop
// and the user in front of the programs under test. Titles and texts are
// UTF-8 on the command line and in the output.
//   winprobe hold TITLE SECONDS        keep a top-level window with that title open
//   winprobe read TITLE SECONDS        wait for a window with that title, print the
//                                      texts of its controls, press its OK button
//   winprobe absent TITLE SECONDS      succeed when no such window appears in time
//   winprobe gone TITLE SECONDS        wait until no window has that title
//   winprobe rect TITLE SECONDS        wait for the window, print its screen
//                                      rectangle as "LEFT TOP WIDTH HEIGHT"
//   winprobe message TITLE SECONDS [ID] wait for a message box with that title,
//                                      print its text, press button ID (default OK)
//   winprobe click TITLE ID            click the shown control with that id
//   winprobe untitled SECONDS          wait for a shown dialog box without a caption;
//                                      print its rectangle
//   winprobe syscommand TITLE ID       choose item ID (decimal) of the window's system menu
//   winprobe choose TITLE ID TEXT      choose the row of a combo or list box
//   winprobe address TITLE ID A.B.C.D  fill an IP-address control
//   winprobe controls TITLE            print every control: id, class, state, text
//   winprobe items TITLE ID            print the rows of a combo box, list box or list
//                                      view (a list view's check box as "[x] " or "[ ] ")
//   winprobe box TEXT SECONDS          wait for a dialog box (a message box under any
//                                      caption) one of whose controls shows TEXT; print
//                                      its caption and texts, press its OK button
//   winprobe nobox TEXT SECONDS        succeed when no such box appears in time
//   winprobe version                   print what GetVersionExA tells a program:
//                                      platform id, version, build, product type
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// What the control itself says it shows (WM_GETTEXT): for a window of another
// process GetWindowText gives only the caption it was created with, which for a
// drop-down list is empty whatever is chosen.
std::wstring windowText(HWND w) {
    wchar_t text[4096] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             2000, &copied)) {
        GetWindowTextW(w, text, 4096);
    }
    text[4095] = L'\0';
    return text;
}

std::wstring className(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// EnumWindows: a shown dialog box without a caption, read without sending it a
// message (its program may be too busy to answer).
BOOL CALLBACK untitledDialog(HWND w, LPARAM found) {
    wchar_t caption[8] = {};
    if (IsWindowVisible(w) && InternalGetWindowText(w, caption, 8) == 0 &&
        className(w) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// A message box's text control.
const int messageTextId = 0xFFFF;

struct Search {
    const wchar_t* title;
    bool messageBox;
    HWND found;
};

BOOL CALLBACK topLevel(HWND w, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(w) || windowText(w) != search->title)
        return TRUE;
    const bool isMessageBox = GetDlgItem(w, messageTextId) != nullptr;
    if (isMessageBox != search->messageBox)
        return TRUE;
    search->found = w;
    return FALSE;
}

HWND find(const wchar_t* title, bool messageBox = false) {
    Search search{title, messageBox, nullptr};
    EnumWindows(topLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitFor(const wchar_t* title, DWORD seconds, bool messageBox = false) {
    const DWORD until = GetTickCount() + seconds * 1000;
    for (;;) {
        if (HWND w = find(title, messageBox))
            return w;
        if (GetTickCount() > until)
            return nullptr;
        Sleep(100);
    }
}

struct ControlSearch {
    int id;
    HWND top;
    std::vector<HWND> matches;
};

BOOL CALLBACK collect(HWND w, LPARAM parameter) {
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    if (GetDlgCtrlID(w) == search->id)
        search->matches.push_back(w);
    return TRUE;
}

// The control a user would mean: a shown one, a direct child of the window
// before a control of a page (the inner edits of an IP-address control share
// id 1 with the default button).
HWND control(HWND top, int id) {
    ControlSearch search{id, top, {}};
    EnumChildWindows(top, collect, reinterpret_cast<LPARAM>(&search));
    HWND best = nullptr;
    int bestScore = -1;
    for (HWND w : search.matches) {
        const int score = (IsWindowVisible(w) ? 2 : 0) + (GetParent(w) == top ? 1 : 0);
        if (score > bestScore) {
            best = w;
            bestScore = score;
        }
    }
    return best;
}

BOOL CALLBACK printChild(HWND child, LPARAM clickOk) {
    const std::wstring text = windowText(child);
    if (!text.empty())
        std::printf("%s: %s\n", utf8(className(child)).c_str(), utf8(text).c_str());
    if (clickOk && GetDlgCtrlID(child) == IDOK)
        PostMessageW(GetParent(child), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(child));
    return TRUE;
}

BOOL CALLBACK describe(HWND child, LPARAM) {
    std::printf("%d %s%s%s %s\n", GetDlgCtrlID(child), utf8(className(child)).c_str(),
                IsWindowVisible(child) ? "" : " hidden", IsWindowEnabled(child) ? "" : " disabled",
                utf8(windowText(child)).c_str());
    return TRUE;
}

int hold(const wchar_t* title, DWORD seconds) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WineProbeWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowW(L"WineProbeWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                           100, nullptr, nullptr, wc.hInstance, nullptr);
    if (w == nullptr)
        return 1;
    SetTimer(w, 1, seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            break;
        DispatchMessageW(&msg);
    }
    DestroyWindow(w);
    return 0;
}

bool isList(HWND w) {
    return lstrcmpiW(className(w).c_str(), L"ListBox") == 0;
}

// A list view keeps its rows in its own process: the item record and the text
// buffer are made there, filled by the control and read back.
int listViewItems(HWND view) {
    DWORD processId = 0;
    GetWindowThreadProcessId(view, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr)
        return 1;
    constexpr SIZE_T textChars = 1024;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr,
                                                     sizeof(LVITEMW) + textChars * sizeof(wchar_t),
                                                     MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) {
        CloseHandle(process);
        return 1;
    }
    const LRESULT count = SendMessageW(view, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.cchTextMax = static_cast<int>(textChars);
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(remote));
        wchar_t text[textChars] = {};
        ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t),
                          nullptr);
        const UINT state = static_cast<UINT>(
            SendMessageW(view, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK));
        const bool ticked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
        std::printf("%s%s\n", ticked ? "[x] " : "[ ] ", utf8(text).c_str());
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

int items(HWND list) {
    if (lstrcmpiW(className(list).c_str(), WC_LISTVIEWW) == 0)
        return listViewItems(list);
    const bool box = isList(list);
    const LRESULT count = SendMessageW(list, box ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        SendMessageW(list, box ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", utf8(text).c_str());
    }
    return 0;
}

int choose(HWND list, const std::wstring& text) {
    const bool box = isList(list);
    const LRESULT row =
        SendMessageW(list, box ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
    if (row < 0) {
        std::printf("no row \"%s\"\n", utf8(text).c_str());
        return 1;
    }
    SendMessageW(list, box ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    PostMessageW(GetParent(list), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(list), box ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return 0;
}

struct BoxSearch {
    std::wstring text;
    HWND box = nullptr;
};

BOOL CALLBACK childShows(HWND child, LPARAM search) {
    auto* s = reinterpret_cast<BoxSearch*>(search);
    if (windowText(child).find(s->text) == std::wstring::npos)
        return TRUE;
    s->box = GetAncestor(child, GA_ROOT);
    return FALSE;
}

BOOL CALLBACK dialogShows(HWND window, LPARAM search) {
    if (className(window) == L"#32770" && IsWindowVisible(window))
        EnumChildWindows(window, childShows, search);
    return reinterpret_cast<BoxSearch*>(search)->box == nullptr;
}

HWND waitForBox(const std::wstring& text, DWORD seconds) {
    const DWORD until = GetTickCount() + seconds * 1000;
    for (;;) {
        BoxSearch search{text};
        EnumWindows(dialogShows, reinterpret_cast<LPARAM>(&search));
        if (search.box != nullptr)
            return search.box;
        if (GetTickCount() > until)
            return nullptr;
        Sleep(100);
    }
}

int version() {
    OSVERSIONINFOEXA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v))) {
        v = OSVERSIONINFOEXA{};
        v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)))
            return 1;
    }
    std::printf("platform %lu version %lu.%lu build %lu product %u\n", v.dwPlatformId,
                v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber & 0xFFFF, v.wProductType);
    return 0;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv != nullptr && argc == 2 && std::wstring(argv[1]) == L"version")
        return version();
    if (argv == nullptr || argc < 3) {
        std::fprintf(stderr, "usage: winprobe COMMAND TITLE ...\n");
        return 2;
    }
    const std::wstring command = argv[1];
    const wchar_t* title = argv[2];
    const auto number = [&](int i) {
        return i < argc ? static_cast<DWORD>(std::wcstoul(argv[i], nullptr, 10)) : 0;
    };
    if (command == L"hold")
        return hold(title, number(3));
    if (command == L"absent")
        return waitFor(title, number(3)) == nullptr ? 0 : 1;
    if (command == L"gone") {
        const DWORD until = GetTickCount() + number(3) * 1000;
        while (find(title) != nullptr || find(title, true) != nullptr) {
            if (GetTickCount() > until)
                return 1;
            Sleep(200);
        }
        return 0;
    }
    if (command == L"read" || command == L"message") {
        const bool box = command == L"message";
        HWND w = waitFor(title, number(3), box);
        if (w == nullptr && !box)
            w = waitFor(title, 1, true); // a message box under that title
        if (w == nullptr) {
            std::printf("no window titled \"%s\"\n", utf8(title).c_str());
            return 1;
        }
        Sleep(300); // let the window finish drawing its controls
        if (box) {
            std::printf("%s\n", utf8(windowText(GetDlgItem(w, messageTextId))).c_str());
            const int button = argc > 4 ? static_cast<int>(number(4)) : IDOK;
            PostMessageW(w, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(w, button)));
        } else {
            EnumChildWindows(w, printChild, 1);
        }
        std::fflush(stdout);
        return 0;
    }
    if (command == L"box") {
        HWND box = waitForBox(title, number(3));
        if (box == nullptr) {
            std::printf("no box showing \"%s\"\n", utf8(title).c_str());
            return 1;
        }
        Sleep(300);
        std::printf("caption: %s\n", utf8(windowText(box)).c_str());
        EnumChildWindows(box, printChild, 1);
        std::fflush(stdout);
        return 0;
    }
    if (command == L"nobox")
        return waitForBox(title, number(3)) == nullptr ? 0 : 1;
    if (command == L"rect") {
        HWND w = waitFor(title, number(3));
        RECT r{};
        if (w == nullptr || !GetWindowRect(w, &r))
            return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"untitled") {
        // A shown dialog box without a caption (the setup's progress dialog),
        // looked for without sending any window a message: the program that
        // shows it may be too busy to answer.
        const DWORD until = GetTickCount() + std::wcstoul(title, nullptr, 10) * 1000;
        for (;;) {
            HWND found = nullptr;
            EnumWindows(untitledDialog, reinterpret_cast<LPARAM>(&found));
            RECT r{};
            if (found != nullptr && GetWindowRect(found, &r)) {
                std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
                return 0;
            }
            if (GetTickCount() > until)
                return 1;
            Sleep(20);
        }
    }
    HWND top = waitFor(title, 10);
    if (top == nullptr) {
        std::printf("no window titled \"%s\"\n", utf8(title).c_str());
        return 1;
    }
    if (command == L"controls") {
        EnumChildWindows(top, describe, 0);
        return 0;
    }
    if (command == L"syscommand") {
        PostMessageW(top, WM_SYSCOMMAND, number(3), 0);
        return 0;
    }
    HWND target = control(top, static_cast<int>(number(3)));
    if (target == nullptr) {
        std::printf("no control %lu in \"%s\"\n", number(3), utf8(title).c_str());
        return 1;
    }
    if (command == L"click") {
        PostMessageW(target, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == L"items")
        return items(target);
    if (command == L"choose" && argc > 4)
        return choose(target, argv[4]);
    if (command == L"address" && argc > 4) {
        unsigned a = 0, b = 0, c = 0, d = 0;
        if (swscanf(argv[4], L"%u.%u.%u.%u", &a, &b, &c, &d) != 4)
            return 2;
        SendMessageW(target, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
        return 0;
    }
    return 2;
}

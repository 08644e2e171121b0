// A small helper for the Wine tests: it plays the other windows of the desktop
// and reads what the programs under test show.
//   winprobe hold TITLE SECONDS    keep a top-level window with that title open
//   winprobe read TITLE SECONDS    wait for a window with that title, print the
//                                  texts of its controls, press its OK button
//   winprobe absent TITLE SECONDS  succeed when no such window appears in time
//   winprobe box TEXT SECONDS      wait for a dialog box (a message box under any
//                                  caption) one of whose controls shows TEXT; print
//                                  its caption and texts, press its OK button
//   winprobe nobox TEXT SECONDS    succeed when no such box appears in time
//   winprobe version               print what GetVersionExA tells a program:
//                                  platform id, version, build, product type
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

BOOL CALLBACK printChild(HWND child, LPARAM clickOk) {
    char cls[64] = {}, text[4096] = {};
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0')
        std::printf("%s: %s\n", cls, text);
    if (clickOk && GetDlgCtrlID(child) == IDOK)
        PostMessageA(GetParent(child), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(child));
    return TRUE;
}

HWND waitFor(const char* title, DWORD seconds) {
    const DWORD until = GetTickCount() + seconds * 1000;
    for (;;) {
        if (HWND w = FindWindowA(nullptr, title))
            return w;
        if (GetTickCount() > until)
            return nullptr;
        Sleep(100);
    }
}

struct BoxSearch {
    const char* text;
    HWND box = nullptr;
};

BOOL CALLBACK childShows(HWND child, LPARAM search) {
    auto* s = reinterpret_cast<BoxSearch*>(search);
    char text[4096] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::strstr(text, s->text) == nullptr)
        return TRUE;
    s->box = GetAncestor(child, GA_ROOT);
    return FALSE;
}

BOOL CALLBACK dialogShows(HWND window, LPARAM search) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window))
        EnumChildWindows(window, childShows, search);
    return reinterpret_cast<BoxSearch*>(search)->box == nullptr;
}

HWND waitForBox(const char* text, DWORD seconds) {
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

int hold(const char* title, DWORD seconds) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WineProbeWindow";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("WineProbeWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                           100, nullptr, nullptr, wc.hInstance, nullptr);
    if (w == nullptr)
        return 1;
    SetTimer(w, 1, seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            break;
        DispatchMessageA(&msg);
    }
    DestroyWindow(w);
    return 0;
}

} // namespace

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

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "version") == 0)
        return version();
    if (argc != 4) {
        std::fprintf(stderr, "usage: winprobe hold|read|absent TITLE SECONDS\n"
                             "       winprobe box|nobox TEXT SECONDS\n"
                             "       winprobe version\n");
        return 2;
    }
    const std::string command = argv[1];
    const char* title = argv[2];
    const DWORD seconds = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10));
    if (command == "hold")
        return hold(title, seconds);
    if (command == "read") {
        HWND w = waitFor(title, seconds);
        if (w == nullptr) {
            std::printf("no window titled \"%s\"\n", title);
            return 1;
        }
        Sleep(300); // let the window finish drawing its controls
        EnumChildWindows(w, printChild, 1);
        std::fflush(stdout);
        return 0;
    }
    if (command == "absent")
        return waitFor(title, seconds) == nullptr ? 0 : 1;
    if (command == "box") {
        HWND box = waitForBox(title, seconds);
        if (box == nullptr) {
            std::printf("no box showing \"%s\"\n", title);
            return 1;
        }
        char caption[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        std::printf("caption: %s\n", caption);
        EnumChildWindows(box, printChild, 1);
        std::fflush(stdout);
        return 0;
    }
    if (command == "nobox")
        return waitForBox(title, seconds) == nullptr ? 0 : 1;
    return 2;
}

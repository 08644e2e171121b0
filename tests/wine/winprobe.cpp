// A small helper for the Wine tests: it plays the other windows of the desktop
// and reads what the programs under test show.
//   winprobe hold TITLE SECONDS    keep a top-level window with that title open
//   winprobe read TITLE SECONDS    wait for a window with that title, print the
//                                  texts of its controls, press its OK button
//   winprobe absent TITLE SECONDS  succeed when no such window appears in time
//   winprobe rect TITLE SECONDS    wait for the window, print its screen
//                                  rectangle as "LEFT TOP WIDTH HEIGHT"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: winprobe hold|read|absent|rect TITLE SECONDS\n");
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
    if (command == "rect") {
        HWND w = waitFor(title, seconds);
        RECT r{};
        if (w == nullptr || !GetWindowRect(w, &r))
            return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    return 2;
}

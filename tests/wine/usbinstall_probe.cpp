// Watches Install's window from outside, as the setup program does: waits for
// a top-level window titled "Device driver setup", follows the text of its log
// box (control 1007) with WM_GETTEXT until the window goes away, and prints
//   window: seen|never
//   closed: yes|no
//   close-delay-ms: <time from the last change of the log to the window's end>
//   log:
//   <the log text>
// Usage: usbinstall_probe <timeout-ms>. Exit 0 when the window came and went.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string windowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const DWORD timeout = argc > 1 ? static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)) : 30000;
    const DWORD start = GetTickCount();
    bool seen = false, closed = false;
    std::string log;
    DWORD lastChange = 0, gone = 0;
    while (GetTickCount() - start < timeout) {
        HWND window = FindWindowA(nullptr, "Device driver setup");
        if (window == nullptr) {
            if (seen) {
                closed = true;
                gone = GetTickCount();
                break;
            }
        } else {
            seen = true;
            HWND edit = GetDlgItem(window, 1007);
            if (edit != nullptr) {
                // The log only grows; an empty answer comes from a window on its way out.
                const std::string text = windowText(edit);
                if (!text.empty() && text != log) {
                    log = text;
                    lastChange = GetTickCount();
                }
            }
        }
        Sleep(5);
    }
    std::printf("window: %s\n", seen ? "seen" : "never");
    std::printf("closed: %s\n", closed ? "yes" : "no");
    std::printf("close-delay-ms: %lu\n",
                static_cast<unsigned long>(closed && lastChange != 0 ? gone - lastChange : 0));
    std::printf("log:\n%s", log.c_str());
    return seen && closed ? 0 : 1;
}

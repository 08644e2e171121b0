#include "usbinstall/win32_install_dialog.h"

#include "platform/machine.h"
#include "usbinstall/res/resource.h"
#include "usbinstall/usb_install.h"
#include "usbinstall/win32_about_box.h"

namespace usbinstall {
namespace {

// lParam: the text to append, valid until the message returns (it is sent).
constexpr UINT logMessage = WM_APP + 1;
// The worker's operation has returned.
constexpr UINT doneMessage = WM_APP + 2;
constexpr UINT_PTR closeTimer = 1;
constexpr UINT closeDelayMs = 200;

struct DialogState {
    HINSTANCE instance = nullptr;
    platform::Machine* machine = nullptr;
    std::string argument;
    std::string packageFolder;
    HWND window = nullptr;
    HANDLE worker = nullptr;
    bool running = false; // the UI thread's own view: set at start, cleared by doneMessage
};

// The worker's log: every text goes to the UI thread, which owns the edit box.
class WindowLog : public LogSink {
public:
    explicit WindowLog(HWND window) : window_(window) {}
    void write(const std::string& text) override {
        SendMessageA(window_, logMessage, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

private:
    HWND window_;
};

DWORD WINAPI workerMain(LPVOID parameter) {
    // The UI thread leaves the state alone until doneMessage arrives.
    DialogState& state = *static_cast<DialogState*>(parameter);
    WindowLog log(state.window);
    runUsbInstall(*state.machine, state.argument, state.packageFolder, log,
                  static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(state.window)));
    PostMessageA(state.window, doneMessage, 0, 0);
    return 0;
}

void appendLog(HWND dialog, const char* text) {
    // At the end, whatever the user did with the caret in between.
    HWND edit = GetDlgItem(dialog, IDC_LOG);
    const int length = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void addAboutItem(DialogState& state, HWND dialog) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    char text[128];
    if (menu == nullptr || LoadStringA(state.instance, IDS_ABOUTBOX, text, sizeof text) <= 0)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void setIcons(DialogState& state, HWND dialog) {
    HICON big = static_cast<HICON>(LoadImageA(state.instance, MAKEINTRESOURCEA(IDR_MAINFRAME),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                              GetSystemMetrics(SM_CYICON), LR_SHARED));
    HICON small = static_cast<HICON>(LoadImageA(state.instance, MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        state->window = dialog;
        addAboutItem(*state, dialog);
        setIcons(*state, dialog);
        state->packageFolder = programFolder(*state->machine);
        state->running = true;
        state->worker = CreateThread(nullptr, 0, workerMain, state, 0, nullptr);
        if (state->worker == nullptr)
            PostMessageA(dialog, doneMessage, 0, 0);
        return TRUE;
    }
    case logMessage:
        appendLog(dialog, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case doneMessage:
        state->running = false;
        SetTimer(dialog, closeTimer, closeDelayMs, nullptr);
        return TRUE;
    case WM_TIMER:
        if (wParam == closeTimer) {
            KillTimer(dialog, closeTimer);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            showAboutBox(state->instance, dialog);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        // Closing in the middle of a driver installation would leave it half
        // done; the window goes by itself once the operation has ended.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDC_INSTALL) {
            if (state != nullptr && !state->running)
                EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

void runInstallDialog(HINSTANCE instance, platform::Machine& machine, const std::string& argument) {
    DialogState state;
    state.instance = instance;
    state.machine = &machine;
    state.argument = argument;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INSTALL_DIALOG), nullptr, dialogProc,
                    reinterpret_cast<LPARAM>(&state));
    if (state.worker != nullptr) {
        // The worker has posted its last message by now; let it return.
        WaitForSingleObject(state.worker, 2000);
        CloseHandle(state.worker);
    }
}

} // namespace usbinstall

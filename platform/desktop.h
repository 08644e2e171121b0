#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>

namespace platform {

// What a program does with the desktop and the session: named mutexes,
// top-level windows by title, message boxes, starting programs, broadcasts,
// restarting Windows.
class Desktop {
public:
    virtual ~Desktop() = default;
    // CreateMutexA; the last error is err::alreadyExists when the name existed.
    virtual Handle CreateMutexA(const std::string& name, bool initialOwner) = 0;
    // FindWindowA(NULL, title): a top-level window with exactly this title, or 0.
    virtual Handle FindWindowA(const std::string& title) = 0;
    virtual bool SetForegroundWindow(Handle window) = 0;
    virtual bool IsIconic(Handle window) = 0;
    virtual bool ShowWindow(Handle window, int command) = 0;
    // MessageBoxA; answers mb::idOk, idYes, idNo...
    virtual int MessageBoxA(Handle owner, const std::string& text, const std::string& caption,
                            std::uint32_t type) = 0;
    // ShellExecuteA; a result above 32 is success.
    virtual std::uintptr_t ShellExecuteA(Handle owner, const std::string& verb,
                                         const std::string& file, const std::string& parameters,
                                         const std::string& directory, int show) = 0;
    // SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, text, SMTO_NORMAL, ms);
    // an empty text sends a null lParam.
    virtual bool BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) = 0;
    // ExitWindowsEx, after enabling the shutdown privilege.
    virtual bool ExitWindowsEx(std::uint32_t flags) = 0;
};

} // namespace platform

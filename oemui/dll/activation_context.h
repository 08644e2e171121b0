// The plug-in's activation context: made once from the module's own manifest
// (resource 2, Common Controls 6) so that its pages and dialogs get the
// controls their templates need. The context functions are looked up in
// Kernel32 at run time; a system without them runs the plug-in without one.
#pragma once

#include <windows.h>

namespace oemui::dll {

class ActivationContext {
public:
    // The context, created on the first call; null when it cannot be had.
    HANDLE get(HINSTANCE module);
    bool activate(ULONG_PTR& cookie);
    void deactivate(ULONG_PTR cookie);
    // Process detach.
    void release();

    // Set once activation has shown that the system has no contexts.
    bool unavailable() const { return unavailable_; }
    void markUnavailable() { unavailable_ = true; }

private:
    using CreateFunction = HANDLE(WINAPI*)(PCACTCTXW);
    using ActivateFunction = BOOL(WINAPI*)(HANDLE, ULONG_PTR*);
    using DeactivateFunction = BOOL(WINAPI*)(DWORD, ULONG_PTR);
    using ReleaseFunction = void(WINAPI*)(HANDLE);

    bool lookUp();

    bool lookedUp_ = false;
    bool tried_ = false;
    bool unavailable_ = false;
    CreateFunction create_ = nullptr;
    ActivateFunction activate_ = nullptr;
    DeactivateFunction deactivate_ = nullptr;
    ReleaseFunction release_ = nullptr;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace oemui::dll

#include "oemui/dll/activation_context.h"

#include "oemui/resource.h"

#include <string>

namespace oemui::dll {
namespace {

template <typename Function> Function lookUpFunction(HMODULE module, const char* name) {
    // Through void(*)(): the one function type every other converts to quietly.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// The module's own file name, however long its path.
std::wstring moduleFileName(HINSTANCE module) {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(module, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

} // namespace

bool ActivationContext::lookUp() {
    if (!lookedUp_) {
        lookedUp_ = true;
        if (HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
            create_ = lookUpFunction<CreateFunction>(kernel, "CreateActCtxW");
            activate_ = lookUpFunction<ActivateFunction>(kernel, "ActivateActCtx");
            deactivate_ = lookUpFunction<DeactivateFunction>(kernel, "DeactivateActCtx");
            release_ = lookUpFunction<ReleaseFunction>(kernel, "ReleaseActCtx");
        }
        if (create_ == nullptr || activate_ == nullptr || deactivate_ == nullptr ||
            release_ == nullptr) {
            unavailable_ = true;
        }
    }
    return !unavailable_;
}

HANDLE ActivationContext::get(HINSTANCE module) {
    if (!tried_ && lookUp()) {
        tried_ = true;
        const std::wstring source = moduleFileName(module);
        if (!source.empty()) {
            ACTCTXW context{};
            context.cbSize = sizeof context;
            context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
            context.lpSource = source.c_str();
            context.lpResourceName = MAKEINTRESOURCEW(IDR_MANIFEST);
            handle_ = create_(&context);
        }
    }
    return handle_ == INVALID_HANDLE_VALUE || unavailable_ ? nullptr : handle_;
}

bool ActivationContext::activate(ULONG_PTR& cookie) {
    if (activate_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return false;
    }
    return activate_(handle_, &cookie) != FALSE;
}

void ActivationContext::deactivate(ULONG_PTR cookie) {
    if (deactivate_ != nullptr) {
        deactivate_(0, cookie);
    }
}

void ActivationContext::release() {
    if (handle_ != INVALID_HANDLE_VALUE && release_ != nullptr) {
        release_(handle_);
    }
    handle_ = INVALID_HANDLE_VALUE;
}

} // namespace oemui::dll

#include "platform/win32/win32_usb_library.h"

#include <windows.h>

namespace platform::win32 {
namespace {

// The library's functions take and return 32-bit values; its calling
// convention is not published. They are declared WINAPI, and every call goes
// through a function that keeps a frame pointer and does nothing after the
// call but return, so that the stack is whole again even if the library
// cleans up its arguments the other way.
using OpenDeviceXFunction = int(WINAPI*)(int);
using GetDescriptorFunction = int(WINAPI*)(int, unsigned char*);
using UWriteFunction = int(WINAPI*)(int, int, unsigned char*, int);
using CloseDeviceFunction = void(WINAPI*)(int);

#define PKG_STACK_SAFE __attribute__((noinline, optimize("no-omit-frame-pointer")))

template <typename Function> Function function(Handle library, const char* name) {
    const HMODULE module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(library));
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

PKG_STACK_SAFE int callOpen(OpenDeviceXFunction f, int index) {
    return f(index);
}
PKG_STACK_SAFE int callDescriptor(GetDescriptorFunction f, int device, unsigned char* buffer) {
    return f(device, buffer);
}
PKG_STACK_SAFE int callWrite(UWriteFunction f, int device, int reserved, unsigned char* bytes,
                             int count) {
    return f(device, reserved, bytes, count);
}
PKG_STACK_SAFE void callClose(CloseDeviceFunction f, int device) {
    f(device);
}

} // namespace

std::int32_t Win32UsbLibrary::OpenDeviceX(Handle library, std::int32_t index) {
    const auto f = function<OpenDeviceXFunction>(library, "OpenDeviceX");
    if (f == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    return callOpen(f, index);
}

std::int32_t Win32UsbLibrary::GetDescriptor(Handle library, std::int32_t device,
                                            std::vector<std::uint8_t>& descriptor) {
    const auto f = function<GetDescriptorFunction>(library, "GetDescriptor");
    if (f == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    // The library fills up to 20 bytes.
    descriptor.assign(20, 0);
    return callDescriptor(f, device, descriptor.data());
}

std::int32_t Win32UsbLibrary::uWrite(Handle library, std::int32_t device, std::int32_t reserved,
                                     const std::vector<std::uint8_t>& bytes) {
    const auto f = function<UWriteFunction>(library, "uWrite");
    if (f == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    return callWrite(f, device, reserved, copy.empty() ? nullptr : copy.data(),
                     static_cast<int>(copy.size()));
}

void Win32UsbLibrary::CloseDevice(Handle library, std::int32_t device) {
    const auto f = function<CloseDeviceFunction>(library, "CloseDevice");
    if (f != nullptr)
        callClose(f, device);
}

} // namespace platform::win32

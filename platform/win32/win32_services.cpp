#include "platform/win32/win32_services.h"

#include <windows.h>

namespace platform::win32 {
namespace {

SC_HANDLE scHandle(Handle h) {
    return reinterpret_cast<SC_HANDLE>(static_cast<std::uintptr_t>(h));
}
Handle handleOf(SC_HANDLE h) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

} // namespace

Handle Win32Services::OpenSCManagerA(std::uint32_t access) {
    return handleOf(::OpenSCManagerA(nullptr, nullptr, access));
}

Handle Win32Services::OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) {
    return handleOf(::OpenServiceA(scHandle(manager), name.c_str(), access));
}

bool Win32Services::ControlService(Handle service, std::uint32_t control, std::uint32_t& state) {
    SERVICE_STATUS status{};
    if (!::ControlService(scHandle(service), control, &status))
        return false;
    state = status.dwCurrentState;
    return true;
}

bool Win32Services::StartServiceA(Handle service) {
    return ::StartServiceA(scHandle(service), 0, nullptr) != FALSE;
}

bool Win32Services::QueryServiceStatus(Handle service, std::uint32_t& state) {
    SERVICE_STATUS status{};
    if (!::QueryServiceStatus(scHandle(service), &status))
        return false;
    state = status.dwCurrentState;
    return true;
}

bool Win32Services::CloseServiceHandle(Handle handle) {
    return ::CloseServiceHandle(scHandle(handle)) != FALSE;
}

} // namespace platform::win32

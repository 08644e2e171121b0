#include "platform/win32/win32_services.h"

#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform::win32 {
namespace {

SC_HANDLE scHandle(Handle h) {
    return reinterpret_cast<SC_HANDLE>(static_cast<std::uintptr_t>(h));
}
Handle handleOf(SC_HANDLE h) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

// Windows 95 has no service manager.
template <typename Function> Function serviceFunction(const char* name) {
    return systemFunction<Function>("advapi32.dll", name);
}

} // namespace

Handle Win32Services::OpenSCManagerA(std::uint32_t access) {
    const auto open = serviceFunction<decltype(&::OpenSCManagerA)>("OpenSCManagerA");
    return open == nullptr ? 0 : handleOf(open(nullptr, nullptr, access));
}

Handle Win32Services::OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) {
    const auto open = serviceFunction<decltype(&::OpenServiceA)>("OpenServiceA");
    return open == nullptr ? 0 : handleOf(open(scHandle(manager), name.c_str(), access));
}

bool Win32Services::ControlService(Handle service, std::uint32_t control, std::uint32_t& state) {
    const auto send = serviceFunction<decltype(&::ControlService)>("ControlService");
    SERVICE_STATUS status{};
    if (send == nullptr || !send(scHandle(service), control, &status))
        return false;
    state = status.dwCurrentState;
    return true;
}

bool Win32Services::StartServiceA(Handle service) {
    const auto start = serviceFunction<decltype(&::StartServiceA)>("StartServiceA");
    return start != nullptr && start(scHandle(service), 0, nullptr) != FALSE;
}

bool Win32Services::QueryServiceStatus(Handle service, std::uint32_t& state) {
    const auto query = serviceFunction<decltype(&::QueryServiceStatus)>("QueryServiceStatus");
    SERVICE_STATUS status{};
    if (query == nullptr || !query(scHandle(service), &status))
        return false;
    state = status.dwCurrentState;
    return true;
}

bool Win32Services::CloseServiceHandle(Handle handle) {
    const auto close = serviceFunction<decltype(&::CloseServiceHandle)>("CloseServiceHandle");
    return close != nullptr && close(scHandle(handle)) != FALSE;
}

} // namespace platform::win32

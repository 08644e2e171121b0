#include "platform/win32/win32_areas.h"
#include "platform/win32/system_function.h"

#include <windows.h>

namespace platform::win32 {
namespace {

HKEY rootHandle(RootKey root) {
    switch (root) {
    case RootKey::CurrentUser:
        return HKEY_CURRENT_USER;
    case RootKey::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RootKey::Users:
        return HKEY_USERS;
    case RootKey::LocalMachine:
        break;
    }
    return HKEY_LOCAL_MACHINE;
}

HKEY hkey(Handle key) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
}
Handle handle(HKEY key) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(key));
}

} // namespace

std::uint32_t Win32Registry::RegOpenKeyExA(RootKey root, const std::string& subKey,
                                           std::uint32_t sam, Handle& key) {
    HKEY opened = nullptr;
    const LONG r = ::RegOpenKeyExA(rootHandle(root), subKey.c_str(), 0, sam, &opened);
    key = r == ERROR_SUCCESS ? handle(opened) : 0;
    return static_cast<std::uint32_t>(r);
}

std::uint32_t Win32Registry::RegCreateKeyExA(RootKey root, const std::string& subKey,
                                             std::uint32_t sam, Handle& key) {
    HKEY created = nullptr;
    const LONG r = ::RegCreateKeyExA(rootHandle(root), subKey.c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, sam, nullptr, &created, nullptr);
    key = r == ERROR_SUCCESS ? handle(created) : 0;
    return static_cast<std::uint32_t>(r);
}

std::uint32_t Win32Registry::RegCloseKey(Handle key) {
    return static_cast<std::uint32_t>(::RegCloseKey(hkey(key)));
}

std::uint32_t Win32Registry::RegQueryValueExA(Handle key, const std::string& name,
                                              std::uint32_t& type,
                                              std::vector<std::uint8_t>& data) {
    DWORD size = 0, t = 0;
    LONG r = ::RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t, nullptr, &size);
    if (r != ERROR_SUCCESS)
        return static_cast<std::uint32_t>(r);
    data.assign(size, 0);
    r = ::RegQueryValueExA(hkey(key), name.c_str(), nullptr, &t,
                           data.empty() ? nullptr : data.data(), &size);
    data.resize(size);
    type = t;
    return static_cast<std::uint32_t>(r);
}

std::uint32_t Win32Registry::RegSetValueExA(Handle key, const std::string& name, std::uint32_t type,
                                            const std::vector<std::uint8_t>& data) {
    return static_cast<std::uint32_t>(::RegSetValueExA(hkey(key), name.c_str(), 0, type,
                                                       data.empty() ? nullptr : data.data(),
                                                       static_cast<DWORD>(data.size())));
}

std::uint32_t Win32Registry::RegDeleteValueA(Handle key, const std::string& name) {
    return static_cast<std::uint32_t>(::RegDeleteValueA(hkey(key), name.c_str()));
}

std::uint32_t Win32Registry::RegDeleteKeyA(Handle key, const std::string& subKey) {
    return static_cast<std::uint32_t>(::RegDeleteKeyA(hkey(key), subKey.c_str()));
}

std::uint32_t Win32Registry::RegDeleteKeyExA(Handle key, const std::string& subKey,
                                             std::uint32_t sam) {
    const auto deleteKeyEx =
        systemFunction<decltype(&::RegDeleteKeyExA)>("advapi32.dll", "RegDeleteKeyExA");
    if (deleteKeyEx == nullptr)
        return ERROR_CALL_NOT_IMPLEMENTED;
    return static_cast<std::uint32_t>(deleteKeyEx(hkey(key), subKey.c_str(), sam, 0));
}

std::uint32_t Win32Registry::RegEnumKeyExA(Handle key, std::uint32_t index, std::string& name) {
    char buffer[256];
    DWORD size = sizeof buffer;
    const LONG r =
        ::RegEnumKeyExA(hkey(key), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_SUCCESS)
        name.assign(buffer, size);
    return static_cast<std::uint32_t>(r);
}

std::uint32_t Win32Registry::RegEnumValueA(Handle key, std::uint32_t index, std::string& name) {
    char buffer[16384];
    DWORD size = sizeof buffer;
    const LONG r =
        ::RegEnumValueA(hkey(key), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_SUCCESS)
        name.assign(buffer, size);
    return static_cast<std::uint32_t>(r);
}

} // namespace platform::win32

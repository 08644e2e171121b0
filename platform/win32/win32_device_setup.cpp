#include "platform/win32/win32_device_setup.h"

#include "platform/win32/system_function.h"

#include <windows.h>

#include <newdev.h>
#include <setupapi.h>

#include <cstring>

namespace platform::win32 {
namespace {

template <typename T> T toNative(Handle h) {
    if (h == invalidHandle)
        return reinterpret_cast<T>(INVALID_HANDLE_VALUE);
    return reinterpret_cast<T>(static_cast<std::uintptr_t>(h));
}

Handle fromNative(const void* h) {
    if (h == INVALID_HANDLE_VALUE)
        return invalidHandle;
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

HWND window(Handle h) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(h));
}

const char* orNull(const std::string& s) {
    return s.empty() ? nullptr : s.c_str();
}

GUID toNative(const Guid& g) {
    GUID out;
    out.Data1 = g.data1;
    out.Data2 = g.data2;
    out.Data3 = g.data3;
    std::memcpy(out.Data4, g.data4, sizeof out.Data4);
    return out;
}

Guid fromNative(const GUID& g) {
    Guid out;
    out.data1 = g.Data1;
    out.data2 = g.Data2;
    out.data3 = g.Data3;
    std::memcpy(out.data4, g.Data4, sizeof out.data4);
    return out;
}

SP_DEVINFO_DATA toNative(const DeviceInfoData& d) {
    SP_DEVINFO_DATA out;
    out.cbSize = sizeof out;
    out.ClassGuid = toNative(d.classGuid);
    out.DevInst = d.devInst;
    out.Reserved = static_cast<ULONG_PTR>(d.reserved);
    return out;
}

DeviceInfoData fromNative(const SP_DEVINFO_DATA& d) {
    DeviceInfoData out;
    out.classGuid = fromNative(d.ClassGuid);
    out.devInst = d.DevInst;
    out.reserved = d.Reserved;
    return out;
}

INFCONTEXT toNative(const InfContext& c) {
    INFCONTEXT out;
    out.Inf = reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(c.inf));
    out.CurrentInf = reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(c.currentInf));
    out.Section = c.section;
    out.Line = c.line;
    return out;
}

InfContext fromNative(const INFCONTEXT& c) {
    InfContext out;
    out.inf = static_cast<Handle>(reinterpret_cast<std::uintptr_t>(c.Inf));
    out.currentInf = static_cast<Handle>(reinterpret_cast<std::uintptr_t>(c.CurrentInf));
    out.section = c.Section;
    out.line = c.Line;
    return out;
}

// Neither setupapi.dll nor newdev.dll is part of Windows 95, and NT 4 has
// neither the device-installation functions nor newdev.dll: everything here is
// looked up when used.
template <typename Function> Function setupApi(const char* name) {
    return systemFunction<Function>("setupapi.dll", name);
}

using CabinetHandler = std::function<bool(const std::string& member, std::string& target)>;

UINT CALLBACK cabinetCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR) {
    const CabinetHandler& onFile = *static_cast<const CabinetHandler*>(context);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET: {
        auto* info = reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
        std::string target;
        if (!onFile(info->NameInCabinet, target))
            return FILEOP_SKIP;
        if (target.size() >= sizeof info->FullTargetName) {
            info->Win32Error = ERROR_FILENAME_EXCED_RANGE;
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return FILEOP_ABORT;
        }
        std::memcpy(info->FullTargetName, target.c_str(), target.size() + 1);
        return FILEOP_DOIT;
    }
    case SPFILENOTIFY_FILEEXTRACTED:
        return reinterpret_cast<FILEPATHS_A*>(param1)->Win32Error;
    case SPFILENOTIFY_NEEDNEWCABINET:
        return ERROR_FILE_NOT_FOUND; // cabinet sets that span files are not ours
    default:
        return NO_ERROR;
    }
}

} // namespace

bool Win32DeviceSetup::UpdateDriverForPlugAndPlayDevicesA(Handle owner,
                                                          const std::string& hardwareId,
                                                          const std::string& fullInfPath,
                                                          std::uint32_t installFlags,
                                                          bool& rebootRequired) {
    const auto update = systemFunction<decltype(&::UpdateDriverForPlugAndPlayDevicesA)>(
        "newdev.dll", "UpdateDriverForPlugAndPlayDevicesA");
    if (update == nullptr)
        return false;
    BOOL reboot = FALSE;
    const BOOL ok =
        update(window(owner), hardwareId.c_str(), fullInfPath.c_str(), installFlags, &reboot);
    rebootRequired = reboot != FALSE;
    return ok != FALSE;
}

bool Win32DeviceSetup::SetupCopyOEMInfA(const std::string& sourceInfFileName,
                                        const std::string& oemSourceMediaLocation,
                                        std::uint32_t oemSourceMediaType, std::uint32_t copyStyle) {
    const auto copy = setupApi<decltype(&::SetupCopyOEMInfA)>("SetupCopyOEMInfA");
    return copy != nullptr &&
           copy(sourceInfFileName.c_str(), orNull(oemSourceMediaLocation), oemSourceMediaType,
                copyStyle, nullptr, 0, nullptr, nullptr) != FALSE;
}

Handle Win32DeviceSetup::SetupOpenInfFileA(const std::string& fileName, const std::string& infClass,
                                           std::uint32_t infStyle, std::uint32_t& errorLine) {
    const auto open = setupApi<decltype(&::SetupOpenInfFileA)>("SetupOpenInfFileA");
    if (open == nullptr)
        return invalidHandle;
    UINT line = 0;
    HINF inf = open(fileName.c_str(), orNull(infClass), infStyle, &line);
    errorLine = line;
    return fromNative(inf);
}

void Win32DeviceSetup::SetupCloseInfFile(Handle inf) {
    if (const auto close = setupApi<decltype(&::SetupCloseInfFile)>("SetupCloseInfFile"))
        close(toNative<HINF>(inf));
}

bool Win32DeviceSetup::SetupFindFirstLineA(Handle inf, const std::string& section,
                                           const std::string& key, InfContext& context) {
    const auto find = setupApi<decltype(&::SetupFindFirstLineA)>("SetupFindFirstLineA");
    INFCONTEXT c{};
    if (find == nullptr || !find(toNative<HINF>(inf), section.c_str(), orNull(key), &c))
        return false;
    context = fromNative(c);
    return true;
}

bool Win32DeviceSetup::SetupFindNextLine(const InfContext& contextIn, InfContext& contextOut) {
    const auto next = setupApi<decltype(&::SetupFindNextLine)>("SetupFindNextLine");
    INFCONTEXT in = toNative(contextIn);
    INFCONTEXT out{};
    if (next == nullptr || !next(&in, &out))
        return false;
    contextOut = fromNative(out);
    return true;
}

std::uint32_t Win32DeviceSetup::SetupGetFieldCount(const InfContext& context) {
    const auto count = setupApi<decltype(&::SetupGetFieldCount)>("SetupGetFieldCount");
    INFCONTEXT c = toNative(context);
    return count == nullptr ? 0 : count(&c);
}

bool Win32DeviceSetup::SetupGetStringFieldA(const InfContext& context, std::uint32_t fieldIndex,
                                            std::string& value) {
    const auto field = setupApi<decltype(&::SetupGetStringFieldA)>("SetupGetStringFieldA");
    INFCONTEXT c = toNative(context);
    DWORD size = 0;
    if (field == nullptr || !field(&c, fieldIndex, nullptr, 0, &size))
        return false;
    std::string buffer(size + 1, '\0');
    if (!field(&c, fieldIndex, &buffer[0], static_cast<DWORD>(buffer.size()), &size))
        return false;
    value.assign(buffer.c_str());
    return true;
}

bool Win32DeviceSetup::SetupDiGetINFClassA(const std::string& infName, Guid& classGuid,
                                           std::string& className) {
    const auto infClass = setupApi<decltype(&::SetupDiGetINFClassA)>("SetupDiGetINFClassA");
    if (infClass == nullptr)
        return false;
    GUID guid{};
    std::string buffer(64, '\0');
    DWORD size = 0;
    BOOL ok =
        infClass(infName.c_str(), &guid, &buffer[0], static_cast<DWORD>(buffer.size()), &size);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > buffer.size()) {
        buffer.assign(size, '\0');
        ok = infClass(infName.c_str(), &guid, &buffer[0], static_cast<DWORD>(buffer.size()), &size);
    }
    if (!ok)
        return false;
    classGuid = fromNative(guid);
    className.assign(buffer.c_str());
    return true;
}

bool Win32DeviceSetup::SetupDiClassGuidsFromNameA(const std::string& className,
                                                  std::vector<Guid>& classGuids) {
    const auto fromName =
        setupApi<decltype(&::SetupDiClassGuidsFromNameA)>("SetupDiClassGuidsFromNameA");
    if (fromName == nullptr)
        return false;
    DWORD size = 0;
    std::vector<GUID> guids(1);
    BOOL ok = fromName(className.c_str(), guids.data(), static_cast<DWORD>(guids.size()), &size);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > guids.size()) {
        guids.resize(size);
        ok = fromName(className.c_str(), guids.data(), static_cast<DWORD>(guids.size()), &size);
    }
    if (!ok)
        return false;
    classGuids.clear();
    for (DWORD i = 0; i < size && i < guids.size(); ++i)
        classGuids.push_back(fromNative(guids[i]));
    return true;
}

Handle Win32DeviceSetup::SetupDiCreateDeviceInfoList(const Guid& classGuid, Handle owner) {
    const auto create =
        setupApi<decltype(&::SetupDiCreateDeviceInfoList)>("SetupDiCreateDeviceInfoList");
    if (create == nullptr)
        return invalidHandle;
    const GUID guid = toNative(classGuid);
    return fromNative(create(classGuid.isNull() ? nullptr : &guid, window(owner)));
}

bool Win32DeviceSetup::SetupDiCreateDeviceInfoA(Handle deviceInfoSet, const std::string& deviceName,
                                                const Guid& classGuid,
                                                const std::string& description, Handle owner,
                                                std::uint32_t creationFlags, DeviceInfoData& data) {
    const auto create = setupApi<decltype(&::SetupDiCreateDeviceInfoA)>("SetupDiCreateDeviceInfoA");
    const GUID guid = toNative(classGuid);
    SP_DEVINFO_DATA d{};
    d.cbSize = sizeof d;
    if (create == nullptr || !create(toNative<HDEVINFO>(deviceInfoSet), deviceName.c_str(), &guid,
                                     orNull(description), window(owner), creationFlags, &d))
        return false;
    data = fromNative(d);
    return true;
}

bool Win32DeviceSetup::SetupDiSetDeviceRegistryPropertyA(Handle deviceInfoSet, DeviceInfoData& data,
                                                         std::uint32_t property,
                                                         const std::vector<std::uint8_t>& buffer) {
    const auto set = setupApi<decltype(&::SetupDiSetDeviceRegistryPropertyA)>(
        "SetupDiSetDeviceRegistryPropertyA");
    if (set == nullptr)
        return false;
    SP_DEVINFO_DATA d = toNative(data);
    const BOOL ok =
        set(toNative<HDEVINFO>(deviceInfoSet), &d, property,
            buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()));
    data = fromNative(d);
    return ok != FALSE;
}

bool Win32DeviceSetup::SetupDiGetDeviceRegistryPropertyA(Handle deviceInfoSet,
                                                         const DeviceInfoData& data,
                                                         std::uint32_t property,
                                                         std::uint32_t& regType,
                                                         std::vector<std::uint8_t>& buffer) {
    const auto get = setupApi<decltype(&::SetupDiGetDeviceRegistryPropertyA)>(
        "SetupDiGetDeviceRegistryPropertyA");
    if (get == nullptr)
        return false;
    SP_DEVINFO_DATA d = toNative(data);
    DWORD type = 0, size = 0;
    std::vector<BYTE> bytes(256);
    BOOL ok = get(toNative<HDEVINFO>(deviceInfoSet), &d, property, &type, bytes.data(),
                  static_cast<DWORD>(bytes.size()), &size);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > bytes.size()) {
        bytes.resize(size);
        ok = get(toNative<HDEVINFO>(deviceInfoSet), &d, property, &type, bytes.data(),
                 static_cast<DWORD>(bytes.size()), &size);
    }
    if (!ok)
        return false;
    regType = type;
    buffer.assign(bytes.begin(), bytes.begin() + (size < bytes.size() ? size : bytes.size()));
    return true;
}

bool Win32DeviceSetup::SetupDiCallClassInstaller(std::uint32_t installFunction,
                                                 Handle deviceInfoSet, DeviceInfoData& data) {
    const auto call = setupApi<decltype(&::SetupDiCallClassInstaller)>("SetupDiCallClassInstaller");
    if (call == nullptr)
        return false;
    SP_DEVINFO_DATA d = toNative(data);
    const BOOL ok = call(installFunction, toNative<HDEVINFO>(deviceInfoSet), &d);
    data = fromNative(d);
    return ok != FALSE;
}

Handle Win32DeviceSetup::SetupDiGetClassDevsA(const Guid& classGuid, const std::string& enumerator,
                                              Handle parent, std::uint32_t flags) {
    const auto devices = setupApi<decltype(&::SetupDiGetClassDevsA)>("SetupDiGetClassDevsA");
    if (devices == nullptr)
        return invalidHandle;
    const GUID guid = toNative(classGuid);
    return fromNative(
        devices(classGuid.isNull() ? nullptr : &guid, orNull(enumerator), window(parent), flags));
}

bool Win32DeviceSetup::SetupDiEnumDeviceInfo(Handle deviceInfoSet, std::uint32_t memberIndex,
                                             DeviceInfoData& data) {
    const auto enumerate = setupApi<decltype(&::SetupDiEnumDeviceInfo)>("SetupDiEnumDeviceInfo");
    SP_DEVINFO_DATA d{};
    d.cbSize = sizeof d;
    if (enumerate == nullptr || !enumerate(toNative<HDEVINFO>(deviceInfoSet), memberIndex, &d))
        return false;
    data = fromNative(d);
    return true;
}

bool Win32DeviceSetup::SetupDiDestroyDeviceInfoList(Handle deviceInfoSet) {
    const auto destroy =
        setupApi<decltype(&::SetupDiDestroyDeviceInfoList)>("SetupDiDestroyDeviceInfoList");
    return destroy != nullptr && destroy(toNative<HDEVINFO>(deviceInfoSet)) != FALSE;
}

bool Win32DeviceSetup::SetupIterateCabinetA(
    const std::string& cabinet,
    const std::function<bool(const std::string& member, std::string& target)>& onFile) {
    const auto iterate = setupApi<decltype(&::SetupIterateCabinetA)>("SetupIterateCabinetA");
    return iterate != nullptr && iterate(cabinet.c_str(), 0, cabinetCallback,
                                         const_cast<CabinetHandler*>(&onFile)) != FALSE;
}

} // namespace platform::win32

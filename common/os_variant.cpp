#include "common/os_variant.h"

#include "common/language_text.h"
#include "platform/machine.h"

#include <algorithm>

namespace common {

const char* osSuffix(OsVariant variant) {
    static const char* const suffixes[] = {".98",   ".NT",    ".2K",   ".XP",
                                           ".2003", ".Vista", ".2008", ".Win7"};
    return variant >= 0 && variant <= 7 ? suffixes[variant] : suffixes[0];
}

unsigned osDriverVersion(OsVariant variant) {
    if (variant == osWin9x)
        return 0;
    return variant == osNt4 ? 2 : 3;
}

std::string osEnvironment(OsVariant variant, bool wow64) {
    if (variant == osWin9x)
        return "Windows 4.0";
    return wow64 ? x64Environment : "";
}

std::uint16_t nativeArchitecture(platform::Machine& machine) {
    platform::SystemInfo& system = machine.system();
    const platform::Handle kernel = system.LoadLibraryA("kernel32.dll");
    bool haveNative = false;
    if (kernel != 0) {
        haveNative = system.GetProcAddress(kernel, "GetNativeSystemInfo");
        system.FreeLibrary(kernel);
    }
    return haveNative ? system.GetNativeSystemInfo() : system.GetSystemInfo();
}

namespace {

// 6.1 and every later NT (8, 8.1, 10, 11): the package describes no newer
// Windows, and its Windows 7 and Server 2008 drivers are the ones that run there.
OsVariant win7OrLater(bool workstation) {
    return workstation ? osWin7 : os2008;
}

OsVariant ntVariant(const platform::OsVersionInfo& v, std::uint16_t architecture) {
    const bool workstation = v.productType == platform::productWorkstation;
    switch (v.majorVersion) {
    case 4:
        return v.minorVersion == 0 ? osNt4 : osWin9x;
    case 5:
        switch (v.minorVersion) {
        case 0:
            return os2000;
        case 1:
            return osXp;
        case 2:
            return workstation && architecture == platform::arch::amd64 ? osXp : os2003;
        default:
            return osWin9x;
        }
    case 6:
        if (v.minorVersion == 0)
            return workstation ? osVista : os2008;
        return win7OrLater(workstation);
    default:
        // 10.0 (Windows 10, 11 and their servers) and whatever follows.
        return v.majorVersion > 6 ? win7OrLater(workstation) : osWin9x;
    }
}

} // namespace

OsVariant detectOsVariant(platform::Machine& machine, const LanguageText& messages) {
    platform::OsVersionInfo version;
    if (!machine.system().GetVersionExA(version))
        return osWin9x;
    const std::uint16_t architecture = nativeArchitecture(machine);
    switch (version.platformId) {
    case platform::platformWindows:
        return osWin9x;
    case platform::platformNt:
        return ntVariant(version, architecture);
    default:
        machine.desktop().MessageBoxA(0, messages.get("IDS_ERR_SYSTEM"), "", platform::mb::ok);
        return osWin9x;
    }
}

bool is64BitProcess(platform::Machine& machine) {
    return machine.system().GetSystemInfo() == platform::arch::amd64;
}

bool is64BitWindows(platform::Machine& machine) {
    if (is64BitProcess(machine))
        return true;
    platform::SystemInfo& system = machine.system();
    // kernel32 from the system folder by its full path first; the bare name
    // when the path cannot be formed or loaded.
    platform::Handle kernel = 0;
    std::string folder;
    if (system.GetSystemDirectoryA(folder)) {
        const std::string path = folder + "\\kernel32.dll";
        if (path.size() < 261)
            kernel = system.LoadLibraryA(path);
    }
    if (kernel == 0)
        kernel = system.LoadLibraryA("kernel32.dll");
    if (kernel == 0)
        return false;
    bool wow64 = false;
    if (system.GetProcAddress(kernel, "IsWow64Process") && !system.IsWow64Process(wow64))
        wow64 = false;
    system.FreeLibrary(kernel);
    return wow64;
}

bool isAdministrator(platform::Machine& machine) {
    platform::SystemInfo& system = machine.system();
    platform::Handle token = 0;
    if (!system.OpenThreadToken(token)) {
        if (machine.GetLastError() != platform::err::noToken || !system.OpenProcessToken(token))
            return false;
    }
    std::vector<std::string> groups;
    const bool read = system.GetTokenGroups(token, groups);
    system.CloseHandle(token);
    // The built-in Administrators group: authority NT (5), sub-authorities 32 and 544.
    return read && std::find(groups.begin(), groups.end(), "S-1-5-32-544") != groups.end();
}

} // namespace common

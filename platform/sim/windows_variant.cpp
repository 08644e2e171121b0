#include "platform/sim/windows_variant.h"

#include "platform/sim/sim_text.h"

#include <array>

namespace platform::sim {
namespace {

struct Edition {
    WindowsVariant variant;
    const char* name;
    std::uint32_t platformId, major, minor, build;
    std::uint8_t productType;
};

constexpr std::array<Edition, 13> editions{{
    {WindowsVariant::Win95, "95", platformWindows, 4, 0, 950, 0},
    {WindowsVariant::Win98, "98", platformWindows, 4, 10, 2222, 0},
    {WindowsVariant::WinMe, "me", platformWindows, 4, 90, 3000, 0},
    {WindowsVariant::Nt4, "nt4", platformNt, 4, 0, 1381, productWorkstation},
    {WindowsVariant::Win2000, "2000", platformNt, 5, 0, 2195, productWorkstation},
    {WindowsVariant::Xp, "xp", platformNt, 5, 1, 2600, productWorkstation},
    {WindowsVariant::Xp64, "xp64", platformNt, 5, 2, 3790, productWorkstation},
    {WindowsVariant::Server2003, "2003", platformNt, 5, 2, 3790, productServer},
    {WindowsVariant::Vista, "vista", platformNt, 6, 0, 6002, productWorkstation},
    {WindowsVariant::Server2008, "2008", platformNt, 6, 0, 6002, productServer},
    {WindowsVariant::Server2008R2, "2008r2", platformNt, 6, 1, 7601, productServer},
    {WindowsVariant::Win7, "7", platformNt, 6, 1, 7601, productWorkstation},
    {WindowsVariant::Win8, "8", platformNt, 6, 2, 9200, productWorkstation},
}};

const Edition& edition(WindowsVariant variant) {
    return editions[static_cast<std::size_t>(variant)];
}

bool atLeast(WindowsVariant variant, WindowsVariant floor) {
    return static_cast<int>(variant) >= static_cast<int>(floor);
}

} // namespace

std::optional<WindowsVariant> parseWindowsVariant(const std::string& name) {
    for (const Edition& e : editions) {
        if (equalNoCase(name, e.name))
            return e.variant;
    }
    return std::nullopt;
}

std::string windowsVariantName(WindowsVariant variant) {
    return edition(variant).name;
}

bool isWin9x(WindowsVariant variant) {
    return edition(variant).platformId == platformWindows;
}

bool supportsBits(WindowsVariant variant, int bits) {
    if (bits == 32)
        return variant != WindowsVariant::Xp64 && variant != WindowsVariant::Server2008R2;
    if (bits == 64)
        return atLeast(variant, WindowsVariant::Xp) && variant != WindowsVariant::Xp;
    return false;
}

OsVersionInfo versionRecord(WindowsVariant variant) {
    const Edition& e = edition(variant);
    OsVersionInfo info;
    info.platformId = e.platformId;
    info.majorVersion = e.major;
    info.minorVersion = e.minor;
    info.buildNumber = e.build;
    info.productType = e.productType;
    return info;
}

std::string windowsFolder(WindowsVariant variant) {
    return variant == WindowsVariant::Nt4 || variant == WindowsVariant::Win2000 ? "C:\\WINNT"
                                                                                : "C:\\WINDOWS";
}

std::string systemFolder(WindowsVariant variant) {
    return windowsFolder(variant) + (isWin9x(variant) ? "\\SYSTEM" : "\\system32");
}

std::string tempFolder(WindowsVariant variant) {
    if (isWin9x(variant))
        return "C:\\WINDOWS\\TEMP\\";
    if (atLeast(variant, WindowsVariant::Vista))
        return "C:\\Users\\Admin\\AppData\\Local\\Temp\\";
    return "C:\\Documents and Settings\\Admin\\Local Settings\\Temp\\";
}

bool hasModule(WindowsVariant variant, const std::string& module) {
    const std::string m = upper(module);
    if (m == "KERNEL32.DLL" || m == "USER32.DLL" || m == "ADVAPI32.DLL" || m == "WINSPOOL.DRV" ||
        m == "SETUPAPI.DLL")
        return true;
    if (m == "NEWDEV.DLL")
        return atLeast(variant, WindowsVariant::Win2000);
    return false;
}

bool hasFunction(WindowsVariant variant, int bits, const std::string& module,
                 const std::string& function) {
    const std::string m = upper(module);
    if (m == "KERNEL32.DLL") {
        if (function == "IsWow64Process" || function == "GetNativeSystemInfo")
            return atLeast(variant, WindowsVariant::Xp);
        if (function == "Wow64DisableWow64FsRedirection" ||
            function == "Wow64RevertWow64FsRedirection")
            return bits == 64 || atLeast(variant, WindowsVariant::Vista);
        if (function == "CreateActCtxW" || function == "ActivateActCtx" ||
            function == "DeactivateActCtx" || function == "ReleaseActCtx" ||
            function == "QueryActCtxW" || function == "FindActCtxSectionStringW")
            return atLeast(variant, WindowsVariant::Xp);
        return true;
    }
    if (m == "ADVAPI32.DLL" && function == "RegDeleteKeyExA")
        return bits == 64 || atLeast(variant, WindowsVariant::Vista);
    if (m == "WINSPOOL.DRV") {
        if (function == "SetDefaultPrinterA" || function == "DeletePrinterDriverExA")
            return atLeast(variant, WindowsVariant::Win2000);
        return true;
    }
    return hasModule(variant, module);
}

} // namespace platform::sim

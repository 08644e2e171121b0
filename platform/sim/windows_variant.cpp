#include "platform/sim/windows_variant.h"

#include "platform/sim/sim_text.h"

#include <array>

namespace platform::sim {
namespace {

struct Edition {
    WindowsVariant variant;
    const char* name;
    const char* title;
    std::uint32_t platformId, major, minor, build;
    std::uint8_t productType;
};

constexpr std::array<Edition, 21> editions{{
    {WindowsVariant::Win95, "95", "Windows 95", platformWindows, 4, 0, 950, 0},
    {WindowsVariant::Win98, "98", "Windows 98", platformWindows, 4, 10, 2222, 0},
    {WindowsVariant::WinMe, "me", "Windows Me", platformWindows, 4, 90, 3000, 0},
    {WindowsVariant::Nt4, "nt4", "Windows NT 4.0", platformNt, 4, 0, 1381, productWorkstation},
    {WindowsVariant::Win2000, "2000", "Windows 2000", platformNt, 5, 0, 2195, productWorkstation},
    {WindowsVariant::Xp, "xp", "Windows XP", platformNt, 5, 1, 2600, productWorkstation},
    {WindowsVariant::Xp64, "xp64", "Windows XP x64", platformNt, 5, 2, 3790, productWorkstation},
    {WindowsVariant::Server2003, "2003", "Windows Server 2003", platformNt, 5, 2, 3790,
     productServer},
    {WindowsVariant::Vista, "vista", "Windows Vista", platformNt, 6, 0, 6002, productWorkstation},
    {WindowsVariant::Server2008, "2008", "Windows Server 2008", platformNt, 6, 0, 6002,
     productServer},
    {WindowsVariant::Server2008R2, "2008r2", "Windows Server 2008 R2", platformNt, 6, 1, 7601,
     productServer},
    {WindowsVariant::Win7, "7", "Windows 7", platformNt, 6, 1, 7601, productWorkstation},
    {WindowsVariant::Win8, "8", "Windows 8", platformNt, 6, 2, 9200, productWorkstation},
    {WindowsVariant::Server2012, "2012", "Windows Server 2012", platformNt, 6, 2, 9200,
     productServer},
    {WindowsVariant::Win81, "8.1", "Windows 8.1", platformNt, 6, 3, 9600, productWorkstation},
    {WindowsVariant::Server2012R2, "2012r2", "Windows Server 2012 R2", platformNt, 6, 3, 9600,
     productServer},
    {WindowsVariant::Win10, "10", "Windows 10", platformNt, 10, 0, 19045, productWorkstation},
    {WindowsVariant::Server2016, "2016", "Windows Server 2016", platformNt, 10, 0, 14393,
     productServer},
    {WindowsVariant::Server2019, "2019", "Windows Server 2019", platformNt, 10, 0, 17763,
     productServer},
    {WindowsVariant::Server2022, "2022", "Windows Server 2022", platformNt, 10, 0, 20348,
     productServer},
    {WindowsVariant::Win11, "11", "Windows 11", platformNt, 10, 0, 22631, productWorkstation},
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

std::string windowsVariantNames(const std::string& separator) {
    std::string names;
    for (const Edition& e : editions)
        names += (names.empty() ? "" : separator) + e.name;
    return names;
}

std::string windowsVariantTitle(WindowsVariant variant) {
    return edition(variant).title;
}

bool isWin9x(WindowsVariant variant) {
    return edition(variant).platformId == platformWindows;
}

bool supportsBits(WindowsVariant variant, int bits) {
    // From 2008 R2 on the servers, and with Windows 11, only 64-bit editions.
    if (bits == 32)
        return variant != WindowsVariant::Xp64 && !atLeast(variant, WindowsVariant::Win11) &&
               (edition(variant).productType != productServer ||
                !atLeast(variant, WindowsVariant::Server2008R2));
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

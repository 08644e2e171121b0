#include "usbinstall/driver_removal.h"

#include "platform/machine.h"

#include <vector>

namespace usbinstall {
namespace {

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

// The compiled INF Windows keeps beside each one in its inf folder.
std::string pnfOf(const std::string& infPath) {
    return infPath.size() < 3 ? infPath : infPath.substr(0, infPath.size() - 3) + "PNF";
}

// Field 1 of the line `key` of `section`; empty when there is none.
std::string infValue(platform::DeviceSetup& setup, platform::Handle inf, const char* section,
                     const char* key) {
    platform::InfContext line;
    std::string value;
    if (!setup.SetupFindFirstLineA(inf, section, key, line) ||
        !setup.SetupGetStringFieldA(line, 1, value))
        return {};
    return value;
}

void removeDevices(InstallContext& context, const RemovalSelector& selector) {
    platform::DeviceSetup& setup = context.machine.deviceSetup();
    const platform::Handle set =
        setup.SetupDiGetClassDevsA(selector.classGuid, "", 0, platform::digcf::present);
    if (set == platform::invalidHandle)
        return;
    platform::DeviceInfoData device;
    for (std::uint32_t index = 0; setup.SetupDiEnumDeviceInfo(set, index, device); ++index) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> bytes;
        if (!setup.SetupDiGetDeviceRegistryPropertyA(set, device, platform::spdrp::deviceDesc, type,
                                                     bytes))
            continue;
        std::string description(bytes.begin(), bytes.end());
        description = description.substr(0, description.find('\0'));
        if (description.find(selector.descriptionText) == std::string::npos)
            continue;
        setup.SetupDiCallClassInstaller(platform::dif::remove, set, device);
    }
    setup.SetupDiDestroyDeviceInfoList(set);
}

} // namespace

bool infBelongsToDriver(InstallContext& context, const std::string& path, InfOwnership ownership) {
    platform::DeviceSetup& setup = context.machine.deviceSetup();
    std::uint32_t errorLine = 0;
    const platform::Handle inf =
        setup.SetupOpenInfFileA(path, "", platform::infstyle::win4, errorLine);
    if (inf == platform::invalidHandle)
        return false;
    const std::string cls = infValue(setup, inf, "Version", "Class");
    bool ours = false;
    if (ownership == InfOwnership::usbPrinter) {
        ours = cls == "USB";
        if (ours) {
            ours = false;
            for (const char* key : {"Provider", "KV", "QW"})
                ours = ours || infValue(setup, inf, "Strings", key) == packageInfProvider;
        }
    } else {
        ours = cls == "Ports" &&
               infValue(setup, inf, "Strings", "Mfg").find("TAVO") != std::string::npos;
    }
    setup.SetupCloseInfFile(inf);
    return ours;
}

void removeDriver(InstallContext& context, const RemovalSelector& selector) {
    platform::Machine& machine = context.machine;
    context.log.write("uninstall the device drivers and delete application.\r\n");
    removeDevices(context, selector);

    std::string windows, system;
    const bool haveWindows = machine.system().GetWindowsDirectoryA(windows);
    const std::string infFolder = withSlash(windows) + "inf\\";
    if (haveWindows) {
        for (const char* const* inf = selector.infFiles; *inf != nullptr; ++inf) {
            machine.files().DeleteFileA(infFolder + *inf);
            machine.files().DeleteFileA(pnfOf(infFolder + *inf));
        }
    }
    if (machine.system().GetSystemDirectoryA(system)) {
        for (const char* const* file = selector.driverFiles; *file != nullptr; ++file)
            machine.files().DeleteFileA(withSlash(system) + "Drivers\\" + *file);
    }

    if (haveWindows) {
        // The names first: the folder is not changed while it is being listed.
        std::vector<std::string> infs;
        platform::FindData found;
        const platform::Handle search = machine.files().FindFirstFileA(infFolder + "*.inf", found);
        if (search != platform::invalidHandle) {
            do {
                if ((found.attributes & platform::fileattr::directory) == 0)
                    infs.push_back(infFolder + found.name);
            } while (machine.files().FindNextFileA(search, found));
            machine.files().FindClose(search);
        }
        for (const std::string& inf : infs) {
            if (infBelongsToDriver(context, inf, selector.ownership)) {
                machine.files().DeleteFileA(inf);
                machine.files().DeleteFileA(pnfOf(inf));
            }
        }
    }
    context.log.write("uninstall finish.....\r\n");
}

} // namespace usbinstall

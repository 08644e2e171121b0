#include "usbinstall/network_vcom_install.h"

#include "platform/machine.h"
#include "usbinstall/install_tables.h"
#include "usbinstall/setup_error.h"

#include <optional>
#include <utility>
#include <vector>

namespace usbinstall {
namespace {

const char* const dottedLine = ".............................................\r\n";

struct FoundDevice {
    std::string description;
    std::string hardwareId;
};

// The first model line of the first manufacturer that has one: its description
// and first hardware id (empty when the line lists none). Without one, `error`
// says why: the reason the manufacturers could not be read, or
// ERROR_NO_MORE_ITEMS when they ran out.
std::optional<FoundDevice> findDevice(platform::Machine& machine, platform::Handle inf,
                                      std::uint32_t& error) {
    platform::DeviceSetup& setup = machine.deviceSetup();
    platform::InfContext manufacturer;
    if (!setup.SetupFindFirstLineA(inf, "Manufacturer", "", manufacturer)) {
        error = machine.GetLastError();
        return std::nullopt;
    }
    do {
        std::string models;
        platform::InfContext model;
        if (!setup.SetupGetStringFieldA(manufacturer, 1, models) ||
            !setup.SetupFindFirstLineA(inf, models, "", model))
            continue;
        FoundDevice found;
        if (!setup.SetupGetStringFieldA(model, 0, found.description))
            continue;
        if (setup.SetupGetFieldCount(model) >= 2 &&
            !setup.SetupGetStringFieldA(model, 2, found.hardwareId))
            continue;
        return found;
    } while (setup.SetupFindNextLine(manufacturer, manufacturer));
    error = platform::err::noMoreItems;
    return std::nullopt;
}

class NetworkVcomInstall {
public:
    explicit NetworkVcomInstall(InstallContext& context)
        : context_(context), machine_(context.machine), setup_(context.machine.deviceSetup()) {}

    ~NetworkVcomInstall() {
        // Devices registered by this run that never got their driver would stay
        // as dead entries in the device manager.
        if (!installed_) {
            for (auto& [set, element] : registered_)
                setup_.SetupDiCallClassInstaller(platform::dif::remove, set, element);
        }
        for (platform::Handle set : sets_)
            setup_.SetupDiDestroyDeviceInfoList(set);
        if (inf_ != platform::invalidHandle)
            setup_.SetupCloseInfFile(inf_);
    }

    bool run(int deviceCount) {
        const std::string infPath = infOpenPath(context_.packageFile(networkVcomInf));
        std::uint32_t errorLine = 0;
        inf_ = setup_.SetupOpenInfFileA(infPath, "", platform::infstyle::win4, errorLine);
        if (inf_ == platform::invalidHandle)
            return failed("SetupOpenInfFile");
        platform::Guid classGuid;
        std::string className;
        if (!setup_.SetupDiGetINFClassA(infPath, classGuid, className))
            return failed("SetupOpenInfFile");
        if (classGuid.isNull()) {
            std::vector<platform::Guid> guids;
            if (!setup_.SetupDiClassGuidsFromNameA(className, guids))
                return failed("SetupOpenInfFile");
            if (!guids.empty())
                classGuid = guids.front();
        }
        context_.log.write(dottedLine);

        std::uint32_t searchError = 0;
        const std::optional<FoundDevice> device = findDevice(machine_, inf_, searchError);
        if (!device)
            return failed("search for specified device", searchError);
        std::vector<std::uint8_t> hardwareIds(device->hardwareId.begin(), device->hardwareId.end());
        hardwareIds.push_back(0);
        hardwareIds.push_back(0);

        for (int round = 0; round < deviceCount; ++round) {
            const platform::Handle set = setup_.SetupDiCreateDeviceInfoList(classGuid, 0);
            if (set == platform::invalidHandle)
                return failed("SetupDiCreateDeviceInfoList");
            sets_.push_back(set);
            platform::DeviceInfoData element;
            if (!setup_.SetupDiCreateDeviceInfoA(set, className, classGuid, "", 0,
                                                 platform::dicd::generateId, element) ||
                !setup_.SetupDiSetDeviceRegistryPropertyA(set, element, platform::spdrp::hardwareId,
                                                          hardwareIds))
                return failed("SetupDiCreateDeviceInfo or SetupDiSetDeviceRegistryProperty");
            if (!setup_.SetupDiCallClassInstaller(platform::dif::registerDevice, set, element))
                return failed("SetupDiCallClassInstaller(DIF_REGISTERDEVICE)");
            registered_.emplace_back(set, element);
            if (round == deviceCount - 1) {
                // One driver update reaches every device with the id, so it
                // waits until the last one is there.
                bool rebootRequired = false;
                if (!setup_.UpdateDriverForPlugAndPlayDevicesA(0, device->hardwareId, infPath,
                                                               platform::installflag::force,
                                                               rebootRequired))
                    return failed("UpdateDriverForPlugAndPlayDevices");
                installed_ = true;
                context_.log.write(dottedLine);
            }
            context_.log.write("Driver install finish, please plug in TCP printer.\r\n");
        }
        return true;
    }

private:
    bool failed(const std::string& operation) { return failed(operation, machine_.GetLastError()); }

    bool failed(const std::string& operation, std::uint32_t error) {
        reportSetupError(machine_, context_.window, operation, error);
        context_.log.write("install failed , please uninstall and restart to install.\r\n");
        return false;
    }

    InstallContext& context_;
    platform::Machine& machine_;
    platform::DeviceSetup& setup_;
    platform::Handle inf_ = platform::invalidHandle;
    std::vector<platform::Handle> sets_;
    std::vector<std::pair<platform::Handle, platform::DeviceInfoData>> registered_;
    bool installed_ = false;
};

} // namespace

std::string infOpenPath(const std::string& path) {
    std::string p = path;
    if (p.size() >= 2 && p.front() == '"' && p.back() == '"')
        p = p.substr(1, p.size() - 2);
    if (p.find('\\') == std::string::npos)
        p = ".\\" + p;
    return p;
}

bool installNetworkVcom(InstallContext& context, int deviceCount) {
    NetworkVcomInstall install(context);
    return install.run(deviceCount);
}

} // namespace usbinstall

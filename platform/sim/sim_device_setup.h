// The simulated machine's device manager and SetupAPI.
//
// Devices have an instance id, a setup class, a description, hardware ids, the
// oemN.inf their driver came from, and may be present or not. Installing a
// driver copies the INF into the Windows inf folder as oemN.inf with an
// oemN.pnf beside it (a small text file that records the source media folder,
// where the real one is a compiled INF), copies the files of the model's
// CopyFiles sections from that folder to system32\drivers, and gives the
// device the INF's class and the model's description. A device attached later
// gets a driver from a matching oemN.inf, as Plug and Play would.
// Simplifications: every CopyFiles destination is system32\drivers; of the
// device properties only the description and the hardware ids are kept; a
// 32-bit program on 64-bit Windows is refused driver updates and class-installer
// calls with ERROR_IN_WOW64, as Windows refuses it.
// Cabinets are files in the format of sim_cabinet.h.
#pragma once

#include "platform/device_setup.h"
#include "platform/sim/sim_inf_file.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::sim {

class SimMachine;

struct SimDevice {
    std::uint32_t devInst = 0;
    std::string instanceId;
    Guid classGuid;
    std::string className;
    std::string description;
    std::vector<std::string> hardwareIds;
    std::string driverInf;   // "oem3.inf"; empty while the device has no driver
    bool registered = false; // false: an element created in a set and not yet registered
    bool present = false;
};

class SimDeviceSetup : public DeviceSetup {
public:
    explicit SimDeviceSetup(SimMachine& machine);

    bool UpdateDriverForPlugAndPlayDevicesA(Handle owner, const std::string& hardwareId,
                                            const std::string& fullInfPath,
                                            std::uint32_t installFlags,
                                            bool& rebootRequired) override;
    bool SetupCopyOEMInfA(const std::string& sourceInfFileName,
                          const std::string& oemSourceMediaLocation,
                          std::uint32_t oemSourceMediaType, std::uint32_t copyStyle) override;
    Handle SetupOpenInfFileA(const std::string& fileName, const std::string& infClass,
                             std::uint32_t infStyle, std::uint32_t& errorLine) override;
    void SetupCloseInfFile(Handle inf) override;
    bool SetupFindFirstLineA(Handle inf, const std::string& section, const std::string& key,
                             InfContext& context) override;
    bool SetupFindNextLine(const InfContext& contextIn, InfContext& contextOut) override;
    std::uint32_t SetupGetFieldCount(const InfContext& context) override;
    bool SetupGetStringFieldA(const InfContext& context, std::uint32_t fieldIndex,
                              std::string& value) override;
    bool SetupDiGetINFClassA(const std::string& infName, Guid& classGuid,
                             std::string& className) override;
    bool SetupDiClassGuidsFromNameA(const std::string& className,
                                    std::vector<Guid>& classGuids) override;
    Handle SetupDiCreateDeviceInfoList(const Guid& classGuid, Handle owner) override;
    bool SetupDiCreateDeviceInfoA(Handle deviceInfoSet, const std::string& deviceName,
                                  const Guid& classGuid, const std::string& description,
                                  Handle owner, std::uint32_t creationFlags,
                                  DeviceInfoData& data) override;
    bool SetupDiSetDeviceRegistryPropertyA(Handle deviceInfoSet, DeviceInfoData& data,
                                           std::uint32_t property,
                                           const std::vector<std::uint8_t>& buffer) override;
    bool SetupDiGetDeviceRegistryPropertyA(Handle deviceInfoSet, const DeviceInfoData& data,
                                           std::uint32_t property, std::uint32_t& regType,
                                           std::vector<std::uint8_t>& buffer) override;
    bool SetupDiCallClassInstaller(std::uint32_t installFunction, Handle deviceInfoSet,
                                   DeviceInfoData& data) override;
    Handle SetupDiGetClassDevsA(const Guid& classGuid, const std::string& enumerator, Handle parent,
                                std::uint32_t flags) override;
    bool SetupDiEnumDeviceInfo(Handle deviceInfoSet, std::uint32_t memberIndex,
                               DeviceInfoData& data) override;
    bool SetupDiDestroyDeviceInfoList(Handle deviceInfoSet) override;
    bool SetupIterateCabinetA(
        const std::string& cabinet,
        const std::function<bool(const std::string& member, std::string& target)>& onFile) override;

    // Arranging and inspecting. attachDevice plugs a device in (present) and
    // installs a driver for it from the inf folder when one fits; it answers
    // the device's devInst. detachDevice unplugs it (it stays known, not present).
    std::uint32_t attachDevice(const std::string& instanceId,
                               const std::vector<std::string>& hardwareIds,
                               const std::string& description = "");
    void detachDevice(const std::string& instanceId);
    // A registered device with a driver, as if installed earlier.
    std::uint32_t addDevice(const SimDevice& device);
    const SimDevice* device(const std::string& instanceId) const;
    // Every registered device, in the order they became known.
    std::vector<SimDevice> devices() const;
    // The setup classes the machine knows ("USB", "Ports", "Printer", ... built in).
    void addClass(const std::string& name, const Guid& guid);
    // The oemN.inf files of the inf folder, by number.
    std::vector<std::string> oemInfs() const;
    // INF handles and device information sets not yet closed.
    std::size_t openHandles() const { return infs_.size() + sets_.size(); }

    // The device manager in lines; open handles are the program's and not kept.
    void save(std::ostream& out) const;
    bool load(std::istream& in);

private:
    struct DeviceSet {
        bool hasClass = false;
        Guid classGuid;
        std::vector<DeviceInfoData> members; // an element outlives the device it stood for
    };

    bool fail(const char* call);
    bool done(bool ok, std::uint32_t error = 0);
    Handle doneHandle(Handle handle);
    std::optional<std::string> readInf(const std::string& path, InfFile& inf, std::uint32_t& error,
                                       std::uint32_t& errorLine);
    std::vector<std::pair<std::string, Guid>> classes() const;
    std::string className(const Guid& guid) const;
    SimDevice* findDevice(std::uint32_t devInst);
    SimDevice* element(Handle deviceInfoSet, const DeviceInfoData& data, std::uint32_t& error);
    // Copies an INF into the inf folder (the same text keeps its oemN.inf).
    std::string storeOemInf(const std::string& text, const std::string& mediaFolder, bool& existed);
    std::string pnfSource(const std::string& oemInf) const;
    std::optional<std::string> findOemInf(const std::string& text) const;
    bool installDriver(SimDevice& device, const InfFile& inf, const std::string& infText,
                       const std::string& mediaFolder, const InfModel& model, std::uint32_t& error);
    bool is64Bit() const;
    std::string infFolder() const;

    SimMachine& machine_;
    std::vector<SimDevice> devices_;
    std::vector<std::pair<std::string, Guid>> extraClasses_;
    std::map<Handle, InfFile> infs_;
    std::map<Handle, DeviceSet> sets_;
    Handle nextHandle_ = 0x3000;
    std::uint32_t nextDevInst_ = 1;
};

} // namespace platform::sim

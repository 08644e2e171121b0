// The real device installation calls (setupapi, newdev), one adapter per call.
#pragma once

#include "platform/device_setup.h"

namespace platform::win32 {

class Win32DeviceSetup : public DeviceSetup {
public:
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
};

} // namespace platform::win32

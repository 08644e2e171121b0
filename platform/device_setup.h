#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// A GUID as the system lays it out.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    bool isNull() const { return *this == Guid{}; }
    friend bool operator==(const Guid& a, const Guid& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
            return false;
        for (int i = 0; i < 8; ++i) {
            if (a.data4[i] != b.data4[i])
                return false;
        }
        return true;
    }
    friend bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }
};

// INFCONTEXT: where a line of an open INF file lies.
struct InfContext {
    Handle inf = 0;
    Handle currentInf = 0;
    std::uint32_t section = 0;
    std::uint32_t line = 0;
};

// SP_DEVINFO_DATA: one element of a device information set. `reserved` belongs
// to the system and must travel back unchanged.
struct DeviceInfoData {
    Guid classGuid;
    std::uint32_t devInst = 0;
    std::uint64_t reserved = 0;
};

// SetupAPI's own error numbers (APPLICATION_ERROR_MASK | ERROR_SEVERITY_ERROR | n).
namespace err {
inline constexpr std::uint32_t setupapiBase = 0xE0000000;
inline constexpr std::uint32_t expectedSectionName = 0xE0000000;
inline constexpr std::uint32_t badSectionNameLine = 0xE0000001;
inline constexpr std::uint32_t sectionNameTooLong = 0xE0000002;
inline constexpr std::uint32_t generalSyntax = 0xE0000003;
inline constexpr std::uint32_t wrongInfStyle = 0xE0000100;
inline constexpr std::uint32_t sectionNotFound = 0xE0000101;
inline constexpr std::uint32_t lineNotFound = 0xE0000102;
inline constexpr std::uint32_t noAssociatedClass = 0xE0000200;
inline constexpr std::uint32_t classMismatch = 0xE0000201;
inline constexpr std::uint32_t invalidDevinstName = 0xE0000205;
inline constexpr std::uint32_t invalidClass = 0xE0000206;
inline constexpr std::uint32_t devinstAlreadyExists = 0xE0000207;
inline constexpr std::uint32_t invalidRegProperty = 0xE0000209;
inline constexpr std::uint32_t noSuchDevinst = 0xE000020B;
inline constexpr std::uint32_t diDoDefault = 0xE000020E;
inline constexpr std::uint32_t noCompatDrivers = 0xE0000228;
inline constexpr std::uint32_t inWow64 = 0xE0000235;
inline constexpr std::uint32_t notInstalled = 0xE0001000;
} // namespace err

// INF_STYLE_*.
namespace infstyle {
inline constexpr std::uint32_t oldNt = 0x1;
inline constexpr std::uint32_t win4 = 0x2;
} // namespace infstyle

// DIF_* class-installer functions.
namespace dif {
inline constexpr std::uint32_t remove = 0x05;
inline constexpr std::uint32_t registerDevice = 0x19;
} // namespace dif

// DIGCF_* flags of SetupDiGetClassDevs.
namespace digcf {
inline constexpr std::uint32_t present = 0x02;
inline constexpr std::uint32_t allClasses = 0x04;
} // namespace digcf

// DICD_* flags of SetupDiCreateDeviceInfo.
namespace dicd {
inline constexpr std::uint32_t generateId = 0x1;
} // namespace dicd

// SPDRP_* device registry properties.
namespace spdrp {
inline constexpr std::uint32_t deviceDesc = 0x00;
inline constexpr std::uint32_t hardwareId = 0x01;
inline constexpr std::uint32_t compatibleIds = 0x02;
inline constexpr std::uint32_t friendlyName = 0x0C;
} // namespace spdrp

// INSTALLFLAG_* of UpdateDriverForPlugAndPlayDevices.
namespace installflag {
inline constexpr std::uint32_t force = 0x1;
inline constexpr std::uint32_t readOnly = 0x2;
inline constexpr std::uint32_t nonInteractive = 0x4;
} // namespace installflag

// SPOST_* media types and SP_COPY_* styles of SetupCopyOEMInf.
namespace spost {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t path = 1;
inline constexpr std::uint32_t url = 2;
} // namespace spost

namespace spcopy {
inline constexpr std::uint32_t noOverwrite = 0x8;
} // namespace spcopy

// Device installation (setupapi, newdev): driver updates, INF pre-installation,
// INF reading, device information sets and the class installer, cabinets.
// Each call answers like the real one: a success flag (or a handle, with
// invalidHandle for failure) and the reason in Machine::GetLastError.
class DeviceSetup {
public:
    virtual ~DeviceSetup() = default;

    // newdev: installs the INF's driver on every present device with this
    // hardware id; fails with err::noSuchDevinst when there is none.
    virtual bool UpdateDriverForPlugAndPlayDevicesA(Handle owner, const std::string& hardwareId,
                                                    const std::string& fullInfPath,
                                                    std::uint32_t installFlags,
                                                    bool& rebootRequired) = 0;
    // Copies an INF into the system's inf folder as oemN.inf, without asking for
    // the destination name.
    virtual bool SetupCopyOEMInfA(const std::string& sourceInfFileName,
                                  const std::string& oemSourceMediaLocation,
                                  std::uint32_t oemSourceMediaType, std::uint32_t copyStyle) = 0;

    // INF files. An empty infClass stands for NULL.
    virtual Handle SetupOpenInfFileA(const std::string& fileName, const std::string& infClass,
                                     std::uint32_t infStyle, std::uint32_t& errorLine) = 0;
    virtual void SetupCloseInfFile(Handle inf) = 0;
    // An empty key stands for NULL: the section's first line.
    virtual bool SetupFindFirstLineA(Handle inf, const std::string& section, const std::string& key,
                                     InfContext& context) = 0;
    virtual bool SetupFindNextLine(const InfContext& contextIn, InfContext& contextOut) = 0;
    // The number of fields of the line, its key not counted.
    virtual std::uint32_t SetupGetFieldCount(const InfContext& context) = 0;
    // Field 0 is the line's key; 1 and on are its values, strings substituted.
    virtual bool SetupGetStringFieldA(const InfContext& context, std::uint32_t fieldIndex,
                                      std::string& value) = 0;
    // The setup class named by an INF's Version section (null GUID when it names none).
    virtual bool SetupDiGetINFClassA(const std::string& infName, Guid& classGuid,
                                     std::string& className) = 0;
    // Every installed class of that name (none is still success).
    virtual bool SetupDiClassGuidsFromNameA(const std::string& className,
                                            std::vector<Guid>& classGuids) = 0;

    // Device information sets; 0 owner stands for no window.
    virtual Handle SetupDiCreateDeviceInfoList(const Guid& classGuid, Handle owner) = 0;
    // An empty description stands for NULL.
    virtual bool SetupDiCreateDeviceInfoA(Handle deviceInfoSet, const std::string& deviceName,
                                          const Guid& classGuid, const std::string& description,
                                          Handle owner, std::uint32_t creationFlags,
                                          DeviceInfoData& data) = 0;
    virtual bool SetupDiSetDeviceRegistryPropertyA(Handle deviceInfoSet, DeviceInfoData& data,
                                                   std::uint32_t property,
                                                   const std::vector<std::uint8_t>& buffer) = 0;
    virtual bool SetupDiGetDeviceRegistryPropertyA(Handle deviceInfoSet, const DeviceInfoData& data,
                                                   std::uint32_t property, std::uint32_t& regType,
                                                   std::vector<std::uint8_t>& buffer) = 0;
    virtual bool SetupDiCallClassInstaller(std::uint32_t installFunction, Handle deviceInfoSet,
                                           DeviceInfoData& data) = 0;
    // An empty enumerator stands for NULL.
    virtual Handle SetupDiGetClassDevsA(const Guid& classGuid, const std::string& enumerator,
                                        Handle parent, std::uint32_t flags) = 0;
    // Fails with err::noMoreItems past the last element.
    virtual bool SetupDiEnumDeviceInfo(Handle deviceInfoSet, std::uint32_t memberIndex,
                                       DeviceInfoData& data) = 0;
    virtual bool SetupDiDestroyDeviceInfoList(Handle deviceInfoSet) = 0;

    // Walks the files of a cabinet. onFile gets each member's name in the
    // cabinet; it answers true to have it extracted to the full path it sets in
    // `target`, false to skip it. Fails with the error of the first member that
    // could not be extracted.
    virtual bool SetupIterateCabinetA(
        const std::string& cabinet,
        const std::function<bool(const std::string& member, std::string& target)>& onFile) = 0;
};

} // namespace platform

// Windows numbers the seam speaks: error codes, registry access and value types,
// message-box flags and answers. Named here so that code above the seam never
// needs <windows.h>.
#pragma once

#include <cstdint>

namespace platform {

// An opaque handle the seam hands out (a key, a mutex, a window, a search...).
// 0 is "no handle"; invalidHandle stands for INVALID_HANDLE_VALUE.
using Handle = std::uint64_t;
inline constexpr Handle invalidHandle = ~Handle{0};

namespace err {
inline constexpr std::uint32_t success = 0;
inline constexpr std::uint32_t invalidFunction = 1;
inline constexpr std::uint32_t fileNotFound = 2;
inline constexpr std::uint32_t pathNotFound = 3;
inline constexpr std::uint32_t accessDenied = 5;
inline constexpr std::uint32_t invalidHandle = 6;
inline constexpr std::uint32_t notEnoughMemory = 8;
inline constexpr std::uint32_t badFormat = 11;
inline constexpr std::uint32_t invalidData = 13;
inline constexpr std::uint32_t outOfMemory = 14;
inline constexpr std::uint32_t noMoreFiles = 18;
inline constexpr std::uint32_t notReady = 21;
inline constexpr std::uint32_t sharingViolation = 32;
inline constexpr std::uint32_t notSupported = 50;
inline constexpr std::uint32_t fileExists = 80;
inline constexpr std::uint32_t invalidParameter = 87;
inline constexpr std::uint32_t callNotImplemented = 120;
inline constexpr std::uint32_t insufficientBuffer = 122;
inline constexpr std::uint32_t invalidName = 123;
inline constexpr std::uint32_t invalidLevel = 124;
inline constexpr std::uint32_t modNotFound = 126;
inline constexpr std::uint32_t procNotFound = 127;
inline constexpr std::uint32_t alreadyExists = 183;
inline constexpr std::uint32_t badExeFormat = 193;
inline constexpr std::uint32_t moreData = 234;
inline constexpr std::uint32_t noMoreItems = 259;
inline constexpr std::uint32_t canNotComplete = 1003;
inline constexpr std::uint32_t noToken = 1008;
inline constexpr std::uint32_t badDeviceOrKey = 1010; // not used; placeholder of the family
inline constexpr std::uint32_t invalidServiceControl = 1052;
inline constexpr std::uint32_t serviceRequestTimeout = 1053;
inline constexpr std::uint32_t serviceAlreadyRunning = 1056;
inline constexpr std::uint32_t serviceDisabled = 1058;
inline constexpr std::uint32_t serviceDoesNotExist = 1060;
inline constexpr std::uint32_t serviceCannotAcceptCtrl = 1061;
inline constexpr std::uint32_t serviceNotActive = 1062;
inline constexpr std::uint32_t noSuchPrivilege = 1313;
inline constexpr std::uint32_t rpcServerUnavailable = 1722; // RPC_S_SERVER_UNAVAILABLE
inline constexpr std::uint32_t unknownPort = 1796;
inline constexpr std::uint32_t unknownPrinterDriver = 1797;
inline constexpr std::uint32_t unknownPrintProcessor = 1798;
inline constexpr std::uint32_t invalidPrinterName = 1801;
inline constexpr std::uint32_t printerAlreadyExists = 1802;
inline constexpr std::uint32_t invalidPrinterCommand = 1803;
inline constexpr std::uint32_t invalidDatatype = 1804;
inline constexpr std::uint32_t invalidEnvironment = 1805;
inline constexpr std::uint32_t resourceDataNotFound = 1812;
inline constexpr std::uint32_t resourceTypeNotFound = 1813;
inline constexpr std::uint32_t resourceNameNotFound = 1814;
inline constexpr std::uint32_t unknownPrintMonitor = 3000;
inline constexpr std::uint32_t printerDriverInUse = 3001;
inline constexpr std::uint32_t printProcessorAlreadyInstalled = 3005;
inline constexpr std::uint32_t printMonitorAlreadyInstalled = 3006;
inline constexpr std::uint32_t invalidPrintMonitor = 3007;
inline constexpr std::uint32_t printMonitorInUse = 3008;
inline constexpr std::uint32_t printerHasJobsQueued = 3009;
} // namespace err

// Registry access masks (REGSAM) and value types.
namespace regsam {
inline constexpr std::uint32_t queryValue = 0x0001;
inline constexpr std::uint32_t setValue = 0x0002;
inline constexpr std::uint32_t read = 0x20019;
inline constexpr std::uint32_t write = 0x20006;
inline constexpr std::uint32_t allAccess = 0xF003F;
inline constexpr std::uint32_t wow64_64Key = 0x0100;
inline constexpr std::uint32_t wow64_32Key = 0x0200;
} // namespace regsam

namespace regtype {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t sz = 1;
inline constexpr std::uint32_t expandSz = 2;
inline constexpr std::uint32_t binary = 3;
inline constexpr std::uint32_t dword = 4;
inline constexpr std::uint32_t multiSz = 7;
} // namespace regtype

// File attributes.
namespace fileattr {
inline constexpr std::uint32_t readOnly = 0x01;
inline constexpr std::uint32_t hidden = 0x02;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t archive = 0x20;
inline constexpr std::uint32_t normal = 0x80;
inline constexpr std::uint32_t invalid = 0xFFFFFFFF;
} // namespace fileattr

// MessageBox types and answers.
namespace mb {
inline constexpr std::uint32_t ok = 0x0;
inline constexpr std::uint32_t okCancel = 0x1;
inline constexpr std::uint32_t yesNo = 0x4;
inline constexpr std::uint32_t iconError = 0x10;
inline constexpr std::uint32_t iconQuestion = 0x20;
inline constexpr std::uint32_t iconWarning = 0x30;
inline constexpr std::uint32_t iconInformation = 0x40;
inline constexpr int idOk = 1;
inline constexpr int idCancel = 2;
inline constexpr int idYes = 6;
inline constexpr int idNo = 7;
} // namespace mb

// ShowWindow commands used by the programs.
namespace sw {
inline constexpr int hide = 0;
inline constexpr int showNormal = 1;
inline constexpr int show = 5;
inline constexpr int minimize = 6;
inline constexpr int restore = 9;
} // namespace sw

// Processor architectures of SYSTEM_INFO.
namespace arch {
inline constexpr std::uint16_t intel = 0;
inline constexpr std::uint16_t ia64 = 6;
inline constexpr std::uint16_t amd64 = 9;
} // namespace arch

// Version-record platform ids and product types.
inline constexpr std::uint32_t platformWin32s = 0;
inline constexpr std::uint32_t platformWindows = 1; // 95, 98, Me
inline constexpr std::uint32_t platformNt = 2;
inline constexpr std::uint8_t productWorkstation = 1;
inline constexpr std::uint8_t productDomainController = 2;
inline constexpr std::uint8_t productServer = 3;

} // namespace platform

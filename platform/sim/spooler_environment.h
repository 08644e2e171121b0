// The spooler's environments on each Windows edition: which names it accepts,
// which one a caller's NULL stands for, and the folders it keeps drivers and
// print processors in.
#pragma once

#include "platform/sim/windows_variant.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform::sim {

inline constexpr const char* environmentWin9x = "Windows 4.0";
inline constexpr const char* environmentX86 = "Windows NT x86";
inline constexpr const char* environmentX64 = "Windows x64";
inline constexpr const char* environmentIa64 = "Windows IA64";

// The spooler's own environment: the one its printers' drivers and its loaded
// print processors belong to.
std::string nativeEnvironment(WindowsVariant os, int bits);

// The environment a caller's NULL stands for: the caller's own, so a 32-bit
// program on 64-bit Windows names "Windows NT x86", the 32-bit clients' set.
std::string callerEnvironment(WindowsVariant os, int bits, int processBits);

// The spooler's own spelling of an environment this edition accepts (names
// are compared without regard to case); empty stands for the native one.
// nullopt: ERROR_INVALID_ENVIRONMENT.
std::optional<std::string> acceptedEnvironment(WindowsVariant os, int bits,
                                               const std::string& environment);

// GetPrinterDriverDirectoryA / GetPrintProcessorDirectoryA for an accepted
// environment: spool\drivers\w32x86, spool\prtprocs\x64 ...; on Windows 9x
// both are the system folder.
std::string driverDirectory(WindowsVariant os, const std::string& environment);
std::string processorDirectory(WindowsVariant os, const std::string& environment);

// The driver version the spooler files an NT driver under (the "3" of
// Version-3 and of the driver directory's subfolder): 2 on NT 4, 3 later,
// 0 on Windows 9x, which has no version subfolders.
std::uint32_t driverVersion(WindowsVariant os);

// Registry keys (HKLM, native view) of the spooler's objects.
std::string printKey(); // SYSTEM\CurrentControlSet\Control\Print
std::string monitorKey(const std::string& monitor);
std::string processorKey(const std::string& environment, const std::string& processor);
std::string driverKey(WindowsVariant os, const std::string& environment, const std::string& driver);
std::string printerKey(const std::string& printer);

} // namespace platform::sim

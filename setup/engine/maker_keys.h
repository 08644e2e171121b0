// The maker's keys under HKLM\SOFTWARE\KORVANE that the package's USB port
// monitor reads to find its ports.
#pragma once

#include <string>

namespace setup {

class InstallSession;
class SetupConfig;

inline constexpr const char* portNameKey = "SOFTWARE\\KORVANE\\PORTNAME\\";
inline constexpr const char* printerPortKey = "SOFTWARE\\KORVANE\\PRINTERPORT\\";

// Before the worker: the port's number from SUPPORTED-USB-DEVICE under
// PORTNAME, and "D1".."D8" = 0 under PRINTERPORT. False with the error text set.
bool recordUsbPort(InstallSession& session, SetupConfig& config, const std::string& portName);

// After the driver was added: the chosen port text = 0 under PRINTERPORT.
bool recordPrinterPort(InstallSession& session, const std::string& portText);

} // namespace setup

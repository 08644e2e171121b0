#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// MONITOR_INFO_2: an empty environment stands for NULL (the local one).
struct MonitorInfo2 {
    std::string name;
    std::string environment;
    std::string dllName;
};

// DRIVER_INFO_3, all ten fields. dependentFiles holds the names of the
// double-zero-terminated list; an empty string field stands for NULL.
struct DriverInfo3 {
    std::uint32_t version = 0;
    std::string name;
    std::string environment;
    std::string driverPath;
    std::string dataFile;
    std::string configFile;
    std::string helpFile;
    std::vector<std::string> dependentFiles;
    std::string monitorName;
    std::string defaultDataType;
};

// PRINTER_INFO_2, the fields the programs fill or read.
struct PrinterInfo2 {
    std::string serverName;
    std::string printerName;
    std::string shareName;
    std::string portName;
    std::string driverName;
    std::string comment;
    std::string location;
    std::string sepFile;
    std::string printProcessor;
    std::string datatype;
    std::string parameters;
    std::uint32_t attributes = 0;
    std::uint32_t priority = 0;
    std::uint32_t defaultPriority = 0;
    std::uint32_t status = 0;
    std::uint32_t jobs = 0;
};

// PRINTER_ATTRIBUTE_DEFAULT, set in the attributes on Windows 9x.
inline constexpr std::uint32_t printerAttributeDefault = 0x4;

class Spooler {
public:
    virtual ~Spooler() = default;
};

}  // namespace platform

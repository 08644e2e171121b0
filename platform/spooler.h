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

// PORT_INFO_1 / MONITOR_INFO_1 / PRINTPROCESSOR_INFO_1 / PRINTER_INFO_4 carry a name only.
// Printer access rights for OpenPrinterA.
namespace printeraccess {
inline constexpr std::uint32_t serverAdminister = 0x1; // SERVER_ACCESS_ADMINISTER
inline constexpr std::uint32_t printerAdminister = 0x4;
inline constexpr std::uint32_t printerUse = 0x8;
inline constexpr std::uint32_t deleteObject = 0x10000; // DELETE
inline constexpr std::uint32_t printerAllAccess = 0xF000C;
} // namespace printeraccess

// DeletePrinterDriverExA's dwDeleteFlag bits.
namespace driverdelete {
inline constexpr std::uint32_t unusedFiles = 0x1;     // DPD_DELETE_UNUSED_FILES
inline constexpr std::uint32_t specificVersion = 0x2; // DPD_DELETE_SPECIFIC_VERSION
inline constexpr std::uint32_t allFiles = 0x4;        // DPD_DELETE_ALL_FILES
} // namespace driverdelete

// The print spooler (winspool), local server. Calls answer like the real ones: a
// success flag (or handle, 0 on failure) with the reason in the last error. An
// empty environment stands for NULL (the spooler's own).
class Spooler {
public:
    virtual ~Spooler() = default;
    virtual bool GetPrinterDriverDirectoryA(const std::string& environment, std::string& path) = 0;
    virtual bool GetPrintProcessorDirectoryA(const std::string& environment, std::string& path) = 0;
    virtual bool AddMonitorA(const MonitorInfo2& monitor) = 0;
    virtual bool AddPrintProcessorA(const std::string& environment, const std::string& dll,
                                    const std::string& name) = 0;
    virtual bool AddPrinterDriverA(const DriverInfo3& driver) = 0;
    virtual Handle AddPrinterA(const PrinterInfo2& printer) = 0;
    virtual Handle OpenPrinterA(const std::string& name, std::uint32_t access) = 0;
    virtual bool ClosePrinter(Handle printer) = 0;
    virtual bool GetPrinterA(Handle printer, PrinterInfo2& info) = 0; // level 2
    virtual bool SetPrinterA(Handle printer, const PrinterInfo2& info) = 0;
    virtual bool DeletePrinter(Handle printer) = 0;
    // SetDefaultPrinterA of winspool.drv; the caller looks it up first (2000 and later).
    virtual bool SetDefaultPrinterA(const std::string& name) = 0;
    virtual bool EnumPortsA(std::vector<std::string>& ports) = 0;        // level 1
    virtual bool EnumPrintersA(std::vector<PrinterInfo2>& printers) = 0; // local, level 2
    virtual bool EnumMonitorsA(std::vector<std::string>& monitors) = 0;  // level 1
    virtual bool EnumPrintProcessorsA(const std::string& environment,
                                      std::vector<std::string>& processors) = 0; // level 1
    virtual bool EnumPrinterDriversA(const std::string& environment,
                                     std::vector<DriverInfo3>& drivers) = 0; // level 3
    virtual bool DeletePrinterDriverA(const std::string& environment, const std::string& name) = 0;
    // DeletePrinterDriverExA, looked up by name by the caller (2000 and later).
    virtual bool DeletePrinterDriverExA(const std::string& environment, const std::string& name,
                                        std::uint32_t deleteFlags, std::uint32_t versionFlag) = 0;
    virtual bool DeleteMonitorA(const std::string& environment, const std::string& name) = 0;
    virtual bool DeletePrintProcessorA(const std::string& environment, const std::string& name) = 0;
    // XcvDataW on a handle opened for ",XcvMonitor Standard TCP/IP Port" (or a port):
    // command (UTF-16), the input record's bytes, the output buffer's size; the
    // monitor's own status comes back in `status`.
    virtual bool XcvDataW(Handle xcv, const std::u16string& command,
                          const std::vector<std::uint8_t>& input, std::uint32_t outputSize,
                          std::uint32_t& status) = 0;
};

} // namespace platform

// The real print spooler (winspool), one adapter per call.
#pragma once

#include "platform/spooler.h"

namespace platform::win32 {

class Win32Spooler : public Spooler {
public:
    bool GetPrinterDriverDirectoryA(const std::string& environment, std::string& path) override;
    bool GetPrintProcessorDirectoryA(const std::string& environment, std::string& path) override;
    bool AddMonitorA(const MonitorInfo2& monitor) override;
    bool AddPrintProcessorA(const std::string& environment, const std::string& dll,
                            const std::string& name) override;
    bool AddPrinterDriverA(const DriverInfo3& driver) override;
    Handle AddPrinterA(const PrinterInfo2& printer) override;
    Handle OpenPrinterA(const std::string& name, std::uint32_t access) override;
    bool ClosePrinter(Handle printer) override;
    bool GetPrinterA(Handle printer, PrinterInfo2& info) override;
    bool SetPrinterA(Handle printer, const PrinterInfo2& info) override;
    bool DeletePrinter(Handle printer) override;
    bool SetDefaultPrinterA(const std::string& name) override;
    bool EnumPortsA(std::vector<std::string>& ports) override;
    bool EnumPrintersA(std::vector<PrinterInfo2>& printers) override;
    bool EnumMonitorsA(std::vector<std::string>& monitors) override;
    bool EnumPrintProcessorsA(const std::string& environment,
                              std::vector<std::string>& processors) override;
    bool EnumPrinterDriversA(const std::string& environment,
                             std::vector<DriverInfo3>& drivers) override;
    bool DeletePrinterDriverA(const std::string& environment, const std::string& name) override;
    bool DeletePrinterDriverExA(const std::string& environment, const std::string& name,
                                std::uint32_t deleteFlags, std::uint32_t versionFlag) override;
    bool DeleteMonitorA(const std::string& environment, const std::string& name) override;
    bool DeletePrintProcessorA(const std::string& environment, const std::string& name) override;
    bool XcvDataW(Handle xcv, const std::u16string& command, const std::vector<std::uint8_t>& input,
                  std::uint32_t outputSize, std::uint32_t& status) override;
};

} // namespace platform::win32

#pragma once

#include "platform/spooler.h"
#include "platform/win_types.h"

namespace platform::win32 {

// Not wired to the system yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
class Win32Spooler : public Spooler {
public:
    bool GetPrinterDriverDirectoryA(const std::string& /*environment*/, std::string& /*path*/) override { notImplemented(); return false; }
    bool GetPrintProcessorDirectoryA(const std::string& /*environment*/, std::string& /*path*/) override { notImplemented(); return false; }
    bool AddMonitorA(const MonitorInfo2& /*monitor*/) override { notImplemented(); return false; }
    bool AddPrintProcessorA(const std::string& /*environment*/, const std::string& /*dll*/, const std::string& /*name*/) override { notImplemented(); return false; }
    bool AddPrinterDriverA(const DriverInfo3& /*driver*/) override { notImplemented(); return false; }
    Handle AddPrinterA(const PrinterInfo2& /*printer*/) override { notImplemented(); return 0; }
    Handle OpenPrinterA(const std::string& /*name*/, std::uint32_t /*access*/) override { notImplemented(); return 0; }
    bool ClosePrinter(Handle /*printer*/) override { notImplemented(); return false; }
    bool GetPrinterA(Handle /*printer*/, PrinterInfo2& /*info*/) override { notImplemented(); return false; }
    bool SetPrinterA(Handle /*printer*/, const PrinterInfo2& /*info*/) override { notImplemented(); return false; }
    bool DeletePrinter(Handle /*printer*/) override { notImplemented(); return false; }
    bool SetDefaultPrinterA(const std::string& /*name*/) override { notImplemented(); return false; }
    bool EnumPortsA(std::vector<std::string>& /*ports*/) override { notImplemented(); return false; }
    bool EnumPrintersA(std::vector<PrinterInfo2>& /*printers*/) override { notImplemented(); return false; }
    bool EnumMonitorsA(std::vector<std::string>& /*monitors*/) override { notImplemented(); return false; }
    bool EnumPrintProcessorsA(const std::string& /*environment*/, std::vector<std::string>& /*processors*/) override { notImplemented(); return false; }
    bool EnumPrinterDriversA(const std::string& /*environment*/, std::vector<DriverInfo3>& /*drivers*/) override { notImplemented(); return false; }
    bool DeletePrinterDriverA(const std::string& /*environment*/, const std::string& /*name*/) override { notImplemented(); return false; }
    bool DeletePrinterDriverExA(const std::string& /*environment*/, const std::string& /*name*/, std::uint32_t /*deleteFlags*/, std::uint32_t /*versionFlag*/) override { notImplemented(); return false; }
    bool DeleteMonitorA(const std::string& /*environment*/, const std::string& /*name*/) override { notImplemented(); return false; }
    bool DeletePrintProcessorA(const std::string& /*environment*/, const std::string& /*name*/) override { notImplemented(); return false; }
    bool XcvDataW(Handle /*xcv*/, const std::u16string& /*command*/, const std::vector<std::uint8_t>& /*input*/, std::uint32_t /*outputSize*/, std::uint32_t& /*status*/) override { notImplemented(); return false; }

private:
    static void notImplemented();
};

}  // namespace platform::win32

// The seam's Win32 spooler, service and file-version adapters against the
// real system, for the Wine test spooler_seam.test.sh. Every call starts with
// the last error set to a marker, and prints one line:
//   <call> ok [<what it answered>]      or      <call> error <code>
// Arguments: a PE file with a version resource, and a file without one.
#include "platform/win32/win32_machine.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD marker = 0xC0FFEE;

void line(const char* call, bool ok, const std::string& answer = "") {
    if (ok)
        std::printf("%s ok%s%s\n", call, answer.empty() ? "" : " ", answer.c_str());
    else
        std::printf("%s error %lu\n", call, static_cast<unsigned long>(GetLastError()));
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string has(const std::vector<std::string>& names, const std::string& wanted) {
    for (const std::string& n : names) {
        if (lower(n) == lower(wanted))
            return "has " + wanted;
    }
    return "lacks " + wanted;
}

// PORT_DATA_1 for an IP_ port, as the engine builds it.
std::vector<std::uint8_t> portData(const std::string& address) {
    std::vector<std::uint8_t> b(964, 0);
    auto text = [&](std::size_t at, const std::string& t) {
        for (std::size_t i = 0; i < t.size(); ++i)
            b[at + 2 * i] = static_cast<std::uint8_t>(t[i]);
    };
    auto dword = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    text(0, "IP_" + address);
    dword(128, 1);
    dword(132, 1);
    dword(136, 964);
    text(144, address);
    text(242, "public");
    dword(308, 1);
    dword(952, 9100);
    dword(960, 1);
    return b;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: spooler_probe <versioned PE> <file without version>\n");
        return 2;
    }
    platform::win32::Win32Machine m;
    platform::Spooler& s = m.spooler();
    std::string path;

    SetLastError(marker);
    const bool driverDir = s.GetPrinterDriverDirectoryA("", path);
    line("GetPrinterDriverDirectoryA", driverDir, lower(path.substr(path.find_last_of('\\') + 1)));
    SetLastError(marker);
    const bool processorDir = s.GetPrintProcessorDirectoryA("", path);
    line("GetPrintProcessorDirectoryA", processorDir,
         lower(path.substr(path.find_last_of('\\') + 1)));
    SetLastError(marker);
    line("GetPrinterDriverDirectoryA(Windows 3.1)",
         s.GetPrinterDriverDirectoryA("Windows 3.1", path));

    std::vector<std::string> names;
    SetLastError(marker);
    const bool ports = s.EnumPortsA(names);
    line("EnumPortsA", ports, has(names, "LPT1:") + ", " + has(names, "FILE:"));
    SetLastError(marker);
    const bool monitors = s.EnumMonitorsA(names);
    line("EnumMonitorsA", monitors, has(names, "Local Port"));
    SetLastError(marker);
    const bool processors = s.EnumPrintProcessorsA("", names);
    line("EnumPrintProcessorsA", processors, has(names, "WinPrint"));
    std::vector<platform::PrinterInfo2> printers;
    SetLastError(marker);
    line("EnumPrintersA", s.EnumPrintersA(printers));
    std::vector<platform::DriverInfo3> drivers;
    SetLastError(marker);
    line("EnumPrinterDriversA", s.EnumPrinterDriversA("", drivers));

    SetLastError(marker);
    line("OpenPrinterA(unknown)",
         s.OpenPrinterA("No such printer here", platform::printeraccess::printerUse) != 0);
    platform::PrinterInfo2 printer;
    printer.printerName = "Seam probe";
    printer.portName = "NOPORT:";
    printer.driverName = "No such driver";
    printer.printProcessor = "WinPrint";
    SetLastError(marker);
    const platform::Handle added = s.AddPrinterA(printer);
    line("AddPrinterA(unknown port and driver)", added != 0);
    if (added != 0) {
        s.DeletePrinter(added);
        s.ClosePrinter(added);
    }
    SetLastError(marker);
    line("AddMonitorA(missing DLL)",
         s.AddMonitorA(platform::MonitorInfo2{"Seam probe monitor", "", "no_such_monitor.dll"}));

    SetLastError(marker);
    const platform::Handle xcv = s.OpenPrinterA(",XcvMonitor Standard TCP/IP Port",
                                                platform::printeraccess::serverAdminister);
    line("OpenPrinterA(XcvMonitor)", xcv != 0);
    if (xcv != 0) {
        std::uint32_t status = marker;
        SetLastError(marker);
        const bool ok = s.XcvDataW(xcv, u"AddPort", portData("192.0.2.7"), 260, status);
        line("XcvDataW(AddPort)", ok, "status " + std::to_string(status));
        s.ClosePrinter(xcv);
    }

    platform::Services& services = m.services();
    SetLastError(marker);
    const platform::Handle manager =
        services.OpenSCManagerA(platform::serviceaccess::managerConnect);
    line("OpenSCManagerA", manager != 0);
    if (manager != 0) {
        SetLastError(marker);
        const platform::Handle spooler =
            services.OpenServiceA(manager, "Spooler", platform::serviceaccess::queryStatus);
        line("OpenServiceA(Spooler)", spooler != 0);
        if (spooler != 0) {
            std::uint32_t state = 0;
            SetLastError(marker);
            const bool ok = services.QueryServiceStatus(spooler, state);
            line("QueryServiceStatus", ok, "state " + std::to_string(state));
            services.CloseServiceHandle(spooler);
        }
        SetLastError(marker);
        line("OpenServiceA(unknown)",
             services.OpenServiceA(manager, "NoSuchServiceHere",
                                   platform::serviceaccess::queryStatus) != 0);
        services.CloseServiceHandle(manager);
    }

    std::string version;
    SetLastError(marker);
    const bool versioned = m.files().GetFileVersionInfoA(argv[1], version);
    line("GetFileVersionInfoA(versioned)", versioned, version);
    SetLastError(marker);
    line("GetFileVersionInfoA(plain)", m.files().GetFileVersionInfoA(argv[2], version));
    SetLastError(marker);
    line("GetFileVersionInfoA(missing)",
         m.files().GetFileVersionInfoA("C:\\no\\such\\file.sys", version));
    return 0;
}

#include "platform/win32/win32_spooler.h"

#include "platform/win32/system_function.h"

#include <windows.h>
#include <winspool.h>

namespace platform::win32 {
namespace {

// The A functions take writable strings; an empty one stands for NULL.
class Text {
public:
    explicit Text(const std::string& text) : text_(text) {}
    LPSTR get() { return text_.empty() ? nullptr : &text_[0]; }

private:
    std::string text_;
};

std::string read(const char* text) {
    return text == nullptr ? std::string() : std::string(text);
}

HANDLE printerHandle(Handle h) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(h));
}
Handle handleOf(HANDLE h) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

// The enumeration functions want the size first; the second call fills the buffer.
template <typename Call> bool enumerate(Call call, std::vector<BYTE>& buffer, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    if (call(nullptr, 0, &needed, &count))
        return buffer.clear(), true;
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    buffer.assign(needed, 0);
    return call(buffer.data(), needed, &needed, &count) != FALSE;
}

template <typename Call> bool folder(Call call, std::string& path) {
    char buffer[MAX_PATH * 2] = {};
    DWORD needed = 0;
    if (!call(reinterpret_cast<LPBYTE>(buffer), sizeof buffer, &needed))
        return false;
    path = buffer;
    return true;
}

PrinterInfo2 fromInfo(const PRINTER_INFO_2A& p) {
    PrinterInfo2 info;
    info.serverName = read(p.pServerName);
    info.printerName = read(p.pPrinterName);
    info.shareName = read(p.pShareName);
    info.portName = read(p.pPortName);
    info.driverName = read(p.pDriverName);
    info.comment = read(p.pComment);
    info.location = read(p.pLocation);
    info.sepFile = read(p.pSepFile);
    info.printProcessor = read(p.pPrintProcessor);
    info.datatype = read(p.pDatatype);
    info.parameters = read(p.pParameters);
    info.attributes = p.Attributes;
    info.priority = p.Priority;
    info.defaultPriority = p.DefaultPriority;
    info.status = p.Status;
    info.jobs = p.cJobs;
    return info;
}

// The texts of a PRINTER_INFO_2A kept alive while the record is used.
struct PrinterRecord {
    explicit PrinterRecord(const PrinterInfo2& p)
        : server(p.serverName), name(p.printerName), share(p.shareName), port(p.portName),
          driver(p.driverName), comment(p.comment), location(p.location), sepFile(p.sepFile),
          processor(p.printProcessor), datatype(p.datatype), parameters(p.parameters) {
        record.pServerName = server.get();
        record.pPrinterName = name.get();
        record.pShareName = share.get();
        record.pPortName = port.get();
        record.pDriverName = driver.get();
        record.pComment = comment.get();
        record.pLocation = location.get();
        record.pSepFile = sepFile.get();
        record.pPrintProcessor = processor.get();
        record.pDatatype = datatype.get();
        record.pParameters = parameters.get();
        record.Attributes = p.attributes;
        record.Priority = p.priority;
        record.DefaultPriority = p.defaultPriority;
    }
    Text server, name, share, port, driver, comment, location, sepFile, processor, datatype,
        parameters;
    PRINTER_INFO_2A record{};
};

std::vector<std::string> multiString(const char* list) {
    std::vector<std::string> out;
    for (const char* p = list; p != nullptr && *p != '\0'; p += out.back().size() + 1)
        out.emplace_back(p);
    return out;
}

// The spooler functions that came with Windows 2000, or that Windows 95 may lack.
template <typename Function> Function winspoolFunction(const char* name) {
    return systemFunction<Function>("winspool.drv", name);
}

} // namespace

bool Win32Spooler::GetPrinterDriverDirectoryA(const std::string& environment, std::string& path) {
    Text env(environment);
    return folder(
        [&](LPBYTE buffer, DWORD size, DWORD* needed) {
            return ::GetPrinterDriverDirectoryA(nullptr, env.get(), 1, buffer, size, needed);
        },
        path);
}

bool Win32Spooler::GetPrintProcessorDirectoryA(const std::string& environment, std::string& path) {
    Text env(environment);
    return folder(
        [&](LPBYTE buffer, DWORD size, DWORD* needed) {
            return ::GetPrintProcessorDirectoryA(nullptr, env.get(), 1, buffer, size, needed);
        },
        path);
}

bool Win32Spooler::AddMonitorA(const MonitorInfo2& monitor) {
    Text name(monitor.name), env(monitor.environment), dll(monitor.dllName);
    MONITOR_INFO_2A info{name.get(), env.get(), dll.get()};
    return ::AddMonitorA(nullptr, 2, reinterpret_cast<LPBYTE>(&info)) != FALSE;
}

bool Win32Spooler::AddPrintProcessorA(const std::string& environment, const std::string& dll,
                                      const std::string& name) {
    Text env(environment), path(dll), processor(name);
    return ::AddPrintProcessorA(nullptr, env.get(), path.get(), processor.get()) != FALSE;
}

bool Win32Spooler::AddPrinterDriverA(const DriverInfo3& d) {
    Text name(d.name), env(d.environment), driver(d.driverPath), data(d.dataFile),
        config(d.configFile), help(d.helpFile), monitor(d.monitorName), datatype(d.defaultDataType);
    std::string dependent;
    for (const std::string& f : d.dependentFiles)
        dependent += f + '\0';
    dependent += '\0';
    DRIVER_INFO_3A info{};
    info.cVersion = d.version;
    info.pName = name.get();
    info.pEnvironment = env.get();
    info.pDriverPath = driver.get();
    info.pDataFile = data.get();
    info.pConfigFile = config.get();
    info.pHelpFile = help.get();
    info.pDependentFiles = d.dependentFiles.empty() ? nullptr : &dependent[0];
    info.pMonitorName = monitor.get();
    info.pDefaultDataType = datatype.get();
    return ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) != FALSE;
}

Handle Win32Spooler::AddPrinterA(const PrinterInfo2& printer) {
    PrinterRecord r(printer);
    return handleOf(::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&r.record)));
}

Handle Win32Spooler::OpenPrinterA(const std::string& name, std::uint32_t access) {
    Text printer(name);
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
    HANDLE h = nullptr;
    if (!::OpenPrinterA(printer.get(), &h, &defaults))
        return 0;
    return handleOf(h);
}

bool Win32Spooler::ClosePrinter(Handle printer) {
    return ::ClosePrinter(printerHandle(printer)) != FALSE;
}

bool Win32Spooler::GetPrinterA(Handle printer, PrinterInfo2& info) {
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    if (!::GetPrinterA(printerHandle(printer), 2, nullptr, 0, &needed)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return false;
    }
    buffer.assign(needed, 0);
    if (!::GetPrinterA(printerHandle(printer), 2, buffer.data(), needed, &needed))
        return false;
    info = fromInfo(*reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data()));
    return true;
}

bool Win32Spooler::SetPrinterA(Handle printer, const PrinterInfo2& info) {
    PrinterRecord r(info);
    return ::SetPrinterA(printerHandle(printer), 2, reinterpret_cast<LPBYTE>(&r.record), 0) !=
           FALSE;
}

bool Win32Spooler::DeletePrinter(Handle printer) {
    return ::DeletePrinter(printerHandle(printer)) != FALSE;
}

bool Win32Spooler::SetDefaultPrinterA(const std::string& name) {
    const auto set = winspoolFunction<decltype(&::SetDefaultPrinterA)>("SetDefaultPrinterA");
    return set != nullptr && set(name.empty() ? nullptr : name.c_str()) != FALSE;
}

bool Win32Spooler::EnumPortsA(std::vector<std::string>& ports) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!enumerate([](LPBYTE b, DWORD size, DWORD* needed,
                      DWORD* n) { return ::EnumPortsA(nullptr, 1, b, size, needed, n); },
                   buffer, count))
        return false;
    ports.clear();
    const auto* info = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        ports.push_back(read(info[i].pName));
    return true;
}

bool Win32Spooler::EnumPrintersA(std::vector<PrinterInfo2>& printers) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!enumerate(
            [](LPBYTE b, DWORD size, DWORD* needed, DWORD* n) {
                return ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, b, size, needed, n);
            },
            buffer, count))
        return false;
    printers.clear();
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        printers.push_back(fromInfo(info[i]));
    return true;
}

bool Win32Spooler::EnumMonitorsA(std::vector<std::string>& monitors) {
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!enumerate([](LPBYTE b, DWORD size, DWORD* needed,
                      DWORD* n) { return ::EnumMonitorsA(nullptr, 1, b, size, needed, n); },
                   buffer, count))
        return false;
    monitors.clear();
    const auto* info = reinterpret_cast<const MONITOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        monitors.push_back(read(info[i].pName));
    return true;
}

bool Win32Spooler::EnumPrintProcessorsA(const std::string& environment,
                                        std::vector<std::string>& processors) {
    Text env(environment);
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!enumerate(
            [&](LPBYTE b, DWORD size, DWORD* needed, DWORD* n) {
                return ::EnumPrintProcessorsA(nullptr, env.get(), 1, b, size, needed, n);
            },
            buffer, count))
        return false;
    processors.clear();
    const auto* info = reinterpret_cast<const PRINTPROCESSOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        processors.push_back(read(info[i].pName));
    return true;
}

bool Win32Spooler::EnumPrinterDriversA(const std::string& environment,
                                       std::vector<DriverInfo3>& drivers) {
    Text env(environment);
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!enumerate(
            [&](LPBYTE b, DWORD size, DWORD* needed, DWORD* n) {
                return ::EnumPrinterDriversA(nullptr, env.get(), 3, b, size, needed, n);
            },
            buffer, count))
        return false;
    drivers.clear();
    const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        DriverInfo3 d;
        d.version = info[i].cVersion;
        d.name = read(info[i].pName);
        d.environment = read(info[i].pEnvironment);
        d.driverPath = read(info[i].pDriverPath);
        d.dataFile = read(info[i].pDataFile);
        d.configFile = read(info[i].pConfigFile);
        d.helpFile = read(info[i].pHelpFile);
        d.dependentFiles = multiString(info[i].pDependentFiles);
        d.monitorName = read(info[i].pMonitorName);
        d.defaultDataType = read(info[i].pDefaultDataType);
        drivers.push_back(d);
    }
    return true;
}

bool Win32Spooler::DeletePrinterDriverA(const std::string& environment, const std::string& name) {
    Text env(environment), driver(name);
    return ::DeletePrinterDriverA(nullptr, env.get(), driver.get()) != FALSE;
}

bool Win32Spooler::DeletePrinterDriverExA(const std::string& environment, const std::string& name,
                                          std::uint32_t deleteFlags, std::uint32_t versionFlag) {
    const auto remove =
        winspoolFunction<decltype(&::DeletePrinterDriverExA)>("DeletePrinterDriverExA");
    if (remove == nullptr)
        return false;
    Text env(environment), driver(name);
    return remove(nullptr, env.get(), driver.get(), deleteFlags, versionFlag) != FALSE;
}

bool Win32Spooler::DeleteMonitorA(const std::string& environment, const std::string& name) {
    Text env(environment), monitor(name);
    return ::DeleteMonitorA(nullptr, env.get(), monitor.get()) != FALSE;
}

bool Win32Spooler::DeletePrintProcessorA(const std::string& environment, const std::string& name) {
    // Not known to be in Windows 95's winspool.drv: looked up like the newer ones.
    const auto remove =
        winspoolFunction<decltype(&::DeletePrintProcessorA)>("DeletePrintProcessorA");
    if (remove == nullptr)
        return false;
    Text env(environment), processor(name);
    return remove(nullptr, env.get(), processor.get()) != FALSE;
}

bool Win32Spooler::XcvDataW(Handle handle, const std::u16string& command,
                            const std::vector<std::uint8_t>& input, std::uint32_t outputSize,
                            std::uint32_t& status) {
    const auto xcv = winspoolFunction<decltype(&::XcvDataW)>("XcvDataW");
    if (xcv == nullptr)
        return false;
    std::wstring name(command.begin(), command.end());
    std::vector<BYTE> in(input.begin(), input.end());
    std::vector<BYTE> out(outputSize == 0 ? 1 : outputSize, 0);
    DWORD needed = 0, monitorStatus = 0;
    const BOOL ok =
        xcv(printerHandle(handle), name.c_str(), in.empty() ? nullptr : in.data(),
            static_cast<DWORD>(in.size()), out.data(), outputSize, &needed, &monitorStatus);
    status = monitorStatus;
    return ok != FALSE;
}

} // namespace platform::win32

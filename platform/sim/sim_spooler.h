#pragma once

#include "platform/sim/tcp_port_record.h"
#include "platform/spooler.h"
#include "platform/win_types.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

class SimMachine;

struct SimMonitor {
    std::string name;
    std::string dll; // as registered; the registry's Driver value may name another since
};

struct SimProcessor {
    std::string environment;
    std::string name;
    std::string dll;
};

// A port the spooler lists: one of the local ports, a standard TCP/IP port
// (with its record) or a port a monitor offers.
struct SimPort {
    std::string name;
    std::string monitor;
    TcpPortRecord tcp; // standard TCP/IP ports only
};

// The print spooler of the simulated machine. It enforces what Windows
// enforces: a monitor's DLL must lie in the system folder and a print
// processor's in the print-processor folder, a driver's files in the driver
// folder (or its version subfolder), a printer needs a known driver, port and
// processor; duplicates fail with the real error numbers, and while the Spooler
// service is stopped every call fails with RPC_S_SERVER_UNAVAILABLE. Monitors,
// processors, drivers, printers and ports come with the registry keys a real
// spooler keeps. The monitor and processor DLLs it has loaded are in use until
// the service stops; when it starts it loads the DLLs the registry's Driver
// values name, which is how a DLL copied under a new name takes over.
class SimSpooler : public Spooler {
public:
    explicit SimSpooler(SimMachine& machine);

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

    // What a monitor that is not the system's own offers as ports, asked each
    // time the ports are listed while the monitor is installed. Monitors
    // without one offer none. Kept for this run only: the tool or test that
    // knows the monitor sets it up again.
    using PortProvider = std::function<std::vector<std::string>(SimMachine&)>;
    void setMonitorPorts(const std::string& monitor, PortProvider provider);
    void setJobs(const std::string& printer, std::uint32_t jobs);

    // Inspecting, without faults.
    // The spooler's own environment (a caller's NULL may stand for another).
    std::string serverEnvironment() const;
    const std::vector<SimMonitor>& monitors() const { return monitors_; }
    // The DLL the spooler loads for a monitor: the Driver value of its key.
    std::string monitorDll(const SimMonitor& monitor) const;
    const std::vector<SimProcessor>& processors() const { return processors_; }
    const std::vector<DriverInfo3>& drivers() const { return drivers_; }
    std::vector<SimPort> ports() const;
    const std::vector<PrinterInfo2>& printers() const { return printers_; }
    const PrinterInfo2* printer(const std::string& name) const;
    // The default printer's name, where this edition keeps it; empty when none.
    std::string defaultPrinter() const;
    const std::set<std::string>& heldFiles() const { return held_; }
    std::size_t openHandles() const { return handles_.size(); }

    // The Spooler service went down or came up (called by SimServices).
    void serviceStopped();
    void serviceStarted();

    // Open printer handles are the program's and are not kept.
    void save(std::ostream& out) const;
    bool load(std::istream& in, std::string& error);

private:
    enum class HandleKind { Server, Printer, XcvMonitor, XcvPort };
    struct OpenHandle {
        HandleKind kind = HandleKind::Server;
        std::string name; // printer, monitor or port
        std::uint32_t access = 0;
    };

    // The checks every call begins with; false with the last error set.
    bool begin(const char* call, bool administers = false);
    bool done(bool ok, std::uint32_t error = 0);
    bool resolveEnvironment(const std::string& given, std::string& environment);

    SimMonitor* findMonitor(const std::string& name);
    const SimProcessor* findProcessor(const std::string& environment,
                                      const std::string& name) const;
    const DriverInfo3* findDriver(const std::string& environment, const std::string& name) const;
    PrinterInfo2* findPrinter(const std::string& name);
    bool portExists(const std::string& name) const;
    bool printerUsesPortOf(const std::string& monitor) const;
    OpenHandle* handle(Handle h, HandleKind kind);
    std::string locateDriverFile(const std::string& environment, const std::string& file) const;
    bool deleteDriver(const char* call, const std::string& environment, const std::string& name,
                      std::uint32_t deleteFlags);
    bool addTcpPort(const std::vector<std::uint8_t>& input, std::uint32_t& status);

    void hold(const std::string& path);
    void release(const std::string& path);
    void holdComponents();
    std::string monitorPath(const std::string& dll) const;
    std::string processorPath(const SimProcessor& processor) const;

    // The registry keys that mirror each object.
    void writeMonitorKey(const SimMonitor& monitor);
    void writeProcessorKey(const SimProcessor& processor);
    void writeDriverKey(const DriverInfo3& driver);
    void writePrinterKey(const PrinterInfo2& printer);
    void writePortKey(const SimPort& port);
    void writeStockKeys();
    void makeDefault(const PrinterInfo2& printer);
    void clearDefault();

    SimMachine& machine_;
    std::vector<SimMonitor> monitors_;
    std::vector<SimProcessor> processors_;
    std::vector<DriverInfo3> drivers_;
    std::vector<SimPort> ports_; // local and TCP/IP ports
    std::vector<PrinterInfo2> printers_;
    std::set<std::string> held_; // files the spooler keeps in use, upper-case paths
    std::map<std::string, PortProvider> providers_; // by upper-case monitor name
    std::map<Handle, OpenHandle> handles_;
    Handle nextHandle_ = 0x6000;
};

} // namespace platform::sim

// The spooler's registry keys, and its state saved between runs.
#include "platform/sim/saved_state.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_spooler.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/spooler_environment.h"

#include <istream>
#include <ostream>

namespace platform::sim {
namespace {

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isDottedQuad(const std::string& text) {
    int parts = 0, digits = 0;
    for (char c : text + ".") {
        if (c == '.') {
            if (digits == 0 || digits > 3)
                return false;
            ++parts;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    return parts == 4;
}

} // namespace

void SimSpooler::writeMonitorKey(const SimMonitor& monitor) {
    machine_.simRegistry().setString(monitorKey(monitor.name), "Driver", monitor.dll);
}

void SimSpooler::writeProcessorKey(const SimProcessor& processor) {
    machine_.simRegistry().setString(processorKey(processor.environment, processor.name), "Driver",
                                     processor.dll);
}

void SimSpooler::writeDriverKey(const DriverInfo3& d) {
    SimRegistry& r = machine_.simRegistry();
    const std::string key = driverKey(machine_.config().os, d.environment, d.name);
    r.deleteTree(key);
    r.setString(key, "Driver", nameOf(d.driverPath));
    r.setString(key, "Data File", nameOf(d.dataFile));
    r.setString(key, "Configuration File", nameOf(d.configFile));
    r.setString(key, "Help File", nameOf(d.helpFile));
    r.setString(key, "Monitor", d.monitorName);
    r.setString(key, "Datatype", d.defaultDataType);
    std::vector<std::uint8_t> multi;
    for (const std::string& f : d.dependentFiles) {
        const std::string name = nameOf(f);
        multi.insert(multi.end(), name.begin(), name.end());
        multi.push_back(0);
    }
    multi.push_back(0);
    r.setValue(key, "Dependent Files", regtype::multiSz, multi);
    r.setDword(key, "Version", d.version);
}

void SimSpooler::writePrinterKey(const PrinterInfo2& p) {
    SimRegistry& r = machine_.simRegistry();
    const std::string key = printerKey(p.printerName);
    r.setString(key, "Name", p.printerName);
    r.setString(key, "Port", p.portName);
    r.setString(key, "Printer Driver", p.driverName);
    r.setString(key, "Print Processor", p.printProcessor);
    r.setString(key, "Datatype", p.datatype);
    r.setString(key, "Share Name", p.shareName);
    r.setString(key, "Description", p.comment);
    r.setString(key, "Location", p.location);
    r.setString(key, "Parameters", p.parameters);
    r.setString(key, "Separator File", p.sepFile);
    r.setDword(key, "Attributes", p.attributes);
    r.setDword(key, "Priority", p.priority);
    r.setDword(key, "Default Priority", p.defaultPriority);
    r.setDword(key, "Status", p.status);
}

void SimSpooler::writePortKey(const SimPort& port) {
    SimRegistry& r = machine_.simRegistry();
    if (equalNoCase(port.monitor, "Local Port")) {
        if (!isWin9x(machine_.config().os))
            r.setString("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", port.name,
                        "");
        return;
    }
    const TcpPortRecord& t = port.tcp;
    const std::string key = monitorKey(port.monitor) + "\\Ports\\" + port.name;
    const bool address = isDottedQuad(t.hostAddress);
    r.setDword(key, "Protocol", t.protocol);
    r.setDword(key, "Version", t.version);
    r.setString(key, "HostName", address ? "" : t.hostAddress);
    r.setString(key, "IPAddress", address ? t.hostAddress : "");
    r.setString(key, "HWAddress", "");
    r.setDword(key, "PortNumber", t.portNumber);
    r.setString(key, "SNMP Community", t.snmpCommunity);
    r.setDword(key, "SNMP Enabled", t.snmpEnabled);
    r.setDword(key, "SNMP Index", t.snmpDevIndex);
    r.setDword(key, "Double Spool", t.doubleSpool);
    r.setString(key, "Queue", t.queue);
}

void SimSpooler::writeStockKeys() {
    SimRegistry& r = machine_.simRegistry();
    for (const SimMonitor& m : monitors_)
        writeMonitorKey(m);
    if (findMonitor("Standard TCP/IP Port") != nullptr)
        r.createKey(monitorKey("Standard TCP/IP Port") + "\\Ports");
    // The system's print processor is filed under its DLL's lower-case name.
    for (const SimProcessor& p : processors_)
        r.setString(processorKey(p.environment, "winprint"), "Driver", p.dll);
    r.createKey(printKey() + "\\Printers");
    if (isWin9x(machine_.config().os)) {
        // The serial and parallel ports' device keys, with PortSubClass 1 for serial.
        struct ClassPort {
            const char* key;
            const char* description;
            const char* name;
            std::uint8_t subClass;
        };
        for (const ClassPort& p : {ClassPort{"0000", "Communications Port", "COM1", 1},
                                   ClassPort{"0001", "Communications Port", "COM2", 1},
                                   ClassPort{"0002", "Printer Port", "LPT1", 0},
                                   ClassPort{"0003", "Printer Port", "LPT2", 0}}) {
            const std::string key =
                std::string("HKLM\\System\\CurrentControlSet\\Services\\Class\\Ports\\") + p.key;
            r.setString(key, "DriverDesc", std::string(p.description) + " (" + p.name + ")");
            r.setString(key, "PortName", p.name);
            r.setValue(key, "PortSubClass", regtype::binary, {p.subClass});
        }
        return;
    }
    const std::string portsKey = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
    for (const SimPort& p : ports_)
        r.setString(portsKey, p.name, p.name.rfind("COM", 0) == 0 ? "9600,n,8,1" : "");
}

void SimSpooler::save(std::ostream& out) const {
    for (const SimMonitor& m : monitors_)
        out << joinFields({"monitor", m.name, m.dll}) << '\n';
    for (const SimProcessor& p : processors_)
        out << joinFields({"processor", p.environment, p.name, p.dll}) << '\n';
    for (const DriverInfo3& d : drivers_) {
        std::vector<std::string> f = {
            "driver",      d.environment,    d.name,       std::to_string(d.version),
            d.driverPath,  d.dataFile,       d.configFile, d.helpFile,
            d.monitorName, d.defaultDataType};
        f.insert(f.end(), d.dependentFiles.begin(), d.dependentFiles.end());
        out << joinFields(f) << '\n';
    }
    for (const SimPort& p : ports_) {
        if (equalNoCase(p.monitor, "Local Port")) {
            out << joinFields({"port", p.name}) << '\n';
            continue;
        }
        const TcpPortRecord& t = p.tcp;
        out << joinFields({"tcpport", p.name, p.monitor, t.hostAddress, std::to_string(t.version),
                           std::to_string(t.protocol), std::to_string(t.portNumber), t.queue,
                           t.snmpCommunity, std::to_string(t.snmpEnabled),
                           std::to_string(t.snmpDevIndex), std::to_string(t.doubleSpool)})
            << '\n';
    }
    for (const PrinterInfo2& p : printers_)
        out << joinFields({"printer", p.printerName, p.portName, p.driverName, p.printProcessor,
                           p.datatype, std::to_string(p.attributes), std::to_string(p.priority),
                           std::to_string(p.defaultPriority), std::to_string(p.status),
                           std::to_string(p.jobs), p.shareName, p.comment, p.location, p.parameters,
                           p.sepFile})
            << '\n';
    for (const std::string& path : held_)
        out << joinFields({"held", path}) << '\n';
}

bool SimSpooler::load(std::istream& in, std::string& error) {
    std::vector<SimMonitor> monitors;
    std::vector<SimProcessor> processors;
    std::vector<DriverInfo3> drivers;
    std::vector<SimPort> ports;
    std::vector<PrinterInfo2> printers;
    std::set<std::string> held;
    const SimConfig& c = machine_.config();

    SavedLines lines(in);
    std::vector<std::string> f;
    while (lines.next(f)) {
        const std::string& kind = f[0];
        if (kind == "monitor" && f.size() == 3 && !f[1].empty()) {
            monitors.push_back(SimMonitor{f[1], f[2]});
        } else if (kind == "processor" && f.size() == 4 && !f[2].empty()) {
            const std::optional<std::string> env = acceptedEnvironment(c.os, c.bits, f[1]);
            if (!env || f[1].empty())
                return lines.refuse(error, "unknown environment '" + f[1] + "'");
            processors.push_back(SimProcessor{*env, f[2], f[3]});
        } else if (kind == "driver" && f.size() >= 10 && !f[2].empty()) {
            DriverInfo3 d;
            const std::optional<std::string> env = acceptedEnvironment(c.os, c.bits, f[1]);
            if (!env || f[1].empty())
                return lines.refuse(error, "unknown environment '" + f[1] + "'");
            if (!parseNumber32(f[3], d.version))
                return lines.refuse(error, "driver version is not a number");
            d.environment = *env;
            d.name = f[2];
            d.driverPath = f[4];
            d.dataFile = f[5];
            d.configFile = f[6];
            d.helpFile = f[7];
            d.monitorName = f[8];
            d.defaultDataType = f[9];
            d.dependentFiles.assign(f.begin() + 10, f.end());
            drivers.push_back(d);
        } else if (kind == "port" && f.size() == 2 && !f[1].empty()) {
            ports.push_back(SimPort{f[1], "Local Port", {}});
        } else if (kind == "tcpport" && f.size() == 12 && !f[1].empty()) {
            SimPort p{f[1], f[2], {}};
            TcpPortRecord& t = p.tcp;
            t.portName = f[1];
            t.hostAddress = f[3];
            t.queue = f[7];
            t.snmpCommunity = f[8];
            if (!parseNumber32(f[4], t.version) || !parseNumber32(f[5], t.protocol) ||
                !parseNumber32(f[6], t.portNumber) || !parseNumber32(f[9], t.snmpEnabled) ||
                !parseNumber32(f[10], t.snmpDevIndex) || !parseNumber32(f[11], t.doubleSpool))
                return lines.refuse(error, "port number field is not a number");
            ports.push_back(p);
        } else if (kind == "printer" && f.size() == 16 && !f[1].empty()) {
            PrinterInfo2 p;
            p.printerName = f[1];
            p.portName = f[2];
            p.driverName = f[3];
            p.printProcessor = f[4];
            p.datatype = f[5];
            if (!parseNumber32(f[6], p.attributes) || !parseNumber32(f[7], p.priority) ||
                !parseNumber32(f[8], p.defaultPriority) || !parseNumber32(f[9], p.status) ||
                !parseNumber32(f[10], p.jobs))
                return lines.refuse(error, "printer number field is not a number");
            p.shareName = f[11];
            p.comment = f[12];
            p.location = f[13];
            p.parameters = f[14];
            p.sepFile = f[15];
            printers.push_back(p);
        } else if (kind == "held" && f.size() == 2 && !f[1].empty()) {
            held.insert(upper(f[1]));
        } else {
            return lines.refuse(error, "not a spooler line ('" + kind + "' with " +
                                           std::to_string(f.size()) + " fields)");
        }
    }
    monitors_ = std::move(monitors);
    processors_ = std::move(processors);
    drivers_ = std::move(drivers);
    ports_ = std::move(ports);
    printers_ = std::move(printers);
    held_ = std::move(held);
    handles_.clear();
    return true;
}

} // namespace platform::sim

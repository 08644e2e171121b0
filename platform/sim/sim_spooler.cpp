#include "platform/sim/sim_spooler.h"

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/spooler_environment.h"

#include <algorithm>

namespace platform::sim {
namespace {

bool win2000OrLater(WindowsVariant os) {
    return static_cast<int>(os) >= static_cast<int>(WindowsVariant::Win2000);
}

} // namespace

SimSpooler::SimSpooler(SimMachine& machine) : machine_(machine) {
    const SimConfig& c = machine.config();
    monitors_.push_back(
        SimMonitor{"Local Port", win2000OrLater(c.os) ? "localspl.dll" : "localmon.dll"});
    if (win2000OrLater(c.os))
        monitors_.push_back(SimMonitor{"Standard TCP/IP Port", "tcpmon.dll"});
    processors_.push_back(
        SimProcessor{nativeEnvironment(c.os, c.bits), "WinPrint", "winprint.dll"});
    // 64-bit Windows keeps the 32-bit environment for its 32-bit clients.
    if (c.bits == 64)
        processors_.push_back(SimProcessor{environmentX86, "WinPrint", "winprint.dll"});
    std::vector<std::string> local;
    if (isWin9x(c.os))
        local = {"LPT1:", "LPT2:", "COM1:", "COM2:", "FILE:"};
    else
        local = {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"};
    for (const std::string& name : local)
        ports_.push_back(SimPort{name, "Local Port", {}});
    writeStockKeys();
}

bool SimSpooler::done(bool ok, std::uint32_t error) {
    if (!ok)
        machine_.SetLastError(error);
    return ok;
}

bool SimSpooler::begin(const char* call, bool administers) {
    if (machine_.faults().fail(call, machine_))
        return false;
    if (!machine_.simServices().spoolerRunning())
        return done(false, err::rpcServerUnavailable);
    const SimConfig& c = machine_.config();
    if (administers && !c.administrator && !isWin9x(c.os))
        return done(false, err::accessDenied);
    return true;
}

bool SimSpooler::resolveEnvironment(const std::string& given, std::string& environment) {
    const SimConfig& c = machine_.config();
    if (given.empty()) {
        environment = callerEnvironment(c.os, c.bits, c.processBits);
        return true;
    }
    const std::optional<std::string> accepted = acceptedEnvironment(c.os, c.bits, given);
    if (!accepted)
        return done(false, err::invalidEnvironment);
    environment = *accepted;
    return true;
}

std::string SimSpooler::serverEnvironment() const {
    return nativeEnvironment(machine_.config().os, machine_.config().bits);
}

bool SimSpooler::GetPrinterDriverDirectoryA(const std::string& environment, std::string& path) {
    std::string env;
    if (!begin("GetPrinterDriverDirectoryA") || !resolveEnvironment(environment, env))
        return false;
    path = driverDirectory(machine_.config().os, env);
    return true;
}

bool SimSpooler::GetPrintProcessorDirectoryA(const std::string& environment, std::string& path) {
    std::string env;
    if (!begin("GetPrintProcessorDirectoryA") || !resolveEnvironment(environment, env))
        return false;
    path = processorDirectory(machine_.config().os, env);
    return true;
}

SimMonitor* SimSpooler::findMonitor(const std::string& name) {
    for (SimMonitor& m : monitors_) {
        if (equalNoCase(m.name, name))
            return &m;
    }
    return nullptr;
}

const SimProcessor* SimSpooler::findProcessor(const std::string& environment,
                                              const std::string& name) const {
    for (const SimProcessor& p : processors_) {
        if (equalNoCase(p.environment, environment) && equalNoCase(p.name, name))
            return &p;
    }
    return nullptr;
}

std::string SimSpooler::monitorPath(const std::string& dll) const {
    if (dll.find('\\') != std::string::npos)
        return dll;
    return machine_.systemDirectory() + "\\" + dll;
}

std::string SimSpooler::monitorDll(const SimMonitor& monitor) const {
    std::string dll;
    if (machine_.simRegistry().readString(monitorKey(monitor.name), "Driver", dll) && !dll.empty())
        return dll;
    return monitor.dll;
}

std::string SimSpooler::processorPath(const SimProcessor& processor) const {
    std::string dll;
    if (!machine_.simRegistry().readString(processorKey(processor.environment, processor.name),
                                           "Driver", dll) ||
        dll.empty())
        dll = processor.dll;
    return processorDirectory(machine_.config().os, processor.environment) + "\\" + dll;
}

void SimSpooler::hold(const std::string& path) {
    SimFiles& files = machine_.simFiles();
    const std::optional<std::string> full = files.fullPath(path);
    // A mark someone else set stays theirs: the spooler does not lift it.
    if (!full || !files.exists(*full) || files.isInUse(*full))
        return;
    files.setInUse(*full, true);
    held_.insert(upper(*full));
}

void SimSpooler::release(const std::string& path) {
    const std::optional<std::string> full = machine_.simFiles().fullPath(path);
    if (full && held_.erase(upper(*full)) != 0)
        machine_.simFiles().setInUse(*full, false);
}

void SimSpooler::holdComponents() {
    for (const SimMonitor& m : monitors_)
        hold(monitorPath(monitorDll(m)));
    const std::string native = serverEnvironment();
    for (const SimProcessor& p : processors_) {
        if (equalNoCase(p.environment, native))
            hold(processorPath(p));
    }
}

void SimSpooler::serviceStopped() {
    for (const std::string& path : held_)
        machine_.simFiles().setInUse(path, false);
    held_.clear();
    // Context handles do not survive the service.
    handles_.clear();
}

void SimSpooler::serviceStarted() {
    holdComponents();
}

bool SimSpooler::AddMonitorA(const MonitorInfo2& monitor) {
    if (!begin("AddMonitorA", true))
        return false;
    if (monitor.name.empty() || monitor.dllName.empty())
        return done(false, err::invalidParameter);
    if (!monitor.environment.empty() && !equalNoCase(monitor.environment, serverEnvironment()))
        return done(false, err::invalidEnvironment);
    if (findMonitor(monitor.name) != nullptr)
        return done(false, err::printMonitorAlreadyInstalled);
    // The spooler loads the DLL from the native system folder at once.
    if (!machine_.simFiles().exists(monitorPath(monitor.dllName)))
        return done(false, err::modNotFound);
    monitors_.push_back(SimMonitor{monitor.name, monitor.dllName});
    writeMonitorKey(monitors_.back());
    hold(monitorPath(monitor.dllName));
    return true;
}

bool SimSpooler::DeleteMonitorA(const std::string& environment, const std::string& name) {
    std::string env;
    if (!begin("DeleteMonitorA", true) || !resolveEnvironment(environment, env))
        return false;
    SimMonitor* m = findMonitor(name);
    if (m == nullptr)
        return done(false, err::unknownPrintMonitor);
    if (printerUsesPortOf(m->name))
        return done(false, err::printMonitorInUse);
    release(monitorPath(monitorDll(*m)));
    machine_.simRegistry().deleteTree(monitorKey(m->name));
    const std::string removed = m->name;
    ports_.erase(std::remove_if(ports_.begin(), ports_.end(),
                                [&](const SimPort& p) { return equalNoCase(p.monitor, removed); }),
                 ports_.end());
    monitors_.erase(monitors_.begin() + (m - monitors_.data()));
    return true;
}

bool SimSpooler::EnumMonitorsA(std::vector<std::string>& monitors) {
    if (!begin("EnumMonitorsA"))
        return false;
    monitors.clear();
    for (const SimMonitor& m : monitors_)
        monitors.push_back(m.name);
    return true;
}

bool SimSpooler::AddPrintProcessorA(const std::string& environment, const std::string& dll,
                                    const std::string& name) {
    std::string env;
    if (!begin("AddPrintProcessorA", true) || !resolveEnvironment(environment, env))
        return false;
    if (name.empty() || dll.empty())
        return done(false, err::invalidParameter);
    if (findProcessor(env, name) != nullptr)
        return done(false, err::printProcessorAlreadyInstalled);
    const SimProcessor processor{env, name, dll};
    if (!machine_.simFiles().exists(processorDirectory(machine_.config().os, env) + "\\" + dll))
        return done(false, err::modNotFound);
    processors_.push_back(processor);
    writeProcessorKey(processor);
    if (equalNoCase(env, serverEnvironment()))
        hold(processorPath(processor));
    return true;
}

bool SimSpooler::DeletePrintProcessorA(const std::string& environment, const std::string& name) {
    std::string env;
    if (!begin("DeletePrintProcessorA", true) || !resolveEnvironment(environment, env))
        return false;
    const SimProcessor* p = findProcessor(env, name);
    if (p == nullptr)
        return done(false, err::unknownPrintProcessor);
    release(processorPath(*p));
    machine_.simRegistry().deleteTree(processorKey(p->environment, p->name));
    processors_.erase(processors_.begin() + (p - processors_.data()));
    return true;
}

bool SimSpooler::EnumPrintProcessorsA(const std::string& environment,
                                      std::vector<std::string>& processors) {
    std::string env;
    if (!begin("EnumPrintProcessorsA") || !resolveEnvironment(environment, env))
        return false;
    processors.clear();
    for (const SimProcessor& p : processors_) {
        if (equalNoCase(p.environment, env))
            processors.push_back(p.name);
    }
    return true;
}

void SimSpooler::setMonitorPorts(const std::string& monitor, PortProvider provider) {
    providers_[upper(monitor)] = std::move(provider);
}

std::vector<SimPort> SimSpooler::ports() const {
    std::vector<SimPort> out = ports_;
    for (const SimMonitor& m : monitors_) {
        auto it = providers_.find(upper(m.name));
        if (it == providers_.end() || !it->second)
            continue;
        for (const std::string& name : it->second(machine_)) {
            const bool known = std::any_of(out.begin(), out.end(), [&](const SimPort& p) {
                return equalNoCase(p.name, name);
            });
            if (!known && !name.empty())
                out.push_back(SimPort{name, m.name, {}});
        }
    }
    return out;
}

bool SimSpooler::portExists(const std::string& name) const {
    const std::vector<SimPort> all = ports();
    return std::any_of(all.begin(), all.end(),
                       [&](const SimPort& p) { return equalNoCase(p.name, name); });
}

bool SimSpooler::EnumPortsA(std::vector<std::string>& ports) {
    if (!begin("EnumPortsA"))
        return false;
    ports.clear();
    for (const SimPort& p : this->ports())
        ports.push_back(p.name);
    return true;
}

} // namespace platform::sim

// Printer queues, printer handles, the default printer and the monitors' own
// configuration channel (XcvDataW).
#include "common/profile_file.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_spooler.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/spooler_environment.h"

#include <algorithm>

namespace platform::sim {
namespace {

// Where Windows 2000 and later keep the user's default printer.
const char* const userWindowsKey = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::vector<std::string> portList(const std::string& text) {
    std::vector<std::string> out;
    std::string part;
    for (char c : text + ",") {
        if (c == ',') {
            const std::size_t a = part.find_first_not_of(' ');
            const std::size_t b = part.find_last_not_of(' ');
            if (a != std::string::npos)
                out.push_back(part.substr(a, b - a + 1));
            part.clear();
        } else {
            part += c;
        }
    }
    return out;
}

bool validPrinterName(const std::string& name) {
    return !name.empty() && name.size() <= 220 && name.find_first_of(",\\") == std::string::npos;
}

// The data types the system's own print processor accepts.
bool winPrintDatatype(const std::string& datatype) {
    for (const char* known : {"RAW", "RAW [FF appended]", "RAW [FF auto]", "NT EMF 1.003",
                              "NT EMF 1.006", "NT EMF 1.007", "NT EMF 1.008", "TEXT", "EMF"}) {
        if (equalNoCase(datatype, known))
            return true;
    }
    return false;
}

std::string firstField(const std::string& text) {
    return text.substr(0, text.find(','));
}

// A NUL-terminated UTF-16 text at the start of `bytes`; false without terminator.
bool terminatedText(const std::vector<std::uint8_t>& bytes, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned unit = bytes[i] | bytes[i + 1] << 8;
        if (unit == 0)
            return true;
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return false;
}

} // namespace

PrinterInfo2* SimSpooler::findPrinter(const std::string& name) {
    for (PrinterInfo2& p : printers_) {
        if (equalNoCase(p.printerName, name))
            return &p;
    }
    return nullptr;
}

const PrinterInfo2* SimSpooler::printer(const std::string& name) const {
    for (const PrinterInfo2& p : printers_) {
        if (equalNoCase(p.printerName, name))
            return &p;
    }
    return nullptr;
}

bool SimSpooler::printerUsesPortOf(const std::string& monitor) const {
    const std::vector<SimPort> all = ports();
    for (const PrinterInfo2& p : printers_) {
        for (const std::string& port : portList(p.portName)) {
            for (const SimPort& known : all) {
                if (equalNoCase(known.name, port) && equalNoCase(known.monitor, monitor))
                    return true;
            }
        }
    }
    return false;
}

SimSpooler::OpenHandle* SimSpooler::handle(Handle h, HandleKind kind) {
    auto it = handles_.find(h);
    if (it == handles_.end() || it->second.kind != kind ||
        (kind == HandleKind::Printer && findPrinter(it->second.name) == nullptr)) {
        machine_.SetLastError(err::invalidHandle);
        return nullptr;
    }
    return &it->second;
}

Handle SimSpooler::AddPrinterA(const PrinterInfo2& printer) {
    if (!begin("AddPrinterA", true))
        return 0;
    if (printer.printerName.empty() || printer.portName.empty() || printer.driverName.empty() ||
        printer.printProcessor.empty())
        return done(false, err::invalidParameter), 0;
    if (!validPrinterName(printer.printerName))
        return done(false, err::invalidPrinterName), 0;
    if (findPrinter(printer.printerName) != nullptr)
        return done(false, err::printerAlreadyExists), 0;
    const std::vector<std::string> ports = portList(printer.portName);
    if (ports.empty())
        return done(false, err::unknownPort), 0;
    for (const std::string& port : ports) {
        if (!portExists(port))
            return done(false, err::unknownPort), 0;
    }
    const std::string env = serverEnvironment();
    if (findDriver(env, printer.driverName) == nullptr)
        return done(false, err::unknownPrinterDriver), 0;
    const SimProcessor* processor = findProcessor(env, printer.printProcessor);
    if (processor == nullptr)
        return done(false, err::unknownPrintProcessor), 0;
    if (!printer.datatype.empty() && equalNoCase(processor->name, "WinPrint") &&
        !winPrintDatatype(printer.datatype))
        return done(false, err::invalidDatatype), 0;

    PrinterInfo2 record = printer;
    record.serverName.clear();
    record.attributes &= ~printerAttributeDefault;
    record.status = 0;
    record.jobs = 0;
    printers_.push_back(record);
    writePrinterKey(record);
    // Only Windows 9x makes a printer the default through its attributes.
    if (isWin9x(machine_.config().os) && (printer.attributes & printerAttributeDefault) != 0)
        makeDefault(record);
    const Handle h = nextHandle_++;
    handles_[h] =
        OpenHandle{HandleKind::Printer, record.printerName, printeraccess::printerAllAccess};
    return h;
}

Handle SimSpooler::OpenPrinterA(const std::string& name, std::uint32_t access) {
    if (!begin("OpenPrinterA"))
        return 0;
    const SimConfig& c = machine_.config();
    const bool administers =
        (access & (printeraccess::serverAdminister | printeraccess::printerAdminister |
                   printeraccess::deleteObject)) != 0;
    if (administers && !c.administrator && !isWin9x(c.os))
        return done(false, err::accessDenied), 0;
    OpenHandle opened{HandleKind::Server, "", access};
    if (name.empty()) {
        opened.kind = HandleKind::Server;
    } else if (name[0] == ',') {
        // ",XcvMonitor <monitor>" and ",XcvPort <port>" reach a monitor's own
        // configuration; Windows 9x has no such channel.
        const std::string rest = name.substr(1);
        const std::string monitorTag = "XcvMonitor ", portTag = "XcvPort ";
        if (!isWin9x(c.os) && rest.rfind(monitorTag, 0) == 0 &&
            findMonitor(rest.substr(monitorTag.size())) != nullptr) {
            opened.kind = HandleKind::XcvMonitor;
            opened.name = findMonitor(rest.substr(monitorTag.size()))->name;
        } else if (!isWin9x(c.os) && rest.rfind(portTag, 0) == 0 &&
                   portExists(rest.substr(portTag.size()))) {
            opened.kind = HandleKind::XcvPort;
            opened.name = rest.substr(portTag.size());
        } else {
            return done(false, err::invalidPrinterName), 0;
        }
    } else {
        const PrinterInfo2* p = findPrinter(name);
        if (p == nullptr)
            return done(false, err::invalidPrinterName), 0;
        opened.kind = HandleKind::Printer;
        opened.name = p->printerName;
    }
    const Handle h = nextHandle_++;
    handles_[h] = opened;
    return h;
}

bool SimSpooler::ClosePrinter(Handle printer) {
    if (machine_.faults().fail("ClosePrinter", machine_))
        return false;
    return done(handles_.erase(printer) == 1, err::invalidHandle);
}

bool SimSpooler::GetPrinterA(Handle printer, PrinterInfo2& info) {
    if (!begin("GetPrinterA"))
        return false;
    const OpenHandle* h = handle(printer, HandleKind::Printer);
    if (h == nullptr)
        return false;
    info = *findPrinter(h->name);
    if (equalNoCase(defaultPrinter(), info.printerName))
        info.attributes |= printerAttributeDefault;
    return true;
}

bool SimSpooler::SetPrinterA(Handle printer, const PrinterInfo2& info) {
    if (!begin("SetPrinterA"))
        return false;
    OpenHandle* h = handle(printer, HandleKind::Printer);
    if (h == nullptr)
        return false;
    if ((h->access & printeraccess::printerAdminister) == 0)
        return done(false, err::accessDenied);
    PrinterInfo2* current = findPrinter(h->name);
    const std::string env = serverEnvironment();
    if (!validPrinterName(info.printerName))
        return done(false, err::invalidPrinterName);
    const PrinterInfo2* other = findPrinter(info.printerName);
    if (other != nullptr && other != current)
        return done(false, err::printerAlreadyExists);
    const std::vector<std::string> ports = portList(info.portName);
    if (ports.empty())
        return done(false, err::unknownPort);
    for (const std::string& port : ports) {
        if (!portExists(port))
            return done(false, err::unknownPort);
    }
    if (findDriver(env, info.driverName) == nullptr)
        return done(false, err::unknownPrinterDriver);
    if (findProcessor(env, info.printProcessor) == nullptr)
        return done(false, err::unknownPrintProcessor);

    const bool wasDefault = equalNoCase(defaultPrinter(), current->printerName);
    const std::uint32_t jobs = current->jobs, status = current->status;
    machine_.simRegistry().deleteTree(printerKey(current->printerName));
    *current = info;
    current->serverName.clear();
    current->attributes &= ~printerAttributeDefault;
    current->jobs = jobs;
    current->status = status;
    writePrinterKey(*current);
    for (auto& [handleId, open] : handles_) {
        if (open.kind == HandleKind::Printer && equalNoCase(open.name, h->name))
            open.name = current->printerName;
    }
    if ((isWin9x(machine_.config().os) && (info.attributes & printerAttributeDefault) != 0) ||
        wasDefault)
        makeDefault(*current);
    return true;
}

bool SimSpooler::DeletePrinter(Handle printer) {
    if (!begin("DeletePrinter"))
        return false;
    const OpenHandle* h = handle(printer, HandleKind::Printer);
    if (h == nullptr)
        return false;
    if ((h->access & printeraccess::deleteObject) == 0)
        return done(false, err::accessDenied);
    PrinterInfo2* p = findPrinter(h->name);
    if (p->jobs != 0)
        return done(false, err::printerHasJobsQueued);
    if (equalNoCase(defaultPrinter(), p->printerName))
        clearDefault();
    machine_.simRegistry().deleteTree(printerKey(p->printerName));
    printers_.erase(printers_.begin() + (p - printers_.data()));
    return true;
}

bool SimSpooler::EnumPrintersA(std::vector<PrinterInfo2>& printers) {
    if (!begin("EnumPrintersA"))
        return false;
    printers = printers_;
    const std::string defaultName = defaultPrinter();
    for (PrinterInfo2& p : printers) {
        if (equalNoCase(p.printerName, defaultName))
            p.attributes |= printerAttributeDefault;
    }
    return true;
}

bool SimSpooler::SetDefaultPrinterA(const std::string& name) {
    if (static_cast<int>(machine_.config().os) < static_cast<int>(WindowsVariant::Win2000))
        return done(false, err::callNotImplemented);
    if (!begin("SetDefaultPrinterA"))
        return false;
    if (name.empty()) {
        // An empty name keeps a default there is, or takes the first printer.
        if (!defaultPrinter().empty())
            return true;
        if (printers_.empty())
            return done(false, err::invalidPrinterName);
        makeDefault(printers_.front());
        return true;
    }
    const PrinterInfo2* p = findPrinter(name);
    if (p == nullptr)
        return done(false, err::invalidPrinterName);
    makeDefault(*p);
    return true;
}

std::string SimSpooler::defaultPrinter() const {
    const WindowsVariant os = machine_.config().os;
    if (static_cast<int>(os) >= static_cast<int>(WindowsVariant::Win2000)) {
        std::string device;
        machine_.simRegistry().readString(userWindowsKey, "Device", device);
        return firstField(device);
    }
    // Windows 9x and NT 4 keep it in win.ini, [windows] device=name,driver,port.
    std::string text;
    machine_.simFiles().readText(machine_.windowsDirectory() + "\\win.ini", text);
    return firstField(common::profileGetString(text, "windows", "device", "", 1024));
}

void SimSpooler::makeDefault(const PrinterInfo2& printer) {
    const WindowsVariant os = machine_.config().os;
    if (static_cast<int>(os) >= static_cast<int>(WindowsVariant::Win2000)) {
        machine_.simRegistry().setString(userWindowsKey, "Device",
                                         printer.printerName + ",winspool,Ne00:");
        return;
    }
    SimFiles& files = machine_.simFiles();
    const std::string winIni = machine_.windowsDirectory() + "\\win.ini";
    std::string text;
    files.readText(winIni, text);
    files.writeText(winIni,
                    common::profileSetString(text, "windows", "device",
                                             printer.printerName + "," + printer.driverName + "," +
                                                 printer.portName));
}

void SimSpooler::clearDefault() {
    const WindowsVariant os = machine_.config().os;
    if (static_cast<int>(os) >= static_cast<int>(WindowsVariant::Win2000)) {
        machine_.simRegistry().setString(userWindowsKey, "Device", "");
        return;
    }
    SimFiles& files = machine_.simFiles();
    const std::string winIni = machine_.windowsDirectory() + "\\win.ini";
    std::string text;
    files.readText(winIni, text);
    files.writeText(winIni, common::profileSetString(text, "windows", "device", ""));
}

void SimSpooler::setJobs(const std::string& printer, std::uint32_t jobs) {
    PrinterInfo2* p = findPrinter(printer);
    if (p != nullptr)
        p->jobs = jobs;
}

bool SimSpooler::XcvDataW(Handle xcv, const std::u16string& command,
                          const std::vector<std::uint8_t>& input, std::uint32_t /*outputSize*/,
                          std::uint32_t& status) {
    if (!begin("XcvDataW"))
        return false;
    auto it = handles_.find(xcv);
    if (it == handles_.end() ||
        (it->second.kind != HandleKind::XcvMonitor && it->second.kind != HandleKind::XcvPort))
        return done(false, err::invalidHandle);
    const OpenHandle& h = it->second;
    // The call itself succeeds once it reached the monitor; what the monitor
    // made of the command comes back in the status.
    status = err::notSupported;
    if (h.kind != HandleKind::XcvMonitor || command != u"AddPort")
        return true;
    if ((h.access & printeraccess::serverAdminister) == 0) {
        status = err::accessDenied;
        return true;
    }
    if (equalNoCase(h.name, "Standard TCP/IP Port")) {
        addTcpPort(input, status);
    } else if (equalNoCase(h.name, "Local Port")) {
        // The local monitor's AddPort takes the port name alone.
        std::string name;
        if (!terminatedText(input, name) || name.empty())
            status = err::invalidParameter;
        else if (portExists(name))
            status = err::alreadyExists;
        else {
            ports_.push_back(SimPort{name, "Local Port", {}});
            writePortKey(ports_.back());
            status = err::success;
        }
    }
    return true;
}

bool SimSpooler::addTcpPort(const std::vector<std::uint8_t>& input, std::uint32_t& status) {
    TcpPortRecord record;
    status = parsePortData1(input, record);
    if (status != err::success)
        return false;
    if (portExists(record.portName)) {
        status = err::alreadyExists;
        return false;
    }
    ports_.push_back(SimPort{record.portName, "Standard TCP/IP Port", record});
    writePortKey(ports_.back());
    return true;
}

} // namespace platform::sim

#include "tools/drvsim/machine_report.h"

#include "platform/sim/sim_text.h"
#include "tools/drvsim/json_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

using platform::sim::SimMachine;
using platform::sim::SimRegistry;

namespace drvsim {
namespace {

std::string typeName(std::uint32_t type) {
    switch (type) {
    case 0:
        return "REG_NONE";
    case 1:
        return "REG_SZ";
    case 2:
        return "REG_EXPAND_SZ";
    case 3:
        return "REG_BINARY";
    case 4:
        return "REG_DWORD";
    case 7:
        return "REG_MULTI_SZ";
    case 11:
        return "REG_QWORD";
    default:
        return "REG_TYPE_" + std::to_string(type);
    }
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char two[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(two, sizeof two, "%02X", b);
        out += two;
    }
    return out;
}

std::string text(const std::vector<std::uint8_t>& data) {
    return std::string(data.begin(), std::find(data.begin(), data.end(), 0));
}

std::vector<std::string> multiText(const std::vector<std::uint8_t>& data) {
    std::vector<std::string> out;
    std::string part;
    for (std::uint8_t b : data) {
        if (b == 0) {
            if (part.empty())
                break;
            out.push_back(part);
            part.clear();
        } else {
            part += static_cast<char>(b);
        }
    }
    if (!part.empty())
        out.push_back(part);
    return out;
}

std::uint32_t dword(const std::vector<std::uint8_t>& d) {
    return static_cast<std::uint32_t>(d[0] | d[1] << 8 | d[2] << 16) |
           static_cast<std::uint32_t>(d[3]) << 24;
}

// A value as a person reads it.
std::string shown(const SimRegistry::Value& v) {
    if ((v.type == 1 || v.type == 2))
        return "\"" + text(v.data) + "\"";
    if (v.type == 4 && v.data.size() == 4)
        return std::to_string(dword(v.data));
    if (v.type == 7) {
        std::string out;
        for (const std::string& s : multiText(v.data))
            out += (out.empty() ? "" : ", ") + ("\"" + s + "\"");
        return "[" + out + "]";
    }
    return "hex:" + hex(v.data);
}

void writeValue(JsonWriter& j, const SimRegistry::Value& v) {
    j.beginObject().member("name", v.name).member("type", typeName(v.type)).key("data");
    if (v.type == 1 || v.type == 2) {
        j.value(text(v.data));
    } else if (v.type == 4 && v.data.size() == 4) {
        j.value(std::uint64_t{dword(v.data)});
    } else if (v.type == 7) {
        j.beginArray();
        for (const std::string& s : multiText(v.data))
            j.value(s);
        j.endArray();
    } else {
        j.value(hex(v.data));
    }
    j.endObject();
}

const SimRegistry::Key* findKey(SimMachine& m, const std::string& path) {
    for (const SimRegistry::Key* k : m.simRegistry().keys()) {
        if (platform::sim::equalNoCase(k->path, path))
            return k;
    }
    return nullptr;
}

std::string stateName(std::uint32_t state) {
    switch (state) {
    case platform::servicestate::stopped:
        return "stopped";
    case platform::servicestate::startPending:
        return "start-pending";
    case platform::servicestate::stopPending:
        return "stop-pending";
    default:
        return "running";
    }
}

// Windows 9x has no service manager and no Spooler service.
std::string spoolerState(SimMachine& m) {
    return platform::sim::isWin9x(m.config().os) ? "none (Windows 9x)"
                                                 : stateName(m.simServices().spoolerState());
}

std::string answerName(int answer) {
    switch (answer) {
    case platform::mb::idYes:
        return "Yes";
    case platform::mb::idNo:
        return "No";
    case platform::mb::idCancel:
        return "Cancel";
    default:
        return "OK";
    }
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            out.push_back(line);
    }
    return out;
}

std::vector<std::string> filesAdded(SimMachine& m, const Baseline& baseline) {
    std::set<std::string> before;
    for (const std::string& f : lines(baseline.files))
        before.insert(platform::sim::upper(f));
    std::vector<std::string> added;
    for (const std::string& f : m.simFiles().listFiles("C:\\")) {
        if (before.count(platform::sim::upper(f)) == 0)
            added.push_back(f);
    }
    return added;
}

} // namespace

std::string editionName(platform::sim::WindowsVariant os) {
    return platform::sim::windowsVariantTitle(os);
}

RegistryChanges registryChanges(SimMachine& m, const std::string& baseline) {
    std::ostringstream current;
    m.simRegistry().save(current);
    const std::vector<std::string> now = lines(current.str()), before = lines(baseline);
    const std::set<std::string> nowSet(now.begin(), now.end()),
        beforeSet(before.begin(), before.end());
    std::set<std::string> touched, deleted;
    auto keyOf = [](const std::string& line) {
        const auto f = platform::sim::splitFields(line);
        return f.size() >= 2 ? f[1] : std::string();
    };
    for (const std::string& line : now) {
        if (beforeSet.count(line) == 0)
            touched.insert(platform::sim::upper(keyOf(line)));
    }
    for (const std::string& line : before) {
        if (nowSet.count(line) != 0)
            continue;
        const std::string key = keyOf(line);
        if (findKey(m, key) != nullptr)
            touched.insert(platform::sim::upper(key));
        else if (line.rfind("key ", 0) == 0)
            deleted.insert(key);
    }
    RegistryChanges changes;
    for (const SimRegistry::Key* k : m.simRegistry().keys()) {
        if (touched.count(platform::sim::upper(k->path)) != 0 &&
            platform::sim::upper(k->path).rfind("HKLM\\", 0) == 0)
            changes.touched.push_back(k->path);
    }
    for (const std::string& k : deleted) {
        if (platform::sim::upper(k).rfind("HKLM\\", 0) == 0)
            changes.deleted.push_back(k);
    }
    return changes;
}

std::string jsonReport(SimMachine& m, const Baseline& baseline) {
    JsonWriter j;
    j.beginObject();
    j.member("os", platform::sim::windowsVariantName(m.config().os));
    j.member("bits", std::uint64_t(m.config().bits));
    j.key("administrator").boolean(m.config().administrator);

    const RegistryChanges changes = registryChanges(m, baseline.registry);
    j.key("registry").beginArray();
    for (const std::string& path : changes.touched) {
        const SimRegistry::Key* k = findKey(m, path);
        j.beginObject().member("key", k->path).key("values").beginArray();
        for (const SimRegistry::Value& v : k->values)
            writeValue(j, v);
        j.endArray().endObject();
    }
    j.endArray();
    j.key("registry_deleted").beginArray();
    for (const std::string& path : changes.deleted)
        j.value(path);
    j.endArray();

    j.key("files").beginArray();
    for (const std::string& f : m.simFiles().listFiles("C:\\"))
        j.value(f);
    j.endArray();
    j.key("files_added").beginArray();
    for (const std::string& f : filesAdded(m, baseline))
        j.value(f);
    j.endArray();
    j.key("files_in_use").beginArray();
    for (const std::string& f : m.simFiles().listFiles("C:\\")) {
        if (m.simFiles().isInUse(f))
            j.value(f);
    }
    j.endArray();

    auto& s = m.simSpooler();
    j.key("spooler").beginObject();
    j.key("monitors").beginArray();
    for (const auto& monitor : s.monitors())
        j.beginObject()
            .member("name", monitor.name)
            .member("dll", s.monitorDll(monitor))
            .endObject();
    j.endArray();
    j.key("processors").beginArray();
    for (const auto& p : s.processors())
        j.beginObject()
            .member("environment", p.environment)
            .member("name", p.name)
            .member("dll", p.dll)
            .endObject();
    j.endArray();
    j.key("drivers").beginArray();
    for (const auto& d : s.drivers()) {
        j.beginObject()
            .member("name", d.name)
            .member("environment", d.environment)
            .member("version", std::uint64_t{d.version})
            .key("files")
            .beginArray()
            .value(d.driverPath)
            .value(d.dataFile)
            .value(d.configFile);
        if (!d.helpFile.empty())
            j.value(d.helpFile);
        j.endArray().key("dependent_files").beginArray();
        for (const std::string& f : d.dependentFiles)
            j.value(f);
        j.endArray().member("monitor", d.monitorName).endObject();
    }
    j.endArray();
    j.key("ports").beginArray();
    for (const auto& p : s.ports()) {
        j.beginObject().member("name", p.name).member("monitor", p.monitor);
        if (!p.tcp.hostAddress.empty())
            j.member("host", p.tcp.hostAddress)
                .member("port_number", std::uint64_t{p.tcp.portNumber});
        j.endObject();
    }
    j.endArray();
    const std::string defaultName = s.defaultPrinter();
    j.key("printers").beginArray();
    for (const auto& p : s.printers()) {
        j.beginObject()
            .member("name", p.printerName)
            .member("port", p.portName)
            .member("driver", p.driverName)
            .member("print_processor", p.printProcessor)
            .member("datatype", p.datatype)
            .member("attributes", std::uint64_t{p.attributes})
            .member("jobs", std::uint64_t{p.jobs})
            .key("default")
            .boolean(platform::sim::equalNoCase(p.printerName, defaultName))
            .endObject();
    }
    j.endArray();
    j.key("default_printer");
    if (defaultName.empty())
        j.null();
    else
        j.value(defaultName);
    j.endObject();

    j.key("services").beginArray();
    j.beginObject().member("name", "Spooler").member("state", spoolerState(m)).endObject();
    j.endArray();

    j.key("usb_printers").beginArray();
    for (const auto& p : m.simUsb().printers()) {
        j.beginObject()
            .member("identity_word", std::uint64_t{p.identityWord()})
            .key("writes")
            .beginArray();
        for (const auto& w : p.writes)
            j.value(hex(w));
        j.endArray().endObject();
    }
    j.endArray();
    j.key("devices").beginArray();
    for (const auto& d : m.simDeviceSetup().devices()) {
        j.beginObject()
            .member("instance_id", d.instanceId)
            .member("class", d.className)
            .member("description", d.description)
            .member("driver_inf", d.driverInf)
            .key("present")
            .boolean(d.present)
            .endObject();
    }
    j.endArray();

    j.key("messages").beginArray();
    for (const auto& b : m.simDesktop().messageBoxes())
        j.beginObject()
            .member("text", b.text)
            .member("caption", b.caption)
            .member("answer", answerName(b.answer))
            .endObject();
    j.endArray();
    j.key("processes").beginArray();
    for (const auto& l : m.simDesktop().launches())
        j.beginObject()
            .member("file", l.file)
            .member("parameters", l.parameters)
            .member("verb", l.verb)
            .endObject();
    j.endArray();
    j.key("pending_faults").beginArray();
    for (const auto& f : m.faults().pending())
        j.beginObject()
            .member("call", f.call)
            .member("error", std::uint64_t{f.error})
            .member("times", std::uint64_t{f.remaining})
            .endObject();
    j.endArray();
    j.member("waited_ms", m.simClock().waited());
    j.endObject();
    return j.text();
}

std::string textReport(SimMachine& m, const Baseline& baseline) {
    std::ostringstream out;
    auto& s = m.simSpooler();
    out << editionName(m.config().os) << ", " << m.config().bits << "-bit, "
        << (m.config().administrator ? "administrator" : "user without administrator rights")
        << "\n";
    out << "Services:\n  Spooler: " << spoolerState(m) << "\n";

    const std::string defaultName = s.defaultPrinter();
    out << "\nPrinters:" << (s.printers().empty() ? " none" : "") << "\n";
    for (const auto& p : s.printers()) {
        char attributes[16];
        std::snprintf(attributes, sizeof attributes, "0x%X", p.attributes);
        out << "  " << p.printerName
            << (platform::sim::equalNoCase(p.printerName, defaultName) ? " (default)" : "") << "\n"
            << "    port " << p.portName << ", driver " << p.driverName << ", print processor "
            << p.printProcessor << ", attributes " << attributes << "\n";
    }
    out << "Drivers:" << (s.drivers().empty() ? " none" : "") << "\n";
    for (const auto& d : s.drivers()) {
        out << "  " << d.name << " (" << d.environment << ", version " << d.version << ")"
            << (d.monitorName.empty() ? "" : ", monitor " + d.monitorName) << "\n"
            << "    " << d.driverPath << "\n    " << d.dataFile << "\n    " << d.configFile << "\n";
        if (!d.helpFile.empty())
            out << "    " << d.helpFile << "\n";
        for (const std::string& f : d.dependentFiles)
            out << "    " << f << " (dependent)\n";
    }
    out << "Monitors:\n";
    for (const auto& monitor : s.monitors())
        out << "  " << monitor.name << " (" << s.monitorDll(monitor) << ")\n";
    out << "Print processors:\n";
    for (const auto& p : s.processors())
        out << "  " << p.name << " (" << p.environment << ", " << p.dll << ")\n";
    out << "Ports:";
    for (const auto& p : s.ports())
        out << " " << p.name;
    out << "\n";

    const RegistryChanges changes = registryChanges(m, baseline.registry);
    out << "\nRegistry keys changed since init:" << (changes.touched.empty() ? " none" : "")
        << "\n";
    for (const std::string& path : changes.touched) {
        const SimRegistry::Key* k = findKey(m, path);
        // A key made only to hold the next one says nothing of its own.
        const std::string below = platform::sim::upper(k->path) + "\\";
        const bool holdsOthers =
            std::any_of(changes.touched.begin(), changes.touched.end(), [&](const std::string& t) {
                return platform::sim::upper(t).rfind(below, 0) == 0;
            });
        if (k->values.empty() && holdsOthers)
            continue;
        out << "  " << k->path << "\n";
        for (const auto& v : k->values)
            out << "    " << (v.name.empty() ? "(default)" : v.name) << " = " << shown(v) << "\n";
    }
    for (const std::string& path : changes.deleted)
        out << "  deleted: " << path << "\n";
    const std::vector<std::string> added = filesAdded(m, baseline);
    out << "Files added since init:" << (added.empty() ? " none" : "") << "\n";
    for (const std::string& f : added)
        out << "  " << f << (m.simFiles().isInUse(f) ? " (in use)" : "") << "\n";

    if (!m.simUsb().printers().empty()) {
        out << "USB printers:\n";
        for (const auto& p : m.simUsb().printers()) {
            char word[16];
            std::snprintf(word, sizeof word, "0x%04X", p.identityWord());
            out << "  identity word " << word << " (number " << p.identityWord() % 8 + 1 << "), "
                << p.writes.size() << " write(s)\n";
        }
    }
    const auto& devices = m.simDeviceSetup().devices();
    out << "Devices:" << (devices.empty() ? " none" : "") << "\n";
    for (const auto& d : devices)
        out << "  " << d.instanceId << (d.present ? "" : " (not present)") << "\n    "
            << (d.className.empty() ? std::string() : "class " + d.className + ", ") << "\""
            << d.description << "\""
            << (d.driverInf.empty() ? std::string(", no driver") : ", driver " + d.driverInf)
            << "\n";

    out << "\nMessages:" << (m.simDesktop().messageBoxes().empty() ? " none" : "") << "\n";
    for (const auto& b : m.simDesktop().messageBoxes()) {
        const std::string head = "  [" + answerName(b.answer) + "] ";
        std::string indented;
        for (const std::string& line : lines(b.text))
            indented += (indented.empty() ? head : std::string(head.size(), ' ')) + line + "\n";
        out << (indented.empty() ? head + "\n" : indented);
    }
    out << "Programs started:" << (m.simDesktop().launches().empty() ? " none" : "") << "\n";
    for (const auto& l : m.simDesktop().launches())
        out << "  " << l.file << " " << l.parameters << "\n";
    const auto faults = m.faults().pending();
    out << "Pending faults:" << (faults.empty() ? " none" : "") << "\n";
    for (const auto& f : faults)
        out << "  " << f.call << " fails with error " << f.error << ", "
            << (f.remaining == 0 ? std::string("every call")
                                 : std::to_string(f.remaining) + " more time(s)")
            << "\n";
    char waited[32];
    std::snprintf(waited, sizeof waited, "%.1f",
                  static_cast<double>(m.simClock().waited()) / 1000.0);
    out << "Virtual time waited: " << waited << " s\n";
    return out.str();
}

} // namespace drvsim

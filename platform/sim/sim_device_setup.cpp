#include "platform/sim/sim_device_setup.h"

#include "platform/sim/sim_cabinet.h"
#include "platform/sim/sim_guid.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

namespace platform::sim {
namespace {

constexpr std::uint32_t errorInvalidFlags = 1004;
const std::string pnfHeader = "SIMPNF\r\n";
const std::string pnfSourceKey = "Source=";

Guid guidOf(const char* text) {
    Guid g;
    parseGuid(text, g);
    return g;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// N of "oemN.inf", or -1.
long oemNumber(const std::string& name) {
    const std::string up = upper(name);
    if (up.size() < 8 || up.compare(0, 3, "OEM") != 0 || up.compare(up.size() - 4, 4, ".INF") != 0)
        return -1;
    const std::string digits = up.substr(3, up.size() - 7);
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    return std::strtol(digits.c_str(), nullptr, 10);
}

std::vector<std::uint8_t> multiString(const std::vector<std::string>& items) {
    std::vector<std::uint8_t> out;
    for (const std::string& s : items) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

// The classes every Windows installation knows.
const std::vector<std::pair<std::string, Guid>>& builtInClasses() {
    static const std::vector<std::pair<std::string, Guid>> classes = {
        {"USB", guidOf("{36FC9E60-C465-11CF-8056-444553540000}")},
        {"Ports", guidOf("{4D36E978-E325-11CE-BFC1-08002BE10318}")},
        {"Printer", guidOf("{4D36E979-E325-11CE-BFC1-08002BE10318}")},
        {"Net", guidOf("{4D36E972-E325-11CE-BFC1-08002BE10318}")},
        {"System", guidOf("{4D36E97D-E325-11CE-BFC1-08002BE10318}")},
        {"Image", guidOf("{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}")},
        {"USBDevice", guidOf("{88BAE032-5A81-49F0-BC3D-A4FF138216D6}")},
    };
    return classes;
}

} // namespace

SimDeviceSetup::SimDeviceSetup(SimMachine& machine) : machine_(machine) {}

bool SimDeviceSetup::fail(const char* call) {
    return machine_.faults().fail(call, machine_);
}

// SetupAPI sets the thread's last error on the way out of every call, success included.
bool SimDeviceSetup::done(bool ok, std::uint32_t error) {
    machine_.SetLastError(ok ? 0 : error);
    return ok;
}

Handle SimDeviceSetup::doneHandle(Handle handle) {
    machine_.SetLastError(0);
    return handle;
}

bool SimDeviceSetup::is64Bit() const {
    return machine_.is64BitWindows();
}

std::string SimDeviceSetup::infFolder() const {
    return machine_.windowsDirectory() + "\\inf";
}

std::optional<std::string> SimDeviceSetup::readInf(const std::string& path, InfFile& inf,
                                                   std::uint32_t& error, std::uint32_t& errorLine) {
    errorLine = 0;
    const std::optional<std::string> full = machine_.simFiles().fullPath(path, true);
    std::string text;
    if (!full || !machine_.simFiles().readText(*full, text)) {
        error = err::fileNotFound;
        return std::nullopt;
    }
    if (!inf.parse(text, error, errorLine))
        return std::nullopt;
    return full;
}

std::vector<std::pair<std::string, Guid>> SimDeviceSetup::classes() const {
    std::vector<std::pair<std::string, Guid>> all = builtInClasses();
    all.insert(all.end(), extraClasses_.begin(), extraClasses_.end());
    return all;
}

std::string SimDeviceSetup::className(const Guid& guid) const {
    for (const auto& [name, g] : classes()) {
        if (g == guid)
            return name;
    }
    return {};
}

void SimDeviceSetup::addClass(const std::string& name, const Guid& guid) {
    for (const auto& [n, g] : classes()) {
        if (g == guid && equalNoCase(n, name))
            return;
    }
    extraClasses_.emplace_back(name, guid);
}

SimDevice* SimDeviceSetup::findDevice(std::uint32_t devInst) {
    for (SimDevice& d : devices_) {
        if (d.devInst == devInst)
            return &d;
    }
    return nullptr;
}

SimDevice* SimDeviceSetup::element(Handle deviceInfoSet, const DeviceInfoData& data,
                                   std::uint32_t& error) {
    auto set = sets_.find(deviceInfoSet);
    if (set == sets_.end()) {
        error = err::invalidHandle;
        return nullptr;
    }
    const auto& members = set->second.members;
    if (std::none_of(members.begin(), members.end(),
                     [&](const DeviceInfoData& m) { return m.devInst == data.devInst; })) {
        error = err::invalidParameter;
        return nullptr;
    }
    SimDevice* d = findDevice(data.devInst);
    if (d == nullptr)
        error = err::noSuchDevinst;
    return d;
}

std::vector<std::string> SimDeviceSetup::oemInfs() const {
    std::vector<std::pair<long, std::string>> found;
    const std::string folder = upper(infFolder());
    for (const std::string& path : machine_.simFiles().listFiles(infFolder())) {
        if (!equalNoCase(folderOf(path), folder))
            continue;
        const long n = oemNumber(nameOf(path));
        if (n >= 0)
            found.emplace_back(n, nameOf(path));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (const auto& f : found)
        names.push_back(f.second);
    return names;
}

std::optional<std::string> SimDeviceSetup::findOemInf(const std::string& text) const {
    for (const std::string& name : oemInfs()) {
        std::string existing;
        if (machine_.simFiles().readText(infFolder() + "\\" + name, existing) && existing == text)
            return name;
    }
    return std::nullopt;
}

std::string SimDeviceSetup::storeOemInf(const std::string& text, const std::string& mediaFolder,
                                        bool& existed) {
    std::string name;
    if (const auto same = findOemInf(text)) {
        existed = true;
        name = *same;
    } else {
        existed = false;
        const std::vector<std::string> taken = oemInfs();
        long n = 0;
        while (std::any_of(taken.begin(), taken.end(),
                           [n](const std::string& t) { return oemNumber(t) == n; }))
            ++n;
        name = "oem" + std::to_string(n) + ".inf";
        machine_.simFiles().writeText(infFolder() + "\\" + name, text);
    }
    const std::string pnf = name.substr(0, name.size() - 3) + "pnf";
    machine_.simFiles().writeText(infFolder() + "\\" + pnf,
                                  pnfHeader + pnfSourceKey + mediaFolder + "\r\n");
    return name;
}

std::string SimDeviceSetup::pnfSource(const std::string& oemInf) const {
    std::string text;
    const std::string pnf = oemInf.substr(0, oemInf.size() - 3) + "pnf";
    if (!machine_.simFiles().readText(infFolder() + "\\" + pnf, text))
        return {};
    const std::size_t at = text.find(pnfSourceKey);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + pnfSourceKey.size();
    return text.substr(start, text.find("\r\n", start) - start);
}

bool SimDeviceSetup::installDriver(SimDevice& device, const InfFile& inf,
                                   const std::string& infText, const std::string& mediaFolder,
                                   const InfModel& model, std::uint32_t& error) {
    const InfSection* install = findInstallSection(inf, model.installSection, is64Bit());
    if (install == nullptr) {
        error = err::sectionNotFound;
        return false;
    }
    // Every file must be at hand before anything is copied.
    std::vector<std::pair<std::string, std::string>> copies;
    for (const auto& [destination, source] : infCopyFiles(inf, *install)) {
        std::string bytes;
        if (!machine_.simFiles().readText(mediaFolder + "\\" + source, bytes)) {
            error = err::fileNotFound;
            return false;
        }
        copies.emplace_back(machine_.systemDirectory() + "\\drivers\\" + destination, bytes);
    }
    for (const auto& [target, bytes] : copies)
        machine_.simFiles().writeText(target, bytes);

    bool existed = false;
    device.driverInf = storeOemInf(infText, mediaFolder, existed);
    Guid guid;
    const std::string cls = inf.value("Version", "Class").value_or("");
    if (!parseGuid(inf.value("Version", "ClassGUID").value_or(""), guid)) {
        std::vector<Guid> known;
        SetupDiClassGuidsFromNameA(cls, known);
        guid = known.empty() ? Guid{} : known.front();
    }
    if (!cls.empty() && !guid.isNull())
        addClass(cls, guid);
    device.classGuid = guid;
    device.className = cls;
    device.description = model.description;
    return true;
}

bool SimDeviceSetup::UpdateDriverForPlugAndPlayDevicesA(Handle, const std::string& hardwareId,
                                                        const std::string& fullInfPath,
                                                        std::uint32_t installFlags,
                                                        bool& rebootRequired) {
    if (fail("UpdateDriverForPlugAndPlayDevicesA"))
        return false;
    rebootRequired = false;
    if ((installFlags &
         ~(installflag::force | installflag::readOnly | installflag::nonInteractive)) != 0)
        return done(false, errorInvalidFlags);
    if (machine_.isWow64Process())
        return done(false, err::inWow64);
    InfFile inf;
    std::uint32_t error = 0, line = 0;
    const std::optional<std::string> path = readInf(fullInfPath, inf, error, line);
    if (!path)
        return done(false, error);
    if (inf.style() != infstyle::win4)
        return done(false, err::wrongInfStyle);

    std::vector<std::uint32_t> matching;
    for (const SimDevice& d : devices_) {
        if (d.registered && d.present &&
            std::any_of(d.hardwareIds.begin(), d.hardwareIds.end(),
                        [&](const std::string& id) { return equalNoCase(id, hardwareId); }))
            matching.push_back(d.devInst);
    }
    if (matching.empty())
        return done(false, err::noSuchDevinst);
    const std::optional<InfModel> model = findInfModel(inf, hardwareId, is64Bit());
    if (!model)
        return done(false, err::noCompatDrivers);
    std::string text;
    machine_.simFiles().readText(*path, text);
    for (std::uint32_t devInst : matching) {
        if (!installDriver(*findDevice(devInst), inf, text, folderOf(*path), *model, error))
            return done(false, error);
    }
    return done(true);
}

bool SimDeviceSetup::SetupCopyOEMInfA(const std::string& sourceInfFileName,
                                      const std::string& oemSourceMediaLocation,
                                      std::uint32_t oemSourceMediaType, std::uint32_t copyStyle) {
    if (fail("SetupCopyOEMInfA"))
        return false;
    InfFile inf;
    std::uint32_t error = 0, line = 0;
    const std::optional<std::string> path = readInf(sourceInfFileName, inf, error, line);
    if (!path)
        return done(false, error);
    std::string text;
    machine_.simFiles().readText(*path, text);
    if (findOemInf(text) && (copyStyle & spcopy::noOverwrite) != 0)
        return done(false, err::fileExists);
    std::string media;
    if (oemSourceMediaType == spost::path)
        media = oemSourceMediaLocation.empty() ? folderOf(*path) : oemSourceMediaLocation;
    bool existed = false;
    storeOemInf(text, media, existed);
    return done(true);
}

Handle SimDeviceSetup::SetupOpenInfFileA(const std::string& fileName, const std::string& infClass,
                                         std::uint32_t infStyle, std::uint32_t& errorLine) {
    errorLine = 0;
    if (fail("SetupOpenInfFileA"))
        return invalidHandle;
    // A bare name is one of the system's INF files.
    const bool bare = fileName.find('\\') == std::string::npos &&
                      fileName.find('/') == std::string::npos &&
                      fileName.find(':') == std::string::npos;
    InfFile inf;
    std::uint32_t error = 0;
    if (!readInf(bare ? infFolder() + "\\" + fileName : fileName, inf, error, errorLine)) {
        done(false, error);
        return invalidHandle;
    }
    if ((infStyle & inf.style()) == 0) {
        done(false, err::wrongInfStyle);
        return invalidHandle;
    }
    if (!infClass.empty() && !equalNoCase(inf.value("Version", "Class").value_or(""), infClass)) {
        done(false, err::classMismatch);
        return invalidHandle;
    }
    const Handle handle = nextHandle_++;
    infs_.emplace(handle, std::move(inf));
    return doneHandle(handle);
}

void SimDeviceSetup::SetupCloseInfFile(Handle inf) {
    if (fail("SetupCloseInfFile"))
        return;
    infs_.erase(inf);
}

bool SimDeviceSetup::SetupFindFirstLineA(Handle inf, const std::string& section,
                                         const std::string& key, InfContext& context) {
    if (fail("SetupFindFirstLineA"))
        return false;
    auto it = infs_.find(inf);
    if (it == infs_.end())
        return done(false, err::invalidHandle);
    const auto& sections = it->second.sections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (!equalNoCase(sections[s].name, section))
            continue;
        const auto& lines = sections[s].lines;
        for (std::size_t l = 0; l < lines.size(); ++l) {
            if (key.empty() || (lines[l].hasKey && equalNoCase(lines[l].key, key))) {
                context = InfContext{inf, inf, static_cast<std::uint32_t>(s),
                                     static_cast<std::uint32_t>(l)};
                return done(true);
            }
        }
        break;
    }
    return done(false, err::lineNotFound);
}

bool SimDeviceSetup::SetupFindNextLine(const InfContext& contextIn, InfContext& contextOut) {
    if (fail("SetupFindNextLine"))
        return false;
    auto it = infs_.find(contextIn.inf);
    if (it == infs_.end() || contextIn.section >= it->second.sections().size())
        return done(false, err::invalidParameter);
    if (contextIn.line + 1 >= it->second.sections()[contextIn.section].lines.size())
        return done(false, err::lineNotFound);
    contextOut = contextIn;
    ++contextOut.line;
    return done(true);
}

std::uint32_t SimDeviceSetup::SetupGetFieldCount(const InfContext& context) {
    if (fail("SetupGetFieldCount"))
        return 0;
    auto it = infs_.find(context.inf);
    if (it == infs_.end() || context.section >= it->second.sections().size() ||
        context.line >= it->second.sections()[context.section].lines.size()) {
        done(false, err::invalidParameter);
        return 0;
    }
    done(true);
    return static_cast<std::uint32_t>(
        it->second.sections()[context.section].lines[context.line].fields.size());
}

bool SimDeviceSetup::SetupGetStringFieldA(const InfContext& context, std::uint32_t fieldIndex,
                                          std::string& value) {
    if (fail("SetupGetStringFieldA"))
        return false;
    auto it = infs_.find(context.inf);
    if (it == infs_.end() || context.section >= it->second.sections().size() ||
        context.line >= it->second.sections()[context.section].lines.size())
        return done(false, err::invalidParameter);
    const InfLine& line = it->second.sections()[context.section].lines[context.line];
    if (fieldIndex == 0) {
        // A line without a key answers its first field.
        value = line.hasKey ? line.key : line.fields.front();
        return done(true);
    }
    if (fieldIndex > line.fields.size())
        return done(false, err::invalidParameter);
    value = line.fields[fieldIndex - 1];
    return done(true);
}

bool SimDeviceSetup::SetupDiGetINFClassA(const std::string& infName, Guid& classGuid,
                                         std::string& name) {
    if (fail("SetupDiGetINFClassA"))
        return false;
    InfFile inf;
    std::uint32_t error = 0, line = 0;
    if (!readInf(infName, inf, error, line))
        return done(false, error);
    Guid guid;
    if (!parseGuid(inf.value("Version", "ClassGUID").value_or(""), guid))
        guid = Guid{};
    std::string cls = inf.value("Version", "Class").value_or("");
    if (cls.empty())
        cls = guid.isNull() ? std::string() : className(guid);
    if (cls.empty())
        return done(false, err::invalidClass);
    classGuid = guid;
    name = cls;
    return done(true);
}

bool SimDeviceSetup::SetupDiClassGuidsFromNameA(const std::string& name,
                                                std::vector<Guid>& classGuids) {
    if (fail("SetupDiClassGuidsFromNameA"))
        return false;
    classGuids.clear();
    for (const auto& [n, g] : classes()) {
        if (equalNoCase(n, name))
            classGuids.push_back(g);
    }
    return done(true);
}

Handle SimDeviceSetup::SetupDiCreateDeviceInfoList(const Guid& classGuid, Handle) {
    if (fail("SetupDiCreateDeviceInfoList"))
        return invalidHandle;
    DeviceSet set;
    set.hasClass = !classGuid.isNull();
    set.classGuid = classGuid;
    const Handle handle = nextHandle_++;
    sets_.emplace(handle, std::move(set));
    return doneHandle(handle);
}

bool SimDeviceSetup::SetupDiCreateDeviceInfoA(Handle deviceInfoSet, const std::string& deviceName,
                                              const Guid& classGuid, const std::string& description,
                                              Handle, std::uint32_t creationFlags,
                                              DeviceInfoData& data) {
    if (fail("SetupDiCreateDeviceInfoA"))
        return false;
    auto set = sets_.find(deviceInfoSet);
    if (set == sets_.end())
        return done(false, err::invalidHandle);
    if (set->second.hasClass && set->second.classGuid != classGuid)
        return done(false, err::classMismatch);
    std::string instanceId;
    if ((creationFlags & dicd::generateId) != 0) {
        if (deviceName.empty() || deviceName.find('\\') != std::string::npos)
            return done(false, err::invalidDevinstName);
        const std::string prefix = "ROOT\\" + upper(deviceName) + "\\";
        for (unsigned n = 0; instanceId.empty(); ++n) {
            char number[16];
            std::snprintf(number, sizeof number, "%04u", n);
            if (device(prefix + number) == nullptr)
                instanceId = prefix + number;
        }
    } else {
        if (deviceName.find('\\') == std::string::npos)
            return done(false, err::invalidDevinstName);
        if (device(deviceName) != nullptr)
            return done(false, err::devinstAlreadyExists);
        instanceId = upper(deviceName);
    }
    SimDevice d;
    d.devInst = nextDevInst_++;
    d.instanceId = instanceId;
    d.classGuid = classGuid;
    d.className = className(classGuid);
    d.description = description;
    devices_.push_back(d);
    data = DeviceInfoData{classGuid, d.devInst, 0};
    set->second.members.push_back(data);
    return done(true);
}

bool SimDeviceSetup::SetupDiSetDeviceRegistryPropertyA(Handle deviceInfoSet, DeviceInfoData& data,
                                                       std::uint32_t property,
                                                       const std::vector<std::uint8_t>& buffer) {
    if (fail("SetupDiSetDeviceRegistryPropertyA"))
        return false;
    std::uint32_t error = 0;
    SimDevice* d = element(deviceInfoSet, data, error);
    if (d == nullptr)
        return done(false, error);
    if (buffer.empty() || buffer.back() != 0)
        return done(false, err::invalidData);
    const std::string text(buffer.begin(), buffer.end());
    if (property == spdrp::hardwareId) {
        std::vector<std::string> ids;
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t end = text.find('\0', pos);
            if (end == pos)
                break; // the empty string that ends the list
            ids.push_back(text.substr(pos, end - pos));
            pos = end + 1;
        }
        d->hardwareIds = ids;
        return done(true);
    }
    if (property == spdrp::deviceDesc) {
        d->description = text.substr(0, text.find('\0'));
        return done(true);
    }
    return done(false, err::invalidRegProperty);
}

bool SimDeviceSetup::SetupDiGetDeviceRegistryPropertyA(Handle deviceInfoSet,
                                                       const DeviceInfoData& data,
                                                       std::uint32_t property,
                                                       std::uint32_t& regType,
                                                       std::vector<std::uint8_t>& buffer) {
    if (fail("SetupDiGetDeviceRegistryPropertyA"))
        return false;
    std::uint32_t error = 0;
    const SimDevice* d = element(deviceInfoSet, data, error);
    if (d == nullptr)
        return done(false, error);
    if (property == spdrp::deviceDesc) {
        if (d->description.empty())
            return done(false, err::invalidData);
        regType = regtype::sz;
        buffer.assign(d->description.begin(), d->description.end());
        buffer.push_back(0);
        return done(true);
    }
    if (property == spdrp::hardwareId) {
        if (d->hardwareIds.empty())
            return done(false, err::invalidData);
        regType = regtype::multiSz;
        buffer = multiString(d->hardwareIds);
        return done(true);
    }
    return done(false, err::invalidRegProperty);
}

bool SimDeviceSetup::SetupDiCallClassInstaller(std::uint32_t installFunction, Handle deviceInfoSet,
                                               DeviceInfoData& data) {
    if (fail("SetupDiCallClassInstaller"))
        return false;
    if (machine_.isWow64Process())
        return done(false, err::inWow64);
    std::uint32_t error = 0;
    SimDevice* d = element(deviceInfoSet, data, error);
    if (d == nullptr)
        return done(false, error);
    if (installFunction == dif::registerDevice) {
        if (d->registered)
            return done(false, err::devinstAlreadyExists);
        // A root-enumerated device is there as soon as it is registered.
        d->registered = true;
        d->present = true;
        return done(true);
    }
    if (installFunction == dif::remove) {
        if (!d->registered)
            return done(false, err::noSuchDevinst);
        const std::uint32_t devInst = d->devInst;
        devices_.erase(
            std::remove_if(devices_.begin(), devices_.end(),
                           [devInst](const SimDevice& x) { return x.devInst == devInst; }),
            devices_.end());
        return done(true);
    }
    return done(false, err::diDoDefault);
}

Handle SimDeviceSetup::SetupDiGetClassDevsA(const Guid& classGuid, const std::string& enumerator,
                                            Handle, std::uint32_t flags) {
    if (fail("SetupDiGetClassDevsA"))
        return invalidHandle;
    DeviceSet set;
    set.hasClass = (flags & digcf::allClasses) == 0;
    set.classGuid = classGuid;
    const std::string prefix = upper(enumerator) + "\\";
    for (const SimDevice& d : devices_) {
        if (!d.registered)
            continue;
        if (set.hasClass && d.classGuid != classGuid)
            continue;
        if ((flags & digcf::present) != 0 && !d.present)
            continue;
        if (!enumerator.empty() && upper(d.instanceId).rfind(prefix, 0) != 0)
            continue;
        set.members.push_back(DeviceInfoData{d.classGuid, d.devInst, 0});
    }
    const Handle handle = nextHandle_++;
    sets_.emplace(handle, std::move(set));
    return doneHandle(handle);
}

bool SimDeviceSetup::SetupDiEnumDeviceInfo(Handle deviceInfoSet, std::uint32_t memberIndex,
                                           DeviceInfoData& data) {
    if (fail("SetupDiEnumDeviceInfo"))
        return false;
    auto set = sets_.find(deviceInfoSet);
    if (set == sets_.end())
        return done(false, err::invalidHandle);
    if (memberIndex >= set->second.members.size())
        return done(false, err::noMoreItems);
    data = set->second.members[memberIndex];
    return done(true);
}

bool SimDeviceSetup::SetupDiDestroyDeviceInfoList(Handle deviceInfoSet) {
    if (fail("SetupDiDestroyDeviceInfoList"))
        return false;
    auto set = sets_.find(deviceInfoSet);
    if (set == sets_.end())
        return done(false, err::invalidHandle);
    // Elements that were never registered go with their set.
    for (const DeviceInfoData& m : set->second.members) {
        devices_.erase(std::remove_if(devices_.begin(), devices_.end(),
                                      [&m](const SimDevice& d) {
                                          return d.devInst == m.devInst && !d.registered;
                                      }),
                       devices_.end());
    }
    sets_.erase(set);
    return done(true);
}

bool SimDeviceSetup::SetupIterateCabinetA(
    const std::string& cabinet,
    const std::function<bool(const std::string& member, std::string& target)>& onFile) {
    if (fail("SetupIterateCabinetA"))
        return false;
    const std::optional<std::string> full = machine_.simFiles().fullPath(cabinet, true);
    std::string bytes;
    if (!full || !machine_.simFiles().readText(*full, bytes))
        return done(false, err::fileNotFound);
    std::vector<SimCabinetMember> members;
    if (!readCabinet(bytes, members))
        return done(false, err::invalidData);
    for (const SimCabinetMember& m : members) {
        std::string target;
        if (!onFile(m.name, target))
            continue;
        // Extraction writes as the calling program would, redirection and all.
        if (!machine_.files().WriteFileBytes(
                target, std::vector<std::uint8_t>(m.bytes.begin(), m.bytes.end())))
            return false;
    }
    return done(true);
}

std::uint32_t SimDeviceSetup::attachDevice(const std::string& instanceId,
                                           const std::vector<std::string>& hardwareIds,
                                           const std::string& description) {
    for (SimDevice& d : devices_) {
        if (d.registered && equalNoCase(d.instanceId, instanceId)) {
            d.present = true;
            return d.devInst;
        }
    }
    SimDevice d;
    d.devInst = nextDevInst_++;
    d.instanceId = upper(instanceId);
    d.description = description;
    d.hardwareIds = hardwareIds;
    d.registered = true;
    d.present = true;
    // Plug and Play looks for a fitting driver among the INFs already in place.
    for (const std::string& oem : oemInfs()) {
        std::string text;
        InfFile inf;
        std::uint32_t error = 0, line = 0;
        if (!machine_.simFiles().readText(infFolder() + "\\" + oem, text) ||
            !inf.parse(text, error, line))
            continue;
        bool installed = false;
        for (const std::string& id : hardwareIds) {
            if (const auto model = findInfModel(inf, id, is64Bit())) {
                std::string media = pnfSource(oem);
                installed =
                    installDriver(d, inf, text, media.empty() ? infFolder() : media, *model, error);
                break;
            }
        }
        if (installed)
            break;
    }
    devices_.push_back(d);
    return d.devInst;
}

void SimDeviceSetup::detachDevice(const std::string& instanceId) {
    for (SimDevice& d : devices_) {
        if (d.registered && equalNoCase(d.instanceId, instanceId))
            d.present = false;
    }
}

std::uint32_t SimDeviceSetup::addDevice(const SimDevice& device) {
    SimDevice d = device;
    d.devInst = nextDevInst_++;
    d.registered = true;
    if (d.className.empty())
        d.className = className(d.classGuid);
    devices_.push_back(d);
    return d.devInst;
}

const SimDevice* SimDeviceSetup::device(const std::string& instanceId) const {
    for (const SimDevice& d : devices_) {
        if (equalNoCase(d.instanceId, instanceId))
            return &d;
    }
    return nullptr;
}

std::vector<SimDevice> SimDeviceSetup::devices() const {
    std::vector<SimDevice> out;
    for (const SimDevice& d : devices_) {
        if (d.registered)
            out.push_back(d);
    }
    return out;
}

void SimDeviceSetup::save(std::ostream& out) const {
    out << joinFields({"next", std::to_string(nextDevInst_)}) << '\n';
    for (const auto& [name, guid] : extraClasses_)
        out << joinFields({"class", name, formatGuid(guid)}) << '\n';
    for (const SimDevice& d : devices_) {
        if (!d.registered)
            continue;
        std::vector<std::string> f = {"device",     std::to_string(d.devInst),
                                      d.instanceId, formatGuid(d.classGuid),
                                      d.className,  d.description,
                                      d.driverInf,  d.present ? "1" : "0"};
        f.insert(f.end(), d.hardwareIds.begin(), d.hardwareIds.end());
        out << joinFields(f) << '\n';
    }
}

bool SimDeviceSetup::load(std::istream& in) {
    std::vector<SimDevice> devices;
    std::vector<std::pair<std::string, Guid>> extraClasses;
    std::uint32_t next = 1;
    std::string line;
    auto number = [](const std::string& text, std::uint32_t& value) {
        if (text.empty() || text.size() > 9 ||
            !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        value = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
        return true;
    };
    while (std::getline(in, line)) {
        const std::vector<std::string> f = splitFields(line);
        if (f.empty())
            continue;
        if (f[0] == "next" && f.size() == 2) {
            if (!number(f[1], next))
                return false;
        } else if (f[0] == "class" && f.size() == 3) {
            Guid g;
            if (!parseGuid(f[2], g))
                return false;
            extraClasses.emplace_back(f[1], g);
        } else if (f[0] == "device" && f.size() >= 8) {
            SimDevice d;
            if (!number(f[1], d.devInst) || !parseGuid(f[3], d.classGuid) ||
                (f[7] != "0" && f[7] != "1"))
                return false;
            d.instanceId = f[2];
            d.className = f[4];
            d.description = f[5];
            d.driverInf = f[6];
            d.present = f[7] == "1";
            d.registered = true;
            d.hardwareIds.assign(f.begin() + 8, f.end());
            if (d.devInst >= next)
                next = d.devInst + 1;
            devices.push_back(d);
        } else {
            return false;
        }
    }
    devices_ = std::move(devices);
    extraClasses_.clear();
    for (const auto& [name, guid] : extraClasses)
        addClass(name, guid);
    nextDevInst_ = next;
    infs_.clear();
    sets_.clear();
    return true;
}

} // namespace platform::sim

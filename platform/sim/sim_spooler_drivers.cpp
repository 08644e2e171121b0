// Printer drivers: where the spooler finds a driver's files and where it files
// them, and what it refuses.
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_spooler.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/spooler_environment.h"

#include <algorithm>
#include <filesystem>

namespace platform::sim {
namespace {

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> filesOf(const DriverInfo3& d) {
    std::vector<std::string> files = {d.driverPath, d.dataFile, d.configFile};
    if (!d.helpFile.empty())
        files.push_back(d.helpFile);
    files.insert(files.end(), d.dependentFiles.begin(), d.dependentFiles.end());
    return files;
}

} // namespace

const DriverInfo3* SimSpooler::findDriver(const std::string& environment,
                                          const std::string& name) const {
    for (const DriverInfo3& d : drivers_) {
        if (equalNoCase(d.environment, environment) && equalNoCase(d.name, name))
            return &d;
    }
    return nullptr;
}

std::string SimSpooler::locateDriverFile(const std::string& environment,
                                         const std::string& file) const {
    SimFiles& files = machine_.simFiles();
    if (file.find('\\') != std::string::npos)
        return files.exists(file) && !files.isDirectory(file) ? file : std::string();
    const WindowsVariant os = machine_.config().os;
    const std::string folder = driverDirectory(os, environment);
    std::vector<std::string> candidates = {folder + "\\" + file};
    if (!isWin9x(os))
        candidates.push_back(folder + "\\" + std::to_string(driverVersion(os)) + "\\" + file);
    for (const std::string& c : candidates) {
        if (files.exists(c) && !files.isDirectory(c))
            return c;
    }
    return {};
}

bool SimSpooler::AddPrinterDriverA(const DriverInfo3& driver) {
    std::string env;
    if (!begin("AddPrinterDriverA", true) || !resolveEnvironment(driver.environment, env))
        return false;
    if (driver.name.empty() || driver.driverPath.empty() || driver.dataFile.empty() ||
        driver.configFile.empty())
        return done(false, err::invalidParameter);
    if (!driver.monitorName.empty() && findMonitor(driver.monitorName) == nullptr)
        return done(false, err::unknownPrintMonitor);

    std::vector<std::string> located;
    for (const std::string& file : filesOf(driver)) {
        const std::string path = locateDriverFile(env, file);
        if (path.empty())
            return done(false, err::fileNotFound);
        located.push_back(path);
    }

    // NT files a driver in its version subfolder; the files a setup put into
    // the driver folder are copied there, and the driver is known by those copies.
    const WindowsVariant os = machine_.config().os;
    SimFiles& files = machine_.simFiles();
    std::string versionFolder;
    if (!isWin9x(os)) {
        versionFolder = driverDirectory(os, env) + "\\" + std::to_string(driverVersion(os));
        files.makeDirectories(versionFolder);
    }
    auto filed = [&](const std::string& path) {
        if (versionFolder.empty())
            return path;
        const std::string target = versionFolder + "\\" + nameOf(path);
        if (!equalNoCase(path, target)) {
            std::error_code ec;
            std::filesystem::copy_file(files.hostPath(path), files.hostPath(target),
                                       std::filesystem::copy_options::overwrite_existing, ec);
        }
        return target;
    };

    DriverInfo3 record = driver;
    record.environment = env;
    record.version = driverVersion(os);
    std::size_t i = 0;
    record.driverPath = filed(located[i++]);
    record.dataFile = filed(located[i++]);
    record.configFile = filed(located[i++]);
    if (!driver.helpFile.empty())
        record.helpFile = filed(located[i++]);
    for (std::string& dependent : record.dependentFiles)
        dependent = filed(located[i++]);

    // Adding a driver that exists already updates it.
    auto existing = std::find_if(drivers_.begin(), drivers_.end(), [&](const DriverInfo3& d) {
        return equalNoCase(d.environment, env) && equalNoCase(d.name, driver.name);
    });
    if (existing != drivers_.end())
        *existing = record;
    else
        drivers_.push_back(record);
    writeDriverKey(record);
    return true;
}

bool SimSpooler::EnumPrinterDriversA(const std::string& environment,
                                     std::vector<DriverInfo3>& drivers) {
    std::string env;
    if (!begin("EnumPrinterDriversA") || !resolveEnvironment(environment, env))
        return false;
    drivers.clear();
    for (const DriverInfo3& d : drivers_) {
        if (equalNoCase(d.environment, env))
            drivers.push_back(d);
    }
    return true;
}

bool SimSpooler::DeletePrinterDriverA(const std::string& environment, const std::string& name) {
    return deleteDriver("DeletePrinterDriverA", environment, name, 0);
}

bool SimSpooler::DeletePrinterDriverExA(const std::string& environment, const std::string& name,
                                        std::uint32_t deleteFlags, std::uint32_t /*versionFlag*/) {
    // Callers look the function up first; Windows before 2000 does not have it.
    if (static_cast<int>(machine_.config().os) < static_cast<int>(WindowsVariant::Win2000))
        return done(false, err::callNotImplemented);
    return deleteDriver("DeletePrinterDriverExA", environment, name, deleteFlags);
}

bool SimSpooler::deleteDriver(const char* call, const std::string& environment,
                              const std::string& name, std::uint32_t deleteFlags) {
    std::string env;
    if (!begin(call, true) || !resolveEnvironment(environment, env))
        return false;
    const DriverInfo3* d = findDriver(env, name);
    if (d == nullptr)
        return done(false, err::unknownPrinterDriver);
    const bool inUse = std::any_of(printers_.begin(), printers_.end(), [&](const PrinterInfo2& p) {
        return equalNoCase(p.driverName, d->name) && equalNoCase(env, serverEnvironment());
    });
    if (inUse)
        return done(false, err::printerDriverInUse);

    // Files another driver still lists stay; "all files" refuses to leave any.
    std::vector<std::string> removable, shared;
    for (const std::string& file : filesOf(*d)) {
        const bool usedElsewhere =
            std::any_of(drivers_.begin(), drivers_.end(), [&](const DriverInfo3& other) {
                if (&other == d)
                    return false;
                const std::vector<std::string> theirs = filesOf(other);
                return std::any_of(theirs.begin(), theirs.end(),
                                   [&](const std::string& f) { return equalNoCase(f, file); });
            });
        (usedElsewhere ? shared : removable).push_back(file);
    }
    if ((deleteFlags & driverdelete::allFiles) != 0 && !shared.empty())
        return done(false, err::printerDriverInUse);

    machine_.simRegistry().deleteTree(driverKey(machine_.config().os, env, d->name));
    drivers_.erase(drivers_.begin() + (d - drivers_.data()));
    if ((deleteFlags & (driverdelete::unusedFiles | driverdelete::allFiles)) != 0) {
        for (const std::string& file : removable) {
            std::error_code ec;
            std::filesystem::remove(machine_.simFiles().hostPath(file), ec);
        }
    }
    return true;
}

} // namespace platform::sim

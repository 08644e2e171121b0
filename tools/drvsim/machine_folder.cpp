#include "tools/drvsim/machine_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using platform::sim::SimConfig;
using platform::sim::SimMachine;

namespace drvsim {
namespace {

// The hardware id of the printers' USB interface (the first of Install's list).
constexpr const char* printerHardwareId = "USB\\VID_2E7A&PID_2E7A";

bool prepareFolder(const Options& o, std::string& error) {
    std::error_code ec;
    const fs::path folder = o.machine;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        error = o.machine + " exists and is not a folder";
        return false;
    }
    if (fs::exists(folder, ec) && !fs::is_empty(folder, ec)) {
        // Only a machine is ever replaced: a folder of anything else stays untouched.
        if (!o.force || !fs::exists(folder / "machine.txt", ec)) {
            error = "the folder " + o.machine + " is not empty" +
                    (o.force ? " and holds no simulated machine" : " (--force replaces a machine)");
            return false;
        }
        fs::remove_all(folder, ec);
        if (ec) {
            error = "cannot empty " + o.machine + ": " + ec.message();
            return false;
        }
    }
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + o.machine + ": " + ec.message();
        return false;
    }
    return true;
}

bool attachDevices(SimMachine& m, const Options& o, std::string& error) {
    int serial = 1;
    for (std::uint16_t word : o.usbPrinters) {
        m.simUsb().attachPrinter(word);
        // The printer is a Plug and Play device too, without a driver until one is installed.
        m.simDeviceSetup().attachDevice(std::string(printerHardwareId) + "\\KV" +
                                            std::to_string(serial++),
                                        {printerHardwareId}, "USB Printing Support");
    }
    for (const DeviceSpec& d : o.devices) {
        std::vector<platform::Guid> guids;
        if (!m.deviceSetup().SetupDiClassGuidsFromNameA(d.className, guids) || guids.empty()) {
            error = "unknown device class '" + d.className + "' in --device";
            return false;
        }
        platform::sim::SimDevice device;
        device.instanceId = d.hardwareId + "\\KV" + std::to_string(serial++);
        device.classGuid = guids.front();
        device.className = d.className;
        device.description = d.description;
        device.hardwareIds = {d.hardwareId};
        device.present = true;
        m.simDeviceSetup().addDevice(device);
    }
    return true;
}

} // namespace

bool createMachine(const Options& o, std::string& error) {
    if (!prepareFolder(o, error))
        return false;
    SimConfig c;
    c.os = o.os;
    c.bits = o.bits;
    c.processBits = 32; // the setup is a 32-bit program
    c.administrator = !o.user;
    c.root = fs::absolute(o.machine).string();
    c.packageDir.clear();
    SimMachine m(c);
    m.simUsb().setLibraryPresent(!o.noUsbLibrary);
    if (!attachDevices(m, o, error))
        return false;
    for (const std::string& path : o.inUse)
        m.simFiles().setInUse(path);
    m.simServices().setStartDelay(o.spoolerStartDelay);
    m.simServices().refuseStart(o.spoolerRefusal);
    if (!saveMachine(m, error))
        return false;
    std::ofstream registry(fs::path(c.root) / baselineRegistryFile, std::ios::binary);
    m.simRegistry().save(registry);
    std::ofstream files(fs::path(c.root) / baselineFilesFile, std::ios::binary);
    for (const std::string& f : m.simFiles().listFiles("C:\\"))
        files << f << '\n';
    if (!registry || !files) {
        error = "cannot write the state after init into " + c.root;
        return false;
    }
    return true;
}

std::unique_ptr<SimMachine> openMachine(const std::string& folder, const std::string& packageDir,
                                        std::string& error) {
    std::error_code ec;
    if (!fs::exists(fs::path(folder) / "machine.txt", ec)) {
        error = folder + " holds no simulated machine (create one with drvsim init)";
        return nullptr;
    }
    SimConfig c;
    if (!SimMachine::readConfig(fs::absolute(folder).string(), c, error)) {
        error = folder + ": " + error;
        return nullptr;
    }
    c.packageDir = packageDir;
    auto machine = std::make_unique<SimMachine>(c);
    if (!machine->load(error)) {
        error = folder + ": " + error;
        return nullptr;
    }
    return machine;
}

bool saveMachine(const SimMachine& machine, std::string& error) {
    return machine.save(error);
}

Baseline readBaseline(const std::string& folder) {
    auto read = [&](const char* name) {
        std::ifstream in(fs::path(folder) / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    return Baseline{read(baselineRegistryFile), read(baselineFilesFile)};
}

} // namespace drvsim

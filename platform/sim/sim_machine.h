// A simulated Windows machine: a small, faithful model that the real engines
// run on unchanged. Drive C: is a folder on the host; the package being tried is
// mounted as the program's own folder. Every call can be told to fail.
#pragma once

#include "platform/machine.h"
#include "platform/sim/faults.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_device_setup.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile_files.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_spooler.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_usb_library.h"
#include "platform/sim/windows_variant.h"

#include <memory>
#include <string>

namespace platform::sim {

struct SimConfig {
    WindowsVariant os = WindowsVariant::Win7;
    int bits = 64;             // the Windows edition
    int processBits = 32;      // the program that runs on it
    bool administrator = true; // whether the user's token holds the Administrators group
    std::string root;          // host folder that holds drive C: (created when missing)
    std::string packageDir;    // host folder mounted as the program's folder (may be empty)
    std::string programFolder = "E:\\Package"; // Windows path the package is mounted at
    std::string programName = "Tessaly.exe";
};

class SimMachine : public Machine {
public:
    explicit SimMachine(SimConfig config);
    ~SimMachine() override;

    Registry& registry() override { return *registry_; }
    Files& files() override { return *files_; }
    SystemInfo& system() override { return *system_; }
    Desktop& desktop() override { return *desktop_; }
    ProfileFiles& profiles() override { return *profiles_; }
    Clock& clock() override { return *clock_; }
    Spooler& spooler() override { return *spooler_; }
    Services& services() override { return *services_; }
    DeviceSetup& deviceSetup() override { return *deviceSetup_; }
    UsbInterfaceLibrary& usb() override { return *usb_; }
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;

    // The simulated parts, for tests and tools to arrange and inspect.
    SimRegistry& simRegistry() { return *registry_; }
    SimFiles& simFiles() { return *files_; }
    SimSystemInfo& simSystem() { return *system_; }
    SimDesktop& simDesktop() { return *desktop_; }
    SimClock& simClock() { return *clock_; }
    SimSpooler& simSpooler() { return *spooler_; }
    SimServices& simServices() { return *services_; }
    SimDeviceSetup& simDeviceSetup() { return *deviceSetup_; }
    SimUsbLibrary& simUsb() { return *usb_; }
    Faults& faults() { return faults_; }

    const SimConfig& config() const { return config_; }
    // Another program of the package runs on the machine now (the device-driver
    // installer the setup starts): its module path and bitness, which decides
    // redirection. The package stays mounted where it is.
    void setRunningProgram(const std::string& folder, const std::string& name, int processBits) {
        config_.programFolder = folder;
        config_.programName = name;
        config_.processBits = processBits;
    }
    bool is64BitWindows() const { return config_.bits == 64; }
    // A 32-bit program on 64-bit Windows: registry and file-system redirection apply.
    bool isWow64Process() const { return config_.bits == 64 && config_.processBits == 32; }

    // The usual folders of this Windows variant ("C:\WINDOWS", "C:\WINDOWS\system32"...).
    std::string windowsDirectory() const;
    std::string systemDirectory() const;

    // The whole machine in a folder: its configuration and the state of every
    // part, one text file each, beside the folder "C" that holds drive C:.
    // A machine is built on config.root = that folder and then loaded. Both
    // answer false with a reason in `error`; a failed load leaves a machine
    // that must not be used.
    bool save(std::string& error) const;
    bool load(std::string& error);
    static bool readConfig(const std::string& folder, SimConfig& config, std::string& error);
    // The configuration file's text, for a machine in `folder`.
    static bool parseConfig(const std::string& text, const std::string& folder, SimConfig& config,
                            std::string& error);

private:
    SimConfig config_;
    Faults faults_;
    std::unique_ptr<SimClock> clock_;
    std::unique_ptr<SimRegistry> registry_;
    std::unique_ptr<SimFiles> files_;
    std::unique_ptr<SimSystemInfo> system_;
    std::unique_ptr<SimDesktop> desktop_;
    std::unique_ptr<SimProfileFiles> profiles_;
    std::unique_ptr<SimSpooler> spooler_;
    std::unique_ptr<SimServices> services_;
    std::unique_ptr<SimDeviceSetup> deviceSetup_;
    std::unique_ptr<SimUsbLibrary> usb_;
};

} // namespace platform::sim

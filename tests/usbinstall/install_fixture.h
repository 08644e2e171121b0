// A simulated machine with Install's package folder mounted as the program's
// own folder, the way the setup program starts it.
#pragma once

#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"
#include "usbinstall/log_sink.h"
#include "usbinstall/usb_install.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class InstallFixture {
public:
    explicit InstallFixture(platform::sim::WindowsVariant os = platform::sim::WindowsVariant::Win7,
                            int bits = 64, int processBits = 64) {
        const std::string folder = bits == 64 ? "USBDriver_x64" : "USBDriver";
        namespace fs = std::filesystem;
        platform::sim::SimConfig c = simConfig(dir, os, bits);
        for (const auto& entry :
             fs::directory_iterator(fs::path(PKG_SOURCE_DIR) / "package" / "USBDRV" / folder))
            fs::copy_file(entry.path(), fs::path(c.packageDir) / entry.path().filename());
        // The real driver file is built elsewhere; any bytes stand for it here.
        if (!fs::exists(fs::path(c.packageDir) / "KVPUSB.sys"))
            dir.write("package/KVPUSB.sys", "KVPUSB driver " + folder);
        c.processBits = processBits;
        c.programFolder = "E:\\USBDRV\\" + folder;
        c.programName = "Install.exe";
        machine = std::make_unique<platform::sim::SimMachine>(c);
    }

    int run(const std::string& argument) {
        return usbinstall::runUsbInstall(*machine, argument, usbinstall::programFolder(*machine),
                                         log, window);
    }

    const std::vector<std::string>& lines() const { return log.texts; }
    platform::sim::SimDeviceSetup& devices() { return machine->simDeviceSetup(); }
    bool exists(const std::string& path) const { return machine->simFiles().exists(path); }
    std::vector<std::string> messages() const { return machine->simDesktop().messageTexts(); }

    TempDir dir;
    std::unique_ptr<platform::sim::SimMachine> machine;
    usbinstall::CollectingLog log;
    platform::Handle window = 0x10042;
};

} // namespace testsupport

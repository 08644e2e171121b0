// The uninstaller on a scenario's machine, run from the package folder as a
// user runs it; Install.exe runs the device-driver installer's real engine
// for "22" and installs the packaged driver for anything else.
#pragma once

#include "common/language_text.h"
#include "common/profile_file.h"
#include "tests/sim/install_scenario.h"
#include "uninstall/uninstall_script.h"
#include "usbinstall/usb_install.h"

#include <string>
#include <vector>

namespace installtest {

using Lines = std::vector<std::string>;

inline void provideDeviceDriverInstaller(SimMachine& m) {
    m.simDesktop().setProgram("Install.exe", [](SimMachine& machine,
                                                const platform::sim::SimDesktop::Launch& l) {
        const std::string folder = l.file.substr(0, l.file.rfind('\\'));
        if (l.parameters != "22") {
            std::string content;
            machine.simFiles().readText(folder + "\\KVPUSB.sys", content);
            machine.simFiles().writeText(machine.systemDirectory() + "\\drivers\\KVPUSB.sys",
                                         content);
        } else {
            const auto caller = machine.config();
            const bool x64 = folder.find("_x64") != std::string::npos;
            machine.setRunningProgram(folder, "Install.exe", x64 ? 64 : 32);
            usbinstall::CollectingLog log;
            usbinstall::runUsbInstall(machine, l.parameters, folder, log);
            machine.setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
        }
        machine.simDesktop().addWindow("Device driver setup", false,
                                       machine.simClock().now() + 4000);
        return std::uintptr_t{42};
    });
}

// The sample receipt printer installed on a fresh machine that runs the
// device-driver installer.
inline std::unique_ptr<Scenario> installedSample(WindowsVariant os = WindowsVariant::Win7,
                                                 int bits = 64,
                                                 const std::string& port = "USB_QRT-K500NX_1") {
    auto s = std::make_unique<Scenario>(os, bits);
    provideDeviceDriverInstaller(s->machine());
    const auto outcome = s->install(s->request(setup::PrinterType::Receipt, "QRT-K500NX", port));
    EXPECT_EQ(outcome.result, setup::InstallResult::Succeeded) << outcome.message;
    return s;
}

// Every row ticked, and the USB device driver's box when asked.
inline uninstall::UninstallChoice everything(bool usbDriver = false) {
    uninstall::UninstallChoice choice;
    choice.usbDriver = usbDriver;
    return choice;
}

inline uninstall::UninstallRun uninstallOn(SimMachine& m,
                                           const uninstall::UninstallChoice& choice) {
    const platform::sim::SimConfig caller = m.config();
    m.setRunningProgram(caller.programFolder, "Uninstall.exe", 32);
    uninstall::UninstallRun run = uninstall::runUninstallScript(m, choice);
    m.simDesktop().removeMutex(uninstall::uninstallMutexName);
    m.setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
    return run;
}

// A text of the sample package's uninstaller language file, "%s" replaced.
inline std::string uninstallText(const std::string& key, const std::string& argument = "",
                                 const std::string& section = "Message") {
    const std::string file =
        readHostFile(fs::path(PKG_SOURCE_DIR) / "package" / "language" / "uninstall.ini");
    std::string text =
        common::expandLineBreaks(common::profileGetString(file, section, key, "", 2048),
                                 common::LineBreaks::FirstBackslashN);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace installtest

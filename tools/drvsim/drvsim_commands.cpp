#include "tools/drvsim/drvsim_commands.h"

#include "common/language_text.h"
#include "common/os_variant.h"
#include "setup/progress_dialog.h"
#include "setup/quiet_install.h"
#include "setup/wizard_script.h"
#include "tools/drvsim/machine_folder.h"
#include "tools/drvsim/machine_report.h"
#include "tools/drvsim/package_check.h"
#include "tools/drvsim/package_behaviour.h"
#include "uninstall/quiet_uninstall.h"
#include "uninstall/uninstall_script.h"
#include "usbinstall/usb_install.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

namespace fs = std::filesystem;
using platform::sim::SimMachine;

namespace drvsim {
namespace {

// A message box as the user saw it: its text, and the button that answered a question.
void printBox(std::ostream& out, const platform::sim::SimDesktop::MessageBox& box) {
    std::string text = box.text;
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    out << text << '\n';
    const std::uint32_t buttons = box.type & 0xF;
    if (buttons == platform::mb::yesNo || buttons == 3)
        out << "  -> " << (box.answer == platform::mb::idYes ? "Yes" : "No") << '\n';
}

bool packageFolder(const Options& o, std::string& folder, std::ostream& err) {
    folder = o.package.empty() ? defaultPackage() : o.package;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        err << "drvsim: the package folder " << folder << " does not exist\n";
        return false;
    }
    folder = fs::absolute(folder).string();
    return true;
}

// The maker's monitors offer their ports in every run: those of the package
// used now and those of the packages used before on this machine.
bool servePorts(const Options& o, SimMachine& m, bool fromPackage, std::ostream& err) {
    MakerMonitors monitors;
    std::string error;
    if (!readMakerMonitors(o.machine, monitors, error)) {
        err << "drvsim: " << o.machine << ": " << error << '\n';
        return false;
    }
    if (fromPackage) {
        const MakerMonitors package = packageMonitors(m);
        monitors.usb.insert(package.usb.begin(), package.usb.end());
        monitors.serial.insert(package.serial.begin(), package.serial.end());
        if (!writeMakerMonitors(o.machine, monitors)) {
            err << "drvsim: cannot write into " << o.machine << '\n';
            return false;
        }
    }
    serveMakerPorts(m, monitors);
    return true;
}

bool save(const SimMachine& m, std::ostream& err) {
    std::string error;
    if (m.save(error))
        return true;
    err << "drvsim: " << error << '\n';
    return false;
}

int init(const Options& o, std::ostream& out, std::ostream& err) {
    std::string error;
    if (!createMachine(o, error)) {
        err << "drvsim: " << error << '\n';
        return exitUnusable;
    }
    out << "Created " << editionName(o.os) << " (" << o.bits << "-bit) in " << o.machine << '\n';
    return exitDone;
}

setup::WizardChoice choice(const Options& o) {
    setup::WizardChoice c;
    c.type = o.type;
    c.model = o.model;
    c.advanced = o.advanced;
    c.setAsDefault = o.setDefault;
    c.port = o.port;
    c.raster = o.raster;
    c.baud = o.baud;
    c.dataBits = o.dataBits;
    c.stopBits = o.stopBits;
    c.parity = o.parity;
    c.flow = o.flow;
    c.address = o.ip;
    return c;
}

// The machine of a folder, or null after saying why it cannot be used.
std::unique_ptr<SimMachine> openOrReport(const std::string& folder, const std::string& package,
                                         std::ostream& err) {
    std::string error;
    std::unique_ptr<SimMachine> m = openMachine(folder, package, error);
    if (!m)
        err << "drvsim: " << error << '\n';
    return m;
}

// The machine with the package mounted, its monitors offering their ports and
// Install.exe printing its log; null after saying why it cannot be used.
std::unique_ptr<SimMachine> openWithPackage(const Options& o, std::ostream& out,
                                            std::ostream& err) {
    std::string package;
    if (!packageFolder(o, package, err))
        return nullptr;
    std::unique_ptr<SimMachine> m = openOrReport(o.machine, package, err);
    if (!m || !servePorts(o, *m, true, err))
        return nullptr;
    provideUsbInstaller(*m,
                        [&out](const std::string& line) { out << "[Install] " << line << '\n'; });
    return m;
}

const char* meaningOf(common::QuietExit code) {
    switch (code) {
    case common::QuietExit::Done:
        return "done";
    case common::QuietExit::RestartNeeded:
        return "done, Windows must be restarted";
    case common::QuietExit::Declined:
        return "stopped by a question's answer";
    case common::QuietExit::Failed:
        return "failed";
    case common::QuietExit::NotSupported:
        return "this Windows or its bitness is not supported";
    case common::QuietExit::BadInput:
        break;
    }
    return "bad command line or response file";
}

// Tessaly.exe /quiet or Uninstall.exe /quiet with the response file: the run's
// log as it is written into the machine's temporary folder, then the exit code.
int runResponse(const Options& o, bool setupProgram, std::ostream& out, std::ostream& err) {
    std::ifstream in(o.response, std::ios::binary);
    if (!in) {
        err << "drvsim: the response file " << o.response << " cannot be read\n";
        return exitUnusable;
    }
    std::vector<std::uint8_t> bytes;
    for (std::istreambuf_iterator<char> it(in), end;
         it != end && bytes.size() <= common::maxResponseFileSize; ++it)
        bytes.push_back(static_cast<std::uint8_t>(*it));
    std::unique_ptr<SimMachine> m = openWithPackage(o, out, err);
    if (!m)
        return exitUnusable;
    const platform::sim::SimConfig caller = m->config();
    if (!setupProgram)
        m->setRunningProgram(caller.programFolder, "Uninstall.exe", 32);
    common::RunLog log(
        *m, common::temporaryLogPath(*m, setupProgram ? "Tessaly.log" : "Uninstall.log"));
    const common::QuietExit code = setupProgram
                                       ? setup::runQuietInstall(*m, o.response, bytes, log)
                                       : uninstall::runQuietUninstall(*m, o.response, bytes, log);
    // The program has ended: its single-instance mutex goes with it.
    m->simDesktop().removeMutex(setupProgram ? setup::setupTitle : uninstall::uninstallMutexName);
    m->setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
    for (const std::string& line : log.lines())
        out << line << '\n';
    out << "Exit code " << common::exitCodeOf(code) << " (" << meaningOf(code) << "); the log is "
        << log.path() << " on the machine\n";
    if (!save(*m, err))
        return exitUnusable;
    if (code == common::QuietExit::Done || code == common::QuietExit::RestartNeeded)
        return exitDone;
    return code == common::QuietExit::BadInput ? exitUnusable : exitStopped;
}

int runSetup(const Options& o, std::ostream& out, std::ostream& err) {
    if (!o.response.empty())
        return runResponse(o, true, out, err);
    std::unique_ptr<SimMachine> m = openWithPackage(o, out, err);
    if (!m)
        return exitUnusable;
    std::vector<int> answers;
    for (bool yes : o.answers)
        answers.push_back(yes ? platform::mb::idYes : platform::mb::idNo);
    m->simDesktop().queueAnswers(answers);

    const std::size_t before = m->simDesktop().messageBoxes().size();
    setup::SynchronousProgress progress(m->clock());
    const setup::WizardRun run = setup::runWizardScript(*m, choice(o), progress);
    // The program has ended: its single-instance mutex goes with it.
    m->simDesktop().removeMutex(setup::setupTitle);

    const auto& boxes = m->simDesktop().messageBoxes();
    for (std::size_t i = before; i < boxes.size(); ++i)
        printBox(out, boxes[i]);
    if (!run.outcome) {
        out << "The wizard did not install: " << run.stopped << ".\n";
    } else {
        switch (run.outcome->result) {
        case setup::InstallResult::Succeeded:
            out << "Installed printer \"" << run.outcome->printerName << "\"\n";
            break;
        case setup::InstallResult::Failed:
            out << "The installation failed.\n";
            break;
        case setup::InstallResult::Stopped:
            out << "The installation stopped before it began; the wizard stays open.\n";
            break;
        }
    }
    if (!save(*m, err))
        return exitUnusable;
    return run.installed() ? exitDone : exitStopped;
}

void printList(std::ostream& out, const char* title, const std::vector<std::string>& rows) {
    out << title << (rows.empty() ? " nothing\n" : "\n");
    for (const std::string& row : rows)
        out << "  " << row << '\n';
}

int runUninstall(const Options& o, std::ostream& out, std::ostream& err) {
    if (!o.response.empty())
        return runResponse(o, false, out, err);
    std::unique_ptr<SimMachine> m = openWithPackage(o, out, err);
    if (!m)
        return exitUnusable;
    // Uninstall.exe runs from the package's folder, as the setup does.
    const platform::sim::SimConfig caller = m->config();
    m->setRunningProgram(caller.programFolder, "Uninstall.exe", 32);

    uninstall::UninstallChoice choice;
    choice.listOnly = o.listOnly;
    if (!o.items.empty())
        choice.items = o.items;
    choice.usbDriver = o.usbDriver;
    choice.restartAnswers = o.answers;
    const std::size_t before = m->simDesktop().messageBoxes().size();
    const uninstall::UninstallRun run = uninstall::runUninstallScript(*m, choice);
    // The program has ended: its single-instance mutex goes with it.
    m->simDesktop().removeMutex(uninstall::uninstallMutexName);
    m->setRunningProgram(caller.programFolder, caller.programName, caller.processBits);

    const auto& boxes = m->simDesktop().messageBoxes();
    for (std::size_t i = before; i < boxes.size(); ++i)
        printBox(out, boxes[i]);
    if (run.startup == uninstall::StartupOutcome::RunDialog) {
        printList(out, "Listed:", run.listed);
        if (!o.listOnly) {
            printList(out, "Messages:", run.messages);
            if (run.restart)
                out << "Restart Windows now? -> " << (*run.restart ? "Yes" : "No") << '\n';
            std::vector<std::string> removed;
            for (const std::string& item : run.ticked) {
                if (std::find(run.remaining.begin(), run.remaining.end(), item) ==
                    run.remaining.end())
                    removed.push_back(item);
            }
            printList(out, "Removed:", removed);
            printList(out, "Still listed:", run.remaining);
        }
    }
    if (!run.stopped.empty())
        out << "The uninstaller did not go on: " << run.stopped << ".\n";
    if (!save(*m, err))
        return exitUnusable;
    if (o.listOnly)
        return run.stopped.empty() ? exitDone : exitStopped;
    return run.complete() ? exitDone : exitStopped;
}

int runFail(const Options& o, std::ostream& out, std::ostream& err) {
    std::unique_ptr<SimMachine> m = openOrReport(o.machine, "", err);
    if (!m)
        return exitUnusable;
    if (!servePorts(o, *m, false, err))
        return exitUnusable;
    if (o.clearFaults) {
        const std::size_t pending = m->faults().pending().size();
        m->faults().clear();
        if (!save(*m, err))
            return exitUnusable;
        out << "Removed " << pending << " pending fault(s)\n";
        return exitDone;
    }
    m->faults().failCall(o.call, o.error, o.times);
    if (!save(*m, err))
        return exitUnusable;
    out << o.call << " fails with error " << o.error << ' '
        << (o.times == 0 ? std::string("from now on") : std::to_string(o.times) + " time(s)")
        << '\n';
    return exitDone;
}

int runShow(const Options& o, std::ostream& out, std::ostream& err) {
    std::unique_ptr<SimMachine> m = openOrReport(o.machine, "", err);
    if (!m)
        return exitUnusable;
    if (!servePorts(o, *m, false, err))
        return exitUnusable;
    const Baseline baseline = readBaseline(o.machine);
    out << (o.json ? jsonReport(*m, baseline) : textReport(*m, baseline));
    return exitDone;
}

int runUsbDriver(const Options& o, std::ostream& out, std::ostream& err) {
    std::string package;
    if (!packageFolder(o, package, err))
        return exitUnusable;
    std::unique_ptr<SimMachine> m = openOrReport(o.machine, package, err);
    if (!m)
        return exitUnusable;
    if (!servePorts(o, *m, true, err))
        return exitUnusable;
    // Install.exe of the package's folder for the machine's bitness, started with ARG.
    const bool x64 = m->is64BitWindows();
    const std::string folder =
        m->config().programFolder + (x64 ? "\\USBDRV\\USBDriver_x64" : "\\USBDRV\\USBDriver");
    const platform::sim::SimConfig caller = m->config();
    m->setRunningProgram(folder, "Install.exe", x64 ? 64 : 32);
    const std::size_t before = m->simDesktop().messageBoxes().size();
    struct Printer : usbinstall::LogSink {
        std::ostream& out;
        explicit Printer(std::ostream& o) : out(o) {}
        void write(const std::string& text) override {
            std::string t = text;
            t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
            out << t << (t.empty() || t.back() != '\n' ? "\n" : "");
        }
    } log(out);
    const int result = usbinstall::runUsbInstall(*m, o.argument, folder, log);
    const auto& boxes = m->simDesktop().messageBoxes();
    for (std::size_t i = before; i < boxes.size(); ++i)
        printBox(out, boxes[i]);
    if (result == usbinstall::usbInstallUnknownArgument)
        out << "Install does nothing with the argument \"" << o.argument << "\".\n";
    m->setRunningProgram(caller.programFolder, caller.programName, caller.processBits);
    if (!save(*m, err))
        return exitUnusable;
    return result == usbinstall::usbInstallDone ? exitDone : exitStopped;
}

int runCheck(const Options& o, std::ostream& out, std::ostream& err) {
    std::string package;
    if (!packageFolder(o, package, err))
        return exitUnusable;
    const std::vector<Finding> findings = checkPackage(package);
    out << (o.json ? findingsJson(package, findings) : findingsText(findings));
    return hasErrors(findings) ? exitStopped : exitDone;
}

} // namespace

std::string defaultPackage() {
    const fs::path source = DRVSIM_SOURCE_DIR;
    std::error_code ec;
    if (fs::is_directory(source / "out" / "package" / "DRVCONFIG", ec))
        return (source / "out" / "package").string();
    return (source / "package").string();
}

int runCommand(const Options& o, std::ostream& out, std::ostream& err) {
    switch (o.command) {
    case Command::Init:
        return init(o, out, err);
    case Command::Setup:
        return runSetup(o, out, err);
    case Command::Uninstall:
        return runUninstall(o, out, err);
    case Command::Fail:
        return runFail(o, out, err);
    case Command::Show:
        return runShow(o, out, err);
    case Command::UsbDriver:
        return runUsbDriver(o, out, err);
    case Command::Check:
        return runCheck(o, out, err);
    case Command::Help:
        out << commandHelp(o.helpFor);
        return exitDone;
    }
    return exitUnusable;
}

} // namespace drvsim

// A simulated machine with the sample package mounted as the program folder,
// for whole installations: the package's configuration and texts, a stand-in
// for every driver-set file they name, the maker's port monitors offering their
// ports, and the USB device-driver installer. States are compared as sorted
// lines, so that a test can state everything an installation changed.
#pragma once

#include "platform/sim/sim_machine.h"
#include "common/language_text.h"
#include "platform/sim/spooler_environment.h"
#include "platform/sim/system_layout.h"
#include "setup/progress_dialog.h"
#include "setup/wizard_script.h"
#include "tests/support/sample_package.h"
#include "tests/support/sim_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace installtest {

// One line per thing an installation can change, sorted: files on drive C:
// (with their content when it is a short text), registry values outside the
// spooler's own bookkeeping, spooler objects, the default printer and the
// Spooler service's state.
inline std::vector<std::string> machineState(SimMachine& m) {
    std::vector<std::string> lines;
    for (const std::string& file : m.simFiles().listFiles("C:\\")) {
        std::string content;
        m.simFiles().readText(file, content);
        while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
            content.pop_back();
        const bool text =
            content.size() < 64 && std::all_of(content.begin(), content.end(),
                                               [](char c) { return c >= 0x20 && c < 0x7F; });
        lines.push_back("file " + file + (text ? " = " + content : ""));
    }
    for (const auto* key : m.simRegistry().keys()) {
        const std::string& path = key->path;
        if (path.find("\\Control\\Print\\Printers") != std::string::npos ||
            path.find("\\Drivers\\") != std::string::npos ||
            path.find("\\Control\\Print\\Providers") != std::string::npos)
            continue;
        for (const auto& value : key->values) {
            std::string data;
            if (value.type == platform::regtype::dword && value.data.size() == 4)
                data = "dword:" + std::to_string(value.data[0] | value.data[1] << 8 |
                                                 value.data[2] << 16 | value.data[3] << 24);
            else if (value.type == platform::regtype::sz)
                data = "sz:" + std::string(value.data.begin(),
                                           std::find(value.data.begin(), value.data.end(), 0));
            else
                data = "type" + std::to_string(value.type) + ":" +
                       std::to_string(value.data.size()) + " bytes";
            lines.push_back("reg " + path + "\\" + value.name + " = " + data);
        }
    }
    for (const auto& monitor : m.simSpooler().monitors())
        lines.push_back("monitor " + monitor.name + " loads " + m.simSpooler().monitorDll(monitor));
    for (const auto& p : m.simSpooler().processors())
        lines.push_back("processor " + p.environment + " " + p.name + " " + p.dll);
    for (const auto& d : m.simSpooler().drivers()) {
        std::string line = "driver " + d.environment + " " + d.name + " v" +
                           std::to_string(d.version) + " " + d.driverPath + " " + d.dataFile + " " +
                           d.configFile + " " + d.helpFile + " deps";
        for (const std::string& dep : d.dependentFiles)
            line += " " + dep;
        lines.push_back(line + " monitor=" + d.monitorName);
    }
    for (const auto& port : m.simSpooler().ports())
        lines.push_back("port " + port.name + " (" + port.monitor + ")");
    for (const auto& p : m.simSpooler().printers())
        lines.push_back("printer " + p.printerName + " on " + p.portName +
                        " driver=" + p.driverName + " processor=" + p.printProcessor +
                        " attributes=" + std::to_string(p.attributes));
    lines.push_back("default " + m.simSpooler().defaultPrinter());
    lines.push_back("spooler state " + std::to_string(m.simServices().spoolerState()));
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Lines only in `after` ("+ ...") and only in `before` ("- ...").
inline std::vector<std::string> stateChanges(const std::vector<std::string>& before,
                                             const std::vector<std::string>& after) {
    std::vector<std::string> added, removed, out;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::back_inserter(removed));
    for (const auto& line : removed)
        out.push_back("- " + line);
    for (const auto& line : added)
        out.push_back("+ " + line);
    return out;
}

inline bool anyLine(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// The wizard's choices of a sample printer on every kind of port.
struct PortKindChoices {
    setup::WizardChoice usb, advanced, serial, network, parallel;
};

inline PortKindChoices portKindChoices() {
    using setup::PrinterType;
    PortKindChoices c;
    c.usb = {PrinterType::Receipt, "QRT-K500NX", false, true, "USB_QRT-K500NX_1"};
    c.advanced = {PrinterType::Receipt, "QRT-K500NX", true, false, "USB_QRT-K500NX_2"};
    c.serial = {PrinterType::Receipt, "QRT-K500NX", false, false, "COM3:"};
    c.serial.baud = 19200;
    c.serial.dataBits = 7;
    c.serial.stopBits = "1.5";
    c.serial.parity = 'e';
    c.serial.flow = 'x';
    c.network = {PrinterType::Receipt, "QRT-K500NX", false, false, "NET:"};
    c.network.address = ui::Address{192, 168, 1, 251};
    c.parallel = {PrinterType::Embedded, "QRT-E80", false, false, "LPT2:"};
    return c;
}

// One simulated machine with the sample package.
class Scenario {
public:
    explicit Scenario(WindowsVariant os = WindowsVariant::Win7, int bits = 64,
                      const fs::path& sharedPackage = {})
        : os_(os) {
        config_ = testsupport::simConfig(dir_, os, bits);
        // Installing only reads the package, so many machines may mount one.
        if (sharedPackage.empty())
            writeSamplePackage(config_.packageDir);
        else
            config_.packageDir = sharedPackage.string();
        machine_ = std::make_unique<SimMachine>(config_);
        serveMakerPorts(*machine_);
        provideUsbInstaller(*machine_);
    }

    SimMachine& machine() { return *machine_; }
    const testsupport::TempDir& dir() const { return dir_; }
    fs::path package() const { return config_.packageDir; }

    setup::InstallRequest request(setup::PrinterType type, const std::string& model,
                                  const std::string& port) const {
        setup::InstallRequest r;
        r.type = type;
        r.model = model;
        r.portText = port;
        r.os = osVariantOf(os_);
        r.programFolder = config_.programFolder;
        r.wow64 = machine_->isWow64Process();
        r.flavour = port.find("USB") != std::string::npos || port.find("LPT") != std::string::npos
                        ? setup::DriverFlavour::Raster
                        : setup::DriverFlavour::Standard;
        return r;
    }

    setup::InstallOutcome install(const setup::InstallRequest& r) {
        setup::SynchronousProgress progress(machine_->clock());
        const std::size_t shown = machine_->simDesktop().messageBoxes().size();
        setup::InstallOutcome outcome = setup::runInstall(*machine_, r, progress);
        lastMessages_.clear();
        const auto& boxes = machine_->simDesktop().messageBoxes();
        lastQuestions_.clear();
        for (std::size_t i = shown; i < boxes.size(); ++i) {
            lastMessages_.push_back(boxes[i].text);
            if ((boxes[i].type & 0xF) == platform::mb::yesNo)
                lastQuestions_.push_back(boxes[i].text);
        }
        bar_ = progress.positions();
        return outcome;
    }

    // The message boxes of the last install, in order.
    const std::vector<std::string>& messages() const { return lastMessages_; }
    // Those of them that asked Yes or No.
    const std::vector<std::string>& questions() const { return lastQuestions_; }
    const std::vector<int>& bar() const { return bar_; }

    // A text of the sample package's language file, line breaks expanded.
    std::string text(const std::string& key) const {
        std::istringstream lines(readHostFile(package() / "language" / "setup.ini"));
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.rfind(key + "=", 0) == 0) {
                std::string value = line.substr(key.size() + 1);
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                    value = value.substr(1, value.size() - 2);
                return common::expandLineBreaks(value);
            }
        }
        return key;
    }

    std::vector<std::string> state() { return machineState(*machine_); }

private:
    testsupport::TempDir dir_;
    WindowsVariant os_;
    platform::sim::SimConfig config_;
    std::unique_ptr<SimMachine> machine_;
    std::vector<std::string> lastMessages_;
    std::vector<std::string> lastQuestions_;
    std::vector<int> bar_;
};

// A parameterised suite whose machines all mount one sample package:
// installing and removing only read it.
template <typename Param> class SharedPackageSuite : public ::testing::TestWithParam<Param> {
protected:
    static void SetUpTestSuite() {
        folder_ = new testsupport::TempDir;
        writeSamplePackage(folder_->path() / "package");
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    static fs::path sharedPackage() { return folder_->path() / "package"; }

private:
    static inline testsupport::TempDir* folder_ = nullptr;
};

} // namespace installtest

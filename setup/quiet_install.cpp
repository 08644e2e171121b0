#include "setup/quiet_install.h"

#include "common/logged_machine.h"
#include "platform/machine.h"
#include "setup/engine/install_session.h"

#include <algorithm>
#include <cctype>

namespace setup {
namespace {

using common::QuietExit;
using common::ResponseValue;

const char* const installKeys[] = {"Type",    "Model",   "Port",          "Raster",   "Advanced",
                                   "Default", "Baud",    "DataBits",      "StopBits", "Parity",
                                   "Flow",    "Address", "ChangeIdentity"};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A decimal number of at most `digits` digits.
std::optional<int> decimal(const std::string& text, std::size_t digits) {
    if (text.empty() || text.size() > digits ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value;
}

std::optional<ui::Address> dottedQuad(const std::string& text) {
    ui::Address address{};
    std::size_t start = 0;
    for (std::size_t part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.', start);
        if ((part < 3) == (dot == std::string::npos))
            return std::nullopt;
        const std::optional<int> byte = decimal(text.substr(start, dot - start), 3);
        if (!byte || *byte > 255)
            return std::nullopt;
        address[part] = static_cast<std::uint8_t>(*byte);
        start = dot + 1;
    }
    return address;
}

// One value into the choice; the reason when it cannot be used.
std::string take(const ResponseValue& v, InstallResponse& r) {
    WizardChoice& c = r.choice;
    const std::string value = lower(v.value);
    if (v.key == "Type") {
        static const std::pair<const char*, PrinterType> types[] = {
            {"receipt", PrinterType::Receipt},
            {"ticket", PrinterType::Ticket},
            {"label", PrinterType::Label},
            {"embedded", PrinterType::Embedded}};
        for (const auto& [name, type] : types) {
            if (value == name)
                c.type = type;
        }
        return c.type != PrinterType::None ? "" : "the type is receipt, ticket, label or embedded";
    }
    if (v.key == "Model" || v.key == "Port") {
        if (v.value.empty() || v.value.size() > 199)
            return "give the text the wizard's list shows (1 to 199 characters)";
        (v.key == "Model" ? c.model : c.port) = v.value;
        return "";
    }
    if (v.key == "Raster" || v.key == "Advanced" || v.key == "Default" ||
        v.key == "ChangeIdentity") {
        const std::optional<bool> flag = common::responseFlag(v.value);
        if (!flag)
            return "the value is yes or no (1 or 0)";
        if (v.key == "Raster")
            c.raster = *flag;
        else if (v.key == "Advanced")
            c.advanced = *flag;
        else if (v.key == "Default")
            c.setAsDefault = *flag;
        else
            r.changeIdentity = *flag;
        return "";
    }
    if (v.key == "Baud") {
        c.baud = decimal(v.value, 7);
        return c.baud && *c.baud > 0 ? "" : "the baud rate is a number such as 9600";
    }
    if (v.key == "DataBits") {
        c.dataBits = decimal(v.value, 1);
        return c.dataBits && *c.dataBits >= 5 && *c.dataBits <= 8 ? "" : "the data bits are 5 to 8";
    }
    if (v.key == "StopBits") {
        if (value != "1" && value != "1.5" && value != "2")
            return "the stop bits are 1, 1.5 or 2";
        c.stopBits = value;
        return "";
    }
    if (v.key == "Parity") {
        if (value != "none" && value != "even" && value != "odd" && value != "mark" &&
            value != "space")
            return "the parity is None, Even, Odd, Mark or Space";
        c.parity = value[0];
        return "";
    }
    if (v.key == "Flow") {
        if (value != "xon/xoff" && value != "hardware" && value != "none")
            return "the flow control is Xon/Xoff, Hardware or None";
        c.flow = value == "xon/xoff" ? 'x' : value == "hardware" ? 'p' : ' ';
        return "";
    }
    // Address
    c.address = dottedQuad(v.value);
    return c.address ? "" : "the address is four numbers up to 255 with dots, as 192.168.1.20";
}

QuietExit finish(common::RunLog& log, QuietExit code, const std::string& text) {
    log.result(common::exitCodeOf(code), text);
    return code;
}

// The exit code of a wizard run that did not reach Install, and why.
QuietExit notInstalled(const WizardRun& run, const InstallResponse& r, common::RunLog& log) {
    if (run.startup == StartupOutcome::BroughtForward)
        return finish(log, QuietExit::Failed, "not installed: another copy of the setup runs");
    switch (run.startupRefusal) {
    case StartupRefusal::WindowsVersion:
        return finish(log, QuietExit::NotSupported,
                      "not installed: the setup refuses this Windows");
    case StartupRefusal::Bitness:
        return finish(log, QuietExit::NotSupported,
                      "not installed: the package is not for this Windows' bitness");
    case StartupRefusal::UninstallerOpen:
    case StartupRefusal::NoPort:
        return finish(log, QuietExit::Failed, "not installed: the setup refused to start");
    case StartupRefusal::None:
        break;
    }
    if (run.windowsRefused)
        return finish(log, QuietExit::NotSupported,
                      "not installed: " + r.choice.model + " is not supported on this Windows");
    if (!run.refusedChoice.empty()) {
        const ResponseValue* v = r.file.find(run.refusedChoice);
        return finish(log, QuietExit::BadInput,
                      "not installed: " + (v != nullptr ? common::responseError(*v, run.stopped)
                                                        : run.refusedChoice + ": " + run.stopped));
    }
    return finish(log, QuietExit::Failed, "not installed: " + run.stopped);
}

} // namespace

InstallResponse readInstallResponse(const std::vector<std::uint8_t>& bytes) {
    InstallResponse r;
    r.file = common::readResponseFile(
        bytes, "Install", std::vector<std::string>(std::begin(installKeys), std::end(installKeys)));
    if (!r.file.ok()) {
        r.error = r.file.error;
        return r;
    }
    for (const ResponseValue& v : r.file.values) {
        const std::string why = take(v, r);
        if (!why.empty()) {
            r.error = common::responseError(v, why);
            return r;
        }
    }
    for (const char* key : {"Type", "Model", "Port"}) {
        if (r.file.find(key) == nullptr) {
            r.error = std::string("[Install] has no ") + key + "; Type, Model and Port are needed";
            return r;
        }
    }
    return r;
}

common::QuietExit runQuietInstall(platform::Machine& machine, const std::string& responseName,
                                  const std::vector<std::uint8_t>& response, common::RunLog& log) {
    log.step("Reading the response file " + responseName);
    const InstallResponse r = readInstallResponse(response);
    if (!r.error.empty())
        return finish(log, QuietExit::BadInput, "the response file cannot be used: " + r.error);

    common::LoggedMachine logged(machine, log, true);
    std::string folder;
    machine.system().GetCurrentDirectoryA(folder);
    // The questions' texts exactly as the installation asks them.
    const InstallSession texts(machine, common::osWin7, false, 0, languageFileFor(machine, folder));
    const ResponseValue* identity = r.file.find("ChangeIdentity");
    logged.loggedDesktop().setAnswers(
        {common::QuietAnswer{texts.text("IDS_INF_CHANGEID"), r.changeIdentity.value_or(false),
                             identity != nullptr
                                 ? "ChangeIdentity=" + identity->value + " on line " +
                                       std::to_string(identity->line)
                                 : "ChangeIdentity is not given: the printer keeps its name",
                             false},
         common::QuietAnswer{texts.text("IDS_INF_RESTART"), false,
                             "a quiet run never restarts Windows", true}});
    InPlaceWorker runner;
    const WizardRun run = runWizardScript(logged, r.choice, runner, &log);
    if (!run.outcome)
        return notInstalled(run, r, log);
    const InstallOutcome& outcome = *run.outcome;
    switch (outcome.result) {
    case InstallResult::Succeeded:
        if (logged.loggedDesktop().restartNeeded())
            return finish(log, QuietExit::RestartNeeded,
                          "installed printer \"" + outcome.printerName +
                              "\"; Windows must be restarted");
        return finish(log, QuietExit::Done, "installed printer \"" + outcome.printerName + "\"");
    case InstallResult::Failed:
        return finish(log, QuietExit::Failed, "the installation failed: " + outcome.message);
    case InstallResult::Stopped:
        break;
    }
    if (outcome.message.empty() && logged.loggedDesktop().lastAnswerWasNo())
        return finish(log, QuietExit::Declined, "not installed: stopped by a question's answer");
    return finish(log, QuietExit::Failed, "not installed: " + outcome.message);
}

} // namespace setup

#include "setup/engine/install_action.h"

#include "common/language_text.h"
#include "common/os_variant.h"
#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "setup/engine/installation_worker.h"
#include "setup/engine/maker_keys.h"
#include "setup/engine/model_support.h"
#include "setup/engine/port_naming.h"
#include "setup/engine/tcpip_port.h"
#include "setup/engine/usb_driver_setup.h"
#include "setup/engine/usb_driver_version.h"
#include "setup/engine/usb_identity.h"

namespace setup {
namespace {

constexpr std::size_t maxPortText = 99;
constexpr std::uint32_t exitReboot = 0x2; // EWX_REBOOT

// The Install action's checks and preparations up to the worker. Each step
// either leaves the job one step more complete or stops with its message.
class InstallAction {
public:
    InstallAction(platform::Machine& machine, const InstallRequest& request)
        : machine_(machine), request_(request),
          languageFile_(languageFileFor(machine, request.programFolder)),
          session_(machine, request.os, request.wow64, request.ownerWindow, languageFile_),
          messages_(machine.profiles(), languageFile_, "Message") {
        session_.log = request.log;
    }

    InstallOutcome run(WorkerRunner& runner) {
        auto step = [this](const std::string& what) { return session_.step(what); };
        // The USB steps are named only where they do something.
        auto usbStep = [&](const std::string& what) {
            return job_.kind != PortKind::Usb || step(what);
        };
        if (!(step("Checking the choice: " + request_.model + " on " + request_.portText) &&
              checkChoice() && checkSupport() && choosePortKind()) ||
            !(usbStep("Checking the USB device driver") && prepareUsbDriver()) ||
            !(step("Reading the package's configuration for " + request_.model) && resolvePlan()) ||
            !(step("Preparing the port " + request_.portText) && preparePort()) ||
            !(usbStep("Checking the USB printer's name") && prepareUsbIdentity()))
            return outcome_;
        return runWorker(runner);
    }

private:
    bool stop(const std::string& message) {
        if (!message.empty())
            session_.show(message);
        outcome_.result = InstallResult::Stopped;
        outcome_.message = message;
        return false;
    }
    bool stopWith(const char* key) { return stop(session_.text(key)); }
    // Stops after a message something else has shown already.
    bool stopShown(const std::string& message) {
        outcome_.result = InstallResult::Stopped;
        outcome_.message = message;
        return false;
    }

    bool checkChoice() {
        if (request_.model.empty() || request_.typeFilePath().empty())
            return stopWith("IDS_ERR_SELPRINTER");
        if (request_.os < common::osWin9x || request_.os > common::osWin7)
            return stop("Windows variant " + std::to_string(request_.os) +
                        " is not one this setup installs for.");
        if (request_.portText.size() > maxPortText)
            return stop("The port name \"" + request_.portText + "\" is longer than " +
                        std::to_string(maxPortText) + " characters.");
        return true;
    }

    bool checkSupport() {
        const ModelSupport support =
            readModelSupport(machine_.profiles(), request_.typeFilePath(), request_.model);
        switch (request_.os) {
        case common::os2003:
            return support.system2003 != 0 || stopWith("IDS_NOTSUPPORT2003");
        case common::osNt4:
            return support.systemNt != 0 || stopWith("IDS_NOTSUPPORTNT");
        case common::os2008:
            return support.system2008 != 0 || stopWith("IDS_NOTSUPPORT2008");
        case common::osWin7:
            return support.systemWin7 != 0 || stopWith("IDS_NOTSUPPORTWin7");
        default:
            return true;
        }
    }

    bool choosePortKind() {
        const std::optional<PortKind> kind = portKindOf(request_.portText);
        if (!kind)
            return stopWith("IDS_ERR_NOSUPPORTINTERFACE");
        job_.kind = *kind;
        // Checked before anything is written: NT 4 cannot use the result.
        if (job_.kind == PortKind::Usb && request_.os == common::osNt4)
            return stopWith("IDS_ERR_NOSUPPORTUSB");
        return true;
    }

    bool prepareUsbDriver() {
        if (job_.kind != PortKind::Usb)
            return true;
        const common::OsVariant detected = common::detectOsVariant(machine_, messages_);
        if (detected == common::osWin9x || detected == common::osNt4)
            return true;
        if (compareUsbDriverVersions(machine_, request_.programFolder, request_.wow64,
                                     request_.ownerWindow) == 0)
            return true;
        const common::LanguageText setupTexts(machine_.profiles(), languageFile_, "Setup");
        if (!runUsbDriverSetup(session_, request_.programFolder, setupTexts.get("CaptionName")))
            return stop(session_.error);
        return true;
    }

    bool resolvePlan() {
        SetupConfig& config = this->config();
        const ConfigResult result =
            config.resolvePlan(request_.model, request_.os, request_.flavour, job_.kind, job_.plan);
        if (!result.ok())
            return stop("The package cannot be installed: " + result.error + ".");
        // A missing section or type file reads as "0" everywhere; saying so
        // here is clearer than the spooler's refusal of a driver named "0".
        if (isNoFile(job_.plan.driver.name))
            return stop("The package names no printer driver for " + request_.model +
                        " in section [" + request_.model + common::osSuffix(request_.os) + "] of " +
                        request_.typeFilePath() + ".");
        job_.model = request_.model;
        job_.portText = request_.portText;
        job_.setAsDefault = request_.setAsDefault;
        job_.serial = SerialSettings{request_.baud, request_.dataBits, request_.stopBits,
                                     request_.parity, request_.flow};
        // The language monitor belongs to USB printers on 32-bit Windows only.
        if (job_.kind != PortKind::Usb || request_.wow64) {
            job_.plan.languageMonitor = MonitorConfig{};
            job_.plan.driver.monitorName.clear();
        }
        job_.plan.printer.portName = request_.portText;
        return true;
    }

    bool preparePort() {
        const std::string address = dottedAddress(request_.ipAddress);
        const std::string portName = portNameFor(job_.kind, request_.portText, address);
        if (job_.kind == PortKind::Network) {
            if (request_.ipAddress == std::array<std::uint8_t, 4>{})
                return stopWith("IDS_ERR_IPADDRISNULL");
            if (!addTcpIpPort(machine_, portName, address, request_.ownerWindow))
                return stopWith("IDS_ERR_ADDPORTERROR");
        }
        job_.plan.printer.portName = portName;
        job_.plan.printer.printerName =
            printerNameFor(request_.model, job_.kind, request_.portText);
        return true;
    }

    bool prepareUsbIdentity() {
        if (job_.kind != PortKind::Usb)
            return true;
        const int identity = readUsbPrinterId(machine_, messages_, request_.ownerWindow);
        if (identity == severalUsbPrinters)
            return stopShown(session_.text("IDS_ERR_ONEPRINTER"));
        if (request_.typical) {
            if (identity != noUsbPrinter && usbPrinterNumber(identity) != 1 && !changeIdentity(1))
                return false;
        } else {
            if (identity == noUsbPrinter)
                return stopWith("IDS_ERR_NOUSBDEVICE");
            const int wanted = usbPortNumber(request_.portText);
            if (usbPrinterNumber(identity) != wanted && !changeIdentity(wanted))
                return false;
        }
        if (!recordUsbPort(session_, config(), job_.plan.printer.portName))
            return stop(session_.error);
        return true;
    }

    // Asks before giving the printer the port's number; No lets the user pick
    // another port.
    bool changeIdentity(int number) {
        if (!session_.ask(session_.text("IDS_INF_CHANGEID")))
            return stopShown("");
        switch (setUsbPrinterId(machine_, number, request_.ownerWindow)) {
        case SetIdResult::Sent:
            return true;
        case SetIdResult::Failed:
            // The library's message has been shown; advanced mode adds what failed.
            if (request_.typical)
                return stopShown("");
            break;
        case SetIdResult::Refused:
            break;
        }
        return stop("Failed to set Printer ID!");
    }

    InstallOutcome runWorker(WorkerRunner& runner) {
        const bool succeeded = runner.run(request_.os, [this] {
            return runInstallationWorker(session_, job_);
        }) == WorkerStatus::Succeeded;
        if (!succeeded && session_.error.empty())
            session_.error = "The installation ended without a result.";
        outcome_.result = succeeded ? InstallResult::Succeeded : InstallResult::Failed;
        outcome_.message =
            session_.error.empty() ? session_.text("IDS_INF_NTRESTART") : session_.error;
        if (succeeded)
            outcome_.printerName = job_.plan.printer.printerName;
        session_.show(outcome_.message);
        if (request_.os == common::osWin9x && session_.ask(session_.text("IDS_INF_RESTART"))) {
            outcome_.restartRequested = true;
            if (!machine_.desktop().ExitWindowsEx(exitReboot))
                session_.show(session_.text("IDS_ERR_EXITWIN"));
        }
        return outcome_;
    }

    SetupConfig& config() {
        if (!config_) {
            config_.emplace(machine_.profiles(), request_.programFolder, request_.wow64);
            config_->selectType(request_.type);
        }
        return *config_;
    }

    platform::Machine& machine_;
    const InstallRequest& request_;
    const std::string languageFile_;
    InstallSession session_;
    common::LanguageText messages_;
    std::optional<SetupConfig> config_;
    InstallJob job_;
    InstallOutcome outcome_;
};

} // namespace

InstallOutcome runInstall(platform::Machine& machine, const InstallRequest& request,
                          WorkerRunner& runner) {
    return InstallAction(machine, request).run(runner);
}

} // namespace setup

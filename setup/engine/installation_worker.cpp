#include "setup/engine/installation_worker.h"

#include "platform/machine.h"
#include "setup/engine/component_registration.h"
#include "setup/engine/component_version.h"
#include "setup/engine/install_session.h"
#include "setup/engine/maker_keys.h"
#include "setup/engine/spooler_registration.h"
#include "common/spooler_service.h"
#include "setup/engine/staged_copy.h"

namespace setup {
namespace {

// A staging result the worker accepts: copied, or a "none" name skipped.
// Files in use are not overwritten behind the spooler's back: that is a failure
// the user can act on, not a success with the old file left in place.
bool stageFile(InstallSession& session, const std::string& name, int kind) {
    const int result = stagedCopyOf(session, name, kind);
    if (result == staged::inUse || result == staged::accessDenied) {
        session.error = session.text("IDS_ERR_COPYFIEL") + upperCase(name);
        const std::string system = session.systemText(static_cast<std::uint32_t>(result));
        if (!system.empty())
            session.error += "\n" + system + "\n" + session.text("IDS_ERR_COPYFIEL1");
    }
    return session.error.empty();
}

bool registerComponents(InstallSession& session, const InstallJob& job) {
    const InstallPlan& plan = job.plan;
    const int monitors = installPortMonitor(session, job.kind, plan.monitors);
    if (monitors == component::monitorFailed)
        return false;
    const int processor = installPrintProcessor(session, plan.printer.printProcessor,
                                                plan.files.processorDll, plan.processorVersion);
    if (processor == component::processorFailed)
        return false;
    const int outdated = monitors | processor;
    return outdated == 0 || updateOutdatedComponents(session, outdated, plan);
}

bool stageDriverFiles(InstallSession& session, const DriverFileSet& files) {
    for (const std::string* name :
         {&files.configFile, &files.dataFile, &files.driverPath, &files.helpFile}) {
        if (!stageFile(session, *name, destination::driverFolder))
            return false;
    }
    for (const std::string* name :
         {&files.dataFileDll, &files.dataOemuiDll, &files.dataOemuniDll, &files.dataOemuniIni}) {
        if (!isNoFile(*name) && !stageFile(session, *name, destination::driverFolder))
            return false;
    }
    if (!isNoFile(files.controlFontFile) &&
        !stageFile(session, files.controlFontFile, destination::driverVersion3))
        return false;
    if (!session.wow64 && !isNoFile(files.usbInternalId) &&
        !stageFile(session, files.usbInternalId, destination::driverVersion3))
        return false;
    return true;
}

// XP's system-restore and device-installation helpers the driver set relies on.
bool stageXpHelpers(InstallSession& session) {
    if (session.os != common::osXp || session.wow64)
        return true;
    return stageFile(session, "srclient.dll", destination::systemIfMissing) &&
           stageFile(session, "framedyn.dll", destination::wbemFolder) &&
           stageFile(session, "newdev.dll", destination::systemIfMissing);
}

// The universal driver's files: a failure here does not stop the run, since
// the spooler may still find them, but it is kept to explain a later failure.
void stageUniDrv(InstallSession& session, bool usesSystemUniDrv) {
    stageUniDrvSupport(session, usesSystemUniDrv);
    if (!session.error.empty() && session.note.empty())
        session.note = session.error;
    session.error.clear();
}

bool updateLanguageMonitor(InstallSession& session, const MonitorConfig& monitor) {
    const int state = installLanguageMonitor(session, PortKind::Usb, monitor);
    if (state == component::monitorFailed)
        return false;
    if (state != component::languageMonitorOutdated)
        return true;
    const std::optional<std::string> used = stageMonitorDll(session, monitor.info.dllName);
    return used &&
           recordComponent(session, monitorKeyPath(monitor.info.name), *used, monitor.version);
}

} // namespace

WorkerStatus runInstallationWorker(InstallSession& session, InstallJob& job) {
    InstallPlan& plan = job.plan;
    const bool usb = job.kind == PortKind::Usb;
    if (!(session.step("Starting the Spooler") &&
          common::ensureSpoolerRunning(session.machine, session.os, session.error)) ||
        !(session.step("Registering the port monitors and the print processor") &&
          registerComponents(session, job)))
        return WorkerStatus::Failed;
    if (usb && !(session.step("Asking the spooler for its ports") && checkPortEnumeration(session)))
        return WorkerStatus::Failed;

    const DriverFileSet& files = plan.files;
    session.step("Copying the driver files");
    if (files.driverPath.empty() || files.dataFile.empty() || files.configFile.empty() ||
        files.helpFile.empty()) {
        session.error = session.text("IDS_ERR_LOSTDRIVERFILE");
        return WorkerStatus::Failed;
    }
    if (!stageDriverFiles(session, files) || !stageXpHelpers(session))
        return WorkerStatus::Failed;
    stageUniDrv(session, plan.usesSystemUniDrv);

    if (session.os == common::osWin9x &&
        (job.model.find("QRT-M150") != std::string::npos ||
         job.model.find("QRT-K250") != std::string::npos) &&
        !stageFile(session, "DMCOLOR.DLL", destination::driverFolder))
        return WorkerStatus::Failed;
    // A driver built on the universal driver cannot work without its data DLL.
    if (plan.usesSystemUniDrv && isNoFile(files.dataFileDll)) {
        session.error = session.text("IDS_ERR_LOSTDRIVERFILE");
        return WorkerStatus::Failed;
    }
    if (usb && !session.wow64 && !isNoFile(plan.languageMonitor.info.dllName) &&
        !(session.step("Updating the language monitor") &&
          updateLanguageMonitor(session, plan.languageMonitor)))
        return WorkerStatus::Failed;

    session.step("Adding the printer driver " + plan.driver.name);
    if (!addDriver(session, plan.driver)) {
        if (!session.note.empty())
            session.error += "\n" + session.note;
        return WorkerStatus::Failed;
    }
    if (usb && !(session.step("Recording the printer's USB port") &&
                 recordPrinterPort(session, job.portText)))
        return WorkerStatus::Failed;
    session.step("Creating the printer " + plan.printer.printerName + " on " +
                 plan.printer.portName);
    if (!createPrinter(session, plan.printer, !usb))
        return WorkerStatus::Failed;

    if (!plan.printer.printerName.empty()) {
        if (job.setAsDefault)
            makeDefaultPrinter(session.machine, session.os, plan.printer.printerName);
        if (job.kind == PortKind::Serial &&
            !(session.step("Writing the serial port's settings") &&
              writeSerialSettings(session, plan.printer.portName, job.serial)))
            return WorkerStatus::Failed;
    }
    if (session.os != common::osWin9x)
        session.error = session.text(usb ? "IDS_INF_USBRESTART" : "IDS_INF_NTRESTART");
    return WorkerStatus::Succeeded;
}

} // namespace setup

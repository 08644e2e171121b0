// Replacing an outdated monitor or print processor: its files may be loaded
// by the spooler, so on NT-family Windows the Spooler is stopped around the
// copy, and a file still in use is copied as "n" + name with the component's
// "Driver" value pointed at it.
#include "platform/machine.h"
#include "setup/engine/component_registration.h"
#include "setup/engine/component_version.h"
#include "setup/engine/install_session.h"
#include "common/spooler_service.h"
#include "setup/engine/staged_copy.h"

namespace setup {
namespace {

enum class Branch { None, SerialMonitor, UsbMonitor, Processor };

Branch firstBranch(int outdated) {
    if (outdated & component::serialMonitorOutdated)
        return Branch::SerialMonitor;
    if (outdated & component::usbMonitorOutdated)
        return Branch::UsbMonitor;
    if (outdated & component::processorOutdated)
        return Branch::Processor;
    return Branch::None;
}

// NT family: the monitor's DLL over the old one, or beside it as "n" + name.
bool replaceMonitor(InstallSession& session, const MonitorConfig& monitor, bool writeDriver) {
    std::string name = monitor.info.dllName;
    const int first = stagedCopy(session, name, destination::systemFolder);
    const std::string keyPath = monitorKeyPath(monitor.info.name);
    if (first == staged::inUse || first == staged::accessDenied) {
        if (stagedCopy(session, name, destination::systemFolder, true) != staged::copied) {
            if (session.error.empty())
                session.fail("IDS_ERR_NEEDRESTART", platform::err::sharingViolation);
            return false;
        }
        if (!recordComponent(session, keyPath, "n" + name, monitor.version))
            return false;
    } else {
        if (!session.error.empty())
            return false;
        if (!recordComponent(session, keyPath, writeDriver ? name : "", monitor.version))
            return false;
    }
    if (!monitor.uiDll.empty())
        stagedCopyOf(session, monitor.uiDll, destination::systemFolder);
    return session.error.empty();
}

bool replaceProcessor(InstallSession& session, const InstallPlan& plan,
                      const std::string& processorFolder) {
    const std::string& dll = plan.files.processorDll;
    const std::string keyPath =
        processorKeyPath(session.os, session.wow64, plan.printer.printProcessor);
    if (isNoFile(dll))
        return recordComponent(session, keyPath, "", plan.processorVersion);
    const std::optional<std::string> current = session.currentFolder();
    if (!current)
        return false;
    if (!isBareFileName(dll)) {
        session.error = "The package names the print processor file \"" + dll +
                        "\", which is not a plain file name. Installation stopped.";
        return false;
    }
    const std::string source = *current + (session.wow64 ? "\\W64\\" : "\\W32\\") + dll;
    const std::string target = processorFolder + "\\" + dll;
    if (!session.pathFits(source) || !session.pathFits(target))
        return false;
    if (!session.machine.files().CopyFileA(source, target, false)) {
        const std::uint32_t code = session.machine.GetLastError();
        session.error = session.text("IDS_ERR_COPYFIEL") + source;
        const std::string system = session.systemText(code);
        if (!system.empty())
            session.error += "\n" + system;
        return false;
    }
    return recordComponent(session, keyPath, "", plan.processorVersion);
}

bool updateOnNt(InstallSession& session, Branch branch, const InstallPlan& plan) {
    std::optional<std::string> processorFolder;
    if (branch == Branch::Processor) {
        processorFolder = session.processorFolder();
        if (!processorFolder)
            return false;
    }
    common::stopSpooler(session.machine);
    session.machine.clock().Sleep(500);
    bool replaced = false;
    switch (branch) {
    case Branch::SerialMonitor:
        replaced = replaceMonitor(session, plan.monitors.serial, false);
        break;
    case Branch::UsbMonitor:
        replaced = replaceMonitor(session, plan.monitors.usb, true);
        break;
    case Branch::Processor:
        replaced = replaceProcessor(session, plan, *processorFolder);
        break;
    case Branch::None:
        break;
    }
    if (!replaced) {
        // A failed replacement must not leave the machine without its Spooler.
        const std::string failure = session.error;
        common::startSpooler(session.machine, session.error);
        session.error = failure;
        return false;
    }

    // A refused start is not final: the state is asked and the start tried again.
    common::startSpooler(session.machine, session.error);
    if (session.os <= common::os2000)
        session.machine.clock().Sleep(1000);
    else if (session.os <= common::os2003)
        session.machine.clock().Sleep(2500);

    const std::uint32_t state = common::waitForSpooler(session.machine, session.error);
    if (state == platform::servicestate::running) {
        session.error.clear();
        return true;
    }
    if (state != platform::servicestate::stopped && state != platform::servicestate::startPending &&
        state != platform::servicestate::stopPending)
        return false;
    session.error.clear();
    // Going on without a Spooler would only fail later with a vaguer message.
    if (!common::startSpooler(session.machine, session.error))
        return false;
    session.machine.clock().Sleep(2500);
    return true;
}

// Windows 9x has no service to stop: the new file goes beside a held one.
bool updateOn9x(InstallSession& session, Branch branch, const InstallPlan& plan) {
    std::string keyPath, name;
    int kind = 0, version = 0;
    if (branch == Branch::UsbMonitor) {
        keyPath = monitorKeyPath(plan.monitors.usb.info.name);
        name = plan.monitors.usb.info.dllName;
        kind = destination::systemFolder;
        version = plan.monitors.usb.version;
    } else if (branch == Branch::Processor) {
        keyPath = processorKeyPath(session.os, session.wow64, plan.printer.printProcessor);
        name = plan.files.processorDll;
        kind = destination::processorFolder;
        version = plan.processorVersion;
    } else {
        return true;
    }
    int copied = stagedCopy(session, name, kind);
    std::string used = name;
    if (copied == staged::inUse || copied == staged::accessDenied) {
        copied = stagedCopy(session, name, kind, true);
        used = "n" + name;
        if (copied == staged::inUse || copied == staged::accessDenied) {
            session.fail("IDS_ERR_NEEDRESTART", static_cast<std::uint32_t>(copied));
            return false;
        }
    }
    if (!session.error.empty())
        return false;
    return recordComponent(session, keyPath, used, version, true);
}

} // namespace

bool updateOutdatedComponents(InstallSession& session, int outdated, const InstallPlan& plan) {
    const Branch branch = firstBranch(outdated);
    if (branch == Branch::None)
        return true;
    return session.os == common::osWin9x ? updateOn9x(session, branch, plan)
                                         : updateOnNt(session, branch, plan);
}

} // namespace setup

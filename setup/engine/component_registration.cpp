#include "setup/engine/component_registration.h"

#include "platform/machine.h"
#include "setup/engine/component_version.h"
#include "setup/engine/install_session.h"
#include "setup/engine/staged_copy.h"

namespace setup {
namespace {

bool addMonitor(InstallSession& session, const MonitorConfig& monitor, const std::string& dll) {
    platform::MonitorInfo2 info = monitor.info;
    info.dllName = dll;
    if (session.machine.spooler().AddMonitorA(info))
        return true;
    const std::uint32_t code = session.machine.GetLastError();
    if (code == platform::err::printMonitorAlreadyInstalled || code == platform::err::alreadyExists)
        return true;
    session.fail("IDS_ERR_ADDMONITOR", code);
    return false;
}

// Copies the DLL (and the UI DLL) and registers the monitor with the spooler.
int installMonitor(InstallSession& session, const MonitorConfig& monitor, bool withUiDll) {
    const std::optional<std::string> dll = stageMonitorDll(session, monitor.info.dllName);
    if (!dll)
        return component::monitorFailed;
    if (withUiDll && !monitor.uiDll.empty()) {
        stagedCopyOf(session, monitor.uiDll, destination::systemFolder);
        if (!session.error.empty())
            return component::monitorFailed;
    }
    if (!addMonitor(session, monitor, *dll))
        return component::monitorFailed;
    // Only into the key the spooler keeps for the monitor. When it said
    // "already installed" without having that key, a key made here would hold a
    // version and no DLL, and every later run would judge a monitor current
    // that the spooler does not load; without one, the next run installs it.
    if (!recordComponent(session, monitorKeyPath(monitor.info.name), "", monitor.version))
        return component::monitorFailed;
    return component::upToDate;
}

int checkMonitor(InstallSession& session, const MonitorConfig& monitor, bool withUiDll,
                 int outdatedFlag) {
    switch (monitorState(session, monitor.info.name, monitor.version)) {
    case ComponentState::Missing:
        return installMonitor(session, monitor, withUiDll);
    case ComponentState::Outdated:
        return outdatedFlag;
    case ComponentState::Current:
        break;
    }
    return component::upToDate;
}

} // namespace

std::optional<std::string> stageMonitorDll(InstallSession& session, const std::string& dll) {
    std::string name = dll;
    const int first = stagedCopy(session, name, destination::systemFolder);
    if (first == staged::copied)
        return name;
    if (first == staged::failed)
        return session.error.empty() ? std::optional<std::string>(name) : std::nullopt;
    const int second = stagedCopy(session, name, destination::systemFolder, true);
    if (second == staged::copied)
        return "n" + name;
    if (second != staged::failed) {
        // Both names are held: only a restart frees them.
        session.fail("IDS_ERR_NEEDRESTART", static_cast<std::uint32_t>(second));
    }
    return std::nullopt;
}

int installPortMonitor(InstallSession& session, PortKind kind, const PortMonitors& monitors) {
    if (kind == PortKind::Serial && !session.wow64 && session.os != common::osWin9x &&
        !monitors.serial.info.dllName.empty())
        return checkMonitor(session, monitors.serial, true, component::serialMonitorOutdated);
    if (kind == PortKind::Usb && session.os != common::osNt4 && !monitors.usb.info.dllName.empty())
        return checkMonitor(session, monitors.usb, true, component::usbMonitorOutdated);
    return component::upToDate;
}

int installLanguageMonitor(InstallSession& session, PortKind kind, const MonitorConfig& monitor) {
    if (kind != PortKind::Usb || monitor.info.dllName.empty() || session.os == common::osNt4)
        return component::upToDate;
    return checkMonitor(session, monitor, false, component::languageMonitorOutdated);
}

int installPrintProcessor(InstallSession& session, const std::string& name, const std::string& dll,
                          int version) {
    if (name == "WinPrint")
        return component::upToDate;
    const std::string keyPath = processorKeyPath(session.os, session.wow64, name);
    switch (componentState(session, keyPath, version)) {
    case ComponentState::Outdated:
        return component::processorOutdated;
    case ComponentState::Current:
        return component::upToDate;
    case ComponentState::Missing:
        break;
    }
    if (!dll.empty()) {
        const int copied = stagedCopyOf(session, dll, destination::processorFolder);
        if (copied == staged::inUse || copied == staged::accessDenied)
            session.fail("IDS_ERR_NEEDRESTART", static_cast<std::uint32_t>(copied));
        if (!session.error.empty())
            return component::processorFailed;
    }
    if (!session.machine.spooler().AddPrintProcessorA(
            common::osEnvironment(session.os, session.wow64), dll, name)) {
        session.fail("IDS_ERR_ADDPROCESSOR", session.machine.GetLastError());
        return component::processorFailed;
    }
    if (!recordComponent(session, keyPath, "", version))
        return component::processorFailed;
    session.machine.clock().Sleep(200);
    return component::upToDate;
}

} // namespace setup

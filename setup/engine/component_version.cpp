#include "setup/engine/component_version.h"

#include "common/registry_key.h"
#include "platform/machine.h"
#include "setup/engine/install_session.h"

namespace setup {

std::string monitorKeyPath(const std::string& monitor) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + monitor;
}

std::string processorKeyPath(common::OsVariant os, bool wow64, const std::string& processor) {
    const char* environment = os == common::osWin9x ? "Windows 4.0"
                              : wow64               ? "Windows x64"
                                                    : "Windows NT x86";
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") + environment +
           "\\Print Processors\\" + processor;
}

ComponentState componentState(InstallSession& session, const std::string& keyPath,
                              int packageVersion) {
    common::RegistryKey key(session.machine.registry(), session.wow64);
    if (!key.open(keyPath))
        return ComponentState::Missing;
    std::uint32_t installed = 0;
    if (!key.readDword("DriverVersion", installed))
        return ComponentState::Outdated;
    // Versions are small counts; one that reads negative in the file is no version.
    if (packageVersion > 0 && installed < static_cast<std::uint32_t>(packageVersion))
        return ComponentState::Outdated;
    return ComponentState::Current;
}

ComponentState monitorState(InstallSession& session, const std::string& monitor,
                            int packageVersion) {
    const std::string keyPath = monitorKeyPath(monitor);
    common::RegistryKey key(session.machine.registry(), session.wow64);
    if (!key.open(keyPath) || !key.hasValue("Driver"))
        return ComponentState::Missing;
    return componentState(session, keyPath, packageVersion);
}

bool recordComponent(InstallSession& session, const std::string& keyPath, const std::string& dll,
                     int version, bool create) {
    common::RegistryKey key(session.machine.registry(), session.wow64);
    if (!create && !key.open(keyPath))
        return true; // the spooler keeps no key for it: nothing to record
    bool ok = !create || key.create(keyPath);
    if (ok && !dll.empty())
        ok = key.writeString("Driver", dll);
    if (ok)
        ok = key.writeDword("DriverVersion", static_cast<std::uint32_t>(version));
    if (!ok) {
        session.error =
            "The version of a print component could not be recorded under HKLM\\" + keyPath + ".";
        const std::string system = session.systemText(key.lastError());
        if (!system.empty())
            session.error += "\n" + system;
    }
    return ok;
}

} // namespace setup

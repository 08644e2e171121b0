#include "setup/engine/staged_copy.h"

#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "common/redirection_switch.h"
#include "setup/engine/system_unidrv.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace setup {
namespace {

bool existsIn(platform::Machine& machine, const std::string& path) {
    return machine.files().GetFileAttributesA(path) != platform::fileattr::invalid;
}

// The destination folder of a kind, created when the kind says so; empty with
// `skip` set when the kind's skip rule applies, nullopt on failure (message set).
std::optional<std::string> destinationFolder(InstallSession& session, const std::string& name,
                                             int kind, bool& skip) {
    platform::Machine& machine = session.machine;
    std::optional<std::string> folder;
    bool create = false;
    switch (kind) {
    case destination::infFolder:
        folder = session.windowsFolder();
        if (folder)
            *folder += "\\inf";
        break;
    case destination::driverVersion3:
        folder = session.driverFolder();
        if (folder)
            *folder += "\\3";
        create = true;
        break;
    case destination::driverFolder:
        folder = session.driverFolder();
        create = true;
        break;
    case destination::processorFolder:
        folder = session.processorFolder();
        create = true;
        break;
    case destination::systemFolder:
        folder = session.systemFolder();
        break;
    case destination::systemIfMissing:
        folder = session.systemFolder();
        skip = folder && existsIn(machine, *folder + "\\" + name);
        break;
    case destination::wbemFolder:
        folder = session.systemFolder();
        if (!folder)
            break;
        // Vista and later keep these providers in the system folder itself.
        if (session.os >= common::osVista && existsIn(machine, *folder + "\\" + name)) {
            skip = true;
            break;
        }
        *folder += "\\wbem";
        create = true;
        skip = session.os < common::osVista && existsIn(machine, *folder + "\\" + name);
        break;
    default:
        session.error = session.text("IDS_ERR_DIRTYPE");
        return std::nullopt;
    }
    if (folder && create && !skip)
        machine.files().CreateDirectoryA(*folder); // an existing folder is fine
    return folder;
}

int copyResult(InstallSession& session, std::uint32_t code, const std::string& name,
               const std::string& source) {
    if (code == platform::err::sharingViolation)
        return staged::inUse;
    if (code == platform::err::accessDenied)
        return staged::accessDenied;
    session.error = session.text("IDS_ERR_COPYFIEL") + name;
    const std::string system = session.systemText(code);
    if (!system.empty())
        session.error += "\n" + system + "\n" + source + "\n" + session.text("IDS_ERR_COPYFIEL1");
    return staged::failed;
}

int packageCopy(InstallSession& session, const std::string& name, int kind, bool rename) {
    platform::Machine& machine = session.machine;
    if (name[0] == '0')
        return staged::failed; // the "none" value: skipped without a message
    bool skip = false;
    const std::optional<std::string> folder = destinationFolder(session, name, kind, skip);
    if (!folder)
        return staged::failed;
    if (skip)
        return staged::copied;
    const std::optional<std::string> current = session.currentFolder();
    if (!current)
        return staged::failed;
    const std::string source = *current + (session.wow64 ? "\\W64\\" : "\\W32\\") + name;
    const std::string target = *folder + "\\" + (rename ? "n" + name : name);
    if (!session.pathFits(source) || !session.pathFits(target))
        return staged::failed;

    bool ok = false;
    std::uint32_t code = 0;
    {
        // The system folder kind lands in the native folder on 64-bit Windows:
        // the read-only mark is cleared under the same switch, on the file the
        // copy replaces.
        std::optional<common::RedirectionSwitch> native;
        if (kind == destination::systemFolder) {
            native.emplace(machine, session.wow64, session.owner,
                           common::RedirectionSwitch::Mode::Quiet);
            if (!native->ready())
                return staged::failed;
        }
        machine.files().SetFileAttributesA(target, platform::fileattr::archive);
        ok = machine.files().CopyFileA(source, target, false);
        code = ok ? 0 : machine.GetLastError();
    }
    return ok ? staged::copied : copyResult(session, code, name, source);
}

} // namespace

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool isUniDrvSupportName(const std::string& upperName) {
    for (const char* part : {"UNIDRV", "STDNAMES", "TTFSUB", "UNIRES"}) {
        if (upperName.find(part) != std::string::npos)
            return true;
    }
    return false;
}

int stagedCopy(InstallSession& session, std::string& name, int kind, bool rename) {
    name = upperCase(name);
    if (!isBareFileName(name)) {
        session.error = "The package names the driver file \"" + name +
                        "\", which is not a plain file name. Installation stopped.";
        return staged::failed;
    }
    if (isUniDrvSupportName(name) && session.os >= common::os2000) {
        if (session.os >= common::osVista)
            return copyFromDriverStore(session, name);
        if (const std::optional<int> fromCache = copyFromDriverCache(session, name))
            return *fromCache;
    }
    return packageCopy(session, name, kind, rename);
}

void stageUniDrvSupport(InstallSession& session, bool usesSystemUniDrv) {
    platform::Machine& machine = session.machine;
    if (session.os == common::osWin9x) {
        stagedCopyOf(session, "ICONLIB.DLL", destination::driverFolder);
        const std::optional<std::string> system = session.systemFolder("IDS_ERR_ALLOCMEMORY");
        const std::optional<std::string> windows =
            system ? session.windowsFolder("IDS_ERR_ALLOCMEMORY") : std::nullopt;
        if (!system || !windows)
            return;
        if (existsIn(machine, *system + "\\UNIDRV.DLL"))
            return;
        if (!machine.files().CopyFileA(*windows + "\\Sysbckup\\UNIDRV.DLL",
                                       *system + "\\UNIDRV.DLL", true))
            stagedCopyOf(session, "UNIDRV.DLL", destination::driverFolder);
        return;
    }
    if (session.os == common::osNt4 || !usesSystemUniDrv)
        return;
    for (const char* name : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"})
        stagedCopyOf(session, name, destination::driverFolder);
}

} // namespace setup

#include "setup/engine/system_unidrv.h"

#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "common/redirection_switch.h"
#include "setup/engine/staged_copy.h"

#include <vector>

namespace setup {
namespace {

// Compared as the cabinets store them, case and all.
const char* const cabinetMembers[] = {"unidrvui.dll", "unidrv.dll",   "unires.dll",
                                      "unidrv.hlp",   "stdnames.gpd", "ttfsub.gpd"};

bool isCabinetMember(const std::string& member) {
    for (const char* wanted : cabinetMembers) {
        if (member == wanted)
            return true;
    }
    return false;
}

bool existsIn(platform::Machine& machine, const std::string& path) {
    platform::FindData found;
    const platform::Handle search = machine.files().FindFirstFileA(path, found);
    if (search == platform::invalidHandle)
        return false;
    machine.files().FindClose(search);
    return true;
}

// The driver-store folder whose name begins with "ntprint".
std::optional<std::string> ntprintPackage(InstallSession& session, const std::string& store) {
    platform::Machine& machine = session.machine;
    common::RedirectionSwitch native(machine, session.wow64, session.owner,
                                     common::RedirectionSwitch::Mode::Quiet);
    platform::FindData found;
    const platform::Handle search = native.ready()
                                        ? machine.files().FindFirstFileA(store + "ntprint*", found)
                                        : platform::invalidHandle;
    if (search == platform::invalidHandle) {
        // Always a message: a silent 0 would read as "skipped" to the caller.
        session.error = "Couldn't find system files.";
        const std::string system = session.systemText(machine.GetLastError());
        if (!system.empty())
            session.error += "\n" + system;
        return std::nullopt;
    }
    const bool closed = machine.files().FindClose(search);
    if (!closed) {
        session.error = "Couldn't close search handle.";
        return std::nullopt;
    }
    return found.name;
}

} // namespace

bool extractSystemUniDrv(InstallSession& session) {
    platform::Machine& machine = session.machine;
    const std::optional<std::string> windows = session.windowsFolder();
    if (!windows)
        return false;
    const std::string cache =
        *windows + (session.wow64 ? "\\Driver Cache\\AMD64\\" : "\\Driver Cache\\i386\\");
    std::vector<std::string> cabinets;
    platform::FindData found;
    const platform::Handle search = machine.files().FindFirstFileA(cache + "*.cab", found);
    if (search != platform::invalidHandle) {
        do {
            if ((found.attributes & platform::fileattr::directory) == 0)
                cabinets.push_back(found.name);
        } while (machine.files().FindNextFileA(search, found));
        machine.files().FindClose(search);
    }
    bool lastRead = false;
    for (const std::string& cabinet : cabinets) {
        std::string temp;
        if (!machine.system().GetTempPathA(temp) || temp.empty()) {
            lastRead = false;
            continue;
        }
        if (temp.back() != '\\')
            temp += '\\';
        lastRead = machine.deviceSetup().SetupIterateCabinetA(
            cache + cabinet, [&](const std::string& member, std::string& target) {
                if (!isCabinetMember(member))
                    return false;
                target = temp + member;
                return true;
            });
    }
    return lastRead;
}

std::optional<int> copyFromDriverCache(InstallSession& session, const std::string& name) {
    platform::Machine& machine = session.machine;
    const std::optional<std::string> drivers = session.driverFolder();
    if (!drivers)
        return staged::failed;
    if (existsIn(machine, *drivers + "\\" + name))
        return staged::copied;
    if (session.uniDrvExtractionPending) {
        session.uniDrvExtractionPending = false;
        if (!extractSystemUniDrv(session))
            return std::nullopt;
    }
    std::string temp;
    if (!machine.system().GetTempPathA(temp) || temp.empty())
        return std::nullopt;
    if (temp.back() != '\\')
        temp += '\\';
    if (!session.pathFits(temp + name)) {
        session.error.clear();
        return std::nullopt;
    }
    if (machine.files().CopyFileA(temp + name, *drivers + "\\" + name, false))
        return staged::copied;
    return std::nullopt;
}

int copyFromDriverStore(InstallSession& session, const std::string& name) {
    platform::Machine& machine = session.machine;
    const std::optional<std::string> drivers = session.driverFolder();
    if (!drivers)
        return staged::failed;
    if (existsIn(machine, *drivers + "\\" + name))
        return staged::copied;
    const std::optional<std::string> windows = session.windowsFolder();
    if (!windows)
        return staged::failed;
    const std::string store = *windows + "\\System32\\DriverStore\\FileRepository\\";
    const std::optional<std::string> package = ntprintPackage(session, store);
    if (!package)
        return staged::failed;
    const std::string source = store + *package + (session.wow64 ? "\\AMD64\\" : "\\I386\\") + name;
    const std::string target = *drivers + "\\" + name;
    if (!session.pathFits(source) || !session.pathFits(target))
        return staged::failed;
    bool ok = false;
    std::uint32_t code = 0;
    {
        common::RedirectionSwitch native(machine, session.wow64, session.owner,
                                         common::RedirectionSwitch::Mode::Quiet);
        if (!native.ready())
            return staged::failed;
        ok = machine.files().CopyFileA(source, target, false);
        code = ok ? 0 : machine.GetLastError();
    }
    if (ok)
        return staged::copied;
    if (code == platform::err::sharingViolation)
        return staged::inUse;
    if (code == platform::err::accessDenied)
        return staged::accessDenied;
    session.error = session.text("IDS_ERR_COPYFIEL") + name;
    const std::string system = session.systemText(code);
    if (!system.empty())
        session.error += "\n" + system + source;
    return staged::failed;
}

} // namespace setup

#include "uninstall/removal_environment.h"

#include "common/language_text.h"
#include "platform/machine.h"

namespace uninstall {

std::string RemovalEnvironment::spooler() const {
    if (os == common::osWin9x)
        return "Windows 4.0";
    return windows64 ? "Windows x64" : "Windows NT x86";
}

std::string RemovalEnvironment::suffix() const {
    return os == common::osXp ? common::osSuffix(common::os2000) : common::osSuffix(os);
}

common::OsVariant uninstallerOsVariant(platform::Machine& machine) {
    platform::OsVersionInfo version;
    if (machine.system().GetVersionExA(version) &&
        version.platformId != platform::platformWindows &&
        version.platformId != platform::platformNt)
        return common::osXp;
    // The platform is known here, so the detection has nothing to say.
    const common::LanguageText none(machine.profiles(), "", "Message");
    return common::detectOsVariant(machine, none);
}

RemovalEnvironment detectEnvironment(platform::Machine& machine) {
    RemovalEnvironment environment;
    environment.wow64 = common::is64BitWindows(machine);
    // A 64-bit build of the program (tests where no 32-bit program runs) is
    // not redirected but still on 64-bit Windows.
    environment.windows64 =
        environment.wow64 || common::nativeArchitecture(machine) == platform::arch::amd64;
    environment.os = uninstallerOsVariant(machine);
    return environment;
}

} // namespace uninstall

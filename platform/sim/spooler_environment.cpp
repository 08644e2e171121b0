#include "platform/sim/spooler_environment.h"

#include "platform/sim/sim_text.h"

namespace platform::sim {
namespace {

const char* folderOf(const std::string& environment) {
    if (equalNoCase(environment, environmentX64))
        return "x64";
    if (equalNoCase(environment, environmentIa64))
        return "ia64";
    if (equalNoCase(environment, environmentWin9x))
        return "win40";
    return "w32x86";
}

bool vistaOrLater(WindowsVariant os) {
    return static_cast<int>(os) >= static_cast<int>(WindowsVariant::Vista);
}

} // namespace

std::string nativeEnvironment(WindowsVariant os, int bits) {
    if (isWin9x(os))
        return environmentWin9x;
    return bits == 64 ? environmentX64 : environmentX86;
}

std::string callerEnvironment(WindowsVariant os, int bits, int processBits) {
    return nativeEnvironment(os, bits == 64 && processBits == 64 ? 64 : 32);
}

std::optional<std::string> acceptedEnvironment(WindowsVariant os, int bits,
                                               const std::string& environment) {
    if (environment.empty())
        return nativeEnvironment(os, bits);
    if (isWin9x(os)) {
        if (equalNoCase(environment, environmentWin9x))
            return std::string(environmentWin9x);
        return std::nullopt;
    }
    // NT keeps drivers for other processors so that clients can download them;
    // Windows 9x clients were dropped with Vista.
    for (const char* known : {environmentX86, environmentX64, environmentIa64}) {
        if (equalNoCase(environment, known))
            return std::string(known);
    }
    if (!vistaOrLater(os) && equalNoCase(environment, environmentWin9x))
        return std::string(environmentWin9x);
    return std::nullopt;
}

std::string driverDirectory(WindowsVariant os, const std::string& environment) {
    if (isWin9x(os))
        return systemFolder(os);
    return systemFolder(os) + "\\spool\\drivers\\" + folderOf(environment);
}

std::string processorDirectory(WindowsVariant os, const std::string& environment) {
    if (isWin9x(os))
        return systemFolder(os);
    return systemFolder(os) + "\\spool\\prtprocs\\" + folderOf(environment);
}

std::uint32_t driverVersion(WindowsVariant os) {
    if (isWin9x(os))
        return 0;
    return os == WindowsVariant::Nt4 ? 2 : 3;
}

std::string printKey() {
    return "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print";
}

std::string monitorKey(const std::string& monitor) {
    return printKey() + "\\Monitors\\" + monitor;
}

std::string processorKey(const std::string& environment, const std::string& processor) {
    return printKey() + "\\Environments\\" + environment + "\\Print Processors\\" + processor;
}

std::string driverKey(WindowsVariant os, const std::string& environment,
                      const std::string& driver) {
    // Windows 9x files its drivers without version keys.
    const std::string drivers = printKey() + "\\Environments\\" + environment + "\\Drivers\\";
    if (isWin9x(os))
        return drivers + driver;
    return drivers + "Version-" + std::to_string(driverVersion(os)) + "\\" + driver;
}

std::string printerKey(const std::string& printer) {
    return printKey() + "\\Printers\\" + printer;
}

} // namespace platform::sim

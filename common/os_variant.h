// Windows variants as the package knows them, and their detection.
#pragma once

#include <cstdint>
#include <string>

namespace platform {
class Machine;
}

namespace common {

class LanguageText;

// 0 Windows 9x/Me and anything not recognised, 1 NT 4, 2 2000, 3 XP (and XP x64),
// 4 Server 2003, 5 Vista, 6 Server 2008 and later servers, 7 Windows 7 and later
// workstations.
using OsVariant = int;
inline constexpr OsVariant osWin9x = 0;
inline constexpr OsVariant osNt4 = 1;
inline constexpr OsVariant os2000 = 2;
inline constexpr OsVariant osXp = 3;
inline constexpr OsVariant os2003 = 4;
inline constexpr OsVariant osVista = 5;
inline constexpr OsVariant os2008 = 6;
inline constexpr OsVariant osWin7 = 7;

// Configuration section suffix: ".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7".
const char* osSuffix(OsVariant variant);
// Driver version given to the spooler: 0 on 9x, 2 on NT 4, 3 otherwise.
unsigned osDriverVersion(OsVariant variant);
inline constexpr const char* x64Environment = "Windows x64";

// The spooler environment that names the machine's own: "Windows 4.0" on 9x,
// "Windows x64" on 64-bit Windows (`wow64`), empty (the caller's) otherwise.
// A 32-bit program that leaves it empty on 64-bit Windows gets "Windows NT x86",
// the 32-bit clients' environment, not the one the package installs for.
std::string osEnvironment(OsVariant variant, bool wow64);

// Detects the variant from the extended version record, the product type and
// the native processor. A platform that is neither 9x nor NT shows the message
// IDS_ERR_SYSTEM of `messages` and gives 0. NT versions after 6.1 read as the
// nearest the package describes: a workstation as Windows 7, a server as
// Server 2008.
OsVariant detectOsVariant(platform::Machine& machine, const LanguageText& messages);

// True when this program runs on 64-bit Windows: a 64-bit program always does;
// a 32-bit one asks IsWow64Process, looked up in kernel32.dll by name, and
// answers false whenever it cannot be asked.
bool is64BitWindows(platform::Machine& machine);

// True when this program is itself a 64-bit one (GetSystemInfo describes the
// calling process's view: x86 inside WOW64). The package ships 32-bit programs;
// the 64-bit builds are for Wine on machines that run no 32-bit code, and for
// them no file-system redirection exists.
bool is64BitProcess(platform::Machine& machine);

// The processor the machine really has (platform::arch): GetNativeSystemInfo,
// looked up by name, where the system offers it (it tells a 32-bit program the
// truth on 64-bit Windows), else GetSystemInfo.
std::uint16_t nativeArchitecture(platform::Machine& machine);

// True when the thread's (else the process's) token holds the built-in
// Administrators group; any failure answers false.
bool isAdministrator(platform::Machine& machine);

} // namespace common

// Copies one driver-set file from the package into the system folder where
// the spooler looks for it. Files of the system's universal printer driver are
// taken from the system itself on Windows 2000 and later.
#pragma once

#include <string>

namespace setup {

class InstallSession;

// The destination kinds callers pass, by their numbers.
namespace destination {
inline constexpr int infFolder = 100;         // Windows folder + "\inf"
inline constexpr int driverVersion3 = 999;    // printer-driver directory + "\3"
inline constexpr int driverFolder = 66000;    // printer-driver directory
inline constexpr int processorFolder = 66001; // print-processor directory
inline constexpr int systemFolder = 66002;    // system directory
inline constexpr int systemIfMissing = 66003; // system directory, only when not there yet
inline constexpr int wbemFolder = 66004;      // system directory + "\wbem", only when missing
} // namespace destination

// Result codes.
namespace staged {
inline constexpr int failed = 0;       // message in the error text, except for a "0" name
inline constexpr int copied = 1;       // or nothing to do
inline constexpr int accessDenied = 5; // no message: the caller decides
inline constexpr int inUse = 32;       // no message: the caller decides
} // namespace staged

// `name` is a bare file name; it is upper-cased in place. With `rename` the
// destination is "n" + name (the source keeps its name).
int stagedCopy(InstallSession& session, std::string& name, int kind, bool rename = false);

// The same for a name the caller does not need back.
inline int stagedCopyOf(InstallSession& session, std::string name, int kind, bool rename = false) {
    return stagedCopy(session, name, kind, rename);
}

// A file name as staging writes it: upper case, as the spooler's folders keep it.
std::string upperCase(std::string text);

// Whether the upper-cased name is one of the universal driver's support files.
bool isUniDrvSupportName(const std::string& upperName);

// Windows 9x files, and the universal driver's support files on 2000 and
// later when the driver is built on it. Failures are left in the error text;
// they do not stop the run.
void stageUniDrvSupport(InstallSession& session, bool usesSystemUniDrv);

} // namespace setup

// Where the package's Uninstall.ini lies: in the current directory (the
// program's own folder), else in its DRVCONFIG subfolder.
#pragma once

#include <string>

namespace platform {
class Machine;
}

namespace uninstall {

enum class IniLookup {
    Found,
    NoCurrentFolder, // IDS_ERR_GETSYSDIR
    EmptyPackage,    // IDS_ERR_INVALID: DRVCONFIG holds no files either
    NotFound,        // IDS_ERR_NOINI
};

struct IniLocation {
    IniLookup result = IniLookup::NotFound;
    std::string path;
};

// Walks each folder's files ("*.*") for one named Uninstall.ini (in any case;
// a folder of that name does not count). Nothing in the folders is changed.
IniLocation findUninstallIni(platform::Machine& machine);

// The message key of a lookup that failed; empty for Found.
const char* messageOf(IniLookup result);

} // namespace uninstall

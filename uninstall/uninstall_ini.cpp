#include "uninstall/uninstall_ini.h"

#include "common/file_names.h"
#include "platform/machine.h"

namespace uninstall {
namespace {

enum class Walk { Found, NoFiles, NotThere };

Walk walk(platform::Files& files, const std::string& folder) {
    platform::FindData found;
    const platform::Handle search = files.FindFirstFileA(folder + "\\*.*", found);
    if (search == platform::invalidHandle)
        return Walk::NoFiles;
    bool anyFile = false;
    Walk result = Walk::NotThere;
    do {
        if ((found.attributes & platform::fileattr::directory) != 0)
            continue;
        anyFile = true;
        if (common::sameName(found.name, "Uninstall.ini")) {
            result = Walk::Found;
            break;
        }
    } while (files.FindNextFileA(search, found));
    files.FindClose(search);
    return result == Walk::Found ? result : anyFile ? Walk::NotThere : Walk::NoFiles;
}

} // namespace

IniLocation findUninstallIni(platform::Machine& machine) {
    IniLocation location;
    std::string current;
    if (!machine.system().GetCurrentDirectoryA(current) || current.empty()) {
        location.result = IniLookup::NoCurrentFolder;
        return location;
    }
    // A drive's root "C:\" walks as "C:\*.*".
    while (!current.empty() && current.back() == '\\')
        current.pop_back();
    for (const std::string& folder : {current, current + "\\DRVCONFIG"}) {
        const Walk result = walk(machine.files(), folder);
        if (result == Walk::Found) {
            location.result = IniLookup::Found;
            location.path = folder + "\\Uninstall.ini";
            return location;
        }
        if (folder != current)
            location.result =
                result == Walk::NoFiles ? IniLookup::EmptyPackage : IniLookup::NotFound;
    }
    return location;
}

const char* messageOf(IniLookup result) {
    switch (result) {
    case IniLookup::NoCurrentFolder:
        return "IDS_ERR_GETSYSDIR";
    case IniLookup::EmptyPackage:
        return "IDS_ERR_INVALID";
    case IniLookup::NotFound:
        return "IDS_ERR_NOINI";
    case IniLookup::Found:
        break;
    }
    return "";
}

} // namespace uninstall

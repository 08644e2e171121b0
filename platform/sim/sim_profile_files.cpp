#include "platform/sim/sim_profile_files.h"

#include "common/profile_file.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {

SimProfileFiles::SimProfileFiles(SimMachine& machine) : machine_(machine) {}

std::string SimProfileFiles::profilePath(const std::string& file) const {
    // A bare file name means the Windows folder; any other name is a path.
    if (file.find_first_of("\\/") == std::string::npos)
        return machine_.windowsDirectory() + "\\" + file;
    return file;
}

std::string SimProfileFiles::GetPrivateProfileStringA(const std::string& section,
                                                      const std::string& key,
                                                      const std::string& defaultValue,
                                                      std::size_t bufferSize,
                                                      const std::string& file) {
    if (machine_.faults().fail("GetPrivateProfileStringA", machine_))
        return common::profileGetString("", section, key, defaultValue, bufferSize);
    SimFiles& files = machine_.simFiles();
    const std::optional<std::string> full = files.fullPath(profilePath(file), true);
    std::string text;
    if (full && files.readText(*full, text))
        return common::profileGetString(text, section, key, defaultValue, bufferSize);
    // An absent file reads as an empty one; a file whose folder is missing is
    // not opened at all, and the default comes back as given.
    const std::size_t slash = full ? full->rfind('\\') : std::string::npos;
    if (full && slash != std::string::npos &&
        files.isDirectory(full->substr(0, slash == 2 ? 3 : slash)))
        return common::profileGetString("", section, key, defaultValue, bufferSize);
    return common::profileDefaultWhenUnopenable(defaultValue, bufferSize);
}

bool SimProfileFiles::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                                 const std::string& value,
                                                 const std::string& file) {
    if (machine_.faults().fail("WritePrivateProfileStringA", machine_))
        return false;
    SimFiles& files = machine_.simFiles();
    const std::optional<std::string> full = files.fullPath(profilePath(file), true);
    if (!full) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    std::string text;
    files.readText(*full, text);
    const std::string updated = common::profileSetString(text, section, key, value);
    return files.WriteFileBytes(*full, std::vector<std::uint8_t>(updated.begin(), updated.end()));
}

bool SimProfileFiles::WriteProfileStringA(const std::string& section, const std::string& key,
                                          const std::string& value) {
    if (machine_.faults().fail("WriteProfileStringA", machine_))
        return false;
    return WritePrivateProfileStringA(section, key, value, "win.ini");
}

bool SimProfileFiles::FlushProfile() {
    return true;
}

} // namespace platform::sim

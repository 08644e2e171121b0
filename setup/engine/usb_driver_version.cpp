#include "setup/engine/usb_driver_version.h"

#include "platform/machine.h"
#include "common/redirection_switch.h"

#include <vector>

namespace setup {
namespace {

const char* const noVersion = "0.0.0.0";

// Up to four dotted decimal parts; anything that is not a digit ends a part.
std::vector<unsigned long> versionParts(const std::string& text) {
    std::vector<unsigned long> parts(4, 0);
    std::size_t part = 0;
    for (char c : text) {
        if (c == '.') {
            if (++part == parts.size())
                break;
        } else if (c >= '0' && c <= '9') {
            if (parts[part] < 100000000)
                parts[part] = parts[part] * 10 + static_cast<unsigned long>(c - '0');
        } else if (c == ' ' || c == ',') {
            if (++part == parts.size())
                break;
        }
    }
    return parts;
}

} // namespace

std::string readFileVersion(platform::Machine& machine, const std::string& path) {
    std::string version;
    if (!machine.files().GetFileVersionInfoA(path, version) || version.empty())
        return noVersion;
    return version;
}

int compareVersionTexts(const std::string& installed, const std::string& packaged) {
    if (installed == packaged)
        return 0;
    const std::vector<unsigned long> have = versionParts(installed);
    const std::vector<unsigned long> want = versionParts(packaged);
    if (have == std::vector<unsigned long>(4, 0))
        return -1;
    return have < want ? 1 : 0;
}

int compareUsbDriverVersions(platform::Machine& machine, const std::string& programFolder,
                             bool wow64, platform::Handle owner) {
    const std::string packaged =
        readFileVersion(machine, programFolder + usbDriverFolder(wow64) + "\\KVPUSB.sys");
    std::string windows;
    if (!machine.system().GetWindowsDirectoryA(windows))
        return -1;
    const std::string installedPath = windows + "\\system32\\drivers\\KVPUSB.sys";
    std::string installed;
    {
        common::RedirectionSwitch native(machine, wow64, owner,
                                         common::RedirectionSwitch::Mode::Announced);
        installed = readFileVersion(machine, installedPath);
    }
    return compareVersionTexts(installed, packaged);
}

} // namespace setup

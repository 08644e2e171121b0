#include "uninstall/uninstall_config.h"

#include "common/config_int.h"
#include "common/file_names.h"
#include "platform/profile_files.h"

#include <algorithm>

namespace uninstall {
namespace {

// A key the file does not have reads as this; no value can hold it.
const char* const absent = "\x01";

std::string withoutBlanks(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string where(const std::string& section, const std::string& key) {
    return "Uninstall.ini: [" + section + "] " + key;
}

} // namespace

UninstallConfig::UninstallConfig(platform::ProfileFiles& profiles, std::string path)
    : profiles_(profiles), path_(std::move(path)) {
    printers_ = readList("KVPRINTER", "PRINTERNUM", "PRINTERNAME");
    monitors_ = readList("KVMONITOR", "MonitorNUM", "MONITORNAME");
    processors_ = readList("KVPROC", "PROCNUM", "PROCNAME");
}

bool UninstallConfig::matches(const std::vector<std::string>& texts, const std::string& name) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return name.find(text) != std::string::npos;
    });
}

std::string UninstallConfig::readValue(const std::string& section, const std::string& key,
                                       std::vector<std::string>& problems) const {
    const std::string value = profiles_.GetPrivateProfileStringA(section, key, absent, 1024, path_);
    if (value == absent)
        return {};
    if (value.size() > valueLimit) {
        problems.push_back(where(section, key) + " is longer than " + std::to_string(valueLimit) +
                           " characters and is not used.");
        return {};
    }
    return value;
}

std::vector<std::string> UninstallConfig::readList(const std::string& section,
                                                   const std::string& countKey,
                                                   const std::string& entryKey) {
    std::vector<std::string> texts;
    int count = common::atoiDecimal(readValue(section, countKey, problems_));
    if (count > maxEntries) {
        problems_.push_back(where(section, countKey) + " names more entries than the file can (" +
                            std::to_string(maxEntries) + "); the first ones are read.");
        count = maxEntries;
    }
    for (int i = 0; i < count; ++i) {
        const std::string key = entryKey + static_cast<char>('1' + i);
        const std::string raw =
            profiles_.GetPrivateProfileStringA(section, key, absent, 1024, path_);
        // A missing or empty entry would match every name (or, read as the
        // default "0", every name with a 0 in it): it matches nothing.
        if (raw == absent || raw.empty() || raw == "0") {
            problems_.push_back(where(section, key) + " is missing or empty and matches nothing.");
            continue;
        }
        const std::string text = readValue(section, key, problems_);
        if (!text.empty())
            texts.push_back(text);
    }
    return texts;
}

std::string UninstallConfig::readFileName(const std::string& section, const std::string& key,
                                          std::vector<std::string>& problems) const {
    const std::string value = readValue(section, key, problems);
    if (common::isNoFile(value))
        return {};
    // Names are deleted from system folders: nothing that reaches elsewhere.
    if (!common::isBareFileName(value) || value.find("..") != std::string::npos) {
        problems.push_back(where(section, key) + " is \"" + value +
                           "\", not a plain file name; it is not deleted.");
        return {};
    }
    return value;
}

MonitorSection UninstallConfig::monitorSection(const std::string& monitor,
                                               const std::string& suffix,
                                               std::vector<std::string>& problems) const {
    MonitorSection s;
    s.name = withoutBlanks(monitor) + suffix;
    s.dll = readFileName(s.name, "MonitorPDLLName", problems);
    s.uiDll = readFileName(s.name, "MONitorPUIDLLName", problems);
    s.usbDll = readFileName(s.name, "USBMONitorDLLName", problems);
    // A key name, deleted under the spooler's Monitors key: one plain name.
    s.keyName = readFileName(s.name, "USBMONitorName", problems);
    return s;
}

std::string UninstallConfig::processorDll(const std::string& processor, const std::string& suffix,
                                          std::vector<std::string>& problems) const {
    return readFileName(processor + suffix, "ProcessorDllName", problems);
}

} // namespace uninstall

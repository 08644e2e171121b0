// Uninstall.ini: what of the machine belongs to the package (printers by
// their driver's name, monitors and print processors by their own), and per
// monitor and processor the files and keys removed with it.
#pragma once

#include <string>
#include <vector>

namespace platform {
class ProfileFiles;
}

namespace uninstall {

// The longest value the file's format holds: its readers had 30-byte buffers.
// A longer value is refused rather than cut, since a cut text matches more
// than it should and a cut file name names another file.
inline constexpr std::size_t valueLimit = 29;
// Entry keys end in one character, '1' + index; past '~' there is none.
inline constexpr int maxEntries = '~' - '1' + 1;

// What the file names for one monitor, in the section of its name without
// blanks followed by the variant's suffix. A file name is empty when the
// section has none to delete ("0", empty or missing).
struct MonitorSection {
    std::string name;    // the section's name
    std::string dll;     // MonitorPDLLName
    std::string uiDll;   // MONitorPUIDLLName
    std::string usbDll;  // USBMONitorDLLName
    std::string keyName; // USBMONitorName: the monitor key deleted after it
};

class UninstallConfig {
public:
    // Reads the three lists of `path`; what cannot be used is kept in problems().
    UninstallConfig(platform::ProfileFiles& profiles, std::string path);

    const std::string& path() const { return path_; }
    // Case-sensitive containment of one of the list's texts.
    bool isPackagePrinterDriver(const std::string& driver) const {
        return matches(printers_, driver);
    }
    bool isPackageMonitor(const std::string& monitor) const { return matches(monitors_, monitor); }
    bool isPackageProcessor(const std::string& processor) const {
        return matches(processors_, processor);
    }
    const std::vector<std::string>& printerTexts() const { return printers_; }
    const std::vector<std::string>& monitorTexts() const { return monitors_; }
    const std::vector<std::string>& processorTexts() const { return processors_; }

    // The sections read at removal; refused values are left empty, with a
    // line added to `problems`.
    MonitorSection monitorSection(const std::string& monitor, const std::string& suffix,
                                  std::vector<std::string>& problems) const;
    std::string processorDll(const std::string& processor, const std::string& suffix,
                             std::vector<std::string>& problems) const;

    // One line per entry that was refused or missing, naming its key.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    static bool matches(const std::vector<std::string>& texts, const std::string& name);
    std::vector<std::string> readList(const std::string& section, const std::string& countKey,
                                      const std::string& entryKey);
    // A value within the format's limit, or nullopt-like empty with a problem.
    std::string readValue(const std::string& section, const std::string& key,
                          std::vector<std::string>& problems) const;
    std::string readFileName(const std::string& section, const std::string& key,
                             std::vector<std::string>& problems) const;

    platform::ProfileFiles& profiles_;
    std::string path_;
    std::vector<std::string> printers_, monitors_, processors_;
    std::vector<std::string> problems_;
};

} // namespace uninstall

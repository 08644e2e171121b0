// Bounded reads of one section of a configuration file. Every value is read
// with the default "0"; a value longer than its limit, or a file name that is
// not a bare file name (a folder separator, a drive or stream colon, "..", a
// wildcard or a control character), is refused and never cut to fit.
#pragma once

#include "setup/engine/setup_config.h"

#include <cstddef>
#include <string>

namespace platform {
class ProfileFiles;
}

namespace setup {

// Read limits of the configuration values, in characters.
inline constexpr std::size_t nameLimit = 49; // driver, monitor and print-processor names
inline constexpr std::size_t fileNameLimit = 199;
inline constexpr std::size_t modelNameLimit = 199; // model names and model entries
inline constexpr std::size_t versionLimit = 9;
inline constexpr std::size_t flagLimit = 4;

class ConfigReader {
public:
    ConfigReader(platform::ProfileFiles& profiles, std::string file, std::string section);

    // The value, or "" once refused (too long).
    std::string text(const std::string& key, std::size_t limit);
    std::string name(const std::string& key) { return text(key, nameLimit); }
    // A file name, "" or "0" when there is none; "" once refused (too long, or
    // not a bare file name: the package's files are never read from or copied
    // to places outside the package and the spooler's folders).
    std::string fileName(const std::string& key);
    // The leading decimal digits of a version value of at most 9 characters.
    int version(const std::string& key);
    // The leading decimal digits of a value, read as every configuration integer is.
    int integer(const std::string& key);
    // A flag of at most 4 characters whose first character "1" means set.
    bool flag(const std::string& key);

    // The first refusal of this reader, naming key, section and file.
    const ConfigResult& result() const { return result_; }

private:
    void refuse(const std::string& key, const std::string& why);

    platform::ProfileFiles& profiles_;
    std::string file_;
    std::string section_;
    ConfigResult result_;
};

} // namespace setup

// File names the package's configuration files give, which the programs copy
// into or delete from the system's folders.
#pragma once

#include <string>

namespace common {

// True when a configuration value can be used as a file name: not empty, and
// no folder separator, drive, wildcard or dot-only name that would reach
// outside the folder it is meant for.
bool isBareFileName(const std::string& name);

// Whether two names are the same to Windows, which compares file, printer,
// monitor and processor names without regard to (ASCII) case.
bool sameName(const std::string& a, const std::string& b);

// A value that stands for "no file": empty or beginning with '0'.
inline bool isNoFile(const std::string& value) {
    return value.empty() || value[0] == '0';
}

} // namespace common

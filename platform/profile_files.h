#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The private-profile (INI file) functions. A file name without any folder
// separator is looked for in the Windows folder; any other relative name is
// resolved against the current directory, as Windows does.
class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;
    // GetPrivateProfileStringA with a buffer of bufferSize bytes: the value is
    // cut to bufferSize - 1 bytes.
    virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                 const std::string& defaultValue,
                                                 std::size_t bufferSize,
                                                 const std::string& file) = 0;
    virtual bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                            const std::string& value, const std::string& file) = 0;
    // WriteProfileStringA (win.ini) and the flush of the cached file.
    virtual bool WriteProfileStringA(const std::string& section, const std::string& key,
                                     const std::string& value) = 0;
    virtual bool FlushProfile() = 0;
};

} // namespace platform

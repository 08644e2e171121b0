// One open registry key under HKEY_LOCAL_MACHINE, opened the way the engines
// open the spooler's and the maker's keys: full access on 32-bit Windows, read,
// write and the 64-bit view on 64-bit Windows, so that a 32-bit program always
// reaches the native registry.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace common {

class RegistryKey {
public:
    RegistryKey(platform::Registry& registry, bool wow64);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens an existing key; false (and the error in lastError()) when it is missing.
    bool open(const std::string& path);
    // Creates the key when missing, then opens it.
    bool create(const std::string& path);
    void close();
    bool isOpen() const { return key_ != 0; }

    // Deletes the subkey `name` of the open key, which must have no subkeys
    // of its own, in the view the key was opened in: on 64-bit Windows through
    // RegDeleteKeyExA, since RegDeleteKeyA reaches only the 32-bit view there.
    // False (and the error in lastError()) when it cannot be deleted.
    bool deleteSubKey(const std::string& name);

    // Whether the key holds a value of that name, of any type.
    bool hasValue(const std::string& name);
    // A 4-byte value; false when missing or of another size.
    bool readDword(const std::string& name, std::uint32_t& value);
    bool writeDword(const std::string& name, std::uint32_t value);
    bool writeString(const std::string& name, const std::string& value);

    std::uint32_t lastError() const { return lastError_; }

private:
    std::uint32_t access() const;

    platform::Registry& registry_;
    bool wow64_;
    platform::Handle key_ = 0;
    std::uint32_t lastError_ = 0;
};

} // namespace common

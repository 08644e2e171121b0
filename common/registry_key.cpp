#include "common/registry_key.h"

namespace common {

RegistryKey::RegistryKey(platform::Registry& registry, bool wow64)
    : registry_(registry), wow64_(wow64) {}

RegistryKey::~RegistryKey() {
    close();
}

std::uint32_t RegistryKey::access() const {
    return wow64_
               ? (platform::regsam::read | platform::regsam::write | platform::regsam::wow64_64Key)
               : platform::regsam::allAccess;
}

bool RegistryKey::open(const std::string& path) {
    close();
    lastError_ = registry_.RegOpenKeyExA(platform::RootKey::LocalMachine, path, access(), key_);
    if (lastError_ != 0)
        key_ = 0;
    return lastError_ == 0;
}

bool RegistryKey::create(const std::string& path) {
    close();
    platform::Handle created = 0;
    lastError_ =
        registry_.RegCreateKeyExA(platform::RootKey::LocalMachine, path, access(), created);
    if (lastError_ != 0)
        return false;
    registry_.RegCloseKey(created);
    return open(path);
}

bool RegistryKey::deleteSubKey(const std::string& name) {
    if (key_ == 0) {
        lastError_ = platform::err::invalidHandle;
        return false;
    }
    lastError_ = wow64_ ? registry_.RegDeleteKeyExA(key_, name, platform::regsam::wow64_64Key)
                        : registry_.RegDeleteKeyA(key_, name);
    return lastError_ == 0;
}

void RegistryKey::close() {
    if (key_ != 0)
        registry_.RegCloseKey(key_);
    key_ = 0;
}

bool RegistryKey::hasValue(const std::string& name) {
    if (key_ == 0)
        return false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    lastError_ = registry_.RegQueryValueExA(key_, name, type, data);
    return lastError_ == 0;
}

bool RegistryKey::readDword(const std::string& name, std::uint32_t& value) {
    if (key_ == 0)
        return false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    lastError_ = registry_.RegQueryValueExA(key_, name, type, data);
    if (lastError_ != 0 || data.size() != 4)
        return false;
    value =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    return true;
}

bool RegistryKey::writeDword(const std::string& name, std::uint32_t value) {
    if (key_ == 0)
        return false;
    lastError_ = registry_.RegSetValueExA(
        key_, name, platform::regtype::dword,
        {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
         static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    return lastError_ == 0;
}

bool RegistryKey::writeString(const std::string& name, const std::string& value) {
    if (key_ == 0)
        return false;
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    lastError_ = registry_.RegSetValueExA(key_, name, platform::regtype::sz, data);
    return lastError_ == 0;
}

} // namespace common

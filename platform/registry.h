#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class RootKey { LocalMachine, CurrentUser, ClassesRoot, Users };

// The registry functions of advapi32. Like the real ones they return a Win32
// error code (0 on success) instead of setting the thread's last error.
// A 32-bit program on 64-bit Windows sees HKLM\SOFTWARE through the 32-bit view
// unless it asks for regsam::wow64_64Key.
class Registry {
public:
    virtual ~Registry() = default;
    virtual std::uint32_t RegOpenKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                        Handle& key) = 0;
    virtual std::uint32_t RegCreateKeyExA(RootKey root, const std::string& subKey,
                                          std::uint32_t sam, Handle& key) = 0;
    virtual std::uint32_t RegCloseKey(Handle key) = 0;
    virtual std::uint32_t RegQueryValueExA(Handle key, const std::string& name, std::uint32_t& type,
                                           std::vector<std::uint8_t>& data) = 0;
    virtual std::uint32_t RegSetValueExA(Handle key, const std::string& name, std::uint32_t type,
                                         const std::vector<std::uint8_t>& data) = 0;
    virtual std::uint32_t RegDeleteValueA(Handle key, const std::string& name) = 0;
    // Deletes a subkey that has no subkeys of its own. A 32-bit program on
    // 64-bit Windows reaches only its own view this way.
    virtual std::uint32_t RegDeleteKeyA(Handle key, const std::string& subKey) = 0;
    // RegDeleteKeyExA: the same in the view `sam` names (regsam::wow64_64Key
    // or wow64_32Key). Looked up by name: err::callNotImplemented where the
    // system lacks it (32-bit Windows before Vista has no views to choose).
    virtual std::uint32_t RegDeleteKeyExA(Handle key, const std::string& subKey,
                                          std::uint32_t sam) = 0;
    virtual std::uint32_t RegEnumKeyExA(Handle key, std::uint32_t index, std::string& name) = 0;
    virtual std::uint32_t RegEnumValueA(Handle key, std::uint32_t index, std::string& name) = 0;
};

} // namespace platform

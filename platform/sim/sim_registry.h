#pragma once

#include "platform/registry.h"

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace platform::sim {

class SimMachine;

// An in-memory registry. Keys and value names keep the case they were created
// with and are found without regard to case. A 32-bit program on 64-bit Windows
// is redirected from HKLM\SOFTWARE to HKLM\SOFTWARE\Wow6432Node unless it asks
// for the 64-bit view; writing under HKLM needs an administrator.
class SimRegistry : public Registry {
public:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::string path; // full path as created, e.g. "HKLM\SOFTWARE\KORVANE"
        std::vector<Value> values;
    };

    explicit SimRegistry(SimMachine& machine);

    std::uint32_t RegOpenKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                Handle& key) override;
    std::uint32_t RegCreateKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                  Handle& key) override;
    std::uint32_t RegCloseKey(Handle key) override;
    std::uint32_t RegQueryValueExA(Handle key, const std::string& name, std::uint32_t& type,
                                   std::vector<std::uint8_t>& data) override;
    std::uint32_t RegSetValueExA(Handle key, const std::string& name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data) override;
    std::uint32_t RegDeleteValueA(Handle key, const std::string& name) override;
    std::uint32_t RegDeleteKeyA(Handle key, const std::string& subKey) override;
    std::uint32_t RegDeleteKeyExA(Handle key, const std::string& subKey,
                                  std::uint32_t sam) override;
    std::uint32_t RegEnumKeyExA(Handle key, std::uint32_t index, std::string& name) override;
    std::uint32_t RegEnumValueA(Handle key, std::uint32_t index, std::string& name) override;

    // Direct access for tests and tools, by full native path ("HKLM\SYSTEM\...").
    // No redirection applies here.
    void setValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                  const std::vector<std::uint8_t>& data);
    void setDword(const std::string& keyPath, const std::string& name, std::uint32_t value);
    void setString(const std::string& keyPath, const std::string& name, const std::string& value);
    void createKey(const std::string& keyPath);
    void deleteTree(const std::string& keyPath);
    bool hasKey(const std::string& keyPath) const;
    const Value* findValue(const std::string& keyPath, const std::string& name) const;
    bool readDword(const std::string& keyPath, const std::string& name, std::uint32_t& value) const;
    bool readString(const std::string& keyPath, const std::string& name, std::string& value) const;
    // Every key, in path order.
    std::vector<const Key*> keys() const;
    std::size_t openHandles() const { return handles_.size(); }

    void save(std::ostream& out) const;
    bool load(std::istream& in);

private:
    std::string nativePath(RootKey root, const std::string& subKey, std::uint32_t sam) const;
    // A full path as the program sees it in the view `sam` asks for.
    std::string viewPath(const std::string& path, std::uint32_t sam) const;
    std::uint32_t deleteKey(Handle key, const std::string& subKey, std::uint32_t sam);
    Key* find(const std::string& path);
    const Key* find(const std::string& path) const;
    Key& create(const std::string& path);
    Handle open(const std::string& path);
    // The key behind an open handle, or null with the error to return.
    Key* keyOf(Handle key, std::uint32_t& error);
    bool deniedWrite(const std::string& path, std::uint32_t sam) const;

    SimMachine& machine_;
    std::map<std::string, Key> keys_; // by upper-case path
    std::map<Handle, std::string> handles_;
    Handle nextHandle_ = 0x100;
};

} // namespace platform::sim

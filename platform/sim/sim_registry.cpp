#include "platform/sim/sim_registry.h"

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <cstdlib>
#include <istream>
#include <ostream>

namespace platform::sim {
namespace {

const char* rootName(RootKey root) {
    switch (root) {
    case RootKey::LocalMachine:
        return "HKLM";
    case RootKey::CurrentUser:
        return "HKCU";
    case RootKey::ClassesRoot:
        return "HKCR";
    case RootKey::Users:
        return "HKU";
    }
    return "HKLM";
}

// "A\\B\" -> "A\B": the registry ignores empty path parts.
std::string cleanPath(const std::string& path) {
    std::string out;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t stop = path.find('\\', pos);
        if (stop == std::string::npos)
            stop = path.size();
        if (stop > pos) {
            if (!out.empty())
                out += '\\';
            out += path.substr(pos, stop - pos);
        }
        pos = stop + 1;
    }
    return out;
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

SimRegistry::SimRegistry(SimMachine& machine) : machine_(machine) {
    for (const char* root : {"HKLM", "HKCU", "HKCR", "HKU"})
        createKey(root);
    createKey("HKLM\\SOFTWARE");
    createKey("HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors");
}

std::string SimRegistry::nativePath(RootKey root, const std::string& subKey,
                                    std::uint32_t sam) const {
    return viewPath(cleanPath(std::string(rootName(root)) + "\\" + subKey), sam);
}

std::string SimRegistry::viewPath(const std::string& path, std::uint32_t sam) const {
    if (!machine_.isWow64Process())
        return path;
    // The 32-bit view of HKLM\SOFTWARE on 64-bit Windows.
    const std::string software = "HKLM\\SOFTWARE";
    const std::string node = software + "\\WOW6432NODE";
    std::string native = path;
    std::string up = upper(native);
    if (up == node || up.rfind(node + "\\", 0) == 0) {
        native = native.substr(0, software.size()) + native.substr(node.size());
        up = upper(native);
    }
    if ((sam & regsam::wow64_64Key) == 0 && (up == software || up.rfind(software + "\\", 0) == 0) &&
        up.rfind(software + "\\CLASSES", 0) != 0)
        return native.substr(0, software.size()) + "\\Wow6432Node" + native.substr(software.size());
    return native;
}

SimRegistry::Key* SimRegistry::find(const std::string& path) {
    auto it = keys_.find(upper(path));
    return it == keys_.end() ? nullptr : &it->second;
}

const SimRegistry::Key* SimRegistry::find(const std::string& path) const {
    auto it = keys_.find(upper(path));
    return it == keys_.end() ? nullptr : &it->second;
}

SimRegistry::Key& SimRegistry::create(const std::string& path) {
    const std::string parent = parentOf(path);
    if (!parent.empty() && find(parent) == nullptr)
        create(parent);
    Key& key = keys_[upper(path)];
    if (key.path.empty())
        key.path = path;
    return key;
}

SimRegistry::Key* SimRegistry::keyOf(Handle key, std::uint32_t& error) {
    auto h = handles_.find(key);
    if (h == handles_.end()) {
        error = err::invalidHandle;
        return nullptr;
    }
    Key* k = find(h->second);
    if (k == nullptr)
        error = err::badDeviceOrKey; // deleted while open
    return k;
}

Handle SimRegistry::open(const std::string& path) {
    const Handle h = nextHandle_++;
    handles_[h] = upper(path);
    return h;
}

bool SimRegistry::deniedWrite(const std::string& path, std::uint32_t sam) const {
    const bool writes = (sam & (regsam::setValue | 0x0004 /* create subkey */ | 0x00010000)) != 0;
    return writes && !machine_.config().administrator && !isWin9x(machine_.config().os) &&
           upper(path).rfind("HKLM", 0) == 0;
}

std::uint32_t SimRegistry::RegOpenKeyExA(RootKey root, const std::string& subKey, std::uint32_t sam,
                                         Handle& key) {
    key = 0;
    if (const std::uint32_t e = machine_.faults().failCode("RegOpenKeyExA"))
        return e;
    const std::string path = nativePath(root, subKey, sam);
    const Key* k = find(path);
    if (k == nullptr)
        return err::fileNotFound;
    if (deniedWrite(path, sam))
        return err::accessDenied;
    key = open(k->path);
    return err::success;
}

std::uint32_t SimRegistry::RegCreateKeyExA(RootKey root, const std::string& subKey,
                                           std::uint32_t sam, Handle& key) {
    key = 0;
    if (const std::uint32_t e = machine_.faults().failCode("RegCreateKeyExA"))
        return e;
    const std::string path = nativePath(root, subKey, sam);
    if (deniedWrite(path, sam | regsam::setValue))
        return err::accessDenied;
    key = open(create(path).path);
    return err::success;
}

std::uint32_t SimRegistry::RegCloseKey(Handle key) {
    if (const std::uint32_t e = machine_.faults().failCode("RegCloseKey"))
        return e;
    return handles_.erase(key) == 1 ? err::success : err::invalidHandle;
}

std::uint32_t SimRegistry::RegQueryValueExA(Handle key, const std::string& name,
                                            std::uint32_t& type, std::vector<std::uint8_t>& data) {
    if (const std::uint32_t e = machine_.faults().failCode("RegQueryValueExA"))
        return e;
    std::uint32_t error = 0;
    Key* k = keyOf(key, error);
    if (k == nullptr)
        return error;
    for (const Value& v : k->values) {
        if (equalNoCase(v.name, name)) {
            type = v.type;
            data = v.data;
            return err::success;
        }
    }
    return err::fileNotFound;
}

std::uint32_t SimRegistry::RegSetValueExA(Handle key, const std::string& name, std::uint32_t type,
                                          const std::vector<std::uint8_t>& data) {
    if (const std::uint32_t e = machine_.faults().failCode("RegSetValueExA"))
        return e;
    std::uint32_t error = 0;
    Key* k = keyOf(key, error);
    if (k == nullptr)
        return error;
    setValue(k->path, name, type, data);
    return err::success;
}

std::uint32_t SimRegistry::RegDeleteValueA(Handle key, const std::string& name) {
    if (const std::uint32_t e = machine_.faults().failCode("RegDeleteValueA"))
        return e;
    std::uint32_t error = 0;
    Key* k = keyOf(key, error);
    if (k == nullptr)
        return error;
    auto it = std::find_if(k->values.begin(), k->values.end(),
                           [&](const Value& v) { return equalNoCase(v.name, name); });
    if (it == k->values.end())
        return err::fileNotFound;
    k->values.erase(it);
    return err::success;
}

std::uint32_t SimRegistry::RegDeleteKeyA(Handle key, const std::string& subKey) {
    if (const std::uint32_t e = machine_.faults().failCode("RegDeleteKeyA"))
        return e;
    // Redirection applies to the subkey's whole path, whatever view the
    // parent was opened in.
    return deleteKey(key, subKey, 0);
}

std::uint32_t SimRegistry::RegDeleteKeyExA(Handle key, const std::string& subKey,
                                           std::uint32_t sam) {
    if (const std::uint32_t e = machine_.faults().failCode("RegDeleteKeyExA"))
        return e;
    const SimConfig& c = machine_.config();
    if (!hasFunction(c.os, c.bits, "advapi32.dll", "RegDeleteKeyExA"))
        return err::callNotImplemented;
    return deleteKey(key, subKey, sam);
}

std::uint32_t SimRegistry::deleteKey(Handle key, const std::string& subKey, std::uint32_t sam) {
    std::uint32_t error = 0;
    const Key* parent = keyOf(key, error);
    if (parent == nullptr)
        return error;
    const std::string path = viewPath(cleanPath(parent->path + "\\" + subKey), sam);
    if (find(path) == nullptr)
        return err::fileNotFound;
    const std::string prefix = upper(path) + "\\";
    for (const auto& [k, v] : keys_) {
        if (k.rfind(prefix, 0) == 0)
            return err::accessDenied; // a key with subkeys cannot be deleted this way
    }
    keys_.erase(upper(path));
    return err::success;
}

std::uint32_t SimRegistry::RegEnumKeyExA(Handle key, std::uint32_t index, std::string& name) {
    if (const std::uint32_t e = machine_.faults().failCode("RegEnumKeyExA"))
        return e;
    auto h = handles_.find(key);
    if (h == handles_.end())
        return err::invalidHandle;
    const std::string prefix = h->second + "\\";
    std::uint32_t i = 0;
    for (const auto& [k, v] : keys_) {
        if (k.rfind(prefix, 0) == 0 && k.find('\\', prefix.size()) == std::string::npos) {
            if (i++ == index) {
                name = v.path.substr(prefix.size());
                return err::success;
            }
        }
    }
    return err::noMoreItems;
}

std::uint32_t SimRegistry::RegEnumValueA(Handle key, std::uint32_t index, std::string& name) {
    if (const std::uint32_t e = machine_.faults().failCode("RegEnumValueA"))
        return e;
    auto h = handles_.find(key);
    if (h == handles_.end())
        return err::invalidHandle;
    const Key* k = find(h->second);
    if (k == nullptr || index >= k->values.size())
        return err::noMoreItems;
    name = k->values[index].name;
    return err::success;
}

void SimRegistry::setValue(const std::string& keyPath, const std::string& name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
    Key& k = create(cleanPath(keyPath));
    for (Value& v : k.values) {
        if (equalNoCase(v.name, name)) {
            v.type = type;
            v.data = data;
            return;
        }
    }
    k.values.push_back(Value{name, type, data});
}

void SimRegistry::setDword(const std::string& keyPath, const std::string& name,
                           std::uint32_t value) {
    setValue(keyPath, name, regtype::dword,
             {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void SimRegistry::setString(const std::string& keyPath, const std::string& name,
                            const std::string& value) {
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    setValue(keyPath, name, regtype::sz, data);
}

void SimRegistry::createKey(const std::string& keyPath) {
    create(cleanPath(keyPath));
}

void SimRegistry::deleteTree(const std::string& keyPath) {
    const std::string key = upper(cleanPath(keyPath));
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == key || it->first.rfind(key + "\\", 0) == 0)
            it = keys_.erase(it);
        else
            ++it;
    }
}

bool SimRegistry::hasKey(const std::string& keyPath) const {
    return find(cleanPath(keyPath)) != nullptr;
}

const SimRegistry::Value* SimRegistry::findValue(const std::string& keyPath,
                                                 const std::string& name) const {
    const Key* k = find(cleanPath(keyPath));
    if (k == nullptr)
        return nullptr;
    for (const Value& v : k->values) {
        if (equalNoCase(v.name, name))
            return &v;
    }
    return nullptr;
}

bool SimRegistry::readDword(const std::string& keyPath, const std::string& name,
                            std::uint32_t& value) const {
    const Value* v = findValue(keyPath, name);
    if (v == nullptr || v->data.size() != 4)
        return false;
    value = v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) |
            (static_cast<std::uint32_t>(v->data[3]) << 24);
    return true;
}

bool SimRegistry::readString(const std::string& keyPath, const std::string& name,
                             std::string& value) const {
    const Value* v = findValue(keyPath, name);
    if (v == nullptr || (v->type != regtype::sz && v->type != regtype::expandSz))
        return false;
    value.assign(v->data.begin(), v->data.end());
    while (!value.empty() && value.back() == '\0')
        value.pop_back();
    return true;
}

std::vector<const SimRegistry::Key*> SimRegistry::keys() const {
    std::vector<const Key*> out;
    for (const auto& [k, v] : keys_)
        out.push_back(&v);
    return out;
}

void SimRegistry::save(std::ostream& out) const {
    for (const auto& [k, key] : keys_) {
        out << joinFields({"key", key.path}) << '\n';
        for (const Value& v : key.values)
            out << joinFields({"value", key.path, v.name, std::to_string(v.type), hexBytes(v.data)})
                << '\n';
    }
}

bool SimRegistry::load(std::istream& in) {
    keys_.clear();
    handles_.clear();
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitFields(line);
        if (f.size() == 2 && f[0] == "key") {
            createKey(f[1]);
        } else if (f.size() == 5 && f[0] == "value") {
            std::vector<std::uint8_t> data;
            if (!parseHexBytes(f[4], data))
                return false;
            setValue(f[1], f[2],
                     static_cast<std::uint32_t>(std::strtoul(f[3].c_str(), nullptr, 10)), data);
        } else if (!line.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace platform::sim

#pragma once

#include "platform/system_info.h"

#include <map>
#include <set>
#include <string>

namespace platform::sim {

class SimMachine;

class SimSystemInfo : public SystemInfo {
public:
    explicit SimSystemInfo(SimMachine& machine);

    bool GetVersionExA(OsVersionInfo& info) override;
    std::uint16_t GetNativeSystemInfo() override;
    std::uint16_t GetSystemInfo() override;
    bool IsWow64Process(bool& wow64) override;
    bool GetSystemDirectoryA(std::string& path) override;
    bool GetWindowsDirectoryA(std::string& path) override;
    bool GetCurrentDirectoryA(std::string& path) override;
    bool GetModuleFileNameA(std::string& path) override;
    bool GetTempPathA(std::string& path) override;
    Handle LoadLibraryA(const std::string& name) override;
    bool GetProcAddress(Handle module, const std::string& function) override;
    bool FreeLibrary(Handle module) override;
    bool FormatMessageA(std::uint32_t code, std::string& text) override;
    bool OpenThreadToken(Handle& token) override;
    bool OpenProcessToken(Handle& token) override;
    bool GetTokenGroups(Handle token, std::vector<std::string>& sids) override;
    bool CloseHandle(Handle handle) override;

    // Arranging the machine: a version record other than the edition's own
    // (e.g. an unknown platform id), a module that is missing or extra.
    void overrideVersion(const OsVersionInfo& info) { version_ = info; }
    void removeModule(const std::string& name);
    void addModule(const std::string& name);
    void removeFunction(const std::string& module, const std::string& function);
    std::size_t loadedModules() const { return loaded_.size(); }
    // The upper-case name of a module the program loaded; empty for any other handle.
    std::string moduleName(Handle module) const {
        auto it = loaded_.find(module);
        return it == loaded_.end() ? std::string() : it->second;
    }

private:
    SimMachine& machine_;
    OsVersionInfo version_;
    std::set<std::string> removedModules_, extraModules_, removedFunctions_;
    std::map<Handle, std::string> loaded_; // handle -> upper-case module name
    Handle nextModule_ = 0x10000000;
    std::set<Handle> tokens_;
    Handle nextToken_ = 0x700;
};

} // namespace platform::sim

#include "platform/sim/sim_system_info.h"

#include "platform/sim/sim_machine.h"
#include "platform/sim/system_texts.h"
#include "platform/sim/sim_text.h"

namespace platform::sim {
namespace {

const char* const administratorsSid = "S-1-5-32-544";

} // namespace

SimSystemInfo::SimSystemInfo(SimMachine& machine)
    : machine_(machine), version_(versionRecord(machine.config().os)) {}

bool SimSystemInfo::GetVersionExA(OsVersionInfo& info) {
    if (machine_.faults().fail("GetVersionExA", machine_))
        return false;
    info = version_;
    return true;
}

std::uint16_t SimSystemInfo::GetNativeSystemInfo() {
    return machine_.is64BitWindows() ? arch::amd64 : arch::intel;
}

std::uint16_t SimSystemInfo::GetSystemInfo() {
    // A 32-bit program on 64-bit Windows is told it runs on an x86 processor.
    return machine_.is64BitWindows() && machine_.config().processBits == 64 ? arch::amd64
                                                                            : arch::intel;
}

bool SimSystemInfo::IsWow64Process(bool& wow64) {
    if (machine_.faults().fail("IsWow64Process", machine_))
        return false;
    wow64 = machine_.isWow64Process();
    return true;
}

bool SimSystemInfo::GetSystemDirectoryA(std::string& path) {
    if (machine_.faults().fail("GetSystemDirectoryA", machine_))
        return false;
    path = machine_.systemDirectory();
    return true;
}

bool SimSystemInfo::GetWindowsDirectoryA(std::string& path) {
    if (machine_.faults().fail("GetWindowsDirectoryA", machine_))
        return false;
    path = machine_.windowsDirectory();
    return true;
}

bool SimSystemInfo::GetCurrentDirectoryA(std::string& path) {
    if (machine_.faults().fail("GetCurrentDirectoryA", machine_))
        return false;
    path = machine_.simFiles().currentDirectory();
    return true;
}

bool SimSystemInfo::GetModuleFileNameA(std::string& path) {
    if (machine_.faults().fail("GetModuleFileNameA", machine_))
        return false;
    path = machine_.config().programFolder + "\\" + machine_.config().programName;
    return true;
}

bool SimSystemInfo::GetTempPathA(std::string& path) {
    if (machine_.faults().fail("GetTempPathA", machine_))
        return false;
    path = tempFolder(machine_.config().os);
    return true;
}

Handle SimSystemInfo::LoadLibraryA(const std::string& name) {
    if (machine_.faults().fail("LoadLibraryA", machine_))
        return 0;
    std::string module = name;
    const std::size_t slash = module.find_last_of("\\/");
    if (slash != std::string::npos) {
        // A full path names the module only where it really lies.
        if (!equalNoCase(module.substr(0, slash), machine_.systemDirectory())) {
            machine_.SetLastError(err::modNotFound);
            return 0;
        }
        module = module.substr(slash + 1);
    }
    const std::string up = upper(module);
    const bool present = removedModules_.count(up) == 0 &&
                         (hasModule(machine_.config().os, up) || extraModules_.count(up) != 0 ||
                          (up == "KVUSBINT.DLL" && machine_.simUsb().libraryPresent()));
    if (!present) {
        machine_.SetLastError(err::modNotFound);
        return 0;
    }
    const Handle h = nextModule_++;
    loaded_[h] = up;
    return h;
}

bool SimSystemInfo::GetProcAddress(Handle module, const std::string& function) {
    if (machine_.faults().fail("GetProcAddress", machine_))
        return false;
    auto it = loaded_.find(module);
    if (it == loaded_.end()) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    const SimConfig& c = machine_.config();
    bool present = removedFunctions_.count(it->second + "!" + function) == 0;
    if (present && it->second == "KVUSBINT.DLL")
        present = machine_.simUsb().hasFunction(function);
    else if (present)
        present = hasFunction(c.os, c.bits, it->second, function);
    if (!present)
        machine_.SetLastError(err::procNotFound);
    return present;
}

bool SimSystemInfo::FreeLibrary(Handle module) {
    if (machine_.faults().fail("FreeLibrary", machine_))
        return false;
    if (loaded_.erase(module) == 0) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    return true;
}

bool SimSystemInfo::FormatMessageA(std::uint32_t code, std::string& text) {
    const char* found = systemErrorText(code);
    if (found == nullptr) {
        machine_.SetLastError(317); // ERROR_MR_MID_NOT_FOUND
        return false;
    }
    text = found;
    return true;
}

bool SimSystemInfo::OpenThreadToken(Handle& token) {
    if (machine_.faults().fail("OpenThreadToken", machine_))
        return false;
    // The programs never impersonate: their threads have no token of their own.
    machine_.SetLastError(err::noToken);
    token = 0;
    return false;
}

bool SimSystemInfo::OpenProcessToken(Handle& token) {
    if (machine_.faults().fail("OpenProcessToken", machine_))
        return false;
    token = nextToken_++;
    tokens_.insert(token);
    return true;
}

bool SimSystemInfo::GetTokenGroups(Handle token, std::vector<std::string>& sids) {
    if (machine_.faults().fail("GetTokenInformation", machine_))
        return false;
    if (tokens_.count(token) == 0) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    sids = {"S-1-5-21-1004336348-1177238915-682003330-513", "S-1-1-0", "S-1-5-32-545", "S-1-5-4",
            "S-1-5-11"};
    if (machine_.config().administrator)
        sids.insert(sids.begin() + 2, administratorsSid);
    return true;
}

bool SimSystemInfo::CloseHandle(Handle handle) {
    if (machine_.faults().fail("CloseHandle", machine_))
        return false;
    if (tokens_.erase(handle) == 0) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    return true;
}

void SimSystemInfo::removeModule(const std::string& name) {
    removedModules_.insert(upper(name));
}
void SimSystemInfo::addModule(const std::string& name) {
    extraModules_.insert(upper(name));
}
void SimSystemInfo::removeFunction(const std::string& module, const std::string& function) {
    removedFunctions_.insert(upper(module) + "!" + function);
}

} // namespace platform::sim

#include "platform/sim/sim_machine.h"

#include "platform/sim/system_layout.h"

#include <filesystem>
#include <map>

namespace platform::sim {
namespace {

thread_local std::map<const SimMachine*, std::uint32_t> lastErrors;

} // namespace

SimMachine::SimMachine(SimConfig config) : config_(std::move(config)) {
    // A drive that exists already belongs to a machine about to be loaded:
    // what its user did to the system's files stays as it is.
    std::error_code ec;
    const bool fresh = !std::filesystem::exists(std::filesystem::path(config_.root) / "C", ec);
    clock_ = std::make_unique<SimClock>();
    registry_ = std::make_unique<SimRegistry>(*this);
    files_ = std::make_unique<SimFiles>(*this);
    system_ = std::make_unique<SimSystemInfo>(*this);
    desktop_ = std::make_unique<SimDesktop>(*this);
    profiles_ = std::make_unique<SimProfileFiles>(*this);
    spooler_ = std::make_unique<SimSpooler>(*this);
    services_ = std::make_unique<SimServices>(*this);
    deviceSetup_ = std::make_unique<SimDeviceSetup>(*this);
    usb_ = std::make_unique<SimUsbLibrary>(*this);

    // The folders every installation of this edition has.
    const std::string windows = windowsDirectory(), system = systemDirectory();
    for (const std::string& folder :
         {windows, system, system + "\\drivers", windows + "\\inf", windows + "\\Fonts"})
        files_->makeDirectories(folder);
    if (is64BitWindows())
        files_->makeDirectories(windows + "\\SysWOW64");
    files_->makeDirectories(tempFolder(config_.os));
    if (fresh)
        layOutSystemFiles(*this);
}

SimMachine::~SimMachine() {
    lastErrors.erase(this);
}

std::uint32_t SimMachine::GetLastError() {
    auto it = lastErrors.find(this);
    return it == lastErrors.end() ? 0 : it->second;
}

void SimMachine::SetLastError(std::uint32_t code) {
    lastErrors[this] = code;
}

std::string SimMachine::windowsDirectory() const {
    return windowsFolder(config_.os);
}

std::string SimMachine::systemDirectory() const {
    return systemFolder(config_.os);
}

} // namespace platform::sim

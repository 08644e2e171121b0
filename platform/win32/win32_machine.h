#pragma once

#include "platform/machine.h"

#include <memory>

namespace platform::win32 {

// The real machine.
class Win32Machine : public Machine {
public:
    Win32Machine();
    ~Win32Machine() override;

    Registry& registry() override { return *registry_; }
    Files& files() override { return *files_; }
    SystemInfo& system() override { return *system_; }
    Desktop& desktop() override { return *desktop_; }
    ProfileFiles& profiles() override { return *profiles_; }
    Clock& clock() override { return *clock_; }
    Spooler& spooler() override { return *spooler_; }
    Services& services() override { return *services_; }
    DeviceSetup& deviceSetup() override { return *deviceSetup_; }
    UsbInterfaceLibrary& usb() override { return *usb_; }
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;

private:
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<Files> files_;
    std::unique_ptr<SystemInfo> system_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<ProfileFiles> profiles_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Spooler> spooler_;
    std::unique_ptr<Services> services_;
    std::unique_ptr<DeviceSetup> deviceSetup_;
    std::unique_ptr<UsbInterfaceLibrary> usb_;
};

} // namespace platform::win32

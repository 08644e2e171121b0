#pragma once

#include "platform/usb_library.h"

#include <string>

namespace platform::sim {

class SimMachine;

// The maker's USB interface library as the simulated machine has it.
class SimUsbLibrary : public UsbInterfaceLibrary {
public:
    explicit SimUsbLibrary(SimMachine& machine) : machine_(machine) {}

    // Whether KvUsbInt.dll can be loaded, and which of its functions it exports.
    bool libraryPresent() const { return present_; }
    void setLibraryPresent(bool present) { present_ = present; }
    bool hasFunction(const std::string& name) const {
        return name == "OpenDeviceX" || name == "GetDescriptor" || name == "uWrite" ||
               name == "CloseDevice";
    }

    std::int32_t OpenDeviceX(Handle /*library*/, std::int32_t /*index*/) override { return 0; }
    std::int32_t GetDescriptor(Handle /*library*/, std::int32_t /*device*/,
                               std::vector<std::uint8_t>& /*descriptor*/) override {
        return 0;
    }
    std::int32_t uWrite(Handle /*library*/, std::int32_t /*device*/, std::int32_t /*reserved*/,
                        const std::vector<std::uint8_t>& /*bytes*/) override {
        return 0;
    }
    void CloseDevice(Handle /*library*/, std::int32_t /*device*/) override {}

private:
    [[maybe_unused]] SimMachine& machine_;
    bool present_ = true;
};

}  // namespace platform::sim

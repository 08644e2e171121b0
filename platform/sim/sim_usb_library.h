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

private:
    [[maybe_unused]] SimMachine& machine_;
    bool present_ = true;
};

}  // namespace platform::sim

// The maker's USB interface library, called through the functions of the
// module the program loaded.
#pragma once

#include "platform/usb_library.h"

namespace platform::win32 {

class Win32UsbLibrary : public UsbInterfaceLibrary {
public:
    std::int32_t OpenDeviceX(Handle library, std::int32_t index) override;
    std::int32_t GetDescriptor(Handle library, std::int32_t device,
                               std::vector<std::uint8_t>& descriptor) override;
    std::int32_t uWrite(Handle library, std::int32_t device, std::int32_t reserved,
                        const std::vector<std::uint8_t>& bytes) override;
    void CloseDevice(Handle library, std::int32_t device) override;
};

} // namespace platform::win32

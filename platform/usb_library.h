#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <vector>

namespace platform {

// The functions of the maker's USB interface library KvUsbInt.dll, called on a
// module the caller loaded with SystemInfo::LoadLibraryA and whose functions it
// looked up with SystemInfo::GetProcAddress. All take and return 32-bit values.
class UsbInterfaceLibrary {
public:
    virtual ~UsbInterfaceLibrary() = default;
    // A device handle; 0 or -1 means no printer at that index (0..7).
    virtual std::int32_t OpenDeviceX(Handle library, std::int32_t index) = 0;
    // Non-zero on success; `descriptor` then holds the 20-byte buffer the call
    // filled (the printer's 18-byte standard device descriptor first).
    virtual std::int32_t GetDescriptor(Handle library, std::int32_t device,
                                       std::vector<std::uint8_t>& descriptor) = 0;
    // Greater than 0 when the bytes went to the printer.
    virtual std::int32_t uWrite(Handle library, std::int32_t device, std::int32_t reserved,
                                const std::vector<std::uint8_t>& bytes) = 0;
    virtual void CloseDevice(Handle library, std::int32_t device) = 0;
};

} // namespace platform

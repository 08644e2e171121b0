#pragma once

#include "platform/usb_library.h"
#include "platform/win_types.h"

namespace platform::win32 {

// Not wired to the system yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
class Win32UsbLibrary : public UsbInterfaceLibrary {
public:
    std::int32_t OpenDeviceX(Handle /*library*/, std::int32_t /*index*/) override { notImplemented(); return 0; }
    std::int32_t GetDescriptor(Handle /*library*/, std::int32_t /*device*/, std::vector<std::uint8_t>& /*descriptor*/) override { notImplemented(); return 0; }
    std::int32_t uWrite(Handle /*library*/, std::int32_t /*device*/, std::int32_t /*reserved*/, const std::vector<std::uint8_t>& /*bytes*/) override { notImplemented(); return 0; }
    void CloseDevice(Handle /*library*/, std::int32_t /*device*/) override {}

private:
    static void notImplemented();
};

}  // namespace platform::win32

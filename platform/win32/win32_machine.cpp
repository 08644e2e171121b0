#include "platform/win32/win32_machine.h"

#include "platform/win32/win32_areas.h"
#include "platform/win32/win32_device_setup.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_spooler.h"
#include "platform/win32/win32_usb_library.h"

#include <windows.h>

namespace platform::win32 {

Win32Machine::Win32Machine()
    : registry_(std::make_unique<Win32Registry>()), files_(std::make_unique<Win32Files>()),
      system_(std::make_unique<Win32SystemInfo>()), desktop_(std::make_unique<Win32Desktop>()),
      profiles_(std::make_unique<Win32ProfileFiles>()), clock_(std::make_unique<Win32Clock>()),
      spooler_(std::make_unique<Win32Spooler>()), services_(std::make_unique<Win32Services>()),
      deviceSetup_(std::make_unique<Win32DeviceSetup>()),
      usb_(std::make_unique<Win32UsbLibrary>()) {}

Win32Machine::~Win32Machine() = default;

std::uint32_t Win32Machine::GetLastError() {
    return ::GetLastError();
}

void Win32Machine::SetLastError(std::uint32_t code) {
    ::SetLastError(code);
}

} // namespace platform::win32

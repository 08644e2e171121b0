#pragma once

#include "platform/usb_library.h"

namespace platform::win32 {

class Win32UsbLibrary : public UsbInterfaceLibrary {};

}  // namespace platform::win32

#include "platform/win32/win32_usb_library.h"

#include <windows.h>

namespace platform::win32 {

void Win32UsbLibrary::notImplemented() { ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED); }

}  // namespace platform::win32

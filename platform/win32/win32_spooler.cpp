#include "platform/win32/win32_spooler.h"

#include <windows.h>

namespace platform::win32 {

void Win32Spooler::notImplemented() { ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED); }

}  // namespace platform::win32

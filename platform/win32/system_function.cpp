#include "platform/win32/system_function.h"

namespace platform::win32 {

FARPROC systemFunction(const char* module, const char* name) {
    HMODULE loaded = ::GetModuleHandleA(module);
    if (loaded == nullptr)
        loaded = ::LoadLibraryA(module);
    const FARPROC function = loaded == nullptr ? nullptr : ::GetProcAddress(loaded, name);
    if (function == nullptr)
        ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return function;
}

} // namespace platform::win32

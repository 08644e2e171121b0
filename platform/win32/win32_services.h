#pragma once

#include "platform/services.h"
#include "platform/win_types.h"

namespace platform::win32 {

// Not wired to the system yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
class Win32Services : public Services {
public:
    Handle OpenSCManagerA(std::uint32_t /*access*/) override { notImplemented(); return 0; }
    Handle OpenServiceA(Handle /*manager*/, const std::string& /*name*/, std::uint32_t /*access*/) override { notImplemented(); return 0; }
    bool ControlService(Handle /*service*/, std::uint32_t /*control*/, std::uint32_t& /*state*/) override { notImplemented(); return false; }
    bool StartServiceA(Handle /*service*/) override { notImplemented(); return false; }
    bool QueryServiceStatus(Handle /*service*/, std::uint32_t& /*state*/) override { notImplemented(); return false; }
    bool CloseServiceHandle(Handle /*handle*/) override { notImplemented(); return false; }

private:
    static void notImplemented();
};

}  // namespace platform::win32

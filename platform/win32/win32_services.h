// The real service control manager (advapi32), one adapter per call.
#pragma once

#include "platform/services.h"

namespace platform::win32 {

class Win32Services : public Services {
public:
    Handle OpenSCManagerA(std::uint32_t access) override;
    Handle OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) override;
    bool ControlService(Handle service, std::uint32_t control, std::uint32_t& state) override;
    bool StartServiceA(Handle service) override;
    bool QueryServiceStatus(Handle service, std::uint32_t& state) override;
    bool CloseServiceHandle(Handle handle) override;
};

} // namespace platform::win32

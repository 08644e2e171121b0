#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>

namespace platform {

// Service states of SERVICE_STATUS.dwCurrentState.
namespace servicestate {
inline constexpr std::uint32_t stopped = 1;
inline constexpr std::uint32_t startPending = 2;
inline constexpr std::uint32_t stopPending = 3;
inline constexpr std::uint32_t running = 4;
}  // namespace servicestate

// The service control manager (advapi32). Handles are 0 on failure, with the
// reason in the last error.
class Services {
public:
    virtual ~Services() = default;
    virtual Handle OpenSCManagerA(std::uint32_t access) = 0;
    virtual Handle OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) = 0;
    // ControlService with SERVICE_CONTROL_STOP (1) and the others; the state the
    // service reports afterwards comes back in `state`.
    virtual bool ControlService(Handle service, std::uint32_t control, std::uint32_t& state) = 0;
    virtual bool StartServiceA(Handle service) = 0;
    virtual bool QueryServiceStatus(Handle service, std::uint32_t& state) = 0;
    virtual bool CloseServiceHandle(Handle handle) = 0;
};

}  // namespace platform

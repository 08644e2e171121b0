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
} // namespace servicestate

// Access rights of OpenSCManagerA and OpenServiceA.
namespace serviceaccess {
inline constexpr std::uint32_t managerConnect = 0x0001;    // SC_MANAGER_CONNECT
inline constexpr std::uint32_t managerAllAccess = 0xF003F; // SC_MANAGER_ALL_ACCESS
inline constexpr std::uint32_t queryStatus = 0x0004;       // SERVICE_QUERY_STATUS
inline constexpr std::uint32_t start = 0x0010;             // SERVICE_START
inline constexpr std::uint32_t stop = 0x0020;              // SERVICE_STOP
inline constexpr std::uint32_t interrogate = 0x0080;       // SERVICE_INTERROGATE
inline constexpr std::uint32_t allAccess = 0xF01FF;        // SERVICE_ALL_ACCESS
inline constexpr std::uint32_t genericAll = 0x10000000;
inline constexpr std::uint32_t genericExecute = 0x20000000;
inline constexpr std::uint32_t genericRead = 0x80000000;
} // namespace serviceaccess

// ControlService codes.
namespace servicecontrol {
inline constexpr std::uint32_t stop = 1;
inline constexpr std::uint32_t pause = 2;
inline constexpr std::uint32_t resume = 3; // SERVICE_CONTROL_CONTINUE
inline constexpr std::uint32_t interrogate = 4;
} // namespace servicecontrol

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

} // namespace platform

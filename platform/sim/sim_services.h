#pragma once

#include "platform/services.h"
#include "platform/win_types.h"

namespace platform::sim {

class SimMachine;

// Not simulated yet: every call fails as a system without it would.
class SimServices : public Services {
public:
    explicit SimServices(SimMachine& machine);
    Handle OpenSCManagerA(std::uint32_t /*access*/) override { notImplemented(); return 0; }
    Handle OpenServiceA(Handle /*manager*/, const std::string& /*name*/, std::uint32_t /*access*/) override { notImplemented(); return 0; }
    bool ControlService(Handle /*service*/, std::uint32_t /*control*/, std::uint32_t& /*state*/) override { notImplemented(); return false; }
    bool StartServiceA(Handle /*service*/) override { notImplemented(); return false; }
    bool QueryServiceStatus(Handle /*service*/, std::uint32_t& /*state*/) override { notImplemented(); return false; }
    bool CloseServiceHandle(Handle /*handle*/) override { notImplemented(); return false; }

private:
    void notImplemented();
    SimMachine& machine_;
};

}  // namespace platform::sim

#pragma once

#include "platform/services.h"
#include "platform/win_types.h"

#include <iosfwd>
#include <map>
#include <string>

namespace platform::sim {

class SimMachine;

// The service control manager of the simulated machine, which knows one
// service: the "Spooler". Stopping it releases the files the spooler holds and
// makes every spooler call fail as on Windows; starting it loads the monitors
// and print processors named in the registry again. It can be told to start
// slowly (start-pending for a number of status queries) or to refuse to start.
// Windows 9x has no service control manager.
class SimServices : public Services {
public:
    explicit SimServices(SimMachine& machine);

    Handle OpenSCManagerA(std::uint32_t access) override;
    Handle OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) override;
    bool ControlService(Handle service, std::uint32_t control, std::uint32_t& state) override;
    bool StartServiceA(Handle service) override;
    bool QueryServiceStatus(Handle service, std::uint32_t& state) override;
    bool CloseServiceHandle(Handle handle) override;

    // Arranging and inspecting; no faults, no access checks.
    std::uint32_t spoolerState() const { return state_; }
    bool spoolerRunning() const;
    void stopSpooler();
    void startSpooler(); // running at once, whatever the switches say
    // The next starts stay start-pending for this many status queries.
    void setStartDelay(unsigned queries) { startDelay_ = queries; }
    // The next starts fail with this error (0: they succeed again).
    void refuseStart(std::uint32_t error) { refuseError_ = error; }
    unsigned startDelay() const { return startDelay_; }
    std::uint32_t refuseError() const { return refuseError_; }
    std::size_t openHandles() const { return handles_.size(); }

    // Open handles are the program's and are not kept.
    void save(std::ostream& out) const;
    bool load(std::istream& in, std::string& error);

private:
    struct OpenHandle {
        bool manager = false;
        std::uint32_t access = 0;
    };
    bool fail(const char* call);
    bool done(bool ok, std::uint32_t error);
    const OpenHandle* service(Handle handle, std::uint32_t right);
    void becomeRunning();

    SimMachine& machine_;
    std::uint32_t state_ = servicestate::running;
    unsigned startDelay_ = 0;
    unsigned pendingQueries_ = 0;
    std::uint32_t refuseError_ = 0;
    std::map<Handle, OpenHandle> handles_;
    Handle nextHandle_ = 0x4000;
};

} // namespace platform::sim

#include "common/spooler_service.h"

#include "platform/machine.h"

namespace common {
namespace {

constexpr std::uint32_t managerAllAccess = 0xF003F; // SC_MANAGER_ALL_ACCESS
constexpr std::uint32_t serviceAllAccess = 0xF01FF; // SERVICE_ALL_ACCESS
constexpr std::uint32_t controlStop = 1;            // SERVICE_CONTROL_STOP

// The service opened for one operation; the handles are closed on every path.
class SpoolerHandle {
public:
    explicit SpoolerHandle(platform::Machine& machine) : machine_(machine) {
        manager_ = machine_.services().OpenSCManagerA(managerAllAccess);
        if (manager_ != 0)
            service_ = machine_.services().OpenServiceA(manager_, "Spooler", serviceAllAccess);
        error_ = service_ == 0 ? machine_.GetLastError() : 0;
    }
    ~SpoolerHandle() {
        if (service_ != 0)
            machine_.services().CloseServiceHandle(service_);
        if (manager_ != 0)
            machine_.services().CloseServiceHandle(manager_);
    }
    SpoolerHandle(const SpoolerHandle&) = delete;
    SpoolerHandle& operator=(const SpoolerHandle&) = delete;

    platform::Handle service() const { return service_; }
    std::uint32_t openError() const { return error_; }

private:
    platform::Machine& machine_;
    platform::Handle manager_ = 0;
    platform::Handle service_ = 0;
    std::uint32_t error_ = 0;
};

} // namespace

namespace {

void askToStop(platform::Machine& machine) {
    SpoolerHandle spooler(machine);
    std::uint32_t state = 0;
    if (spooler.service() != 0)
        machine.services().ControlService(spooler.service(), controlStop, state);
}

} // namespace

void stopSpooler(platform::Machine& machine) {
    askToStop(machine);
    machine.clock().Sleep(100);
}

void restartSpooler(platform::Machine& machine) {
    askToStop(machine);
    machine.clock().Sleep(2000);
    std::string ignored;
    startSpooler(machine, ignored);
}

bool startSpooler(platform::Machine& machine, std::string& error) {
    SpoolerHandle spooler(machine);
    std::uint32_t code = spooler.openError();
    if (spooler.service() != 0) {
        if (machine.services().StartServiceA(spooler.service()))
            return true;
        code = machine.GetLastError();
    }
    if (code == platform::err::serviceAlreadyRunning)
        return true;
    error = "Start spool service error, error code = " + std::to_string(code);
    return false;
}

std::uint32_t waitForSpooler(platform::Machine& machine, std::string& error) {
    std::uint32_t state = platform::servicestate::stopped;
    {
        SpoolerHandle spooler(machine);
        if (spooler.service() != 0) {
            for (int attempt = 0; attempt < 10; ++attempt) {
                if (machine.services().QueryServiceStatus(spooler.service(), state) &&
                    state == platform::servicestate::running)
                    return state;
                if (attempt < 9)
                    machine.clock().Sleep(300);
            }
        }
    }
    error = "StartSpoolService error";
    return state;
}

bool ensureSpoolerRunning(platform::Machine& machine, OsVariant os, std::string& error) {
    if (os == osWin9x)
        return true; // no service control
    std::uint32_t state = 0;
    {
        SpoolerHandle spooler(machine);
        if (spooler.service() == 0 ||
            !machine.services().QueryServiceStatus(spooler.service(), state) ||
            state != platform::servicestate::stopped)
            return true;
    }
    if (!startSpooler(machine, error))
        return false;
    if (waitForSpooler(machine, error) != platform::servicestate::running)
        return false;
    error.clear();
    return true;
}

} // namespace common

#include "setup/engine/spooler_service.h"

#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "common/os_variant.h"
#include "common/os_variant.h"

namespace setup {
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

void stopSpooler(InstallSession& session) {
    {
        SpoolerHandle spooler(session.machine);
        std::uint32_t state = 0;
        if (spooler.service() != 0)
            session.machine.services().ControlService(spooler.service(), controlStop, state);
    }
    session.machine.clock().Sleep(100);
}

bool startSpooler(InstallSession& session) {
    SpoolerHandle spooler(session.machine);
    std::uint32_t code = spooler.openError();
    if (spooler.service() != 0) {
        if (session.machine.services().StartServiceA(spooler.service()))
            return true;
        code = session.machine.GetLastError();
    }
    if (code == platform::err::serviceAlreadyRunning)
        return true;
    session.error = "Start spool service error, error code = " + std::to_string(code);
    return false;
}

std::uint32_t waitForSpooler(InstallSession& session) {
    std::uint32_t state = platform::servicestate::stopped;
    {
        SpoolerHandle spooler(session.machine);
        if (spooler.service() != 0) {
            for (int attempt = 0; attempt < 10; ++attempt) {
                if (session.machine.services().QueryServiceStatus(spooler.service(), state) &&
                    state == platform::servicestate::running)
                    return state;
                if (attempt < 9)
                    session.machine.clock().Sleep(300);
            }
        }
    }
    session.error = "StartSpoolService error";
    return state;
}

bool ensureSpoolerRunning(InstallSession& session) {
    if (session.os == common::osWin9x)
        return true; // no service control
    std::uint32_t state = 0;
    {
        SpoolerHandle spooler(session.machine);
        if (spooler.service() == 0 ||
            !session.machine.services().QueryServiceStatus(spooler.service(), state) ||
            state != platform::servicestate::stopped)
            return true;
    }
    if (!startSpooler(session))
        return false;
    if (waitForSpooler(session) != platform::servicestate::running)
        return false;
    session.error.clear();
    return true;
}

} // namespace setup

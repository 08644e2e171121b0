#include "platform/sim/sim_services.h"

#include "platform/sim/saved_state.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <istream>
#include <ostream>

namespace platform::sim {
namespace {

// What the generic rights stand for on a service (the service's generic mapping).
std::uint32_t mapped(std::uint32_t access) {
    if (access & serviceaccess::genericAll)
        access |= serviceaccess::allAccess;
    if (access & serviceaccess::genericRead)
        access |= serviceaccess::queryStatus;
    if (access & serviceaccess::genericExecute)
        access |= serviceaccess::start | serviceaccess::stop | serviceaccess::interrogate;
    return access;
}

// Rights only an administrator is granted.
constexpr std::uint32_t managerAdminRights =
    0xF003F & ~(serviceaccess::managerConnect | 0x0004 | 0x0010);
constexpr std::uint32_t serviceAdminRights =
    serviceaccess::start | serviceaccess::stop | 0x0002 | 0x00010000;

const char* stateName(std::uint32_t state) {
    switch (state) {
    case servicestate::stopped:
        return "stopped";
    case servicestate::startPending:
        return "start-pending";
    case servicestate::stopPending:
        return "stop-pending";
    default:
        return "running";
    }
}

} // namespace

SimServices::SimServices(SimMachine& machine) : machine_(machine) {}

bool SimServices::fail(const char* call) {
    return machine_.faults().fail(call, machine_);
}

bool SimServices::done(bool ok, std::uint32_t error) {
    if (!ok)
        machine_.SetLastError(error);
    return ok;
}

bool SimServices::spoolerRunning() const {
    return isWin9x(machine_.config().os) || state_ == servicestate::running;
}

void SimServices::becomeRunning() {
    state_ = servicestate::running;
    pendingQueries_ = 0;
    machine_.simSpooler().serviceStarted();
}

void SimServices::stopSpooler() {
    state_ = servicestate::stopped;
    pendingQueries_ = 0;
    machine_.simSpooler().serviceStopped();
}

void SimServices::startSpooler() {
    becomeRunning();
}

Handle SimServices::OpenSCManagerA(std::uint32_t access) {
    if (fail("OpenSCManagerA"))
        return 0;
    if (isWin9x(machine_.config().os))
        return done(false, err::callNotImplemented), 0;
    if (!machine_.config().administrator &&
        (access & (managerAdminRights | serviceaccess::genericAll)))
        return done(false, err::accessDenied), 0;
    const Handle h = nextHandle_++;
    handles_[h] = OpenHandle{true, access};
    return h;
}

Handle SimServices::OpenServiceA(Handle manager, const std::string& name, std::uint32_t access) {
    if (fail("OpenServiceA"))
        return 0;
    auto m = handles_.find(manager);
    if (m == handles_.end() || !m->second.manager)
        return done(false, err::invalidHandle), 0;
    if (!equalNoCase(name, "Spooler"))
        return done(false, err::serviceDoesNotExist), 0;
    const std::uint32_t rights = mapped(access);
    if (!machine_.config().administrator && (rights & serviceAdminRights))
        return done(false, err::accessDenied), 0;
    const Handle h = nextHandle_++;
    handles_[h] = OpenHandle{false, rights};
    return h;
}

const SimServices::OpenHandle* SimServices::service(Handle handle, std::uint32_t right) {
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.manager) {
        machine_.SetLastError(err::invalidHandle);
        return nullptr;
    }
    if ((it->second.access & right) != right) {
        machine_.SetLastError(err::accessDenied);
        return nullptr;
    }
    return &it->second;
}

bool SimServices::ControlService(Handle handle, std::uint32_t control, std::uint32_t& state) {
    if (fail("ControlService"))
        return false;
    switch (control) {
    case servicecontrol::stop:
        if (service(handle, serviceaccess::stop) == nullptr)
            return false;
        if (state_ == servicestate::stopped)
            return done(false, err::serviceNotActive);
        if (state_ == servicestate::startPending)
            return done(false, err::serviceCannotAcceptCtrl);
        // The spooler stops at once here; the caller sees it already stopped.
        stopSpooler();
        state = state_;
        return true;
    case servicecontrol::interrogate:
        if (service(handle, serviceaccess::interrogate) == nullptr)
            return false;
        if (state_ == servicestate::stopped)
            return done(false, err::serviceNotActive);
        state = state_;
        return true;
    case servicecontrol::pause:
    case servicecontrol::resume:
        if (service(handle, 0x0040 /* SERVICE_PAUSE_CONTINUE */) == nullptr)
            return false;
        return done(false, err::invalidServiceControl);
    default:
        return done(false, err::invalidParameter);
    }
}

bool SimServices::StartServiceA(Handle handle) {
    if (fail("StartServiceA"))
        return false;
    if (service(handle, serviceaccess::start) == nullptr)
        return false;
    if (state_ != servicestate::stopped)
        return done(false, err::serviceAlreadyRunning);
    if (refuseError_ != 0)
        return done(false, refuseError_);
    if (startDelay_ == 0) {
        becomeRunning();
    } else {
        state_ = servicestate::startPending;
        pendingQueries_ = startDelay_;
    }
    return true;
}

bool SimServices::QueryServiceStatus(Handle handle, std::uint32_t& state) {
    if (fail("QueryServiceStatus"))
        return false;
    if (service(handle, serviceaccess::queryStatus) == nullptr)
        return false;
    if (state_ == servicestate::startPending) {
        if (pendingQueries_ == 0)
            becomeRunning();
        else
            --pendingQueries_;
    }
    state = state_;
    return true;
}

bool SimServices::CloseServiceHandle(Handle handle) {
    if (fail("CloseServiceHandle"))
        return false;
    return done(handles_.erase(handle) == 1, err::invalidHandle);
}

void SimServices::save(std::ostream& out) const {
    out << joinFields({"service", "Spooler", stateName(state_), std::to_string(pendingQueries_),
                       std::to_string(startDelay_), std::to_string(refuseError_)})
        << '\n';
}

bool SimServices::load(std::istream& in, std::string& error) {
    SavedLines lines(in);
    std::vector<std::string> f;
    while (lines.next(f)) {
        std::uint64_t pending = 0, delay = 0, refuse = 0;
        if (f.size() != 6 || f[0] != "service" || !equalNoCase(f[1], "Spooler") ||
            !parseNumber(f[3], 1000000, pending) || !parseNumber(f[4], 1000000, delay) ||
            !parseNumber(f[5], 0xFFFFFFFF, refuse))
            return lines.refuse(error, "not a service line");
        std::uint32_t state = 0;
        for (std::uint32_t s : {servicestate::stopped, servicestate::startPending,
                                servicestate::stopPending, servicestate::running}) {
            if (f[2] == stateName(s))
                state = s;
        }
        if (state == 0 || state == servicestate::stopPending)
            return lines.refuse(error, "unknown service state '" + f[2] + "'");
        state_ = state;
        pendingQueries_ = static_cast<unsigned>(pending);
        startDelay_ = static_cast<unsigned>(delay);
        refuseError_ = static_cast<std::uint32_t>(refuse);
    }
    return true;
}

} // namespace platform::sim

// The simulated service control manager and its one service, the Spooler.
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

struct Opened {
    Handle manager = 0;
    Handle service = 0;
};

Opened openSpooler(Services& s, std::uint32_t access = serviceaccess::allAccess) {
    Opened o;
    o.manager = s.OpenSCManagerA(serviceaccess::managerAllAccess);
    o.service = o.manager == 0 ? 0 : s.OpenServiceA(o.manager, "Spooler", access);
    return o;
}

} // namespace

TEST(SimServices, StopAndStartTheSpoolerAsAnInstallerDoes) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    Services& s = m.services();
    const Opened o = openSpooler(s);
    ASSERT_NE(0u, o.service);
    std::uint32_t state = 0;
    ASSERT_TRUE(s.QueryServiceStatus(o.service, state));
    EXPECT_EQ(servicestate::running, state);
    ASSERT_TRUE(s.ControlService(o.service, servicecontrol::stop, state));
    ASSERT_TRUE(s.QueryServiceStatus(o.service, state));
    EXPECT_EQ(servicestate::stopped, state);
    EXPECT_FALSE(s.ControlService(o.service, servicecontrol::stop, state));
    EXPECT_EQ(err::serviceNotActive, m.GetLastError());
    ASSERT_TRUE(s.StartServiceA(o.service));
    EXPECT_FALSE(s.StartServiceA(o.service));
    EXPECT_EQ(err::serviceAlreadyRunning, m.GetLastError());
    EXPECT_FALSE(s.ControlService(o.service, servicecontrol::pause, state));
    EXPECT_EQ(err::invalidServiceControl, m.GetLastError());
    EXPECT_TRUE(s.CloseServiceHandle(o.service));
    EXPECT_TRUE(s.CloseServiceHandle(o.manager));
    EXPECT_FALSE(s.CloseServiceHandle(o.manager));
    EXPECT_EQ(err::invalidHandle, m.GetLastError());
    EXPECT_EQ(0u, m.simServices().openHandles());
}

TEST(SimServices, SlowAndRefusedStarts) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Win7, 64));
    Services& s = m.services();
    const Opened o = openSpooler(s);
    std::uint32_t state = 0;
    m.simServices().setStartDelay(3);
    ASSERT_TRUE(s.ControlService(o.service, servicecontrol::stop, state));
    ASSERT_TRUE(s.StartServiceA(o.service));
    std::vector<std::string> ports;
    EXPECT_FALSE(m.spooler().EnumPortsA(ports));
    EXPECT_EQ(err::rpcServerUnavailable, m.GetLastError()) << "not serving while it starts";
    EXPECT_FALSE(s.ControlService(o.service, servicecontrol::stop, state));
    EXPECT_EQ(err::serviceCannotAcceptCtrl, m.GetLastError());
    std::vector<std::uint32_t> seen;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(s.QueryServiceStatus(o.service, state));
        seen.push_back(state);
    }
    EXPECT_EQ((std::vector<std::uint32_t>{2, 2, 2, 4, 4}), seen);
    EXPECT_TRUE(m.spooler().EnumPortsA(ports));

    m.simServices().refuseStart(err::serviceDisabled);
    ASSERT_TRUE(s.ControlService(o.service, servicecontrol::stop, state));
    EXPECT_FALSE(s.StartServiceA(o.service));
    EXPECT_EQ(err::serviceDisabled, m.GetLastError());
    ASSERT_TRUE(s.QueryServiceStatus(o.service, state));
    EXPECT_EQ(servicestate::stopped, state);
}

TEST(SimServices, AccessAndEditionsWithoutServices) {
    testsupport::TempDir dir;
    auto c = testsupport::simConfig(dir, WindowsVariant::Xp, 32);
    c.administrator = false;
    SimMachine user(c);
    EXPECT_EQ(0u, user.services().OpenSCManagerA(serviceaccess::managerAllAccess));
    EXPECT_EQ(err::accessDenied, user.GetLastError());
    const Handle manager = user.services().OpenSCManagerA(serviceaccess::managerConnect);
    ASSERT_NE(0u, manager);
    EXPECT_EQ(0u, user.services().OpenServiceA(manager, "Spooler", serviceaccess::stop));
    EXPECT_EQ(err::accessDenied, user.GetLastError());
    const Handle query =
        user.services().OpenServiceA(manager, "spooler", serviceaccess::queryStatus);
    ASSERT_NE(0u, query);
    std::uint32_t state = 0;
    EXPECT_FALSE(user.services().ControlService(query, servicecontrol::stop, state));
    EXPECT_EQ(err::accessDenied, user.GetLastError());
    EXPECT_EQ(0u, user.services().OpenServiceA(manager, "Fax", serviceaccess::queryStatus));
    EXPECT_EQ(err::serviceDoesNotExist, user.GetLastError());

    testsupport::TempDir other;
    SimMachine w98(testsupport::simConfig(other, WindowsVariant::Win98, 32));
    EXPECT_EQ(0u, w98.services().OpenSCManagerA(serviceaccess::managerAllAccess));
    EXPECT_EQ(err::callNotImplemented, w98.GetLastError());
}

TEST(SimServices, StateSurvivesSaveAndLoad) {
    testsupport::TempDir dir;
    SimMachine m(testsupport::simConfig(dir, WindowsVariant::Xp, 32));
    m.simServices().stopSpooler();
    m.simServices().setStartDelay(4);
    m.simServices().refuseStart(1053);
    std::stringstream saved;
    m.simServices().save(saved);
    testsupport::TempDir other;
    SimMachine copy(testsupport::simConfig(other, WindowsVariant::Xp, 32));
    std::string error;
    ASSERT_TRUE(copy.simServices().load(saved, error)) << error;
    EXPECT_EQ(servicestate::stopped, copy.simServices().spoolerState());
    EXPECT_EQ(4u, copy.simServices().startDelay());
    EXPECT_EQ(1053u, copy.simServices().refuseError());
    std::istringstream bad("service Spooler paused 0 0 0\n");
    EXPECT_FALSE(copy.simServices().load(bad, error));
    EXPECT_EQ("line 1: unknown service state 'paused'", error);
}

// The simulated SetupAPI reads INF files as the real one does: the listings in
// tests/wine/device_setup/ were taken from the real SetupAPI under Wine, and
// device_setup.test.sh checks them there again.
#include "platform/sim/sim_machine.h"
#include "tests/support/inf_listing.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(SimInfConformance, ListsInfFilesAsTheRealSetupApi) {
    struct Case {
        std::string inf;
        std::string expected;
    };
    const std::string source = PKG_SOURCE_DIR;
    std::vector<Case> cases = {{source + "/tests/wine/device_setup/tricky.inf",
                                source + "/tests/wine/device_setup/tricky.txt"}};
    for (const char* folder : {"USBDriver", "USBDriver_x64"}) {
        for (const char* name : {"KVPUSB", "USBVCOM", "NKVVCOM"})
            cases.push_back({source + "/package/USBDRV/" + folder + "/" + name + ".INF",
                             source + "/tests/wine/device_setup/" + folder + "_" + name + ".txt"});
    }
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        dir.write("package/listed.inf", fileText(c.inf));
        platform::sim::SimMachine m(
            testsupport::simConfig(dir, platform::sim::WindowsVariant::Win7, 64));
        EXPECT_EQ(fileText(c.expected),
                  testsupport::infListing(m.deviceSetup(), "E:\\Package\\listed.inf"))
            << c.inf;
        EXPECT_EQ(0u, m.simDeviceSetup().openHandles());
    }
}

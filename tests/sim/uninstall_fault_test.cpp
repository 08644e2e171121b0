// Every seam call of a whole removal failed in turn, once and for good: the
// run must never crash or hang, must say what went wrong (a line the clean
// run does not show, or a message box) whenever it did not remove everything,
// and a second run must finish the removal, leaving the machine as one clean
// run leaves it.
#include "tests/sim/uninstall_scenario.h"

#include <gtest/gtest.h>

#include <set>

namespace installtest {
namespace {

constexpr std::uint32_t genFailure = 31; // ERROR_GEN_FAILURE

struct FaultCase {
    const char* name;
    WindowsVariant os;
    int bits;
    const char* port;
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
    return out << c.name;
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), ::toupper);
    return text;
}

class UninstallFaults : public SharedPackageSuite<FaultCase> {
protected:
    std::unique_ptr<Scenario> prepared() {
        const FaultCase& c = GetParam();
        auto s = std::make_unique<Scenario>(c.os, c.bits, sharedPackage());
        provideDeviceDriverInstaller(s->machine());
        const auto outcome =
            s->install(s->request(setup::PrinterType::Receipt, "QRT-K500NX", c.port));
        EXPECT_EQ(outcome.result, setup::InstallResult::Succeeded) << outcome.message;
        s->machine().faults().clear();
        return s;
    }

    static uninstall::UninstallChoice choice() {
        uninstall::UninstallChoice choice;
        choice.usbDriverWhenOffered = true;
        return choice;
    }
};

TEST_P(UninstallFaults, EveryCallFailedInTurnSaysSoAndASecondRunFinishes) {
    std::vector<std::string> calls;
    std::vector<std::string> cleanState;
    std::set<std::string> cleanLines;
    {
        auto s = prepared();
        const auto counts = s->machine().faults().callCounts();
        const auto run = uninstallOn(s->machine(), choice());
        ASSERT_TRUE(run.complete()) << run.stopped;
        for (const auto& [call, count] : s->machine().faults().callCounts()) {
            const auto before = counts.find(call);
            if (call != "MessageBoxA" && (before == counts.end() || before->second < count))
                calls.push_back(call);
        }
        cleanState = s->state();
        cleanLines.insert(run.messages.begin(), run.messages.end());
    }
    ASSERT_GE(calls.size(), 20u);

    for (const std::string& call : calls) {
        for (unsigned times : {1u, 0u}) {
            SCOPED_TRACE(call + (times == 0 ? " failing every time" : " failing once"));
            auto s = prepared();
            SimMachine& m = s->machine();
            const std::size_t boxes = m.simDesktop().messageBoxes().size();
            const std::uint64_t start = m.simClock().now();
            m.faults().failCall(call, genFailure, times);
            const auto first = uninstallOn(m, choice());

            // No hang: the longest wait is the device-driver installer's limit.
            EXPECT_LT(m.simClock().now() - start, 11u * 60 * 1000);
            Lines said;
            for (const std::string& line : first.messages) {
                if (cleanLines.count(line) == 0)
                    said.push_back(line);
            }
            const bool boxShown = m.simDesktop().messageBoxes().size() > boxes;
            if (!first.complete() || !first.remaining.empty()) {
                EXPECT_TRUE(boxShown || !said.empty()) << "stopped without saying why";
            }
            for (const std::string& line : said)
                EXPECT_EQ(line.rfind("IDS_", 0), std::string::npos) << line;

            m.faults().clear();
            const auto second = uninstallOn(m, choice());
            EXPECT_TRUE(second.stopped.empty()) << second.stopped;
            EXPECT_EQ(second.remaining, Lines{});
            // What stays is only a file a line of the first run named.
            std::string named;
            for (const std::string& line : said)
                named += upper(line) + "\n";
            for (const std::string& change : stateChanges(cleanState, s->state())) {
                const std::string path = upper(change.substr(std::min(change.size(), 7ul)));
                EXPECT_TRUE(change.rfind("+ file ", 0) == 0 &&
                            named.find(path.substr(0, path.find(' '))) != std::string::npos)
                    << change;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Removals, UninstallFaults,
    ::testing::Values(FaultCase{"UsbWindows7x64", WindowsVariant::Win7, 64, "USB_QRT-K500NX_1"},
                      FaultCase{"SerialXp", WindowsVariant::Xp, 32, "KVCOM1:"},
                      FaultCase{"Usb98", WindowsVariant::Win98, 32, "USB_QRT-K500NX_1"}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace installtest

// Every seam call of a whole installation failed in turn, once and for good:
// each run must end with exactly one clear message, never crash or hang, and
// leave a machine on which the same installation then completes.
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

#include <set>

namespace installtest {
namespace {

using setup::InstallResult;
using setup::PrinterType;

constexpr std::uint32_t genFailure = 31; // ERROR_GEN_FAILURE

struct FaultCase {
    const char* name;
    WindowsVariant os;
    int bits;
    PrinterType type;
    const char* model;
    const char* port;
    bool outdatedMonitor; // install once and set the USB monitor's version back first
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
    return out << c.name;
}

// Texts the engine shows on its way without ending the run.
bool isWarning(const std::string& text) {
    static const std::set<std::string> warnings = {
        "Can't Load Kernel32.dll",
        "Can't Get Function Wow64DisableWow64FsRedirection Address",
        "Can't Get Function Wow64RevertWow64FsRedirection Address",
        "Can not load KvUsbInt.dll",
        "open function error",
        "Get Device ID error"};
    return warnings.count(text) != 0;
}

class FaultInjection : public SharedPackageSuite<FaultCase> {
protected:
    std::unique_ptr<Scenario> prepared() {
        const FaultCase& c = GetParam();
        auto s = std::make_unique<Scenario>(c.os, c.bits, sharedPackage());
        if (c.port[0] == 'U')
            s->machine().simUsb().attachPrinter(8);
        if (c.outdatedMonitor) {
            EXPECT_EQ(s->install(s->request(c.type, c.model, "USB_QRT-K500NX_2")).result,
                      InstallResult::Succeeded);
            s->machine().simRegistry().setDword(
                "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\KV USB Monitor",
                "DriverVersion", 1);
        }
        s->machine().faults().clear();
        return s;
    }

    setup::InstallRequest request(Scenario& s) {
        const FaultCase& c = GetParam();
        auto r = s.request(c.type, c.model, c.port);
        r.ipAddress = {192, 168, 1, 251};
        return r;
    }
};

TEST_P(FaultInjection, EveryCallFailedInTurnEndsWithOneClearMessage) {
    std::vector<std::string> callNames;
    {
        auto s = prepared();
        const auto outcome = s->install(request(*s));
        ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
        for (const auto& [call, count] : s->machine().faults().callCounts())
            if (call != "MessageBoxA") // the channel the message itself goes through
                callNames.push_back(call);
    }
    ASSERT_GE(callNames.size(), 15u);

    for (const std::string& call : callNames) {
        for (unsigned times : {1u, 0u}) {
            SCOPED_TRACE(call + (times == 0 ? " failing every time" : " failing once"));
            auto s = prepared();
            const std::uint64_t start = s->machine().simClock().now();
            s->machine().faults().failCall(call, genFailure, times);
            const auto outcome = s->install(request(*s));

            // No hang: the longest wait is the USB driver installer's limit.
            EXPECT_LT(s->machine().simClock().now() - start, 11u * 60 * 1000);
            const auto& shown = s->messages();
            if (outcome.message.empty()) {
                EXPECT_EQ(outcome.result, InstallResult::Stopped);
                EXPECT_FALSE(shown.empty()) << "stopped without saying why";
            } else {
                EXPECT_EQ(std::count(shown.begin(), shown.end(), outcome.message), 1);
                EXPECT_NE(outcome.message.rfind("IDS_", 0), 0u) << outcome.message;
            }
            // The system's own text for a failed port comes first, in a box of its own.
            std::set<std::string> systemTexts;
            for (const auto& box : s->machine().simDesktop().messageBoxes())
                if (box.caption == "ERROR")
                    systemTexts.insert(box.text);
            for (const std::string& text : shown) {
                const auto& asked = s->questions();
                if (text != outcome.message &&
                    std::find(asked.begin(), asked.end(), text) == asked.end()) {
                    EXPECT_TRUE(isWarning(text) || systemTexts.count(text) != 0)
                        << "second message: " << text;
                }
            }

            // Whatever it left, the same installation then completes.
            s->machine().faults().clear();
            const bool created = outcome.result == InstallResult::Succeeded ||
                                 !s->machine().simSpooler().printers().empty();
            const auto again = s->install(request(*s));
            if (created && std::string(GetParam().port).rfind("USB_", 0) == 0) {
                // A USB port takes one printer.
                EXPECT_TRUE(again.result == InstallResult::Succeeded ||
                            again.message == s->text("IDS_ERR_TOOMANY"))
                    << again.message;
            } else {
                EXPECT_EQ(again.result, InstallResult::Succeeded) << again.message;
            }
            if (GetParam().os != WindowsVariant::Win98) {
                EXPECT_TRUE(s->machine().simServices().spoolerRunning());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Installations, FaultInjection,
    ::testing::Values(FaultCase{"UsbWindows7x64", WindowsVariant::Win7, 64, PrinterType::Receipt,
                                "QRT-K500NX", "USB_QRT-K500NX_1", false},
                      FaultCase{"UsbXp", WindowsVariant::Xp, 32, PrinterType::Receipt, "QRT-K500NX",
                                "USB_QRT-K500NX_1", false},
                      FaultCase{"UsbOutdatedMonitorVista", WindowsVariant::Vista, 32,
                                PrinterType::Receipt, "QRT-K500NX", "USB_QRT-K500NX_1", true},
                      FaultCase{"SerialXp", WindowsVariant::Xp, 32, PrinterType::Receipt,
                                "QRT-K500NX", "KVCOM1:", false},
                      FaultCase{"Serial98", WindowsVariant::Win98, 32, PrinterType::Receipt,
                                "QRT-K500NX", "COM1:", false},
                      FaultCase{"NetworkWindows7x64", WindowsVariant::Win7, 64,
                                PrinterType::Receipt, "QRT-N90", "NET:", false}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace installtest

// Every model of the sample package on every Windows edition and every port
// kind the model offers there, installed one after another on one machine
// per edition, as the port page would offer them.
#include "setup/engine/model_support.h"
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using setup::DriverFlavour;
using setup::InstallResult;
using setup::PrinterType;

struct Edition {
    WindowsVariant os;
    int bits;
};

void PrintTo(const Edition& e, std::ostream* out) {
    *out << windowsVariantName(e.os) << "/" << e.bits;
}

class InstallMatrix : public ::testing::TestWithParam<Edition> {};

// The ports the port page lists for a model, one of each kind.
std::vector<std::string> offeredPorts(const setup::ModelSupport& support, const std::string& model,
                                      common::OsVariant os, bool wow64) {
    std::vector<std::string> ports;
    if (support.usb != 0 && os != common::osNt4)
        ports.push_back("USB_" + model + "_1");
    if (support.lpt != 0)
        ports.push_back("LPT1:");
    if (support.com != 0)
        ports.push_back(os == common::osWin9x ? "COM1:" : wow64 ? "COM1:" : "KVCOM1:");
    if (support.net != 0)
        ports.push_back("NET:");
    return ports;
}

const char* refusalOf(const setup::ModelSupport& support, common::OsVariant os) {
    if (os == common::osNt4 && support.systemNt == 0)
        return "IDS_NOTSUPPORTNT";
    if (os == common::os2003 && support.system2003 == 0)
        return "IDS_NOTSUPPORT2003";
    if (os == common::os2008 && support.system2008 == 0)
        return "IDS_NOTSUPPORT2008";
    if (os == common::osWin7 && support.systemWin7 == 0)
        return "IDS_NOTSUPPORTWin7";
    return nullptr;
}

TEST_P(InstallMatrix, EveryModelOnEveryPortItOffers) {
    const Edition edition = GetParam();
    Scenario s(edition.os, edition.bits);
    SimMachine& m = s.machine();
    const common::OsVariant os = osVariantOf(edition.os);
    const bool wow64 = m.isWow64Process();
    setup::SetupConfig config(m.profiles(), "E:\\Package", wow64);

    int installed = 0, refused = 0;
    for (int index = 1; index <= config.modelCount(); ++index) {
        const setup::ModelEntry entry = config.modelEntry(index);
        ASSERT_NE(entry.type, PrinterType::None) << index;
        auto request = s.request(entry.type, entry.name, "");
        const auto support =
            setup::readModelSupport(m.profiles(), request.typeFilePath(), entry.name);
        // The wizard does not leave the OS page for a model that refuses Vista.
        if (os == common::osVista && support.systemVista == 0)
            continue;
        for (const std::string& port : offeredPorts(support, entry.name, os, wow64)) {
            SCOPED_TRACE(entry.name + " on " + port);
            request.portText = port;
            request.flavour =
                port[0] == 'U' || port[0] == 'L' ? DriverFlavour::Raster : DriverFlavour::Standard;
            request.ipAddress = {192, 168, 7, static_cast<std::uint8_t>(index)};
            const auto outcome = s.install(request);
            if (const char* refusal = refusalOf(support, os)) {
                EXPECT_EQ(outcome.result, InstallResult::Stopped);
                EXPECT_EQ(s.messages(), std::vector<std::string>{s.text(refusal)});
                ++refused;
                continue;
            }
            if (port == "NET:" && os <= common::osNt4) {
                // Standard TCP/IP ports came with Windows 2000.
                EXPECT_EQ(outcome.result, InstallResult::Stopped);
                ASSERT_EQ(s.messages().size(), 2u);
                EXPECT_EQ(s.messages()[1], s.text("IDS_ERR_ADDPORTERROR"));
                continue;
            }
            ASSERT_EQ(outcome.result, InstallResult::Succeeded) << outcome.message;
            const char* suffix = port[0] == 'U'   ? "(U) 1"
                                 : port[0] == 'L' ? "(P)"
                                 : port[0] == 'N' ? "(E)"
                                                  : "(S)";
            EXPECT_EQ(outcome.printerName, entry.name + suffix);
            const auto* printer = m.simSpooler().printer(outcome.printerName);
            ASSERT_NE(printer, nullptr);
            EXPECT_EQ(s.messages().front(), os == common::osWin9x ? s.text("IDS_INF_NTRESTART")
                                            : port[0] == 'U'      ? s.text("IDS_INF_USBRESTART")
                                                                  : s.text("IDS_INF_NTRESTART"));
            EXPECT_TRUE(m.simServices().spoolerRunning() || os == common::osWin9x);
            ++installed;
        }
    }
    EXPECT_GT(installed, 4);
    RecordProperty("installed", installed);
    RecordProperty("refused", refused);
}

INSTANTIATE_TEST_SUITE_P(
    Editions, InstallMatrix,
    ::testing::Values(Edition{WindowsVariant::Win95, 32}, Edition{WindowsVariant::Win98, 32},
                      Edition{WindowsVariant::WinMe, 32}, Edition{WindowsVariant::Nt4, 32},
                      Edition{WindowsVariant::Win2000, 32}, Edition{WindowsVariant::Xp, 32},
                      Edition{WindowsVariant::Xp64, 64}, Edition{WindowsVariant::Server2003, 32},
                      Edition{WindowsVariant::Server2003, 64}, Edition{WindowsVariant::Vista, 32},
                      Edition{WindowsVariant::Vista, 64}, Edition{WindowsVariant::Server2008, 32},
                      Edition{WindowsVariant::Server2008, 64},
                      Edition{WindowsVariant::Server2008R2, 64}, Edition{WindowsVariant::Win7, 32},
                      Edition{WindowsVariant::Win7, 64}, Edition{WindowsVariant::Win8, 32},
                      Edition{WindowsVariant::Server2012R2, 64}, Edition{WindowsVariant::Win81, 64},
                      Edition{WindowsVariant::Win10, 32}, Edition{WindowsVariant::Win10, 64},
                      Edition{WindowsVariant::Server2022, 64}, Edition{WindowsVariant::Win11, 64}),
    [](const ::testing::TestParamInfo<Edition>& param) {
        std::string name = windowsVariantName(param.param.os);
        std::replace(name.begin(), name.end(), '.', '_');
        return name + "_" + std::to_string(param.param.bits);
    });

} // namespace
} // namespace installtest

// Damaged packages: missing files and sections, over-long values, names with
// folders in them. Each gives one clear message, and nothing is ever written
// outside the folders an installation writes to.
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

#include <functional>

namespace installtest {
namespace {

using setup::InstallResult;
using setup::PrinterType;

// INI text edits, line by line: set (or add) a key, remove a key, remove a section.
std::string editIni(const std::string& text, const std::string& section, const std::string& key,
                    const std::string* value, bool wholeSection = false) {
    std::istringstream in(text);
    std::ostringstream out;
    std::string line;
    bool inSection = false, done = false;
    auto upper = [](std::string t) {
        std::transform(t.begin(), t.end(), t.begin(), ::toupper);
        return t;
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            if (inSection && !done && value != nullptr && !wholeSection) {
                out << key << "=" << *value << "\n";
                done = true;
            }
            inSection = upper(line).rfind("[" + upper(section) + "]", 0) == 0;
        }
        if (inSection && wholeSection)
            continue;
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string::npos &&
            upper(line.substr(0, equals)) == upper(key)) {
            if (value != nullptr && !done)
                out << key << "=" << *value << "\n";
            done = true;
            continue;
        }
        out << line << "\n";
    }
    if (inSection && !done && value != nullptr && !wholeSection)
        out << key << "=" << *value << "\n";
    return out.str();
}

struct BadPackage {
    const char* name;
    std::function<void(const fs::path& package)> damage;
    const char* port;
    // The message begins with this language-file key's text, or with this text.
    const char* messageKey;
    const char* messageText;
};

void PrintTo(const BadPackage& bad, std::ostream* out) {
    *out << bad.name;
}

void setKey(const fs::path& file, const std::string& section, const std::string& key,
            const std::string& value) {
    writeHostFile(file, editIni(readHostFile(file), section, key, &value));
}
void removeKey(const fs::path& file, const std::string& section, const std::string& key) {
    writeHostFile(file, editIni(readHostFile(file), section, key, nullptr));
}
void removeSection(const fs::path& file, const std::string& section) {
    writeHostFile(file, editIni(readHostFile(file), section, "", nullptr, true));
}

fs::path receipt(const fs::path& package) {
    return package / "DRVCONFIG" / "setup_receipt.ini";
}
fs::path index(const fs::path& package) {
    return package / "DRVCONFIG" / "setup.ini";
}

const BadPackage badPackages[] = {
    {"DriverFileMissing", [](const fs::path& p) { fs::remove(p / "W32" / "K500NX.GPD"); },
     "LPT1:", "IDS_ERR_COPYFIEL", nullptr},
    {"MonitorDllMissing", [](const fs::path& p) { fs::remove(p / "W32" / "KVMONITORUSB.DLL"); },
     "USB_QRT-K500NX_1", "IDS_ERR_COPYFIEL", nullptr},
    {"ModelSectionMissing", [](const fs::path& p) { removeSection(receipt(p), "QRT-K500NX.XP"); },
     "LPT1:", nullptr,
     "The package names no printer driver for QRT-K500NX in section [QRT-K500NX.XP] of "
     "E:\\Package\\DRVCONFIG\\setup_receipt.ini."},
    {"TypeFileMissing", [](const fs::path& p) { fs::remove(receipt(p)); }, "LPT1:", nullptr,
     "The package names no printer driver for QRT-K500NX"},
    {"IndexMissing", [](const fs::path& p) { fs::remove(index(p)); }, "USB_QRT-K500NX_1",
     "IDS_ERR_ADDMONITOR", nullptr},
    {"MonitorSectionMissing",
     [](const fs::path& p) { removeSection(index(p), "COMMON-MONITOR.XP"); },
     "KVCOM1:", "IDS_ERR_ADDMONITOR", nullptr},
    {"HelpFileKeyMissing",
     [](const fs::path& p) { removeKey(receipt(p), "QRT-K500NX.XP", "GDIHelpFile"); },
     "LPT1:", "IDS_ERR_ADDPRNDRV3", nullptr},
    {"HelpFileEmpty",
     [](const fs::path& p) { setKey(receipt(p), "QRT-K500NX.XP", "GDIHelpFile", ""); },
     "LPT1:", "IDS_ERR_LOSTDRIVERFILE", nullptr},
    {"UniDrvDataDllMissing",
     [](const fs::path& p) { removeKey(receipt(p), "QRT-K500NX.XP", "GDIDataFileDLLName"); },
     "LPT1:", "IDS_ERR_LOSTDRIVERFILE", nullptr},
    {"DriverPathTooLong",
     [](const fs::path& p) {
         setKey(receipt(p), "QRT-K500NX.XP", "GDIDriverPath", std::string(300, 'A') + ".DLL");
     },
     "LPT1:", nullptr, "The package cannot be installed: "},
    {"DriverNameTooLong",
     [](const fs::path& p) {
         setKey(receipt(p), "QRT-K500NX.XP", "DriverNameP", std::string(80, 'N'));
     },
     "LPT1:", nullptr, "The package cannot be installed: "},
    {"DataFileClimbsOutOfThePackage",
     [](const fs::path& p) {
         setKey(receipt(p), "QRT-K500NX.XP", "GDIDataFile", "..\\..\\evil.gpd");
         writeHostFile(p / "evil.gpd", "outside W32");
     },
     "LPT1:", nullptr, "The package cannot be installed: "},
    {"ControlFontWithADrive",
     [](const fs::path& p) {
         setKey(receipt(p), "QRT-K500NX.XP", "ControlFontFile", "C:\\boot.ini");
     },
     "LPT1:", nullptr, "The package cannot be installed: "},
    {"ProcessorDllInASubfolder",
     [](const fs::path& p) {
         setKey(receipt(p), "QRT-K500NX.XP", "GDIProcessorDLLName", "sub/KVPROCESSOR.DLL");
     },
     "LPT1:", nullptr, "The package cannot be installed: "},
    {"MonitorDllWithAFolder",
     [](const fs::path& p) {
         setKey(index(p), "COMMON-MONITOR.XP", "USBMONitorPDLLName", "..\\KVMONITORUSB.DLL");
     },
     "USB_QRT-K500NX_1", nullptr, "The package cannot be installed: "},
    {"LanguageFileMissing", [](const fs::path& p) { fs::remove(p / "language" / "setup.ini"); },
     "LPT1:", nullptr, "The printer driver has been installed."},
};

class DamagedPackage : public ::testing::TestWithParam<BadPackage> {};

std::vector<std::string> hostFiles(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files.push_back(entry.path().string() + " " +
                        (entry.is_regular_file() ? readHostFile(entry.path()) : ""));
    std::sort(files.begin(), files.end());
    return files;
}

TEST_P(DamagedPackage, GivesOneClearMessageAndWritesNowhereElse) {
    const BadPackage& bad = GetParam();
    Scenario s(WindowsVariant::Xp, 32);
    const std::string expectedStart =
        bad.messageKey != nullptr ? s.text(bad.messageKey) : bad.messageText;
    bad.damage(s.package());
    const auto packageBefore = hostFiles(s.package());
    const auto before = s.state();
    const auto outcome = s.install(s.request(PrinterType::Receipt, "QRT-K500NX", bad.port));

    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0], outcome.message);
    EXPECT_EQ(outcome.message.rfind(expectedStart, 0), 0u) << outcome.message;
    EXPECT_EQ(outcome.message.find("IDS_"), std::string::npos) << outcome.message;
    if (bad.messageKey != nullptr || std::string(bad.messageText).rfind("The package", 0) == 0) {
        EXPECT_NE(outcome.result, InstallResult::Succeeded);
    }

    EXPECT_EQ(hostFiles(s.package()), packageBefore);
    for (const std::string& change : stateChanges(before, s.state())) {
        if (change.rfind("+ file ", 0) != 0)
            continue;
        const std::string path = change.substr(7);
        EXPECT_TRUE(path.rfind("C:\\WINDOWS\\system32\\", 0) == 0 ||
                    path.rfind(platform::sim::tempFolder(WindowsVariant::Xp), 0) == 0)
            << change;
    }
    EXPECT_FALSE(anyLine(s.state(), "evil"));
    EXPECT_FALSE(anyLine(s.state(), "boot.ini"));
}

INSTANTIATE_TEST_SUITE_P(Packages, DamagedPackage, ::testing::ValuesIn(badPackages),
                         [](const ::testing::TestParamInfo<BadPackage>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace installtest

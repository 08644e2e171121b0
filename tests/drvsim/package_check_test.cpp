// drvsim check on the sample package, and on copies of it damaged one way
// each: the one finding and the exit code. Also the help the program gives,
// which the README's synopsis repeats.
#include "tests/drvsim/drvsim_run.h"

#include <gtest/gtest.h>

#include <functional>

namespace fs = std::filesystem;
using drvsimtest::drvsim;

namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The sample package with its programs and drivers as executables of each
// folder's machine type, as make package assembles it.
void makeExecutables(const fs::path& package) {
    for (const auto& entry : fs::recursive_directory_iterator(package)) {
        const std::string extension = upper(entry.path().extension().string());
        if (extension != ".DLL" && extension != ".DRV" && extension != ".SYS")
            continue;
        const std::string folder = upper(entry.path().parent_path().filename().string());
        const auto pe =
            testsupport::peWithFileVersion("1.0.0.1", folder == "W64" || folder == "USBDRIVER_X64");
        installtest::writeHostFile(entry.path(), std::string(pe.begin(), pe.end()));
    }
}

// The first line of `file` that begins with `line` becomes `replacement`
// (nothing: the line goes).
void replaceLine(const fs::path& file, const std::string& line, const std::string& replacement) {
    std::string text = installtest::readHostFile(file);
    const std::size_t at = text.find("\n" + line);
    ASSERT_NE(std::string::npos, at) << line;
    const std::size_t end = text.find('\n', at + 1);
    text.replace(at + 1, end - at, replacement.empty() ? "" : replacement + "\r\n");
    installtest::writeHostFile(file, text);
}

class PackageCheck : public ::testing::Test {
protected:
    PackageCheck() : sample(drvsimtest::samplePackage(dir)) { makeExecutables(sample); }

    testsupport::TempDir dir;
    fs::path sample;
};

} // namespace

TEST_F(PackageCheck, SamplePackageIsCleanAndEachDamageIsNamedByFileSectionAndKey) {
    const auto clean = drvsim({"check", "--package", sample.string()});
    EXPECT_EQ(0, clean.exitCode) << clean.err;
    EXPECT_EQ("0 error(s), 0 warning(s)\n", clean.out);

    struct Case {
        const char* damage;
        std::function<void(const fs::path&)> apply;
        std::string finding;
        const char* count;
        int exitCode;
    };
    const Case cases[] = {
        {"an empty folder",
         [](const fs::path& p) {
             fs::remove_all(p);
             fs::create_directories(p);
         },
         "error: DRVCONFIG\\setup.ini: missing: the setup has no models and refuses every "
         "Windows",
         "16 error(s)", 1},
        {"setup.ini cut in half",
         [](const fs::path& p) {
             const std::string text = installtest::readHostFile(p / "DRVCONFIG" / "setup.ini");
             installtest::writeHostFile(p / "DRVCONFIG" / "setup.ini",
                                        text.substr(0, text.size() / 2));
         },
         "error: DRVCONFIG\\setup.ini [COMMON-MONITOR.Win7]: missing: the port monitor could not "
         "be added on Windows 7",
         "error(s)", 1},
        {"a version that is not a number",
         [](const fs::path& p) {
             replaceLine(p / "DRVCONFIG" / "setup.ini", "USBMONitorVersion=3",
                         "USBMONitorVersion=x3");
         },
         "warning: DRVCONFIG\\setup.ini [COMMON-MONITOR.98] USBMONitorVersion: \"x3\" is not a "
         "number; the programs read it as 0",
         "0 error(s), 1 warning(s)", 0},
        {"a model entry without its type",
         [](const fs::path& p) {
             replaceLine(p / "DRVCONFIG" / "setup.ini", "DEVICENAME3=", "DEVICENAME3=QRT-T300");
         },
         "error: DRVCONFIG\\setup.ini [DEVICENAME] DEVICENAME3: \"QRT-T300\" is not a model (no "
         "-ReceiptPrinter, -TicketPrinter, -LabelPrinter or -EmbeddedPrinter): the wizard leaves "
         "it out",
         "1 error(s), 1 warning(s)", 1},
        {"a Windows claimed without its section",
         [](const fs::path& p) {
             replaceLine(p / "DRVCONFIG" / "setup_receipt.ini", "SystemWin7Supported=0",
                         "SystemWin7Supported=1");
         },
         "error: DRVCONFIG\\setup_receipt.ini [QRT-K250.Win7]: missing: QRT-K250 cannot be "
         "installed on Windows 7, which SystemWin7Supported in [QRT-K250.PORT] claims",
         "1 error(s), 0 warning(s)", 1},
        {"a monitor DLL missing from W64",
         [](const fs::path& p) { fs::remove(p / "W64" / "KVMONITORUSB.DLL"); },
         "error: DRVCONFIG\\setup.ini [COMMON-MONITOR.XP] USBMONitorPDLLName: "
         "W64\\KVMONITORUSB.DLL is missing",
         "1 error(s), 0 warning(s)", 1},
        {"a 64-bit DLL in W32",
         [](const fs::path& p) {
             fs::copy_file(p / "W64" / "K250RES.DLL", p / "W32" / "K250RES.DLL",
                           fs::copy_options::overwrite_existing);
         },
         "error: DRVCONFIG\\setup_receipt.ini [QRT-K250.98] STDDataFileDLLName: W32\\K250RES.DLL "
         "is not 32-bit (its machine type is x64, 64-bit)",
         "1 error(s), 0 warning(s)", 1},
        {"a message missing from the language file",
         [](const fs::path& p) {
             replaceLine(p / "language" / "setup.ini", "IDS_ERR_ADDMONITOR=", "");
         },
         "error: language\\setup.ini [Message] IDS_ERR_ADDMONITOR: missing: the program shows its "
         "built-in English text",
         "1 error(s), 0 warning(s)", 1},
        {"an Uninstall.ini text that names Windows' own driver",
         [](const fs::path& p) {
             replaceLine(p / "Uninstall.ini", "PRINTERNUM=8",
                         "PRINTERNUM=9\r\nPRINTERNAME9=Generic");
         },
         "error: Uninstall.ini [KVPRINTER] PRINTERNAME9: \"Generic\" is contained in Windows' own "
         "driver \"Generic / Text Only\": the uninstaller would offer to remove it",
         "1 error(s), 0 warning(s)", 1},
        {"an installed monitor Uninstall.ini does not list",
         [](const fs::path& p) {
             replaceLine(p / "Uninstall.ini", "MonitorNUM=3", "MonitorNUM=2");
         },
         "error: Uninstall.ini [KVMONITOR] MONITORNAME: no text is contained in the monitor \"KV "
         "Language Monitor\" (named by USBLMONitorName in [COMMON-MONITOR.98] of "
         "DRVCONFIG\\setup.ini): the uninstaller does not offer it",
         "1 error(s), 0 warning(s)", 1},
        {"an INF file of another provider",
         [](const fs::path& p) {
             replaceLine(p / "USBDRV" / "USBDriver" / "KVPUSB.INF", "Provider=\"KORVANE\"",
                         "Provider=\"OTHER\"");
         },
         "error: USBDRV\\USBDriver\\KVPUSB.INF [Strings] Provider: not the package's provider "
         "\"KORVANE\": the uninstaller does not remove this INF",
         "1 error(s), 0 warning(s)", 1},
    };
    for (const Case& c : cases) {
        const fs::path copy = dir.path() / "damaged";
        fs::remove_all(copy);
        fs::copy(sample, copy, fs::copy_options::recursive);
        c.apply(copy);
        const auto run = drvsim({"check", "--package", copy.string()});
        EXPECT_EQ(c.exitCode, run.exitCode) << c.damage;
        EXPECT_NE(std::string::npos, run.out.find(c.finding + "\n")) << c.damage << "\n" << run.out;
        EXPECT_NE(std::string::npos, run.out.find(c.count)) << c.damage << "\n" << run.out;
    }

    // The same findings for scripts.
    const auto json = drvsim({"check", "--package", (dir.path() / "damaged").string(), "--json"});
    EXPECT_EQ(1, json.exitCode);
    EXPECT_NE(std::string::npos, json.out.find("\"section\": \"Strings\",\n      \"key\": "
                                               "\"Provider\""))
        << json.out;
    EXPECT_EQ(2, drvsim({"check", "--package", (dir.path() / "none").string()}).exitCode);
}

TEST(DrvsimHelp, EachCommandHasItsHelpAndTheReadmeRepeatsTheSynopsis) {
    for (const char* command :
         {"init", "setup", "uninstall", "fail", "show", "usbdriver", "check"}) {
        const auto help = drvsim({"help", command});
        EXPECT_EQ(0, help.exitCode) << command;
        EXPECT_EQ(0u, help.out.find(std::string("drvsim ") + command)) << help.out;
        EXPECT_EQ(help.out, drvsim({command, "--help"}).out) << command;
    }
    EXPECT_NE(std::string::npos, drvsim({"help", "setup"}).out.find("KVCOM1: to KVCOM8:"));
    EXPECT_NE(std::string::npos,
              drvsim({"help", "init"}).out.find("  7                   7 .Win7"));

    // The READMEs' synopsis is the program's, line for line.
    const std::string overview = drvsim({"help"}).out;
    const fs::path source = PKG_SOURCE_DIR;
    for (const auto& [readme, heading] :
         {std::pair{source / "tools" / "drvsim" / "README.md", "## Commands"},
          std::pair{source / "README.md", "**drvsim**"}}) {
        const std::string text = installtest::readHostFile(readme);
        const std::size_t block = text.find("```\n", text.find(heading)) + 4;
        const std::string synopsis = text.substr(block, text.find("```", block) - block);
        EXPECT_NE(std::string::npos, overview.find("\n\n" + synopsis + "\n")) << readme;
    }
}

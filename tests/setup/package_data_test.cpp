// The package's own data files (package/) read through the configuration
// reader: every model installs on every port and Windows variant it claims,
// every name the programs look for is there, and the files keep their bytes.
#include "tests/setup/config_files_fixture.h"

#include "common/config_int.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>

namespace setup::testing {
namespace {

std::string readPackageFile(const std::string& relative) {
    std::ifstream in(std::string(PKG_SOURCE_DIR) + "/package/" + relative, std::ios::binary);
    EXPECT_TRUE(in.good()) << relative;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PackageDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"setup.ini", "setup_receipt.ini", "setup_ticket.ini", "setup_lable.ini",
              "setup_embedded.ini", "setup_receipt_64.ini", "setup_ticket_64.ini",
              "setup_lable_64.ini", "setup_embedded_64.ini"})
            files.set(std::string(programFolder) + "\\DRVCONFIG\\" + name,
                      readPackageFile(std::string("DRVCONFIG/") + name));
    }

    std::vector<ModelEntry> models() {
        SetupConfig config(files, programFolder, false);
        std::vector<ModelEntry> list;
        for (int i = 1; i <= config.modelCount(); ++i)
            list.push_back(config.modelEntry(i));
        return list;
    }

    ProfileFilesFake files;
};

bool supports(const ModelSupport& s, OsVariant os) {
    switch (os) {
    case common::osNt4:
        return s.systemNt != 0;
    case common::os2003:
        return s.system2003 != 0;
    case common::osVista:
        return s.systemVista != 0;
    case common::os2008:
        return s.system2008 != 0;
    case common::osWin7:
        return s.systemWin7 != 0;
    default:
        return true;
    }
}

bool isFile(const std::string& name) {
    return !name.empty() && name.front() != '0';
}

TEST_F(PackageDataTest, EveryModelInstallsWhereverItSaysItCan) {
    int plans = 0;
    for (const ModelEntry& model : models()) {
        ASSERT_NE(model.type, PrinterType::None) << model.text;
        for (const bool wow64 : {false, true}) {
            SetupConfig config(files, programFolder, wow64);
            config.selectType(model.type);
            const ModelSupport support =
                readModelSupport(files, config.typeFilePath(model.type), model.name);
            const std::pair<int, PortKind> kinds[] = {{support.com, PortKind::Serial},
                                                      {support.lpt, PortKind::Parallel},
                                                      {support.usb, PortKind::Usb},
                                                      {support.net, PortKind::Network}};
            for (OsVariant os = wow64 ? common::osXp : common::osWin9x; os <= common::osWin7;
                 ++os) {
                if (!supports(support, os))
                    continue;
                for (const auto& [supported, kind] : kinds) {
                    if (!supported || (kind == PortKind::Usb && os == common::osNt4))
                        continue;
                    for (const DriverFlavour flavour :
                         {DriverFlavour::Standard, DriverFlavour::Raster}) {
                        SCOPED_TRACE(model.name + " variant " + std::to_string(os) + " kind " +
                                     std::to_string(static_cast<int>(kind)) + " flavour " +
                                     std::to_string(static_cast<int>(flavour)) +
                                     (wow64 ? " 64-bit" : " 32-bit"));
                        InstallPlan plan;
                        const ConfigResult result =
                            config.resolvePlan(model.name, os, flavour, kind, plan);
                        ASSERT_TRUE(result.ok()) << result.error;
                        ++plans;
                        for (const std::string* f : {&plan.files.driverPath, &plan.files.dataFile,
                                                     &plan.files.configFile, &plan.files.helpFile})
                            EXPECT_TRUE(isFile(*f)) << *f;
                        EXPECT_TRUE(isFile(plan.driver.name));
                        EXPECT_TRUE(isFile(plan.printer.printProcessor));
                        if (plan.printer.printProcessor != "WinPrint") {
                            EXPECT_TRUE(isFile(plan.files.processorDll));
                        }
                        if (plan.usesSystemUniDrv) {
                            EXPECT_TRUE(isFile(plan.files.dataFileDll));
                        }
                        if (wow64) {
                            EXPECT_EQ(plan.files.dataOemuiDll, "57KXUI.dll");
                        }
                        if (kind == PortKind::Usb) {
                            EXPECT_TRUE(isFile(plan.monitors.usb.info.dllName));
                            EXPECT_EQ(plan.driver.monitorName.empty(), wow64);
                        }
                        if (kind == PortKind::Serial && os != common::osWin9x) {
                            EXPECT_TRUE(isFile(plan.monitors.serial.info.dllName));
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(plans, 300);
}

TEST_F(PackageDataTest, ModelListCoversEveryTypeAndTheStartUpCheck) {
    const std::vector<ModelEntry> list = models();
    ASSERT_GE(list.size(), 6u);
    int perType[4] = {};
    bool networkOnly = false, typicalOnly = false;
    for (const ModelEntry& m : list) {
        ++perType[static_cast<int>(m.type)];
        SetupConfig config(files, programFolder, false);
        const ModelSupport s = readModelSupport(files, config.typeFilePath(m.type), m.name);
        networkOnly |= s.net && !s.usb && !s.lpt && !s.com;
        typicalOnly |= s.advancedSetup == 0;
    }
    for (int count : perType)
        EXPECT_GT(count, 0);
    EXPECT_TRUE(networkOnly);
    EXPECT_TRUE(typicalOnly);
    // The start-up check reads the last entry's ports, in the files of both bitnesses.
    for (const bool wow64 : {false, true}) {
        SetupConfig config(files, programFolder, wow64);
        const ModelSupport last =
            readModelSupport(files, config.typeFilePath(list.back().type), list.back().name);
        EXPECT_TRUE(last.usb && last.lpt && last.com);
    }
    SetupConfig config(files, programFolder, false);
    EXPECT_EQ(config.defaultModel().name, "QRT-K500NX");
    EXPECT_EQ(config.defaultModel().type, PrinterType::Receipt);
    EXPECT_EQ(common::readConfigInt(files, setupIni, "DEVICENAME", "Supported32OR64"), 0);
    EXPECT_EQ(common::readConfigInt(files, setupIni, "DEVICENAME", "LOADLICENSE"), 1);
    EXPECT_EQ(common::readConfigInt(files, setupIni, "DEVICENAME", "LANGUAGE"), 1);
}

TEST_F(PackageDataTest, EveryUsbPortHasItsNumber) {
    SetupConfig config(files, programFolder, false);
    bool renamed = false;
    for (const ModelEntry& m : models()) {
        const ModelSupport s = readModelSupport(files, config.typeFilePath(m.type), m.name);
        if (!s.usb)
            continue;
        // The ports of QRT-L7 models are recorded under the shortened name.
        const bool l7 = m.name.find("QRT-L7") != std::string::npos;
        renamed |= l7;
        for (int n = 1; n <= 4; ++n) {
            const std::string port =
                "USB_" + (l7 ? std::string("QRT-L7") : m.name) + "_" + std::to_string(n);
            EXPECT_GT(config.usbPortNumber(port), 0) << port;
        }
    }
    EXPECT_TRUE(renamed);
    EXPECT_GT(config.processorVersion(), 0);
}

TEST_F(PackageDataTest, UninstallListMatchesTheConfiguration) {
    const std::string list = readPackageFile("Uninstall.ini");
    const auto entries = [&](const char* section, const char* countKey, const char* base) {
        std::vector<std::string> texts;
        const int n = std::stoi(common::profileGetString(list, section, countKey, "0", 30));
        for (int i = 0; i < n; ++i)
            texts.push_back(common::profileGetString(
                list, section, std::string(base) + static_cast<char>('1' + i), "0", 30));
        return texts;
    };
    const auto anyIn = [](const std::vector<std::string>& texts, const std::string& name) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const std::string& t) { return name.find(t) != std::string::npos; });
    };
    const std::vector<std::string> printers = entries("KVPRINTER", "PRINTERNUM", "PRINTERNAME");
    const std::vector<std::string> monitors = entries("KVMONITOR", "MonitorNUM", "MONITORNAME");
    const std::vector<std::string> processors = entries("KVPROC", "PROCNUM", "PROCNAME");
    ASSERT_LE(printers.size(), 9u);
    const char* const removal[] = {".98", ".NT", ".2K", ".2003", ".Vista", ".2008", ".Win7"};
    for (const ModelEntry& m : models()) {
        SetupConfig config(files, programFolder, false);
        config.selectType(m.type);
        InstallPlan plan;
        ASSERT_TRUE(
            config.resolvePlan(m.name, common::os2008, DriverFlavour::Raster, PortKind::Usb, plan)
                .ok());
        EXPECT_TRUE(anyIn(printers, plan.printer.driverName)) << plan.printer.driverName;
        const std::string processor = plan.printer.printProcessor;
        if (processor != "WinPrint") {
            EXPECT_TRUE(anyIn(processors, processor)) << processor;
            // Print processors are never removed on Windows 9x.
            for (std::size_t i = 1; i < std::size(removal); ++i)
                EXPECT_NE(common::profileGetString(list, processor + removal[i], "ProcessorDllName",
                                                   "", 200),
                          "")
                    << processor << removal[i];
        }
    }
    SetupConfig config(files, programFolder, false);
    for (OsVariant os = 0; os <= 7; ++os) {
        PortMonitors ports;
        MonitorConfig language;
        ASSERT_TRUE(config.readPortMonitors(os, ports).ok());
        ASSERT_TRUE(config.readLanguageMonitor(os, PortKind::Usb, language).ok());
        for (const MonitorConfig* m : {&ports.serial, &ports.usb, &language}) {
            if (m->info.dllName.empty())
                continue;
            EXPECT_TRUE(anyIn(monitors, m->info.name)) << m->info.name;
            std::string section = m->info.name;
            section.erase(std::remove(section.begin(), section.end(), ' '), section.end());
            for (const char* suffix : removal)
                EXPECT_EQ(
                    common::profileGetString(list, section + suffix, "USBMONitorName", "", 200),
                    m->info.name)
                    << section << suffix;
        }
    }
}

// Every key the setup program reads from its language file.
const std::map<std::string, std::vector<std::string>> setupLanguageKeys = {
    {"Setup",
     {"Caption", "Help", "Back", "Next", "Install", "Cancel", "Close", "Nonsupport", "PortNull",
      "CaptionName"}},
    {"About", {"Caption", "Version", "Copyright", "OK"}},
    {"Help Guide", {"Caption", "Name"}},
    {"Legal", {"Agreement", "Accept", "Reject"}},
    {"Series", {"Select", "Receipt", "Ticket", "Label", "Embedded", "Default"}},
    {"Mode", {"Type", "Typical", "Advanced", "Remarks", "Note1", "Note2", "Note3"}},
    {"System", {"Select"}},
    {"Confirm",
     {"Set", "Ports", "Com", "BaudRate", "Parity", "ByteSize", "StopBits", "Protocol", "Raster",
      "Parity.Even", "Parity.Mark", "Parity.None", "Parity.Odd", "Parity.Space", "Protocol.None",
      "Protocol.Xonoff", "Protocol.Hardware"}},
    {"Progress", {"Wait"}},
    {"Message",
     {"IDS_ABOUTBOX",
      "IDS_ADMIN",
      "IDS_ERR_NOLEFT",
      "IDS_ERR_NOLICENSE",
      "IDS_X64",
      "IDS_X32",
      "IDS_ERR_SYSTEM",
      "IDS_NOTSUPPORTNT",
      "IDS_NOTSUPPORT2003",
      "IDS_NOTSUPPORTVISTA",
      "IDS_NOTSUPPORT2008",
      "IDS_NOTSUPPORTWin7",
      "IDS_TYPICAL_NOTES",
      "IDS_ERR_UNSUPPORTCOM",
      "IDS_ERR_UPDATEUSB",
      "IDS_ERR_ONEPRINTER",
      "IDS_ERR_SELPRINTER",
      "IDS_ERR_IPADDRISNULL",
      "IDS_ERR_NOSUPPORTINTERFACE",
      "IDS_ERR_NOSUPPORTUSB",
      "IDS_ERR_NOUSBDEVICE",
      "IDS_ERR_ADDPORTERROR",
      "IDS_INF_CHANGEID",
      "IDS_INF_NTRESTART",
      "IDS_INF_USBRESTART",
      "IDS_INF_RESTART",
      "IDS_ERR_EXITWIN",
      "IDS_ERR_NEEDRESTART",
      "IDS_ERR_LOSTDRIVERFILE",
      "IDS_ERR_ADDPRINTER",
      "IDS_ERR_TOOMANY",
      "IDS_ERR_ADDPRNDRV3",
      "IDS_ERR_ADDMONITOR",
      "IDS_ERR_ADDPROCESSOR",
      "IDS_ERR_ALLOCMEMORY",
      "IDS_ERR_COPYFIEL",
      "IDS_ERR_COPYFIEL1",
      "IDS_ERR_DIRTYPE",
      "IDS_ERR_GETCURDIR",
      "IDS_ERR_GETWINDIR",
      "IDS_ERR_GETSYSDIR",
      "IDS_ERR_GETPRODIR",
      "IDS_ERR_GETDRIVERDIR"}},
};

const std::map<std::string, std::vector<std::string>> uninstallLanguageKeys = {
    {"Uninstall",
     {"Title", "Note", "Uninstall", "Select", "Exit", "USBuninstall", "Close", "CaptionName"}},
    {"Reboot", {"Title", "Note1", "Note2", "Note3", "Yes", "No"}},
    {"About", {"Title", "Version", "Copyright", "OK"}},
    {"Message", {"IDS_ABOUTBOX",     "IDS_ADMIN",          "IDS_ERR_GETSYSDIR", "IDS_ERR_INVALID",
                 "IDS_ERR_NOINI",    "IDS_SELECTPRN1",     "IDS_DELETING1",     "IDS_DELETING2",
                 "IDS_DELETING3",    "IDS_SUCCESS",        "IDS_ERR_UNINSTALL", "IDS_USING",
                 "IDS_ERR_OPENPRN",  "IDS_ERR_GETPRNINFO", "IDS_ERR_ALLOC",     "IDS_ERR_HAVEJOB1",
                 "IDS_ERR_HAVEJOB2", "IDS_ERR_DELPRINTER", "IDS_DRVDELETING",   "IDS_DRV_SUCCESS",
                 "IDS_ERR_DRVUSING", "IDS_ERR_DRVDEL",     "IDS_DRV_SUCCESS1"}},
};

TEST(PackageLanguageFiles, EveryKeyInBothEditions) {
    for (const char* folder : {"language/", "language-zh/"}) {
        const std::string setupText = readPackageFile(std::string(folder) + "setup.ini");
        for (const auto& [section, keys] : setupLanguageKeys)
            for (const std::string& key : keys)
                EXPECT_NE(common::profileGetString(setupText, section, key, "", 2048), "")
                    << folder << " [" << section << "] " << key;
        const std::string uninstallText = readPackageFile(std::string(folder) + "uninstall.ini");
        for (const auto& [section, keys] : uninstallLanguageKeys)
            for (const std::string& key : keys)
                EXPECT_NE(common::profileGetString(uninstallText, section, key, "", 1024), "")
                    << folder << " [" << section << "] " << key;
        // Texts other programs or code compare with.
        EXPECT_EQ(common::profileGetString(setupText, "Setup", "CaptionName", "", 2048),
                  "Device driver setup");
        EXPECT_EQ(common::profileGetString(uninstallText, "Uninstall", "CaptionName", "", 1024),
                  "Device driver setup");
        EXPECT_EQ(common::profileGetString(setupText, "Confirm", "Protocol.Xonoff", "", 20),
                  "Xon/Xoff");
        EXPECT_EQ(common::profileGetString(setupText, "Confirm", "Protocol.Hardware", "", 20),
                  "Hardware");
        EXPECT_EQ(common::profileGetString(setupText, "Confirm", "Protocol.None", "", 20), "None");
        // The parity code is the first byte of the item: it must be the letter.
        const char* const parities[][2] = {{"Parity.Even", "E"},
                                           {"Parity.Mark", "M"},
                                           {"Parity.None", "N"},
                                           {"Parity.Odd", "O"},
                                           {"Parity.Space", "S"}};
        for (const auto& p : parities)
            EXPECT_EQ(common::profileGetString(setupText, "Confirm", p[0], "", 20).substr(0, 1),
                      p[1])
                << folder << p[0];
        // The copy error's lead-in keeps its blank before the file name.
        EXPECT_EQ(
            common::profileGetString(setupText, "Message", "IDS_ERR_COPYFIEL", "", 2048).back(),
            ' ');
    }
    EXPECT_EQ(common::profileGetString(readPackageFile("language/setup.ini"), "Setup", "Caption",
                                       "", 2048),
              "Tessaly");
    EXPECT_EQ(common::profileGetString(readPackageFile("language/uninstall.ini"), "Uninstall",
                                       "Title", "", 1024),
              "Uninstall");
}

TEST(PackageFiles, LicenceLinesEndInCrLfAndTheBitmapIs24Bit) {
    const std::string licence = readPackageFile("License.txt");
    ASSERT_FALSE(licence.empty());
    for (std::size_t i = 0; i < licence.size(); ++i) {
        if (licence[i] == '\n') {
            ASSERT_TRUE(i > 0 && licence[i - 1] == '\r') << "line feed without return at " << i;
        }
    }
    EXPECT_EQ(licence.substr(licence.size() - 2), "\r\n");

    const std::string bmp = readPackageFile("DRVCONFIG/Left.bmp");
    ASSERT_GE(bmp.size(), 54u);
    const auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<std::uint8_t>(bmp[at + i]);
        return v;
    };
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), bmp.size());
    EXPECT_EQ(u32(14), 40u);                           // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[28]), 24); // bits per pixel
    EXPECT_EQ(u32(30), 0u);                            // BI_RGB
    const std::uint32_t width = u32(18), height = u32(22);
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    EXPECT_EQ(u32(10) + stride * height, bmp.size());
}

} // namespace
} // namespace setup::testing

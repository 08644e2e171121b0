// Resolving one choice of the wizard into the install plan.
#include "tests/setup/config_files_fixture.h"

#include <sstream>

namespace setup::testing {
namespace {

std::string describe(const platform::DriverInfo3& d) {
    std::ostringstream out;
    out << "version=" << d.version << " name=" << d.name << " env=" << d.environment
        << " path=" << d.driverPath << " data=" << d.dataFile << " config=" << d.configFile
        << " help=" << d.helpFile << " dependent=";
    for (const std::string& f : d.dependentFiles)
        out << f << ";";
    out << " monitor=" << d.monitorName << " datatype=" << d.defaultDataType;
    return out.str();
}

std::string describe(const MonitorConfig& m) {
    return m.info.name + "|" + m.info.environment + "|" + m.info.dllName + "|" + m.uiDll + "|" +
           std::to_string(m.version);
}

std::string describe(const DriverFileSet& f) {
    return f.driverPath + "|" + f.dataFile + "|" + f.configFile + "|" + f.helpFile + "|" +
           f.processorDll + "|" + f.dataFileDll + "|" + f.dataOemuniDll + "|" + f.dataOemuniIni +
           "|" + f.dataOemuiDll + "|" + f.controlFontFile + "|" + f.usbInternalId;
}

std::string describe(const platform::PrinterInfo2& p) {
    return p.printerName + "|" + p.portName + "|" + p.driverName + "|" + p.printProcessor + "|" +
           std::to_string(p.attributes);
}

class InstallPlanTest : public ConfigFilesTest {
protected:
    InstallPlan resolve(PrinterType type, const std::string& model, OsVariant os,
                        DriverFlavour flavour, PortKind kind, bool wow64 = false) {
        SetupConfig config(files, programFolder, wow64);
        config.selectType(type);
        InstallPlan plan;
        const ConfigResult result = config.resolvePlan(model, os, flavour, kind, plan);
        EXPECT_TRUE(result.ok()) << result.error;
        return plan;
    }
};

TEST_F(InstallPlanTest, UsbReceiptPrinterOnXpRaster) {
    const InstallPlan plan = resolve(PrinterType::Receipt, "QRT-K500NX", common::osXp,
                                     DriverFlavour::Raster, PortKind::Usb);
    EXPECT_EQ(describe(plan.files), "UNIDRV.DLL|GXP.GPD|UNIDRVUI.DLL|UNIDRV.HLP|KVPROCESSOR.DLL|"
                                    "GRESXP.DLL|KVRENDER.DLL|KVOEM.INI|KVUI.DLL|KVCTRL.TTF|"
                                    "KVUSBID.DAT");
    EXPECT_EQ(describe(plan.driver),
              "version=3 name=QRT-K500NX U XP env= path=UNIDRV.DLL data=GXP.GPD "
              "config=UNIDRVUI.DLL help=UNIDRV.HLP dependent=GXP.GPD;TTFSUB.GPD;UNIRES.DLL;"
              "STDNAMES.GPD;GRESXP.DLL;KVUI.DLL;KVRENDER.DLL;KVOEM.INI; "
              "monitor=KV Language Monitor XP datatype=");
    EXPECT_EQ(describe(plan.printer), "QRT-K500NX||QRT-K500NX U XP|KVPrintProc|2112");
    EXPECT_EQ(describe(plan.monitors.usb), "KV USB Monitor||KVUSBXP.DLL|KVUSBUI.DLL|3");
    EXPECT_EQ(describe(plan.monitors.serial), "||||0");
    EXPECT_EQ(describe(plan.languageMonitor), "KV Language Monitor XP||KVLANGMON.DLL||5");
    EXPECT_EQ(plan.processorVersion, 4);
    EXPECT_TRUE(plan.usesSystemUniDrv);
}

TEST_F(InstallPlanTest, SerialTicketPrinterOnWindows98Standard) {
    const InstallPlan plan = resolve(PrinterType::Ticket, "QRT-T300", common::osWin9x,
                                     DriverFlavour::Standard, PortKind::Serial);
    EXPECT_EQ(describe(plan.files), "UNIDRV.DLL|S98.GPD|UNIDRVUI.DLL|UNIDRV.HLP|0|SRES98.DLL|0|0|"
                                    "KVUI.DLL|KVCTRL.TTF|KVUSBID.DAT");
    // Windows 9x: driver version 0, its own environment, one driver for all ports,
    // no dependent files, no language monitor.
    EXPECT_EQ(describe(plan.driver),
              "version=0 name=QRT-T300 Ticket 98 env=Windows 4.0 path=UNIDRV.DLL data=S98.GPD "
              "config=UNIDRVUI.DLL help=UNIDRV.HLP dependent= monitor= datatype=");
    EXPECT_EQ(describe(plan.printer), "QRT-T300||QRT-T300 Ticket 98|WinPrint|2112");
    EXPECT_EQ(describe(plan.monitors.serial),
              "KV COM Monitor|Windows 4.0|KVCOM98.DLL|KVCOMUI.DLL|2");
    EXPECT_EQ(describe(plan.monitors.usb), "||||0");
    EXPECT_EQ(plan.languageMonitor.info.name, "");
}

TEST_F(InstallPlanTest, NetworkAndParallelPortsHaveNoMonitors) {
    for (PortKind kind : {PortKind::Network, PortKind::Parallel}) {
        const InstallPlan plan = resolve(PrinterType::Receipt, "QRT-K500NX", common::osWin7,
                                         DriverFlavour::Raster, kind);
        EXPECT_EQ(describe(plan.monitors.serial), "||||0");
        EXPECT_EQ(describe(plan.monitors.usb), "||||0");
        EXPECT_EQ(plan.driver.monitorName, "");
        EXPECT_EQ(plan.languageMonitor.info.name, "");
    }
}

TEST_F(InstallPlanTest, EveryVariantReadsItsOwnSectionAndVersion) {
    const unsigned versions[] = {0, 2, 3, 3, 3, 3, 3, 3};
    for (OsVariant os = 0; os <= 7; ++os) {
        SetupConfig config(files, programFolder, false);
        config.selectType(PrinterType::Receipt);
        platform::DriverInfo3 driver;
        ASSERT_TRUE(config
                        .readDriverRecord("QRT-K500NX", os, DriverFlavour::Raster,
                                          PortKind::Parallel, driver)
                        .ok());
        EXPECT_EQ(driver.version, versions[os]) << os;
        EXPECT_EQ(driver.dataFile, "G" + mark(os) + ".GPD");
        EXPECT_EQ(driver.environment, os == 0 ? "Windows 4.0" : "") << os;
        PortMonitors monitors;
        ASSERT_TRUE(config.readPortMonitors(os, monitors).ok());
        EXPECT_EQ(monitors.usb.info.dllName, "KVUSB" + mark(os) + ".DLL");
        EXPECT_EQ(monitors.serial.info.environment, os == 0 ? "Windows 4.0" : "") << os;
    }
}

TEST_F(InstallPlanTest, DriverNameByVariantAndPortKind) {
    SetupConfig config(files, programFolder, false);
    config.selectType(PrinterType::Receipt);
    const auto name = [&](OsVariant os, PortKind kind) {
        platform::PrinterInfo2 printer;
        EXPECT_TRUE(
            config.readPrinterRecord("QRT-K500NX", os, DriverFlavour::Raster, kind, printer).ok());
        return printer.driverName;
    };
    // 9x and NT 4 have one driver whatever the port, even USB.
    EXPECT_EQ(name(common::osWin9x, PortKind::Usb), "QRT-K500NX Receipt 98");
    EXPECT_EQ(name(common::osNt4, PortKind::Usb), "QRT-K500NX Receipt NT");
    EXPECT_EQ(name(common::osNt4, PortKind::Serial), "QRT-K500NX Receipt NT");
    EXPECT_EQ(name(common::os2000, PortKind::Serial), "QRT-K500NX S 2K");
    EXPECT_EQ(name(common::osXp, PortKind::Parallel), "QRT-K500NX P XP");
    EXPECT_EQ(name(common::osVista, PortKind::Network), "QRT-K500NX N Vista");
    EXPECT_EQ(name(common::osWin7, PortKind::Usb), "QRT-K500NX U Win7");
}

TEST_F(InstallPlanTest, SixtyFourBitWindowsReadsTheTwinFiles) {
    files.reads.clear();
    const InstallPlan plan = resolve(PrinterType::Ticket, "QRT-T300", common::osWin7,
                                     DriverFlavour::Raster, PortKind::Usb, true);
    EXPECT_EQ(plan.printer.driverName, "QRT-T300 U Win7");
    EXPECT_EQ(plan.files.usbInternalId, "");
    // No language monitor for the 64-bit driver set; the USB port monitor stays.
    EXPECT_EQ(plan.driver.monitorName, "");
    EXPECT_EQ(plan.languageMonitor.info.name, "");
    EXPECT_EQ(plan.monitors.usb.info.name, "KV USB Monitor");
    EXPECT_FALSE(files.wasRead("USBInternalID"));
    for (const auto& read : files.reads)
        EXPECT_TRUE(read.file == ticket64Ini || read.file == setupIni) << read.file;

    change(ticket64Ini, "QRT-T300.Win7", "GDIDriverName", "x64 only");
    SetupConfig config(files, programFolder, true);
    config.selectType(PrinterType::Ticket);
    platform::PrinterInfo2 printer;
    ASSERT_TRUE(config
                    .readPrinterRecord("QRT-T300", common::osWin7, DriverFlavour::Raster,
                                       PortKind::Usb, printer)
                    .ok());
    EXPECT_EQ(printer.driverName, "QRT-T300 U Win7");
}

TEST_F(InstallPlanTest, MissingKeysReadAsZero) {
    SetupConfig config(files, programFolder, false);
    config.selectType(PrinterType::Receipt);
    InstallPlan plan;
    // A model without sections: every name "0", every number 0, no system UniDrv.
    ASSERT_TRUE(
        config.resolvePlan("QRT-NONE", common::osXp, DriverFlavour::Raster, PortKind::Serial, plan)
            .ok());
    EXPECT_EQ(describe(plan.files), "0|0|0|0|0|0|0|0|0|0|0");
    EXPECT_EQ(plan.driver.name, "0");
    EXPECT_TRUE(plan.driver.dependentFiles.empty());
    EXPECT_EQ(describe(plan.printer), "QRT-NONE||0|0|0");
    EXPECT_FALSE(plan.usesSystemUniDrv);
}

class DependentFilesTest : public ConfigFilesTest {
protected:
    std::vector<std::string> list(DriverFlavour flavour, OsVariant os = common::osXp) {
        SetupConfig config(files, programFolder, false);
        config.selectType(PrinterType::Receipt);
        platform::DriverInfo3 driver;
        const ConfigResult result =
            config.readDriverRecord("QRT-K500NX", os, flavour, PortKind::Parallel, driver);
        EXPECT_TRUE(result.ok()) << result.error;
        return driver.dependentFiles;
    }
    using Names = std::vector<std::string>;
};

TEST_F(DependentFilesTest, OptionalFilesThatAreNoneAreLeftOut) {
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuiDLL", "0");
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniini", "");
    change(receiptIni, "QRT-K500NX.XP", "GDIDataFileDLLName", "0RES.DLL");
    EXPECT_EQ(list(DriverFlavour::Raster),
              (Names{"GXP.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD", "KVRENDER.DLL"}));
    EXPECT_EQ(list(DriverFlavour::Standard), (Names{"SXP.GPD", "TTFSUB.GPD", "UNIRES.DLL",
                                                    "STDNAMES.GPD", "SRESXP.DLL", "KVUI.DLL"}));
}

TEST_F(DependentFilesTest, NoListBeforeWindows2000) {
    EXPECT_TRUE(list(DriverFlavour::Raster, common::osWin9x).empty());
    EXPECT_TRUE(list(DriverFlavour::Raster, common::osNt4).empty());
    EXPECT_FALSE(list(DriverFlavour::Raster, common::os2000).empty());
}

// GDI2KDDKDEV, read as an integer, decides the list for both flavours; the STD
// flag decides only whether the standard flavour takes its files from the system.
TEST_F(DependentFilesTest, DecidedByTheRasterFlagForBothFlavours) {
    change(receiptIni, "QRT-K500NX.XP", "GDI2KDDKDEV", "0");
    EXPECT_TRUE(list(DriverFlavour::Raster).empty());
    EXPECT_TRUE(list(DriverFlavour::Standard).empty());
    change(receiptIni, "QRT-K500NX.XP", "GDI2KDDKDEV", "2");
    EXPECT_FALSE(list(DriverFlavour::Raster).empty());
    EXPECT_FALSE(list(DriverFlavour::Standard).empty());

    change(receiptIni, "QRT-K500NX.XP", "STD2KDDKDEV", "2");
    SetupConfig config(files, programFolder, false);
    config.selectType(PrinterType::Receipt);
    EXPECT_FALSE(config.usesSystemUniDrv("QRT-K500NX", common::osXp, DriverFlavour::Standard));
    change(receiptIni, "QRT-K500NX.XP", "STD2KDDKDEV", "1st");
    EXPECT_TRUE(config.usesSystemUniDrv("QRT-K500NX", common::osXp, DriverFlavour::Standard));
    // "2" is non-zero as an integer but its first character is not "1".
    EXPECT_FALSE(config.usesSystemUniDrv("QRT-K500NX", common::osXp, DriverFlavour::Raster));
}

TEST_F(DependentFilesTest, ListMustFitItsArea) {
    // Fixed part: "GXP.GPD", the three support files, the four extras below and
    // the final terminator, each name with its own terminator.
    const std::size_t fixed = 8 + 11 + 11 + 13 + 1;
    const std::size_t extrasRoom = dependentFilesArea - fixed; // four names + 4 terminators
    const std::size_t each = (extrasRoom - 4) / 4;
    const std::size_t last = extrasRoom - 4 - 3 * each;
    change(receiptIni, "QRT-K500NX.XP", "GDIDataFileDLLName", std::string(each, 'a'));
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuiDLL", std::string(each, 'b'));
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniDLL", std::string(each, 'c'));
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniini", std::string(last, 'd'));
    EXPECT_EQ(list(DriverFlavour::Raster).size(), 8u);

    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniini", std::string(last + 1, 'd'));
    SetupConfig config(files, programFolder, false);
    config.selectType(PrinterType::Receipt);
    InstallPlan plan;
    const ConfigResult result =
        config.resolvePlan("QRT-K500NX", common::osXp, DriverFlavour::Raster, PortKind::Usb, plan);
    EXPECT_NE(result.error.find("201 bytes"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("[QRT-K500NX.XP]"), std::string::npos) << result.error;
    EXPECT_EQ(plan.driver.name, "");
}

class LanguageMonitorTest : public ConfigFilesTest {
protected:
    MonitorConfig read(PortKind kind = PortKind::Usb) {
        SetupConfig config(files, programFolder, false);
        MonitorConfig monitor;
        EXPECT_TRUE(config.readLanguageMonitor(common::osXp, kind, monitor).ok());
        return monitor;
    }
    void set(const char* name, const char* dll, const char* version) {
        change(setupIni, "COMMON-MONITOR.XP", "USBLMONitorName", name);
        change(setupIni, "COMMON-MONITOR.XP", "USBLMONitorDLLName", dll);
        change(setupIni, "COMMON-MONITOR.XP", "USBLMONitorVersion", version);
    }
};

TEST_F(LanguageMonitorTest, AbsentWhenItsKeysAreMissing) {
    // Three values of one character each: the defaults of three missing keys.
    set("0", "0", "0");
    EXPECT_EQ(describe(read()), "||||0");
    set("KV LM", "0", "0");
    EXPECT_EQ(describe(read()), "KV LM||0||0");
    set("0", "0", "12");
    EXPECT_EQ(describe(read()), "0||0||12");
}

TEST_F(LanguageMonitorTest, OnlyForUsbPorts) {
    EXPECT_EQ(describe(read(PortKind::Serial)), "||||0");
    EXPECT_EQ(describe(read(PortKind::Network)), "||||0");
    EXPECT_EQ(describe(read(PortKind::Usb)), "KV Language Monitor XP||KVLANGMON.DLL||5");
}

TEST_F(InstallPlanTest, EmptyMonitorDllMeansNoMonitor) {
    change(setupIni, "COMMON-MONITOR.2K", "COMMONitorPDLLName", "");
    SetupConfig config(files, programFolder, false);
    PortMonitors monitors;
    ASSERT_TRUE(config.readPortMonitors(common::os2000, monitors).ok());
    EXPECT_EQ(monitors.serial.info.dllName, "");
    EXPECT_EQ(monitors.serial.info.name, "KV COM Monitor");
    // A missing key is "0", which counts as present.
    ASSERT_TRUE(config.readPortMonitors(common::os2000, monitors).ok());
    change(setupIni, "COMMON-MONITOR.2K", "USBMONitorPUIDLLName", "0");
    ASSERT_TRUE(config.readPortMonitors(common::os2000, monitors).ok());
    EXPECT_EQ(monitors.usb.uiDll, "0");
}

TEST_F(InstallPlanTest, PackageWideNumbers) {
    SetupConfig config(files, programFolder, false);
    EXPECT_EQ(config.processorVersion(), 4);
    EXPECT_EQ(config.usbPortNumber("USB_QRT-K500NX_2"), 2);
    EXPECT_EQ(config.usbPortNumber("usb_qrt-k500nx_1"), 1);
    EXPECT_EQ(config.usbPortNumber("USB_QRT-K500NX_3"), 0);
}

} // namespace
} // namespace setup::testing

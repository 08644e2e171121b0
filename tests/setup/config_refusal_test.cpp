// Configuration values that cannot be used are refused with a clear result:
// never cut to fit, never a path out of the package's and the spooler's folders.
#include "tests/setup/config_files_fixture.h"

namespace setup::testing {
namespace {

class ConfigRefusalTest : public ConfigFilesTest {
protected:
    ConfigResult resolve(PortKind kind = PortKind::Usb, OsVariant os = common::osXp,
                         DriverFlavour flavour = DriverFlavour::Raster,
                         const std::string& model = "QRT-K500NX") {
        SetupConfig config(files, programFolder, false);
        config.selectType(PrinterType::Receipt);
        plan = InstallPlan();
        plan.printer.printerName = "left over";
        return config.resolvePlan(model, os, flavour, kind, plan);
    }

    // The refusal names the key, its section and its file, and no plan is left.
    void expectRefused(const ConfigResult& result, const std::string& key,
                       const std::string& section, const std::string& file) {
        EXPECT_FALSE(result.ok());
        EXPECT_NE(result.error.find(key), std::string::npos) << result.error;
        EXPECT_NE(result.error.find("[" + section + "]"), std::string::npos) << result.error;
        EXPECT_NE(result.error.find(file), std::string::npos) << result.error;
        EXPECT_EQ(plan.printer.printerName, "");
        EXPECT_EQ(plan.driver.name, "");
        EXPECT_EQ(plan.files.driverPath, "");
    }

    InstallPlan plan;
};

TEST_F(ConfigRefusalTest, LimitsOfEachKindOfValue) {
    const struct {
        std::string file, section, key;
        std::size_t limit;
        DriverFlavour flavour = DriverFlavour::Raster;
    } cases[] = {
        {receiptIni, "QRT-K500NX.XP", "DriverNameU", nameLimit},
        {receiptIni, "QRT-K500NX.XP", "GDIPrintProcessor", nameLimit},
        {setupIni, "COMMON-MONITOR.XP", "USBMONitorPName", nameLimit},
        {setupIni, "COMMON-MONITOR.XP", "USBLMONitorName", nameLimit},
        {receiptIni, "QRT-K500NX.XP", "GDIDriverPath", fileNameLimit},
        {receiptIni, "QRT-K500NX.XP", "GDIProcessorDLLName", fileNameLimit},
        {receiptIni, "QRT-K500NX.XP", "ControlFontFile", fileNameLimit},
        {receiptIni, "QRT-K500NX.XP", "USBInternalID", fileNameLimit},
        {setupIni, "COMMON-MONITOR.XP", "USBMONitorPUIDLLName", fileNameLimit},
        {setupIni, "COMMON-MONITOR.XP", "USBMONitorVersion", versionLimit},
        {setupIni, "ProcessorVersion", "DriverVersion", versionLimit},
        {receiptIni, "QRT-K500NX.XP", "GDI2KDDKDEV", flagLimit},
        // Read only to decide how the standard flavour's files are staged.
        {receiptIni, "QRT-K500NX.XP", "STD2KDDKDEV", flagLimit, DriverFlavour::Standard},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const std::string original = files.text(c.file);
        // At the limit: accepted. Digits, so that the version values stay numbers.
        const auto resolveIt = [&] { return resolve(PortKind::Usb, common::osXp, c.flavour); };
        change(c.file, c.section, c.key, std::string(c.limit, '1'));
        EXPECT_TRUE(resolveIt().ok()) << resolveIt().error;
        change(c.file, c.section, c.key, std::string(c.limit + 1, '1'));
        expectRefused(resolveIt(), c.key, c.section, c.file);
        // A quoted value one character too long reads back one character short
        // from a buffer that is a byte too small; it must still be refused.
        change(c.file, c.section, c.key, "\"" + std::string(c.limit + 1, '1') + "\"");
        expectRefused(resolveIt(), c.key, c.section, c.file);
        change(c.file, c.section, c.key, std::string(5000, '1'));
        expectRefused(resolveIt(), c.key, c.section, c.file);
        files.set(c.file, original);
    }
}

TEST_F(ConfigRefusalTest, FileNamesMustBeBare) {
    for (const char* bad :
         {"..\\..\\WINDOWS\\system32\\evil.dll", "C:\\evil.dll", "C:evil.dll", "sub\\UNIDRV.DLL",
          "sub/UNIDRV.DLL", "..", "a..b.dll", "UNIDRV.DLL:stream", "\\\\server\\share\\x.dll",
          "*.dll", "a?b.dll", "a|b", "a<b>", "a\"b", "a\tb.dll"}) {
        SCOPED_TRACE(bad);
        change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniDLL", bad);
        const ConfigResult result = resolve();
        expectRefused(result, "GDIDataOemuniDLL", "QRT-K500NX.XP", receiptIni);
        EXPECT_NE(result.error.find("bare file name"), std::string::npos) << result.error;
    }
    // Monitor DLLs are copied into the system folder: the same rule.
    change(receiptIni, "QRT-K500NX.XP", "GDIDataOemuniDLL", "KVRENDER.DLL");
    change(setupIni, "COMMON-MONITOR.XP", "COMMONitorPDLLName", "..\\KVCOM.DLL");
    expectRefused(resolve(PortKind::Serial), "COMMONitorPDLLName", "COMMON-MONITOR.XP", setupIni);
    change(setupIni, "COMMON-MONITOR.XP", "COMMONitorPDLLName", "KVCOM.DLL");
    change(setupIni, "COMMON-MONITOR.XP", "USBLMONitorDLLName", "drivers\\KVLANGMON.DLL");
    expectRefused(resolve(), "USBLMONitorDLLName", "COMMON-MONITOR.XP", setupIni);
}

TEST_F(ConfigRefusalTest, ChoicesOutsideTheirRange) {
    EXPECT_FALSE(resolve(PortKind::Usb, 8).ok());
    EXPECT_FALSE(resolve(PortKind::Usb, -1).ok());
    EXPECT_FALSE(resolve(static_cast<PortKind>(4)).ok());
    EXPECT_FALSE(resolve(PortKind::Usb, common::osXp, static_cast<DriverFlavour>(2)).ok());
    EXPECT_FALSE(resolve(PortKind::Usb, common::osXp, DriverFlavour::Raster, "").ok());
    EXPECT_TRUE(
        resolve(PortKind::Usb, common::osXp, DriverFlavour::Raster, std::string(199, 'M')).ok());
    const ConfigResult tooLong =
        resolve(PortKind::Usb, common::osXp, DriverFlavour::Raster, std::string(200, 'M'));
    EXPECT_NE(tooLong.error.find("longer than 199"), std::string::npos) << tooLong.error;

    SetupConfig noType(files, programFolder, false);
    noType.selectType(PrinterType::None);
    InstallPlan p;
    EXPECT_FALSE(
        noType.resolvePlan("QRT-K500NX", common::osXp, DriverFlavour::Raster, PortKind::Usb, p)
            .ok());
    DriverFileSet set;
    EXPECT_FALSE(
        noType.readFileSet("QRT-K500NX", 9, DriverFlavour::Raster, PortKind::Usb, set).ok());
    PortMonitors monitors;
    EXPECT_FALSE(noType.readPortMonitors(8, monitors).ok());
}

TEST_F(ConfigRefusalTest, ARefusedReadLeavesNothingBehind) {
    change(receiptIni, "QRT-K500NX.XP", "GDIHelpFile", "..\\x.hlp");
    SetupConfig config(files, programFolder, false);
    config.selectType(PrinterType::Receipt);
    DriverFileSet set;
    set.driverPath = "stale";
    EXPECT_FALSE(
        config.readFileSet("QRT-K500NX", common::osXp, DriverFlavour::Raster, PortKind::Usb, set)
            .ok());
    EXPECT_EQ(set.driverPath, "");
    platform::DriverInfo3 driver;
    driver.name = "stale";
    EXPECT_FALSE(config
                     .readDriverRecord("QRT-K500NX", common::osXp, DriverFlavour::Raster,
                                       PortKind::Usb, driver)
                     .ok());
    EXPECT_EQ(driver.name, "");
    // The other flavour's keys are not touched by the refusal.
    EXPECT_TRUE(config
                    .readDriverRecord("QRT-K500NX", common::osXp, DriverFlavour::Standard,
                                      PortKind::Usb, driver)
                    .ok());
    // An over-long version makes the package-wide number unusable, so 0.
    change(setupIni, "ProcessorVersion", "DriverVersion", "1234567890");
    EXPECT_EQ(config.processorVersion(), 0);
}

} // namespace
} // namespace setup::testing

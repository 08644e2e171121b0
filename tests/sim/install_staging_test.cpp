// Staging one driver-set file into the system's folders: destinations and
// their skip rules, files in use, the universal driver's files from the
// driver cache and the driver store, and names that must never be used.
#include "setup/engine/install_session.h"
#include "setup/engine/staged_copy.h"
#include "setup/engine/system_unidrv.h"
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using namespace setup;

std::string content(SimMachine& m, const std::string& path) {
    std::string text;
    m.simFiles().readText(path, text);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

unsigned calls(SimMachine& m, const std::string& call) {
    const auto& counts = m.faults().callCounts();
    const auto it = counts.find(call);
    return it == counts.end() ? 0 : it->second;
}

class Staging : public ::testing::Test {
protected:
    void use(WindowsVariant os, int bits) {
        scenario = std::make_unique<Scenario>(os, bits);
        session = std::make_unique<InstallSession>(m(), osVariantOf(os), m().isWow64Process());
    }
    SimMachine& m() { return scenario->machine(); }
    int copy(std::string name, int kind, bool rename = false) {
        return stagedCopy(*session, name, kind, rename);
    }
    std::unique_ptr<Scenario> scenario;
    std::unique_ptr<InstallSession> session;
};

TEST_F(Staging, EachKindLandsInItsFolder) {
    use(WindowsVariant::Xp, 32);
    struct Case {
        int kind;
        const char* path;
    } cases[] = {
        {destination::infFolder, "C:\\WINDOWS\\inf\\KVOEM.INI"},
        {destination::driverVersion3,
         "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\KVOEM.INI"},
        {destination::driverFolder, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\KVOEM.INI"},
        {destination::processorFolder, "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86\\KVOEM.INI"},
        {destination::systemFolder, "C:\\WINDOWS\\system32\\KVOEM.INI"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(copy("kvoem.ini", c.kind), staged::copied) << c.kind;
        EXPECT_EQ(content(m(), c.path), "W32 KVOEM.INI") << c.kind;
    }
    EXPECT_EQ(session->error, "");
    EXPECT_EQ(copy("KVOEM.INI", 12345), staged::failed);
    EXPECT_EQ(session->error, scenario->text("IDS_ERR_DIRTYPE"));
}

TEST_F(Staging, SystemFolderOnWindows64IsTheNativeOne) {
    use(WindowsVariant::Win7, 64);
    const std::string native = "C:\\WINDOWS\\system32\\KVMONITORUSB.DLL";
    const std::string wow = "C:\\WINDOWS\\SysWOW64\\KVMONITORUSB.DLL";
    // Both folders hold a read-only file of that name: the mark is cleared on
    // the file that is replaced, not on its 32-bit namesake.
    for (const std::string& path : {native, wow}) {
        m().simFiles().writeText(path, "old");
        m().simFiles().setReadOnly(path);
    }
    EXPECT_EQ(copy("KVMONITORUSB.DLL", destination::systemFolder), staged::copied);
    EXPECT_EQ(content(m(), native), "W64 KVMONITORUSB.DLL");
    EXPECT_EQ(content(m(), wow), "old");
    EXPECT_NE(m().simFiles().attributes(wow) & platform::fileattr::readOnly, 0u);
    EXPECT_FALSE(m().simFiles().redirectionDisabled());
}

TEST_F(Staging, SkipRulesOfTheSystemFolderKinds) {
    use(WindowsVariant::Xp, 32);
    m().simFiles().writeText("C:\\WINDOWS\\system32\\NEWDEV.DLL", "system's own");
    EXPECT_EQ(copy("newdev.dll", destination::systemIfMissing), staged::copied);
    EXPECT_EQ(content(m(), "C:\\WINDOWS\\system32\\NEWDEV.DLL"), "system's own");
    // XP: the wbem folder is made and filled.
    EXPECT_FALSE(m().simFiles().isDirectory("C:\\WINDOWS\\system32\\wbem"));
    EXPECT_EQ(copy("framedyn.dll", destination::wbemFolder), staged::copied);
    EXPECT_EQ(content(m(), "C:\\WINDOWS\\system32\\wbem\\FRAMEDYN.DLL"), "W32 framedyn.dll");

    use(WindowsVariant::Vista, 32);
    m().simFiles().writeText("C:\\Windows\\System32\\framedyn.dll", "system's own");
    EXPECT_EQ(copy("framedyn.dll", destination::wbemFolder), staged::copied);
    EXPECT_FALSE(m().simFiles().exists("C:\\Windows\\System32\\wbem\\FRAMEDYN.DLL"));
}

TEST_F(Staging, FileInUseIsLeftForTheCallerWhoMayCopyUnderANewName) {
    use(WindowsVariant::Xp, 32);
    const std::string target = "C:\\WINDOWS\\system32\\KVLANGMON.DLL";
    m().simFiles().writeText(target, "old");
    m().simFiles().setInUse(target);
    EXPECT_EQ(copy("KVLANGMON.DLL", destination::systemFolder), staged::inUse);
    EXPECT_EQ(session->error, "");
    EXPECT_EQ(content(m(), target), "old");
    EXPECT_EQ(copy("KVLANGMON.DLL", destination::systemFolder, true), staged::copied);
    EXPECT_EQ(content(m(), "C:\\WINDOWS\\system32\\nKVLANGMON.DLL"), "W32 KVLANGMON.DLL");

    // A read-only destination is made writable first.
    m().simFiles().writeText("C:\\WINDOWS\\system32\\KVMONITORUSB.DLL", "old");
    m().simFiles().setReadOnly("C:\\WINDOWS\\system32\\KVMONITORUSB.DLL");
    EXPECT_EQ(copy("KVMONITORUSB.DLL", destination::systemFolder), staged::copied);
}

TEST_F(Staging, NoneValueIsSkippedWithoutAMessageAndMissingFilesSayWhich) {
    use(WindowsVariant::Xp, 32);
    EXPECT_EQ(copy("0", destination::driverFolder), staged::failed);
    EXPECT_EQ(session->error, "");
    EXPECT_EQ(copy("NOSUCH.DLL", destination::driverFolder), staged::failed);
    EXPECT_EQ(session->error, scenario->text("IDS_ERR_COPYFIEL") + "NOSUCH.DLL\n" +
                                  "The system cannot find the file specified.\n" +
                                  "E:\\Package\\W32\\NOSUCH.DLL\n" +
                                  scenario->text("IDS_ERR_COPYFIEL1"));
}

TEST_F(Staging, NamesThatAreNotPlainFileNamesAreNeverUsed) {
    use(WindowsVariant::Xp, 32);
    scenario->dir().write("package/evil.dll", "outside W32");
    scenario->dir().write("package/W32/sub/x.dll", "in a subfolder");
    const auto before = scenario->state();
    for (const char* name :
         {"..\\evil.dll", "../evil.dll", "sub\\x.dll", "C:evil.dll", "C:\\WINDOWS\\win.ini",
          "\\\\server\\share\\x.dll", "*.dll", "..", ""}) {
        session->error.clear();
        EXPECT_EQ(copy(name, destination::systemFolder), staged::failed) << name;
        EXPECT_NE(session->error, "") << name;
    }
    EXPECT_EQ(stateChanges(before, scenario->state()), std::vector<std::string>{});
}

TEST_F(Staging, PathsLongerThanWindowsTakesAreRefused) {
    use(WindowsVariant::Xp, 32);
    const std::string name = std::string(240, 'A') + ".DLL";
    scenario->dir().write("package/W32/" + name, "long");
    EXPECT_EQ(copy(name, destination::systemFolder), staged::failed);
    EXPECT_NE(session->error.find("longer than 259 characters"), std::string::npos);
}

TEST_F(Staging, UniDrvOnXpIsExtractedFromTheDriverCacheOnce) {
    use(WindowsVariant::Xp, 32);
    const std::string drivers = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\";
    EXPECT_EQ(copy("unidrv.dll", destination::driverFolder), staged::copied);
    // driver.cab then sp3.cab: the service pack's copy wins.
    EXPECT_EQ(content(m(), drivers + "UNIDRV.DLL"), "unidrv.dll (simulated, i386 sp)");
    EXPECT_EQ(calls(m(), "SetupIterateCabinetA"), 2u);
    // The second file comes straight from the temporary folder.
    EXPECT_EQ(copy("TTFSUB.GPD", destination::driverFolder), staged::copied);
    EXPECT_EQ(content(m(), drivers + "TTFSUB.GPD"), "ttfsub.gpd (simulated, i386)");
    EXPECT_EQ(calls(m(), "SetupIterateCabinetA"), 2u);
    // Already there: nothing to do.
    m().simFiles().writeText(drivers + "UNIRES.DLL", "present");
    EXPECT_EQ(copy("UNIRES.DLL", destination::driverFolder), staged::copied);
    EXPECT_EQ(content(m(), drivers + "UNIRES.DLL"), "present");
}

TEST_F(Staging, UniDrvFromThePackageWhenTheDriverCacheHasNone) {
    use(WindowsVariant::Win2000, 32);
    m().simFiles().DeleteFileA("C:\\WINNT\\Driver Cache\\i386\\driver.cab");
    EXPECT_EQ(copy("UNIRES.DLL", destination::driverFolder), staged::copied);
    EXPECT_EQ(content(m(), "C:\\WINNT\\system32\\spool\\drivers\\w32x86\\UNIRES.DLL"),
              "W32 UNIRES.DLL");
}

TEST_F(Staging, UniDrvOnWindows7ComesFromTheDriverStoreOrNowhere) {
    use(WindowsVariant::Win7, 64);
    EXPECT_EQ(copy("STDNAMES.GPD", destination::driverFolder), staged::copied);
    EXPECT_EQ(content(m(), "C:\\WINDOWS\\system32\\spool\\drivers\\x64\\STDNAMES.GPD"),
              "stdnames.gpd (simulated, amd64)");

    use(WindowsVariant::Win7, 32);
    const std::string store = platform::sim::ntprintPackageFolder(m());
    for (const std::string& file : m().simFiles().listFiles(store))
        m().simFiles().DeleteFileA(file);
    std::filesystem::remove_all(m().simFiles().hostPath(store));
    EXPECT_EQ(copy("UNIDRV.DLL", destination::driverFolder), staged::failed);
    EXPECT_EQ(session->error.rfind("Couldn't find system files.", 0), 0u);
    EXPECT_FALSE(
        m().simFiles().exists("C:\\Windows\\system32\\spool\\drivers\\w32x86\\UNIDRV.DLL"));
}

TEST_F(Staging, Windows98TakesUniDrvFromItsBackupOrThePackage) {
    use(WindowsVariant::Win98, 32);
    const std::string system = m().systemDirectory();
    m().simFiles().writeText(m().windowsDirectory() + "\\Sysbckup\\UNIDRV.DLL", "backup");
    stageUniDrvSupport(*session, false);
    EXPECT_EQ(session->error, "");
    EXPECT_EQ(content(m(), system + "\\UNIDRV.DLL"), "backup");
    EXPECT_EQ(content(m(), system + "\\ICONLIB.DLL"), "W32 ICONLIB.DLL");

    use(WindowsVariant::Win98, 32);
    stageUniDrvSupport(*session, false);
    EXPECT_EQ(content(m(), m().systemDirectory() + "\\UNIDRV.DLL"), "W32 UNIDRV.DLL");
}

} // namespace
} // namespace installtest

// The simulated spooler against what the real one does: folders per edition,
// what each Add call checks and answers, the keys it keeps, the default
// printer, the TCP/IP monitor's AddPort, and the Spooler service's effect.
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

constexpr std::uint32_t marker = 0xC0FFEE;

// PORT_DATA_1 as the published structure lays it out.
std::vector<std::uint8_t> portData1(const std::string& name, const std::string& host,
                                    std::uint32_t size = 964, std::size_t bytes = 964) {
    std::vector<std::uint8_t> b(bytes, 0);
    auto text = [&](std::size_t at, const std::string& t) {
        for (std::size_t i = 0; i < t.size() && at + 2 * i + 1 < b.size(); ++i)
            b[at + 2 * i] = static_cast<std::uint8_t>(t[i]);
    };
    auto dword = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4 && at + i < b.size(); ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    text(0, name);
    dword(128, 1);    // version
    dword(132, 1);    // raw
    dword(136, size); // cbSize
    text(144, host);
    text(242, "public");
    dword(308, 1);
    dword(952, 9100);
    dword(960, 1);
    return b;
}

class SpoolerTest : public ::testing::Test {
protected:
    std::unique_ptr<SimMachine> machine(WindowsVariant os, int bits, bool admin = true) {
        auto c = testsupport::simConfig(dir, os, bits);
        c.administrator = admin;
        auto m = std::make_unique<SimMachine>(c);
        m->SetLastError(marker);
        return m;
    }
    // The driver files of a driver, put into the driver folder as a setup would.
    void stageDriver(SimMachine& m, const std::string& folder) {
        for (const char* f : {"KVDRV.DLL", "KVDATA.GPD", "KVUI.DLL", "KVDRV.HLP", "KVRES.DLL"})
            m.simFiles().writeText(folder + "\\" + f, f);
    }
    DriverInfo3 driver(const std::string& name = "KV Receipt") {
        DriverInfo3 d;
        d.version = 3;
        d.name = name;
        d.driverPath = "KVDRV.DLL";
        d.dataFile = "KVDATA.GPD";
        d.configFile = "KVUI.DLL";
        d.helpFile = "KVDRV.HLP";
        d.dependentFiles = {"KVRES.DLL"};
        return d;
    }
    PrinterInfo2 printer(const std::string& name, const std::string& port,
                         const std::string& driverName = "KV Receipt") {
        PrinterInfo2 p;
        p.printerName = name;
        p.portName = port;
        p.driverName = driverName;
        p.printProcessor = "WinPrint";
        p.datatype = "RAW";
        p.attributes = 0x40;
        return p;
    }
    testsupport::TempDir dir;
};

} // namespace

TEST_F(SpoolerTest, FoldersAndEnvironmentsAreThoseOfTheEdition) {
    struct Case {
        WindowsVariant os;
        int bits;
        const char* drivers;
        const char* processors;
        int processBits = 32;
    };
    for (const Case& c : {
             Case{WindowsVariant::Win98, 32, "C:\\WINDOWS\\SYSTEM", "C:\\WINDOWS\\SYSTEM"},
             Case{WindowsVariant::Nt4, 32, "C:\\WINNT\\system32\\spool\\drivers\\w32x86",
                  "C:\\WINNT\\system32\\spool\\prtprocs\\w32x86"},
             Case{WindowsVariant::Xp, 32, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86",
                  "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86"},
             // A missing environment is the caller's: a 32-bit setup on 64-bit
             // Windows is answered with the 32-bit clients' folders.
             Case{WindowsVariant::Win7, 64, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86",
                  "C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86"},
             Case{WindowsVariant::Win7, 64, "C:\\WINDOWS\\system32\\spool\\drivers\\x64",
                  "C:\\WINDOWS\\system32\\spool\\prtprocs\\x64", 64},
         }) {
        testsupport::TempDir own;
        auto config = testsupport::simConfig(own, c.os, c.bits);
        config.processBits = c.processBits;
        SimMachine m(config);
        std::string path;
        ASSERT_TRUE(m.spooler().GetPrinterDriverDirectoryA("", path));
        EXPECT_EQ(c.drivers, path);
        EXPECT_TRUE(m.simFiles().isDirectory(path)) << path << " exists on a fresh machine";
        ASSERT_TRUE(m.spooler().GetPrintProcessorDirectoryA("", path));
        EXPECT_EQ(c.processors, path);
    }
    auto m = machine(WindowsVariant::Xp, 32);
    std::string path;
    ASSERT_TRUE(m->spooler().GetPrinterDriverDirectoryA("windows x64", path));
    EXPECT_EQ("C:\\WINDOWS\\system32\\spool\\drivers\\x64", path);
    EXPECT_FALSE(m->spooler().GetPrinterDriverDirectoryA("Windows 3.1", path));
    EXPECT_EQ(err::invalidEnvironment, m->GetLastError());
    auto w98 = machine(WindowsVariant::Win98, 32);
    EXPECT_FALSE(w98->spooler().GetPrinterDriverDirectoryA("Windows NT x86", path));
    EXPECT_EQ(err::invalidEnvironment, w98->GetLastError());
}

TEST_F(SpoolerTest, MonitorNeedsItsDllInTheNativeSystemFolderAndComesWithItsKey) {
    auto m = machine(WindowsVariant::Win7, 64);
    platform::Spooler& s = m->spooler();
    const MonitorInfo2 monitor{"KV USB Monitor", "", "KVUSBMON.DLL"};
    EXPECT_FALSE(s.AddMonitorA(monitor));
    EXPECT_EQ(err::modNotFound, m->GetLastError()) << "no DLL in the system folder";
    // Where a 32-bit program's copy lands without switching redirection off: not seen.
    m->simFiles().writeText("C:\\WINDOWS\\SysWOW64\\KVUSBMON.DLL", "32");
    EXPECT_FALSE(s.AddMonitorA(monitor));
    m->simFiles().writeText("C:\\WINDOWS\\system32\\KVUSBMON.DLL", "64");
    ASSERT_TRUE(s.AddMonitorA(monitor));
    std::string dll;
    EXPECT_TRUE(m->simRegistry().readString(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\KV USB Monitor", "Driver",
        dll));
    EXPECT_EQ("KVUSBMON.DLL", dll);
    m->SetLastError(marker);
    EXPECT_FALSE(s.AddMonitorA(MonitorInfo2{"kv usb monitor", "", "KVUSBMON.DLL"}));
    EXPECT_EQ(err::printMonitorAlreadyInstalled, m->GetLastError());
    EXPECT_FALSE(s.AddMonitorA(MonitorInfo2{"Other", "Windows 4.0", "KVUSBMON.DLL"}));
    EXPECT_EQ(err::invalidEnvironment, m->GetLastError());
    std::vector<std::string> names;
    ASSERT_TRUE(s.EnumMonitorsA(names));
    EXPECT_EQ((std::vector<std::string>{"Local Port", "Standard TCP/IP Port", "KV USB Monitor"}),
              names);

    auto user = machine(WindowsVariant::Xp, 32, false);
    user->simFiles().writeText("C:\\WINDOWS\\system32\\KVUSBMON.DLL", "32");
    EXPECT_FALSE(user->spooler().AddMonitorA(monitor));
    EXPECT_EQ(err::accessDenied, user->GetLastError());
}

TEST_F(SpoolerTest, PrintProcessorNeedsItsDllInTheProcessorFolder) {
    auto m = machine(WindowsVariant::Xp, 32);
    platform::Spooler& s = m->spooler();
    EXPECT_FALSE(s.AddPrintProcessorA("", "KVPROC.DLL", "KVPROC"));
    EXPECT_EQ(err::modNotFound, m->GetLastError());
    m->simFiles().writeText("C:\\WINDOWS\\system32\\spool\\prtprocs\\w32x86\\KVPROC.DLL", "p");
    ASSERT_TRUE(s.AddPrintProcessorA("", "KVPROC.DLL", "KVPROC"));
    EXPECT_TRUE(m->simRegistry().hasKey(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
        "Processors\\KVPROC"));
    EXPECT_FALSE(s.AddPrintProcessorA("", "KVPROC.DLL", "KVPROC"));
    EXPECT_EQ(err::printProcessorAlreadyInstalled, m->GetLastError());
    EXPECT_FALSE(s.AddPrintProcessorA("", "", "X"));
    EXPECT_EQ(err::invalidParameter, m->GetLastError());
    // The system's own processor is there from the start under its DLL's name.
    EXPECT_TRUE(m->simRegistry().hasKey(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
        "Processors\\winprint"));
    std::vector<std::string> names;
    ASSERT_TRUE(s.EnumPrintProcessorsA("", names));
    EXPECT_EQ((std::vector<std::string>{"WinPrint", "KVPROC"}), names);
}

TEST_F(SpoolerTest, DriverFilesMustBeInTheDriverFolderAndAreFiledInItsVersionFolder) {
    auto m = machine(WindowsVariant::Xp, 32);
    platform::Spooler& s = m->spooler();
    const std::string folder = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
    EXPECT_FALSE(s.AddPrinterDriverA(driver()));
    EXPECT_EQ(err::fileNotFound, m->GetLastError());
    stageDriver(*m, folder);
    // A dependent file found in the version folder already is good too.
    m->simFiles().DeleteFileA(folder + "\\KVRES.DLL");
    m->simFiles().writeText(folder + "\\3\\KVRES.DLL", "res");
    DriverInfo3 withMonitor = driver();
    withMonitor.monitorName = "KV Language Monitor";
    EXPECT_FALSE(s.AddPrinterDriverA(withMonitor));
    EXPECT_EQ(err::unknownPrintMonitor, m->GetLastError());
    ASSERT_TRUE(s.AddPrinterDriverA(driver()));
    EXPECT_TRUE(m->simFiles().exists(folder + "\\3\\KVDRV.DLL"));

    std::vector<DriverInfo3> drivers;
    ASSERT_TRUE(s.EnumPrinterDriversA("", drivers));
    ASSERT_EQ(1u, drivers.size());
    EXPECT_EQ(folder + "\\3\\KVDRV.DLL", drivers[0].driverPath);
    EXPECT_EQ(std::vector<std::string>{folder + "\\3\\KVRES.DLL"}, drivers[0].dependentFiles);
    EXPECT_EQ("Windows NT x86", drivers[0].environment);
    const std::string key =
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows "
        "NT x86\\Drivers\\Version-3\\KV Receipt";
    std::string value;
    EXPECT_TRUE(m->simRegistry().readString(key, "Configuration File", value));
    EXPECT_EQ("KVUI.DLL", value);
    ASSERT_NE(nullptr, m->simRegistry().findValue(key, "Dependent Files"));
    EXPECT_EQ(regtype::multiSz, m->simRegistry().findValue(key, "Dependent Files")->type);

    // A help file "0" (a key missing from the configuration) does not exist.
    DriverInfo3 noHelp = driver("KV Other");
    noHelp.helpFile = "0";
    m->SetLastError(marker);
    EXPECT_FALSE(s.AddPrinterDriverA(noHelp));
    EXPECT_EQ(err::fileNotFound, m->GetLastError());
}

TEST_F(SpoolerTest, PrinterNeedsKnownPortDriverAndProcessorAndAUniqueName) {
    auto m = machine(WindowsVariant::Win7, 64);
    platform::Spooler& s = m->spooler();
    stageDriver(*m, "C:\\WINDOWS\\system32\\spool\\drivers\\x64");
    // The 32-bit caller names the machine's environment: its own, x86, would
    // not serve the printer.
    DriverInfo3 native = driver();
    native.environment = "Windows x64";
    ASSERT_TRUE(s.AddPrinterDriverA(native));

    struct Case {
        PrinterInfo2 printer;
        std::uint32_t error;
    };
    PrinterInfo2 badProcessor = printer("A", "COM1:");
    badProcessor.printProcessor = "KVPROC";
    PrinterInfo2 badType = printer("A", "COM1:");
    badType.datatype = "PCL";
    PrinterInfo2 noProcessor = printer("A", "COM1:");
    noProcessor.printProcessor.clear();
    for (const Case& c :
         {Case{printer("A", "USB_QRT-K500NX_1"), err::unknownPort},
          Case{printer("A", "COM1:", "Nobody's driver"), err::unknownPrinterDriver},
          Case{badProcessor, err::unknownPrintProcessor}, Case{badType, err::invalidDatatype},
          Case{noProcessor, err::invalidParameter},
          Case{printer("A,B", "COM1:"), err::invalidPrinterName}}) {
        m->SetLastError(marker);
        EXPECT_EQ(0u, s.AddPrinterA(c.printer)) << c.printer.printerName;
        EXPECT_EQ(c.error, m->GetLastError()) << c.printer.portName << " " << c.printer.driverName;
    }
    const Handle h = s.AddPrinterA(printer("QRT-K500NX(S)", "COM1:"));
    ASSERT_NE(0u, h);
    EXPECT_TRUE(s.ClosePrinter(h));
    EXPECT_EQ(0u, s.AddPrinterA(printer("qrt-k500nx(s)", "COM2:")));
    EXPECT_EQ(err::printerAlreadyExists, m->GetLastError());
    std::string port;
    EXPECT_TRUE(m->simRegistry().readString(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\QRT-K500NX(S)", "Port", port));
    EXPECT_EQ("COM1:", port);
    EXPECT_EQ(0u, s.OpenPrinterA("Nobody", printeraccess::printerUse));
    EXPECT_EQ(err::invalidPrinterName, m->GetLastError());
    EXPECT_EQ(0u, m->simSpooler().openHandles());
}

TEST_F(SpoolerTest, DefaultPrinterLivesWhereEachEditionKeepsIt) {
    // Windows 9x: the default attribute through SetPrinter, kept in win.ini.
    auto w98 = machine(WindowsVariant::Win98, 32);
    stageDriver(*w98, "C:\\WINDOWS\\SYSTEM");
    DriverInfo3 d = driver();
    d.environment = "Windows 4.0";
    ASSERT_TRUE(w98->spooler().AddPrinterDriverA(d));
    const Handle h = w98->spooler().AddPrinterA(printer("P98", "LPT1:"));
    ASSERT_NE(0u, h);
    EXPECT_EQ("", w98->simSpooler().defaultPrinter());
    PrinterInfo2 info;
    ASSERT_TRUE(w98->spooler().GetPrinterA(h, info));
    info.attributes |= printerAttributeDefault;
    ASSERT_TRUE(w98->spooler().SetPrinterA(h, info));
    EXPECT_EQ("P98", w98->simSpooler().defaultPrinter());
    std::string winIni;
    w98->simFiles().readText("C:\\WINDOWS\\win.ini", winIni);
    EXPECT_NE(std::string::npos, winIni.find("device=P98,KV Receipt,LPT1:")) << winIni;
    ASSERT_TRUE(w98->spooler().GetPrinterA(h, info));
    EXPECT_NE(0u, info.attributes & printerAttributeDefault);
    EXPECT_FALSE(w98->spooler().SetDefaultPrinterA("P98"));
    EXPECT_EQ(err::callNotImplemented, w98->GetLastError());

    // Windows 2000 and later: SetDefaultPrinterA by name; the attribute does nothing.
    auto xp = machine(WindowsVariant::Xp, 32);
    stageDriver(*xp, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86");
    ASSERT_TRUE(xp->spooler().AddPrinterDriverA(driver()));
    PrinterInfo2 asDefault = printer("PXP", "LPT1:");
    asDefault.attributes |= printerAttributeDefault;
    ASSERT_NE(0u, xp->spooler().AddPrinterA(asDefault));
    EXPECT_EQ("", xp->simSpooler().defaultPrinter());
    EXPECT_FALSE(xp->spooler().SetDefaultPrinterA("Nobody"));
    EXPECT_EQ(err::invalidPrinterName, xp->GetLastError());
    ASSERT_TRUE(xp->spooler().SetDefaultPrinterA("pxp"));
    EXPECT_EQ("PXP", xp->simSpooler().defaultPrinter());
    const Handle p = xp->spooler().OpenPrinterA("PXP", printeraccess::printerAllAccess);
    ASSERT_TRUE(xp->spooler().DeletePrinter(p));
    EXPECT_EQ("", xp->simSpooler().defaultPrinter()) << "a deleted printer is no default";
}

TEST_F(SpoolerTest, TcpIpMonitorAddsThePortOfAWellFormedRecord) {
    auto m = machine(WindowsVariant::Xp, 32);
    platform::Spooler& s = m->spooler();
    std::uint32_t status = marker;
    const Handle user =
        s.OpenPrinterA(",XcvMonitor Standard TCP/IP Port", printeraccess::printerUse);
    ASSERT_NE(0u, user);
    ASSERT_TRUE(s.XcvDataW(user, u"AddPort", portData1("IP_10.0.0.9", "10.0.0.9"), 260, status));
    EXPECT_EQ(err::accessDenied, status) << "AddPort needs administer access";

    const Handle xcv =
        s.OpenPrinterA(",XcvMonitor Standard TCP/IP Port", printeraccess::serverAdminister);
    ASSERT_NE(0u, xcv);
    struct Bad {
        std::vector<std::uint8_t> record;
        const char* why;
    };
    for (const Bad& bad :
         {Bad{portData1("IP_1", "1.2.3.4", 964, 900), "short"},
          Bad{portData1("IP_1", "1.2.3.4", 900), "cbSize"},
          Bad{portData1("", "1.2.3.4"), "no name"}, Bad{portData1("IP_1", ""), "no address"},
          Bad{portData1(std::string(64, 'X'), "1.2.3.4"), "unterminated name"}}) {
        status = marker;
        ASSERT_TRUE(s.XcvDataW(xcv, u"AddPort", bad.record, 260, status)) << bad.why;
        EXPECT_EQ(err::invalidParameter, status) << bad.why;
    }
    ASSERT_TRUE(
        s.XcvDataW(xcv, u"AddPort", portData1("IP_192.168.1.251", "192.168.1.251"), 260, status));
    EXPECT_EQ(err::success, status);
    ASSERT_TRUE(
        s.XcvDataW(xcv, u"AddPort", portData1("IP_192.168.1.251", "192.168.1.251"), 260, status));
    EXPECT_EQ(err::alreadyExists, status) << "the call succeeds; the monitor says it exists";
    EXPECT_TRUE(s.ClosePrinter(xcv));
    EXPECT_TRUE(s.ClosePrinter(user));

    std::vector<std::string> ports;
    ASSERT_TRUE(s.EnumPortsA(ports));
    EXPECT_EQ("IP_192.168.1.251", ports.back());
    const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard "
                            "TCP/IP Port\\Ports\\IP_192.168.1.251";
    std::uint32_t number = 0;
    std::string address;
    EXPECT_TRUE(m->simRegistry().readDword(key, "PortNumber", number));
    EXPECT_EQ(9100u, number);
    EXPECT_TRUE(m->simRegistry().readString(key, "IPAddress", address));
    EXPECT_EQ("192.168.1.251", address);

    auto w98 = machine(WindowsVariant::Win98, 32);
    EXPECT_EQ(0u, w98->spooler().OpenPrinterA(",XcvMonitor Standard TCP/IP Port", 1));
    EXPECT_EQ(err::invalidPrinterName, w98->GetLastError());
}

TEST_F(SpoolerTest, StoppedServiceFailsEveryCallAndReleasesTheLoadedDlls) {
    auto m = machine(WindowsVariant::Xp, 32);
    platform::Spooler& s = m->spooler();
    const std::string dll = "C:\\WINDOWS\\system32\\KVMON.DLL";
    m->simFiles().writeText(dll, "v1");
    ASSERT_TRUE(s.AddMonitorA(MonitorInfo2{"KV Monitor", "", "KVMON.DLL"}));
    EXPECT_TRUE(m->simFiles().isInUse(dll)) << "the spooler loaded the monitor";
    EXPECT_FALSE(m->files().CopyFileA(dll, dll, false));
    EXPECT_EQ(err::sharingViolation, m->GetLastError());

    m->simServices().stopSpooler();
    EXPECT_FALSE(m->simFiles().isInUse(dll));
    std::vector<std::string> ports;
    std::string path;
    EXPECT_FALSE(s.EnumPortsA(ports));
    EXPECT_EQ(err::rpcServerUnavailable, m->GetLastError());
    EXPECT_FALSE(s.GetPrinterDriverDirectoryA("", path));
    EXPECT_EQ(err::rpcServerUnavailable, m->GetLastError());

    // A copy under a new name, named by the Driver value, is what loads next.
    m->simFiles().writeText("C:\\WINDOWS\\system32\\nKVMON.DLL", "v2");
    m->simRegistry().setString(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\KV Monitor", "Driver",
        "nKVMON.DLL");
    m->simServices().startSpooler();
    EXPECT_TRUE(m->simFiles().isInUse("C:\\WINDOWS\\system32\\nKVMON.DLL"));
    EXPECT_FALSE(m->simFiles().isInUse(dll));

    // A mark set by someone else stays when the spooler stops.
    m->simFiles().setInUse(dll);
    m->simServices().stopSpooler();
    EXPECT_TRUE(m->simFiles().isInUse(dll));
}

TEST_F(SpoolerTest, ObjectsInUseCannotBeRemoved) {
    auto m = machine(WindowsVariant::Win2000, 32);
    platform::Spooler& s = m->spooler();
    m->simFiles().writeText("C:\\WINNT\\system32\\KVMON.DLL", "m");
    ASSERT_TRUE(s.AddMonitorA(MonitorInfo2{"KV Monitor", "", "KVMON.DLL"}));
    m->simSpooler().setMonitorPorts(
        "KV Monitor", [](SimMachine&) { return std::vector<std::string>{"USB_QRT-K500NX_1"}; });
    const std::string folder = "C:\\WINNT\\system32\\spool\\drivers\\w32x86";
    stageDriver(*m, folder);
    ASSERT_TRUE(s.AddPrinterDriverA(driver()));
    const Handle h = s.AddPrinterA(printer("QRT-K500NX(U) 1", "USB_QRT-K500NX_1"));
    ASSERT_NE(0u, h);

    EXPECT_FALSE(s.DeleteMonitorA("", "KV Monitor"));
    EXPECT_EQ(err::printMonitorInUse, m->GetLastError());
    EXPECT_FALSE(s.DeletePrinterDriverA("", "KV Receipt"));
    EXPECT_EQ(err::printerDriverInUse, m->GetLastError());
    m->simSpooler().setJobs("QRT-K500NX(U) 1", 2);
    EXPECT_FALSE(s.DeletePrinter(h));
    EXPECT_EQ(err::printerHasJobsQueued, m->GetLastError());
    m->simSpooler().setJobs("QRT-K500NX(U) 1", 0);
    ASSERT_TRUE(s.DeletePrinter(h));
    EXPECT_TRUE(s.ClosePrinter(h));

    ASSERT_TRUE(s.DeletePrinterDriverExA("", "KV Receipt", driverdelete::unusedFiles, 0));
    EXPECT_FALSE(m->simFiles().exists(folder + "\\3\\KVDRV.DLL")) << "unused files are deleted";
    EXPECT_FALSE(m->simRegistry().hasKey(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT "
        "x86\\Drivers\\Version-3\\KV Receipt"));
    ASSERT_TRUE(s.DeleteMonitorA("", "KV Monitor"));
    EXPECT_FALSE(m->simFiles().isInUse("C:\\WINNT\\system32\\KVMON.DLL"));
    EXPECT_FALSE(s.DeleteMonitorA("", "KV Monitor"));
    EXPECT_EQ(err::unknownPrintMonitor, m->GetLastError());
}

TEST_F(SpoolerTest, StateSurvivesSaveAndLoad) {
    auto m = machine(WindowsVariant::Xp, 32);
    platform::Spooler& s = m->spooler();
    stageDriver(*m, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86");
    m->simFiles().writeText("C:\\WINDOWS\\system32\\KVMON.DLL", "m");
    ASSERT_TRUE(s.AddMonitorA(MonitorInfo2{"KV Monitor", "", "KVMON.DLL"}));
    ASSERT_TRUE(s.AddPrinterDriverA(driver()));
    const Handle xcv = s.OpenPrinterA(",XcvMonitor Standard TCP/IP Port", 1);
    std::uint32_t status = 0;
    ASSERT_TRUE(s.XcvDataW(xcv, u"AddPort", portData1("IP_10.1.1.1", "10.1.1.1"), 0, status));
    PrinterInfo2 p = printer("Net printer", "IP_10.1.1.1");
    p.comment = "by the door";
    ASSERT_NE(0u, s.AddPrinterA(p));
    m->simSpooler().setJobs("Net printer", 3);

    std::stringstream saved;
    m->simSpooler().save(saved);
    testsupport::TempDir other;
    SimMachine copy(testsupport::simConfig(other, WindowsVariant::Xp, 32));
    std::string error;
    ASSERT_TRUE(copy.simSpooler().load(saved, error)) << error;
    std::stringstream again;
    copy.simSpooler().save(again);
    EXPECT_EQ(saved.str(), again.str());
    ASSERT_NE(nullptr, copy.simSpooler().printer("Net printer"));
    EXPECT_EQ("by the door", copy.simSpooler().printer("Net printer")->comment);
    EXPECT_EQ(3u, copy.simSpooler().printer("Net printer")->jobs);

    for (const char* bad : {"printer OnlyName\n", "driver Windows%20NT%20x86 D x 1 2 3 4 5 6\n",
                            "processor Windows%203.1 P p.dll\n", "monitor\n", "unknown a b\n"}) {
        std::istringstream in(std::string("monitor Local%20Port localspl.dll\n") + bad);
        EXPECT_FALSE(copy.simSpooler().load(in, error)) << bad;
        EXPECT_EQ(0u, error.rfind("line 2:", 0)) << error;
    }
}

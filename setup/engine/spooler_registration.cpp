#include "setup/engine/spooler_registration.h"

#include "platform/machine.h"
#include "setup/engine/install_session.h"

namespace setup {
namespace {

// AddPrinterA and the handle closed at once; the error when it failed.
std::uint32_t tryAddPrinter(platform::Machine& machine, const platform::PrinterInfo2& printer) {
    const platform::Handle handle = machine.spooler().AddPrinterA(printer);
    if (handle == 0)
        return machine.GetLastError();
    machine.spooler().ClosePrinter(handle);
    return 0;
}

} // namespace

bool addDriver(InstallSession& session, const platform::DriverInfo3& driver) {
    if (session.machine.spooler().AddPrinterDriverA(driver))
        return true;
    session.fail("IDS_ERR_ADDPRNDRV3", session.machine.GetLastError());
    return false;
}

bool createPrinter(InstallSession& session, platform::PrinterInfo2& printer, bool numberedNames) {
    platform::Machine& machine = session.machine;
    std::uint32_t code = tryAddPrinter(machine, printer);
    if (code == 0)
        return true;
    if (code != platform::err::printerAlreadyExists) {
        session.fail("IDS_ERR_ADDPRINTER", code);
        return false;
    }
    if (!numberedNames) {
        session.error = session.text("IDS_ERR_TOOMANY");
        return false;
    }
    const std::string base = printer.printerName;
    for (int i = 1; i <= maxNumberedPrinters; ++i) {
        platform::PrinterInfo2 numbered = printer;
        numbered.printerName = base + "(" + std::to_string(i) + ")";
        code = tryAddPrinter(machine, numbered);
        if (code == 0) {
            printer.printerName = numbered.printerName;
            return true;
        }
        if (code != platform::err::printerAlreadyExists) {
            session.fail("IDS_ERR_ADDPRINTER", code);
            return false;
        }
    }
    session.error = session.text("IDS_ERR_TOOMANY");
    return false;
}

bool makeDefaultPrinter(platform::Machine& machine, common::OsVariant os, const std::string& name) {
    platform::Spooler& spooler = machine.spooler();
    if (os == common::osWin9x || os == common::osNt4) {
        const std::uint32_t access = os == common::osWin9x
                                         ? platform::printeraccess::printerAllAccess
                                         : platform::printeraccess::printerUse;
        const platform::Handle printer = spooler.OpenPrinterA(name, access);
        if (printer == 0)
            return false;
        platform::PrinterInfo2 info;
        bool ok = spooler.GetPrinterA(printer, info);
        if (ok && os == common::osWin9x) {
            info.attributes |= platform::printerAttributeDefault;
            ok = spooler.SetPrinterA(printer, info);
        }
        spooler.ClosePrinter(printer);
        if (ok && os == common::osNt4)
            ok = machine.profiles().WriteProfileStringA(
                "windows", "device", name + "," + info.driverName + "," + info.portName);
        return ok && machine.desktop().BroadcastWinIniChange(os == common::osWin9x ? "windows" : "",
                                                             1000);
    }
    const platform::Handle winspool = machine.system().LoadLibraryA("winspool.drv");
    if (winspool == 0)
        return false;
    const bool ok = machine.system().GetProcAddress(winspool, "SetDefaultPrinterA") &&
                    spooler.SetDefaultPrinterA(name);
    machine.system().FreeLibrary(winspool);
    return ok && machine.desktop().BroadcastWinIniChange("", 1000);
}

} // namespace setup

#include "uninstall/removal_worker.h"

#include "common/file_names.h"
#include "common/redirection_switch.h"
#include "common/registry_key.h"
#include "common/spooler_service.h"
#include "common/system_text.h"
#include "common/usb_installer.h"
#include "platform/machine.h"
#include "uninstall/uninstall_texts.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>

namespace uninstall {
namespace {

enum class Next { Item, EndOfLoop };
enum class DriverRemoval { Deleted, InUse, Failed };

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> filesOf(const platform::DriverInfo3& d) {
    std::vector<std::string> files = {d.driverPath, d.dataFile, d.configFile, d.helpFile};
    files.insert(files.end(), d.dependentFiles.begin(), d.dependentFiles.end());
    files.erase(std::remove(files.begin(), files.end(), std::string()), files.end());
    return files;
}

class Worker {
public:
    Worker(platform::Machine& machine, const RemovalEnvironment& environment,
           const UninstallTexts& texts, RemovalReport& report, platform::Handle owner)
        : m_(machine), env_(environment), texts_(texts), report_(report), owner_(owner) {}

    RemovalOutcome run(const RemovalPlan& plan) {
        for (const ItemRemoval& removal : plan.items) {
            m_.clock().Sleep(500);
            for (const std::string& note : removal.notes)
                report_.line(note);
            if (remove(removal) == Next::EndOfLoop) {
                outcome_.endedEarly = true;
                return outcome_;
            }
        }
        if (plan.usbDriver)
            removeUsbDriver();
        return outcome_;
    }

private:
    Next remove(const ItemRemoval& removal) {
        switch (removal.item.kind) {
        case ItemKind::Printer:
            return removePrinter(removal);
        case ItemKind::Driver:
            say(texts_.format("IDS_DRVDELETING", removal.item.name));
            if (removeDriver(removal.item.name) == DriverRemoval::Deleted)
                gone(removal);
            return Next::Item;
        case ItemKind::Monitor:
            removeMonitor(removal);
            return Next::Item;
        case ItemKind::Processor:
            removeProcessor(removal);
            return Next::Item;
        }
        return Next::Item;
    }

    void say(const std::string& text) { report_.line(text); }
    void sayMessage(const char* key) { say(texts_.message(key)); }
    void sayAbout(const char* key, const std::string& name) { say(texts_.format(key, name)); }
    std::uint32_t lastError() { return m_.GetLastError(); }
    std::string why(std::uint32_t code) {
        const std::string text = common::systemText(m_, code);
        return text.empty() ? "error " + std::to_string(code) : text;
    }

    void gone(const ItemRemoval& removal) {
        report_.removed(removal.row);
        outcome_.removedRows.push_back(removal.row);
        outcome_.removedSomething = true;
    }

    Next removePrinter(const ItemRemoval& removal) {
        platform::Spooler& spooler = m_.spooler();
        const std::string& name = removal.item.name;
        const platform::Handle printer =
            spooler.OpenPrinterA(name, platform::printeraccess::printerAllAccess);
        if (printer == 0) {
            sayAbout("IDS_ERR_OPENPRN", name);
            return Next::EndOfLoop;
        }
        sayAbout("IDS_DELETING2", name);
        platform::PrinterInfo2 info;
        if (!spooler.GetPrinterA(printer, info)) {
            const std::uint32_t code = lastError();
            sayMessage(code == platform::err::notEnoughMemory || code == platform::err::outOfMemory
                           ? "IDS_ERR_ALLOC"
                           : "IDS_ERR_GETPRNINFO");
            spooler.ClosePrinter(printer);
            return Next::EndOfLoop;
        }
        if (info.jobs != 0) {
            sayAbout("IDS_ERR_HAVEJOB1", name);
            spooler.ClosePrinter(printer);
            return Next::EndOfLoop;
        }
        if (!spooler.DeletePrinter(printer)) {
            sayMessage("IDS_ERR_DELPRINTER");
            spooler.ClosePrinter(printer);
            m_.clock().Sleep(100);
            return Next::Item;
        }
        m_.clock().Sleep(100);
        sayAbout("IDS_SUCCESS", name);
        spooler.ClosePrinter(printer);
        gone(removal);
        common::restartSpooler(m_);
        m_.clock().Sleep(1000);
        if (removal.removeDriver) {
            sayAbout("IDS_DRVDELETING", name);
            const std::string& driver =
                info.driverName.empty() ? removal.item.driver : info.driverName;
            if (removeDriver(driver) == DriverRemoval::Failed) {
                m_.clock().Sleep(1100);
                return Next::Item;
            }
        }
        m_.clock().Sleep(1000);
        return Next::Item;
    }

    DriverRemoval removeDriver(const std::string& driver) {
        platform::Spooler& spooler = m_.spooler();
        const std::string env = env_.spooler();
        // The driver's files and folder, to delete afterwards those no other
        // driver lists; without them the driver stays for a later run.
        std::vector<platform::DriverInfo3> drivers;
        std::string folder;
        if (!spooler.EnumPrinterDriversA(env, drivers) ||
            !spooler.GetPrinterDriverDirectoryA(env, folder) || folder.empty()) {
            say(texts_.message("IDS_ERR_DRVDEL") + "    er=" + std::to_string(lastError()));
            return DriverRemoval::Failed;
        }
        const bool deleted = env_.deleteDriverEx
                                 ? spooler.DeletePrinterDriverExA(
                                       env, driver, platform::driverdelete::unusedFiles, 0)
                                 : spooler.DeletePrinterDriverA(env, driver);
        if (!deleted) {
            const std::uint32_t code = lastError();
            if (code == platform::err::printerDriverInUse) {
                sayMessage("IDS_ERR_DRVUSING");
                return DriverRemoval::InUse;
            }
            say(texts_.message("IDS_ERR_DRVDEL") + "    er=" + std::to_string(code));
            return DriverRemoval::Failed;
        }
        deleteUnusedDriverFiles(drivers, folder, driver);
        sayMessage("IDS_DRV_SUCCESS");
        return DriverRemoval::Deleted;
    }

    // What the spooler left of a deleted driver: its files where only
    // DeletePrinterDriverA was there to delete it, and the copies the setup
    // staged in the driver directory, unless another driver lists a file of
    // the same name.
    void deleteUnusedDriverFiles(const std::vector<platform::DriverInfo3>& drivers,
                                 const std::string& folder, const std::string& driver) {
        const platform::DriverInfo3* mine = nullptr;
        std::set<std::string> shared;
        for (const platform::DriverInfo3& d : drivers) {
            if (mine == nullptr && upper(d.name) == upper(driver)) {
                mine = &d;
                continue;
            }
            for (const std::string& file : filesOf(d))
                shared.insert(upper(fileNameOf(file)));
        }
        if (mine == nullptr)
            return;
        for (const std::string& file : filesOf(*mine)) {
            const std::string name = fileNameOf(file);
            if (!common::isBareFileName(name) || shared.count(upper(name)) != 0)
                continue;
            deleteFile(file);
            deleteFile(folder + "\\" + name);
        }
    }

    // True when the file is gone; a file that was not there counts as gone.
    bool deleteFile(const std::string& path) {
        if (m_.files().DeleteFileA(path))
            return true;
        const std::uint32_t code = lastError();
        if (code == platform::err::fileNotFound || code == platform::err::pathNotFound)
            return true;
        say(path + " could not be deleted: " + why(code));
        return false;
    }

    // True when the key is gone (or was never there).
    bool deleteKey(const std::string& path) {
        const std::size_t slash = path.rfind('\\');
        common::RegistryKey parent(m_.registry(), env_.windows64);
        if (!parent.open(path.substr(0, slash)) &&
            parent.lastError() == platform::err::fileNotFound)
            return true;
        if ((parent.isOpen() && parent.deleteSubKey(path.substr(slash + 1))) ||
            parent.lastError() == platform::err::fileNotFound)
            return true;
        say("The registry key HKLM\\" + path + " could not be deleted: " + why(parent.lastError()));
        return false;
    }

    bool deleteFiles(const ItemRemoval& removal) {
        bool complete = true;
        for (const PlannedFile& file : removal.files) {
            std::string folder;
            const bool known =
                file.folder == FileFolder::System
                    ? m_.system().GetSystemDirectoryA(folder)
                    : m_.spooler().GetPrintProcessorDirectoryA(env_.spooler(), folder);
            if (!known || folder.empty()) {
                say("Get system Directory error.");
                return false;
            }
            std::optional<common::RedirectionSwitch> native;
            if (file.nativeView) {
                native.emplace(m_, env_.wow64, owner_, common::RedirectionSwitch::Mode::Quiet);
                if (!native->ready()) {
                    say("The files of " + removal.item.name +
                        " in the system folder cannot be reached: file-system redirection "
                        "cannot be switched off.");
                    return false;
                }
            }
            complete = deleteFile(folder + "\\" + file.name) && complete;
        }
        return complete;
    }

    bool deleteMonitor(const std::string& name) {
        const std::string env = env_.spooler();
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (m_.spooler().DeleteMonitorA(env, name))
                return true;
            const std::uint32_t code = lastError();
            // Gone already: what it left is still to be removed.
            if (code == platform::err::unknownPrintMonitor)
                return true;
            if (attempt == 0) {
                common::restartSpooler(m_);
                m_.clock().Sleep(500);
                continue;
            }
            sayAbout(code == platform::err::printMonitorInUse ? "IDS_USING" : "IDS_ERR_UNINSTALL",
                     name);
        }
        m_.clock().Sleep(100);
        return false;
    }

    bool serialPrinterPresent(const std::string& name) {
        std::vector<platform::PrinterInfo2> printers;
        if (!m_.spooler().EnumPrintersA(printers)) {
            sayMessage("IDS_ERR_GETPRNINFO");
            return true;
        }
        for (const platform::PrinterInfo2& p : printers) {
            if (p.portName.find("KVCOM") != std::string::npos) {
                sayAbout("IDS_ERR_HAVEJOB1", name);
                sayAbout("IDS_USING", name);
                return true;
            }
        }
        return false;
    }

    void removeMonitor(const ItemRemoval& removal) {
        const std::string& name = removal.item.name;
        sayAbout("IDS_DELETING1", name);
        if (removal.checkSerialPrinters && serialPrinterPresent(name))
            return;
        if (!deleteMonitor(name))
            return;
        bool complete = true;
        for (const std::string& key : removal.makerKeys)
            complete = deleteKey(key) && complete;
        finishComponent(removal, complete);
    }

    void removeProcessor(const ItemRemoval& removal) {
        const std::string& name = removal.item.name;
        sayAbout("IDS_DELETING1", name);
        if (!m_.spooler().DeletePrintProcessorA(env_.spooler(), name)) {
            const std::uint32_t code = lastError();
            if (code != platform::err::unknownPrintProcessor) {
                sayAbout(code == platform::err::canNotComplete ? "IDS_USING" : "IDS_ERR_UNINSTALL",
                         name);
                m_.clock().Sleep(100);
                return;
            }
        }
        finishComponent(removal, true);
    }

    // After a monitor or processor left the spooler: the restart that lets go
    // of its DLL, its key and its files.
    void finishComponent(const ItemRemoval& removal, bool complete) {
        common::restartSpooler(m_);
        m_.clock().Sleep(500);
        if (!removal.spoolerKey.empty())
            complete = deleteKey(removal.spoolerKey) && complete;
        complete = deleteFiles(removal) && complete;
        if (!complete)
            return; // still listed, so that another run finishes it
        sayAbout("IDS_SUCCESS", removal.item.name);
        gone(removal);
    }

    void removeUsbDriver() {
        sayMessage("IDS_DELETING3");
        std::string current;
        if (!m_.system().GetCurrentDirectoryA(current) || current.empty()) {
            sayMessage("IDS_ERR_GETSYSDIR");
            return;
        }
        const std::string program =
            current + common::usbDriverFolder(env_.windows64) + "\\Install.exe";
        const common::InstallerOutcome run = common::runUsbInstaller(
            m_, owner_, program, "22", texts_.get("Uninstall", "CaptionName"));
        if (run.run == common::InstallerRun::NotStarted) {
            say("The USB device driver setup \"" + program +
                "\" could not be started: " + why(static_cast<std::uint32_t>(run.shellResult)));
            return;
        }
        if (run.run == common::InstallerRun::TimedOut) {
            say("The USB device driver setup did not finish within 10 minutes.");
            return;
        }
        m_.clock().Sleep(1500);
        sayMessage("IDS_DRV_SUCCESS1");
    }

    platform::Machine& m_;
    const RemovalEnvironment& env_;
    const UninstallTexts& texts_;
    RemovalReport& report_;
    platform::Handle owner_;
    RemovalOutcome outcome_;
};

} // namespace

RemovalOutcome applyRemoval(platform::Machine& machine, const RemovalEnvironment& environment,
                            const UninstallTexts& texts, const RemovalPlan& plan,
                            RemovalReport& report, platform::Handle owner) {
    return Worker(machine, environment, texts, report, owner).run(plan);
}

} // namespace uninstall

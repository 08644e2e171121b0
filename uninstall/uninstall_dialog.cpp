#include "uninstall/uninstall_dialog.h"

#include "common/os_variant.h"
#include "common/redirection_switch.h"
#include "common/system_text.h"
#include "platform/machine.h"
#include "uninstall/inventory.h"
#include "uninstall/res/resource.h"
#include "uninstall/secondary_dialogs.h"
#include "uninstall/uninstall_ini.h"

#include <algorithm>

namespace uninstall {
namespace {

// LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT
constexpr std::uint32_t listStyle = 0x1 | 0x4 | 0x10 | 0x20;
constexpr std::uint32_t ewxReboot = 0x2;

// A text of several lines becomes several rows of the message list.
std::vector<std::string> rowsOf(const std::string& text) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (;;) {
        const std::size_t stop = text.find("\r\n", start);
        rows.push_back(
            text.substr(start, stop == std::string::npos ? std::string::npos : stop - start));
        if (stop == std::string::npos)
            return rows;
        start = stop + 2;
    }
}

} // namespace

// The worker's lines and removed items, shown as they come. On Windows the
// view's calls are messages to the dialog's own thread.
class UninstallDialog::ListReport : public RemovalReport {
public:
    ListReport(UninstallDialog& dialog, View& view) : dialog_(dialog), view_(view) {}
    void line(const std::string& text) override { dialog_.addLine(view_, text); }
    void removed(std::size_t row) override {
        // Rows the plan named before this one may be gone already.
        const auto before = static_cast<std::size_t>(
            std::count_if(gone_.begin(), gone_.end(), [row](std::size_t r) { return r < row; }));
        gone_.push_back(row);
        const std::size_t now = row - before;
        view_.removeItem(IDC_ITEMS, static_cast<int>(now));
        dialog_.rows_.erase(dialog_.rows_.begin() + static_cast<std::ptrdiff_t>(now));
    }

private:
    UninstallDialog& dialog_;
    View& view_;
    std::vector<std::size_t> gone_;
};

UninstallDialog::UninstallDialog(UninstallContext& context, RemovalRunner& runner)
    : context_(context), runner_(runner) {}

UninstallDialog::~UninstallDialog() = default;

std::optional<bool> usbDriverInstalled(platform::Machine& machine, bool wow64, std::string& why) {
    std::string windows;
    if (!machine.system().GetWindowsDirectoryA(windows)) {
        why = "the Windows folder cannot be found: " +
              common::systemText(machine, machine.GetLastError());
        return std::nullopt;
    }
    common::RedirectionSwitch native(machine, wow64, 0, common::RedirectionSwitch::Mode::Quiet);
    if (!native.ready()) {
        why = "the native system folder cannot be reached.";
        return std::nullopt;
    }
    for (const char* driver :
         {"\\System32\\drivers\\KVPUSB.sys", "\\System32\\drivers\\BULKUSB.sys"}) {
        if (machine.files().GetFileAttributesA(windows + driver) != platform::fileattr::invalid)
            return true;
        const std::uint32_t code = machine.GetLastError();
        if (code != platform::err::fileNotFound && code != platform::err::pathNotFound) {
            why = windows + driver + " cannot be looked at: " + common::systemText(machine, code);
            return std::nullopt;
        }
    }
    return false;
}

bool UninstallDialog::offerUsbDriver(View& view) {
    std::string why;
    const std::optional<bool> installed =
        usbDriverInstalled(context_.machine, environment_.wow64, why);
    if (!installed)
        addLine(view, "Whether the USB device driver is installed cannot be told: " + why);
    view.enable(IDC_USB_DRIVER, installed.value_or(false));
    if (!installed.value_or(false))
        view.setChecked(IDC_USB_DRIVER, false);
    return installed.value_or(false);
}

void UninstallDialog::addLine(View& view, const std::string& text) {
    if (context_.log != nullptr)
        context_.log->message(text);
    for (const std::string& row : rowsOf(text))
        view.select(IDC_MESSAGES, view.addItem(IDC_MESSAGES, row));
}

void UninstallDialog::close(View& view, const std::string& message) {
    context_.show(view.window(), message);
    view.close(ui::idCancel);
}

void UninstallDialog::onInit(View& view) {
    platform::Machine& machine = context_.machine;
    const UninstallTexts& texts = context_.texts;
    view.addSystemMenuItem(IDM_ABOUTBOX, texts.message("IDS_ABOUTBOX"));
    view.setIcon(IDR_MAINFRAME);
    if (const Font* font = context_.font())
        view.applyFont(*font);
    view.setListStyle(IDC_ITEMS, listStyle);
    view.addColumn(IDC_ITEMS, "", view.clientSize(IDC_ITEMS).first);
    view.setCaption(texts.title());

    environment_ = detectEnvironment(machine);
    if (environment_.needsAdministrator() && !common::isAdministrator(machine))
        return close(view, texts.message("IDS_ADMIN"));
    const IniLocation ini = findUninstallIni(machine);
    if (ini.result != IniLookup::Found)
        return close(view, texts.message(messageOf(ini.result)));

    config_.emplace(machine.profiles(), ini.path);
    const Inventory inventory = detectPackage(machine, environment_, *config_);
    rows_ = inventory.items;
    for (const Item& item : rows_)
        view.addItem(IDC_ITEMS, item.name);
    if (rows_.empty())
        view.enable(IDC_SELECT_ALL, false);
    for (const std::string& problem : config_->problems())
        addLine(view, problem);
    for (const std::string& note : inventory.notes)
        addLine(view, note);
    addLine(view, texts.message("IDS_SELECTPRN1"));
    view.setText(IDC_NOTE, texts.get("Uninstall", "Note"));
    view.setText(IDC_UNINSTALL, texts.get("Uninstall", "Uninstall"));
    view.setText(IDC_SELECT_ALL, texts.get("Uninstall", "Select"));
    view.setText(ui::idCancel, texts.get("Uninstall", "Exit"));
    view.setText(IDC_USB_DRIVER, texts.get("Uninstall", "USBuninstall"));

    const platform::Handle winspool = machine.system().LoadLibraryA("Winspool.drv");
    if (winspool == 0) {
        context_.show(view.window(), "no Winspool lib  ");
        return;
    }
    environment_.deleteDriverEx =
        machine.system().GetProcAddress(winspool, "DeletePrinterDriverExA");
    machine.system().FreeLibrary(winspool);
    offerUsbDriver(view);
}

void UninstallDialog::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked)
        return;
    switch (event.id) {
    case IDC_SELECT_ALL:
        for (int row = 0; row < view.itemCount(IDC_ITEMS); ++row)
            view.setRowChecked(IDC_ITEMS, row, true);
        break;
    case IDC_UNINSTALL:
        startRemoval(view);
        break;
    case ui::idCancel:
        // Exit, Escape and the close box; not while the worker runs.
        if (!working_)
            view.close(ui::idCancel);
        break;
    default:
        break;
    }
}

// Stopping the Spooler would cut any printer's jobs short: every local
// printer, the package's or not, must have none.
bool UninstallDialog::noPrinterHasJobs(View& view) {
    platform::Machine& machine = context_.machine;
    platform::Spooler& spooler = machine.spooler();
    const UninstallTexts& texts = context_.texts;
    std::vector<platform::PrinterInfo2> printers;
    if (!spooler.EnumPrintersA(printers)) {
        context_.show(view.window(), texts.message("IDS_ERR_GETPRNINFO"));
        return false;
    }
    for (const platform::PrinterInfo2& p : printers) {
        const platform::Handle printer =
            spooler.OpenPrinterA(p.printerName, platform::printeraccess::printerAllAccess);
        if (printer == 0) {
            context_.show(view.window(), texts.format("IDS_ERR_OPENPRN", p.printerName));
            return false;
        }
        platform::PrinterInfo2 info;
        const bool read = spooler.GetPrinterA(printer, info);
        const std::uint32_t code = read ? 0 : machine.GetLastError();
        spooler.ClosePrinter(printer);
        if (!read) {
            const bool memory =
                code == platform::err::notEnoughMemory || code == platform::err::outOfMemory;
            context_.show(view.window(),
                          texts.message(memory ? "IDS_ERR_ALLOC" : "IDS_ERR_GETPRNINFO"));
            return false;
        }
        if (info.jobs != 0) {
            context_.show(view.window(), texts.format("IDS_ERR_HAVEJOB2", p.printerName));
            return false;
        }
    }
    return true;
}

void UninstallDialog::startRemoval(View& view) {
    if (working_ || !config_)
        return;
    std::vector<TickedItem> ticked;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (view.isRowChecked(IDC_ITEMS, static_cast<int>(row)))
            ticked.push_back(TickedItem{row, rows_[row]});
    }
    const bool usb = view.isEnabled(IDC_USB_DRIVER) && view.isChecked(IDC_USB_DRIVER);
    if (context_.log != nullptr) {
        std::string names;
        for (const TickedItem& t : ticked)
            names += (names.empty() ? "" : ", ") + t.item.name;
        context_.log->step("Uninstall pressed: " + (names.empty() ? "no item" : names) +
                           (usb ? "; the USB device driver" : ""));
        context_.log->step("Checking that no printer has jobs");
    }
    if (!noPrinterHasJobs(view))
        return;
    if (context_.log != nullptr)
        context_.log->step("Removing");
    plan_ = planRemoval(environment_, *config_, ticked, usb);
    outcome_.reset();
    for (int id : {IDC_UNINSTALL, IDC_ITEMS, IDC_SELECT_ALL, ui::idCancel, IDC_USB_DRIVER})
        view.enable(id, false);
    working_ = true;
    report_ = std::make_unique<ListReport>(*this, view);
    runner_.start([this, &view] {
        outcome_ = applyRemoval(context_.machine, environment_, context_.texts, *plan_, *report_,
                                view.window());
    });
    if (runner_.finished())
        finishRemoval(view);
    else
        view.setTimer(workerTimer, workerPollMs);
}

void UninstallDialog::onTimer(View& view, unsigned timer) {
    if (timer != workerTimer || !working_ || !runner_.finished())
        return;
    view.killTimer(workerTimer);
    finishRemoval(view);
}

void UninstallDialog::finishRemoval(View& view) {
    working_ = false;
    if (outcome_ && !outcome_->endedEarly && outcome_->removedSomething)
        offerRestart(view);
    view.enable(ui::idCancel, true);
    if (!rows_.empty()) {
        addLine(view, context_.texts.message("IDS_SELECTPRN1"));
        for (int id : {IDC_ITEMS, IDC_UNINSTALL, IDC_SELECT_ALL})
            view.enable(id, true);
    }
    // The USB device driver can still be removed while it is there, with or
    // without items left in the list.
    if (offerUsbDriver(view))
        view.enable(IDC_UNINSTALL, true);
}

void UninstallDialog::offerRestart(View& view) {
    RestartDialog restart(context_);
    const bool yes = view.runModal(IDD_RESTART, restart) == ui::idOk;
    if (context_.log != nullptr) {
        const UninstallTexts& t = context_.texts;
        context_.log->question(t.get("Reboot", "Title") + ": " + t.get("Reboot", "Note1") + " " +
                                   t.get("Reboot", "Note2") + " " + t.get("Reboot", "Note3"),
                               yes ? "Yes" : "No");
    }
    if (!yes)
        return;
    platform::Machine& machine = context_.machine;
    // The desktop enables the shutdown privilege on NT-family Windows first.
    if (!machine.desktop().ExitWindowsEx(ewxReboot))
        addLine(view, "Windows could not be restarted: " +
                          common::systemText(machine, machine.GetLastError()));
}

bool UninstallDialog::onSysCommand(View& view, unsigned command) {
    if (command < IDM_ABOUTBOX || command > IDM_ABOUTBOX + 15)
        return false;
    AboutBox about(context_);
    view.runModal(IDD_ABOUTBOX, about);
    return true;
}

bool UninstallDialog::onHelp(View& view) {
    platform::Desktop& desktop = context_.machine.desktop();
    // The English edition's own window carries the help window's title too.
    const platform::Handle open = desktop.FindWindowA("Uninstall");
    if (open != 0 && open != view.window()) {
        desktop.SetForegroundWindow(open);
        desktop.ShowWindow(open, platform::sw::restore);
        return true;
    }
    for (const char* file : {".\\Uninstall_EN.CHM", ".\\Uninstall_CN.CHM"}) {
        if (desktop.ShellExecuteA(view.window(), "open", file, "", "", platform::sw::show) > 32)
            return true;
    }
    context_.show(view.window(), "The help file .\\Uninstall_EN.CHM cannot be opened.");
    return true;
}

} // namespace uninstall

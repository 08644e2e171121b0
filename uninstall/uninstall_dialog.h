// The uninstaller's main dialog (template 102): the list of what of the
// package is on the machine, each with a check box; the message list; the USB
// device-driver check box; Uninstall, Select all and Exit. Uninstall checks
// that no printer has jobs, plans the removal of the ticked items and runs it
// on the worker, with every control that could start another action disabled
// until it has finished and the restart has been offered.
#pragma once

#include "uninstall/removal_runner.h"
#include "uninstall/removal_worker.h"
#include "uninstall/uninstall_config.h"
#include "uninstall/uninstall_context.h"

#include "ui/dialog_controller.h"

#include <memory>
#include <optional>
#include <vector>

namespace uninstall {

class UninstallDialog : public ui::DialogController<std::string> {
public:
    // How often the dialog asks whether the worker has finished.
    static constexpr unsigned workerTimer = 1;
    static constexpr unsigned workerPollMs = 200;

    UninstallDialog(UninstallContext& context, RemovalRunner& runner);
    ~UninstallDialog() override;

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void onTimer(View& view, unsigned timer) override;
    bool onSysCommand(View& view, unsigned command) override;
    bool onHelp(View& view) override;

    const RemovalEnvironment& environment() const { return environment_; }
    // The items of the list's rows, in order.
    const std::vector<Item>& items() const { return rows_; }
    // The last Uninstall's plan and outcome; empty before one ran.
    const std::optional<RemovalPlan>& plan() const { return plan_; }
    const std::optional<RemovalOutcome>& outcome() const { return outcome_; }
    bool working() const { return working_; }

private:
    class ListReport;

    void addLine(View& view, const std::string& text);
    void close(View& view, const std::string& message);
    bool noPrinterHasJobs(View& view);
    void startRemoval(View& view);
    void finishRemoval(View& view);
    void offerRestart(View& view);
    // Enables the check box when the driver is there; says so when that
    // cannot be told. Whether it is there.
    bool offerUsbDriver(View& view);

    UninstallContext& context_;
    RemovalRunner& runner_;
    RemovalEnvironment environment_;
    std::optional<UninstallConfig> config_;
    std::vector<Item> rows_;
    std::optional<RemovalPlan> plan_;
    std::optional<RemovalOutcome> outcome_;
    std::unique_ptr<ListReport> report_;
    bool working_ = false;
};

// Whether the USB device driver is installed: KVPUSB.sys or BULKUSB.sys in the
// native System32\drivers folder; nullopt, with the reason, when it cannot be told.
std::optional<bool> usbDriverInstalled(platform::Machine& machine, bool wow64, std::string& why);

} // namespace uninstall

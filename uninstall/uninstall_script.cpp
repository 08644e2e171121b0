#include "uninstall/uninstall_script.h"

#include "platform/machine.h"
#include "ui/fake_dialog.h"
#include "uninstall/dialog_templates.h"
#include "uninstall/res/resource.h"
#include "uninstall/uninstall_dialog.h"

#include <algorithm>

namespace uninstall {
namespace {

using Dialog = ui::FakeDialog<std::string>;

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "\"" : ", \"") + item + "\"";
    return text.empty() ? "nothing" : text;
}

bool tick(Dialog& dialog, const UninstallChoice& choice, UninstallRun& run) {
    if (!choice.items) {
        if (dialog.isEnabled(IDC_SELECT_ALL))
            dialog.click(IDC_SELECT_ALL);
    }
    for (const std::string& name : choice.items.value_or(std::vector<std::string>{})) {
        const auto found = std::find(run.listed.begin(), run.listed.end(), name);
        if (found == run.listed.end()) {
            run.stopped = "the uninstaller lists no \"" + name + "\"; it lists " + join(run.listed);
            run.choiceNotOffered = true;
            return false;
        }
        dialog.tickRow(IDC_ITEMS, static_cast<int>(found - run.listed.begin()), true);
    }
    const bool offered = dialog.isEnabled(IDC_USB_DRIVER);
    if (choice.usbDriverWhenOffered && offered)
        dialog.click(IDC_USB_DRIVER);
    else if (choice.usbDriver) {
        if (!offered) {
            run.stopped = "the USB device driver cannot be ticked: none is installed";
            return false;
        }
        dialog.click(IDC_USB_DRIVER);
    }
    const auto& rows = dialog.control(IDC_ITEMS).rows;
    for (const auto& row : rows) {
        if (row.checked)
            run.ticked.push_back(row.cells.at(0));
    }
    return true;
}

} // namespace

bool UninstallRun::complete() const {
    return worked && !endedEarly && stopped.empty() &&
           std::none_of(ticked.begin(), ticked.end(), [this](const std::string& name) {
               return std::find(remaining.begin(), remaining.end(), name) != remaining.end();
           });
}

UninstallRun runUninstallScript(platform::Machine& machine, const UninstallChoice& choice,
                                common::RunLog* log) {
    UninstallRun run;
    if (log != nullptr)
        log->step("Start-up checks");
    const UninstallTexts texts(machine);
    const StartupResult startup = runStartup(machine, texts);
    run.startup = startup.outcome;
    if (startup.outcome != StartupOutcome::RunDialog) {
        run.stopped = startup.outcome == StartupOutcome::BroughtForward
                          ? "another copy of the uninstaller runs"
                          : "the uninstaller refused to start";
        return run;
    }
    UninstallContext context(machine, startup.chineseFont);
    context.log = log;
    if (log != nullptr)
        log->step("Opening the uninstaller's list");
    InPlaceRunner runner;
    UninstallDialog controller(context, runner);
    Dialog dialog(dialogTemplates(), IDD_UNINSTALL, controller);
    std::size_t answered = 0;
    dialog.onModal(IDD_RESTART, [&](Dialog& restart) {
        const bool yes = answered < choice.restartAnswers.size() && choice.restartAnswers[answered];
        ++answered;
        run.restart = yes;
        restart.click(yes ? ui::idOk : ui::idCancel);
    });
    dialog.open();
    run.listed = dialog.items(IDC_ITEMS);
    run.messages = dialog.items(IDC_MESSAGES);
    if (dialog.closed()) {
        run.stopped = "the uninstaller closed as it opened";
        return run;
    }
    if (choice.listOnly)
        return run;
    if (tick(dialog, choice, run) && dialog.click(IDC_UNINSTALL)) {
        run.worked = controller.outcome().has_value();
        run.endedEarly = run.worked && controller.outcome()->endedEarly;
        if (!run.worked)
            run.stopped = "Uninstall did not start";
    }
    run.remaining = dialog.items(IDC_ITEMS);
    run.messages = dialog.items(IDC_MESSAGES);
    for (const std::string& problem : dialog.problems())
        run.stopped += (run.stopped.empty() ? "" : "; ") + problem;
    return run;
}

} // namespace uninstall

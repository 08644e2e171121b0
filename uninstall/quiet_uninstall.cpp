#include "uninstall/quiet_uninstall.h"

#include "common/logged_machine.h"
#include "platform/machine.h"

#include <algorithm>

namespace uninstall {
namespace {

using common::QuietExit;

QuietExit finish(common::RunLog& log, QuietExit code, const std::string& text) {
    log.result(common::exitCodeOf(code), text);
    return code;
}

std::string trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string join(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

UninstallResponse readUninstallResponse(const std::vector<std::uint8_t>& bytes) {
    UninstallResponse r;
    r.file = common::readResponseFile(bytes, "Uninstall", {"Items", "USBDriver"});
    if (!r.file.ok()) {
        r.error = r.file.error;
        return r;
    }
    if (const common::ResponseValue* items = r.file.find("Items")) {
        std::vector<std::string> names;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = items->value.find(',', start);
            const std::string name = trim(items->value.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start));
            if (name.empty()) {
                r.error = common::responseError(
                    *items, "an empty name; give the list's texts separated by commas");
                return r;
            }
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        r.choice.items = names;
    }
    if (const common::ResponseValue* usb = r.file.find("USBDriver")) {
        const std::optional<bool> flag = common::responseFlag(usb->value);
        if (!flag) {
            r.error = common::responseError(*usb, "the value is yes or no (1 or 0)");
            return r;
        }
        // Where the driver is not installed there is nothing to remove.
        r.choice.usbDriverWhenOffered = *flag;
    }
    return r;
}

common::QuietExit runQuietUninstall(platform::Machine& machine, const std::string& responseName,
                                    const std::vector<std::uint8_t>& response,
                                    common::RunLog& log) {
    UninstallResponse r;
    if (!responseName.empty()) {
        log.step("Reading the response file " + responseName);
        r = readUninstallResponse(response);
        if (!r.error.empty())
            return finish(log, QuietExit::BadInput, "the response file cannot be used: " + r.error);
    }
    common::LoggedMachine logged(machine, log, true);
    // The restart dialog gets No: a quiet run never restarts Windows.
    r.choice.restartAnswers.clear();
    const UninstallRun run = runUninstallScript(logged, r.choice, &log);
    if (run.startup == StartupOutcome::BroughtForward)
        return finish(log, QuietExit::Failed,
                      "nothing removed: another copy of the uninstaller runs");
    if (run.startup != StartupOutcome::RunDialog)
        return finish(log, QuietExit::Failed, "nothing removed: the uninstaller refused to start");
    if (run.choiceNotOffered) {
        const common::ResponseValue* items = r.file.find("Items");
        return finish(log, QuietExit::BadInput,
                      "nothing removed: " + (items != nullptr
                                                 ? common::responseError(*items, run.stopped)
                                                 : run.stopped));
    }
    if (!run.worked)
        return finish(log, QuietExit::Failed, "nothing removed: " + run.stopped);
    if (!run.complete()) {
        std::vector<std::string> left;
        for (const std::string& item : run.ticked) {
            if (std::find(run.remaining.begin(), run.remaining.end(), item) != run.remaining.end())
                left.push_back(item);
        }
        return finish(log, QuietExit::Failed,
                      "the removal failed" +
                          (left.empty() ? "" : "; still installed: " + join(left)));
    }
    const std::string removed =
        run.ticked.empty() ? "nothing to remove" : "removed " + join(run.ticked);
    if (run.restart)
        return finish(log, QuietExit::RestartNeeded, removed + "; Windows must be restarted");
    return finish(log, QuietExit::Done, removed);
}

} // namespace uninstall

// Apply: the removal worker. It carries out a plan item by item, writing its
// progress and results as lines of the message list, and tells which items
// are gone so the list can drop them. It runs on its own thread on Windows,
// in place in tests and tools; it never asks the user anything.
#pragma once

#include "platform/win_types.h"
#include "uninstall/removal_plan.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace uninstall {

class UninstallTexts;

class RemovalReport {
public:
    virtual ~RemovalReport() = default;
    // A line of the message list.
    virtual void line(const std::string& text) = 0;
    // The item of the plan's `row` is gone from the machine.
    virtual void removed(std::size_t row) = 0;
};

struct RemovalOutcome {
    bool removedSomething = false;
    // A printer could not be opened or read, or still had jobs: the items
    // after it, the USB device driver and the restart offer were skipped.
    bool endedEarly = false;
    std::vector<std::size_t> removedRows;
};

// `owner` owns the USB device-driver installer's window.
RemovalOutcome applyRemoval(platform::Machine& machine, const RemovalEnvironment& environment,
                            const UninstallTexts& texts, const RemovalPlan& plan,
                            RemovalReport& report, platform::Handle owner);

} // namespace uninstall

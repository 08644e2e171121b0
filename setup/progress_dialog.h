// The progress dialog: a waiting text and a bar that climbs while the
// installation worker is busy and, once it reports, runs to its end (success)
// or back to zero (failure) before the dialog closes. The bar is an animation,
// not a measure.
#pragma once

#include "common/os_variant.h"
#include "setup/engine/install_action.h"
#include "ui/dialog_controller.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class Clock;
}

namespace setup {

// The bar's movement over the clock, and the worker's one write.
class ProgressAnimation {
public:
    static constexpr int holdPosition = 90; // a long installation waits here

    ProgressAnimation(platform::Clock& clock, common::OsVariant osCode);

    // Set once by the worker's thread; read by the dialog without a lock.
    void setStatus(WorkerStatus status) { status_.store(static_cast<int>(status)); }
    WorkerStatus status() const { return static_cast<WorkerStatus>(status_.load()); }
    common::OsVariant osCode() const { return osCode_; }

    // Moves the bar through `setPosition`, pausing on the clock, until the
    // worker has reported and the bar has run out; returns the status it ended
    // on. On Windows 98/Me the original bar stops climbing after 90 steps; the
    // dialog still waits for the worker, since closing early would show a
    // result that is not known yet.
    WorkerStatus animate(const std::function<void(int)>& setPosition);

private:
    platform::Clock& clock_;
    common::OsVariant osCode_;
    std::atomic<int> status_{0};
};

// Dialog 141 over the animation: the text `Wait` (section Progress) painted in
// the upper two thirds, the bar, and the whole animation inside the first
// timer tick; it closes as accepted.
class ProgressDialog : public ui::DialogController<std::string> {
public:
    static constexpr unsigned timerId = 1;
    static constexpr unsigned timerPeriodMs = 100;

    ProgressDialog(ProgressAnimation& animation, std::string waitText,
                   const ui::FontSpec<std::string>* chineseFont);

    // Bottom of the rectangle the waiting text is centred in: two thirds of the
    // client height, rounded towards zero.
    static int textAreaBottom(int clientHeight) { return clientHeight * 2 / 3; }

    void onInit(View& view) override;
    void onTimer(View& view, unsigned timer) override;

private:
    ProgressAnimation& animation_;
    std::string waitText_;
    const ui::FontSpec<std::string>* chineseFont_;
};

// The worker run in place, then the dialog's animation over the machine's
// clock with the bar's positions recorded: for tools and tests.
class SynchronousProgress : public WorkerRunner {
public:
    explicit SynchronousProgress(platform::Clock& clock) : clock_(clock) {}
    WorkerStatus run(common::OsVariant os, const std::function<WorkerStatus()>& worker) override;
    const std::vector<int>& positions() const { return positions_; }

private:
    platform::Clock& clock_;
    std::vector<int> positions_;
};

} // namespace setup

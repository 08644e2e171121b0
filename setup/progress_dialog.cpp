#include "setup/progress_dialog.h"

#include "platform/clock.h"
#include "setup/res/resource.h"

#include <algorithm>

namespace setup {

ProgressAnimation::ProgressAnimation(platform::Clock& clock, common::OsVariant osCode)
    : clock_(clock), osCode_(osCode) {}

WorkerStatus ProgressAnimation::animate(const std::function<void(int)>& setPosition) {
    int n = 0;
    for (;;) {
        const WorkerStatus now = status();
        if (now == WorkerStatus::Failed) {
            for (int position = n; position >= 1; --position) {
                clock_.Sleep(10);
                setPosition(position);
            }
            setPosition(0);
            clock_.Sleep(100);
            return now;
        }
        if (now == WorkerStatus::Succeeded) {
            for (int position = n; position <= 99; ++position) {
                clock_.Sleep(10);
                setPosition(position);
            }
            clock_.Sleep(100);
            return now;
        }
        n = std::min(n, holdPosition);
        setPosition(n);
        clock_.Sleep(80);
        ++n;
    }
}

ProgressDialog::ProgressDialog(ProgressAnimation& animation, std::string waitText,
                               const ui::FontSpec<std::string>* chineseFont)
    : animation_(animation), waitText_(std::move(waitText)), chineseFont_(chineseFont) {}

void ProgressDialog::onInit(View& view) {
    if (chineseFont_ != nullptr)
        view.applyFont(*chineseFont_);
    view.setRange(IDC_PROGRESS_BAR, 0, 100);
    const auto [width, height] = view.clientSize(0);
    view.setPaintedText(waitText_, ui::FontSpec<std::string>{20, 700, 0, 0, "System"},
                        ui::Rgb{0x00, 0x33, 0x99},
                        ui::Placement{0, 0, width, textAreaBottom(height)});
    view.setTimer(timerId, timerPeriodMs);
}

void ProgressDialog::onTimer(View& view, unsigned timer) {
    if (timer != timerId)
        return;
    view.killTimer(timerId);
    animation_.animate([&view](int position) { view.setPosition(IDC_PROGRESS_BAR, position); });
    view.close(ui::idOk);
}

WorkerStatus SynchronousProgress::run(common::OsVariant os,
                                      const std::function<WorkerStatus()>& worker) {
    ProgressAnimation animation(clock_, os);
    animation.setStatus(worker());
    return animation.animate([this](int position) { positions_.push_back(position); });
}

} // namespace setup

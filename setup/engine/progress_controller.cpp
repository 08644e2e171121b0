#include "setup/engine/progress_controller.h"

#include "platform/clock.h"

#include <algorithm>

namespace setup {

ProgressController::ProgressController(platform::Clock& clock, common::OsVariant osCode)
    : clock_(clock), osCode_(osCode) {}

WorkerStatus ProgressController::animate(const std::function<void(int)>& setPosition) {
    int n = 0;
    // The bar may stop climbing on older systems, but the dialog always waits
    // for the worker: closing early would show a result that is not known yet.
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

} // namespace setup

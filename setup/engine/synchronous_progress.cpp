#include "platform/clock.h"
#include "setup/engine/install_action.h"

namespace setup {

void SynchronousProgress::run(ProgressController& progress,
                              const std::function<WorkerStatus()>& worker) {
    progress.setStatus(worker());
    progress.animate([this](int position) { positions_.push_back(position); });
}

} // namespace setup

// The Install action's worker on Windows: its own thread, while the wizard is
// minimised and the modal progress dialog animates until the worker reports.
#pragma once

#include <windows.h>

#include "setup/progress_dialog.h"
#include "setup/wizard_context.h"

namespace setup {

class ThreadedProgress : public WorkerRunner {
public:
    ThreadedProgress(HINSTANCE instance, WizardContext& context)
        : instance_(instance), context_(context) {}
    void setWizard(platform::Handle wizard) { wizard_ = wizard; }
    WorkerStatus run(common::OsVariant os, const std::function<WorkerStatus()>& worker) override;

private:
    HINSTANCE instance_;
    WizardContext& context_;
    platform::Handle wizard_ = 0;
};

} // namespace setup

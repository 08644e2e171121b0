// How a modal dialog of the plug-in runs with respect to the module's activation
// context (Common Controls 6 for the templates' trackbars, up-down controls,
// list and tree views).
#pragma once

#include <cstdint>

namespace oemui {

enum class ModalRun {
    InContext,      // activate, show, deactivate
    WithoutContext, // show the dialog as it is
    Refuse,         // do not show it; the caller gets -1
};

// Before the dialog: whether there is a context to activate.
ModalRun planModalRun(bool haveContext, bool contextsUnavailable);

// After a failed ActivateActCtx with lastError: a system that lacks activation
// contexts runs the dialog without one (and *contextsUnavailable says so from
// then on); any other failure refuses the dialog.
ModalRun afterFailedActivation(std::uint32_t lastError, bool& contextsUnavailable);

} // namespace oemui

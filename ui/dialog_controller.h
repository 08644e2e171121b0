// What a dialog's host tells the controller of one dialog or property page.
// Every answer is a decision the controller makes; the host only carries it out.
#pragma once

#include "ui/dialog_view.h"

namespace ui {

template <typename Text> class DialogController {
public:
    using View = DialogView<Text>;
    virtual ~DialogController() = default;

    // WM_INITDIALOG: the controls exist, nothing is shown yet.
    virtual void onInit(View& view) = 0;
    // A control reported something. OK, Cancel, Escape, Enter and the close box
    // arrive as Clicked on idOk / idCancel: the controller closes the dialog
    // itself (View::close) when it wants to.
    virtual void onEvent(View&, const ControlEvent&) {}
    virtual void onTimer(View&, unsigned /*timer*/) {}
    // A command of the system menu (an item added with addSystemMenuItem);
    // false lets the system handle it.
    virtual bool onSysCommand(View&, unsigned /*command*/) { return false; }
    // F1 (WM_HELP); false passes it on to the parent window.
    virtual bool onHelp(View&) { return false; }
    // A character typed into an edit given to View::filterCharacters; false
    // drops it. `character` is the character code, or a control code
    // (8 for backspace, 3/22/24 for copy, paste, cut).
    virtual bool onCharacter(View&, int /*id*/, unsigned /*character*/) { return true; }
    // A message another thread handed the host (DialogHost::deliver), on the
    // dialog's own thread: a worker's log line, its end.
    virtual void onDelivered(View&, unsigned /*code*/, const Text& /*text*/) {}
    // The window is being destroyed.
    virtual void onDestroy(View&) {}

    // Property sheet pages: PSN_SETACTIVE; PSN_KILLACTIVE (false keeps the page
    // shown); PSN_APPLY (false keeps the sheet open); PSN_RESET (Cancel).
    virtual void onPageShown(View&) {}
    virtual bool onPageLeaving(View&) { return true; }
    virtual bool onApply(View&) { return true; }
    virtual void onCancel(View&) {}
};

} // namespace ui

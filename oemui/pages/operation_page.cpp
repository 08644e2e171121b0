#include "oemui/pages/operation_page.h"

#include "oemui/pages/one_at_a_time.h"
#include "oemui/pages/operation_dialog.h"
#include "oemui/resource.h"

namespace oemui::pages {

void OperationPage::onEvent(PageView& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked || event.id < IDC_OP_START_DOCUMENT ||
        event.id > IDC_OP_END_DOCUMENT) {
        return;
    }
    // The record is the host's; a sheet opened without one has nothing to edit.
    void* record =
        env_.document && env_.document->psParam ? env_.document->psParam->pOEMDM : nullptr;
    OperationWork& work = env_.sheet.operation;
    if (record == nullptr || openElsewhere(view, env_.host, work.open, u"Operation")) {
        return;
    }
    PluginSettings settings(record);
    work.moment = static_cast<Moment>(event.id - IDC_OP_START_DOCUMENT);
    work.working = settings.operation(work.moment);
    OperationDialog dialog(env_.host, work);
    int result = 0;
    {
        OneAtATime guard(work.open);
        result = view.runModal(IDD_OPERATION_EDIT, dialog);
    }
    if (result != ui::idOk) {
        return;
    }
    settings.setOperation(work.moment, work.working);
    view.setChanged(true);
}

} // namespace oemui::pages

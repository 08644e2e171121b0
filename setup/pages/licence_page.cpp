#include "setup/pages/licence_page.h"

#include "platform/machine.h"
#include "setup/res/resource.h"

#include <vector>

namespace setup {

void LicencePage::onInit(View& view) {
    view.checkRadio(IDC_ACCEPT, IDC_REJECT, IDC_REJECT);
    // A read-only edit would be grey; the licence reads as ordinary text.
    view.useWindowColours(IDC_LICENCE_TEXT);
    if (context_.licenceInUse) {
        std::vector<std::uint8_t> bytes;
        if (!context_.machine.files().ReadFileBytes("License.txt", bytes)) {
            context_.show(view.window(), context_.texts.message("IDS_ERR_NOLICENSE"));
            frame_.closeWizard();
            return;
        }
        // Shown byte for byte; a NUL in the file would end the text there.
        std::string text(bytes.begin(), bytes.end());
        text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
        view.setText(IDC_LICENCE_TEXT, text);
    }
    applyFont(view);
}

void LicencePage::onEvent(View&, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked)
        return;
    if (event.id == IDC_ACCEPT)
        frame_.enableNext(true);
    else if (event.id == IDC_REJECT)
        frame_.enableNext(false);
}

void LicencePage::refreshTexts(View& view) {
    view.setText(IDC_LICENCE_GROUP, text("Legal", "Agreement"));
    view.setText(IDC_ACCEPT, text("Legal", "Accept"));
    view.setText(IDC_REJECT, text("Legal", "Reject"));
}

} // namespace setup

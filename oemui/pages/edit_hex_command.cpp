#include "oemui/pages/edit_hex_command.h"

#include "oemui/hex_command.h"

namespace oemui::pages {

void useEditHexCommand(PageView& view, int editId) {
    view.wantAllKeys(editId);
    view.filterCharacters(editId);
}

bool EditHexCommand(PageView& view, unsigned character) {
    // The edit wants every key, so the dialog no longer moves on by itself.
    if (view.isKeyDown(vkTab)) {
        view.focusNextControl();
        return false;
    }
    return view.isKeyDown(vkControl) || hexCommandCharacter(character);
}

} // namespace oemui::pages

// The key filter of a command edit (EditHexCommand): the edit takes every key;
// Tab moves on to the next control, characters typed with Ctrl held (copy,
// paste, cut) pass, and otherwise only what a hexadecimal command is written
// with gets in. The dialogs that have a command edit call these from onInit
// and onCharacter.
#pragma once

#include "oemui/pages/page_factory.h"

namespace oemui::pages {

// Puts the filter on the edit.
void useEditHexCommand(PageView& view, int editId);

// The filter's answer for a character typed into the edit: false drops it.
bool EditHexCommand(PageView& view, unsigned character);

// Virtual-key codes the filter looks at.
inline constexpr int vkTab = 0x09;
inline constexpr int vkControl = 0x11;

} // namespace oemui::pages

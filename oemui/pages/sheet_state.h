// What the plug-in's pages share for the life of the loaded module, in one
// place: the DLL holds one SheetState, tests make their own.
#pragma once

namespace oemui::pages {

struct SheetState {};

} // namespace oemui::pages

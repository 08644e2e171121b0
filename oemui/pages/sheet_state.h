// What the plug-in's pages share for the life of the loaded module, in one
// place: the DLL holds one SheetState, tests make their own.
#pragma once

namespace oemui::pages {

// The "Main" and "Water Mark" pages are separate dialogs that share the
// "print all text as graphics" choice, and the watermark's picture errors are
// told once per process: module-wide, like the pages' sheet.
struct DocumentPageFlags {
    // "No Water Mark" was chosen: "Main" shows "No" again when it is next shown.
    bool graphicsResetPending = false;
    // The first error in making the watermark's preview has been shown.
    bool previewErrorShown = false;
};

struct SheetState {
    DocumentPageFlags documentPages;
};

} // namespace oemui::pages

// What the plug-in's pages share for the life of the loaded module, in one
// place: the DLL holds one SheetState, tests make their own.
#pragma once

#include "oemui/control_font_table.h"
#include "oemui/plugin_settings.h"

#include <string>

namespace oemui::pages {

// The operation dialog (104) edits one moment of the settings record in a
// working copy: the Operation page copies the moment's block in before the
// dialog and back after OK. It belongs to the module, not to one sheet, so
// that a second sheet open in the same process cannot start a dialog over it.
struct OperationWork {
    bool open = false;
    Moment moment = Moment::StartOfDocument;
    OperationSettings working;
};

// The control-font table dialog (115) and its entry dialog (116): the table as
// the file held it and the one character being edited. One table dialog per
// process, for the same reason.
struct ControlFontWork {
    bool open = false;
    ControlFontTable table = emptyControlTable();
    std::u16string characterText; // the entry dialog's "Char" and "Hex"
    std::u16string hexText;
    std::vector<std::uint8_t> command; // at most maxCommandBytes
};

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
    OperationWork operation;
    ControlFontWork controlFont;
    DocumentPageFlags documentPages;
};

} // namespace oemui::pages

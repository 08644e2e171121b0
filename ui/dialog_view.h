// The dialog seam. A controller decides everything a user can see of one dialog
// or property page and reaches the dialog only through DialogView, which
// addresses controls by their template ids. ui/win32 implements the view over a
// window; FakeDialog implements it in memory for tests and tools.
//
// The view is written once over the program's string type: std::string (ANSI
// bytes, the A calls) for the setup, the uninstaller and Install, std::u16string
// (UTF-16, the W calls) for the plug-in.
#pragma once

#include "platform/win_types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// Control ids every dialog shares (<winuser.h>).
inline constexpr int idOk = 1;
inline constexpr int idCancel = 2;

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// A LOGFONT reduced to what the dialogs set.
template <typename Text>
struct FontSpec {
    int height = 0; // character height in pixels (negative: cell height, as LOGFONT)
    int weight = 400;
    std::uint8_t charSet = 0;
    std::uint8_t pitchAndFamily = 0;
    Text face;
};

// The IP-address control's four fields; nullopt when the control is blank.
using Address = std::array<std::uint8_t, 4>;

// A tree-view item; 0 is the root of the tree (TVI_ROOT).
using TreeItem = std::uint64_t;

// Picture the Win32 side paints as it is: 32-bit pixels 0x00RRGGBB, rows top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Where a prepared picture goes inside a control, in the control's client pixels.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};

// What a control tells its dialog (WM_COMMAND, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL),
// reduced to what controllers react to.
enum class Notice {
    Clicked,          // BN_CLICKED, NM_CLICK on a list view
    SelectionChanged, // CBN_SELCHANGE, LBN_SELCHANGE, TVN_SELCHANGED
    DoubleClicked,    // LBN_DBLCLK, NM_DBLCLK
    TextChanged,      // EN_CHANGE, CBN_EDITCHANGE
    FocusLost,        // EN_KILLFOCUS, CBN_KILLFOCUS
    ItemChanged,      // LVN_ITEMCHANGED: a row's check box or selection changed
    Spin,             // UDN_DELTAPOS, before the position moves by `delta`
    Scrolled,         // a track bar moved (WM_HSCROLL / WM_VSCROLL)
};

struct ControlEvent {
    int id = 0;
    Notice notice = Notice::Clicked;
    int item = -1; // the row of ItemChanged, DoubleClicked on a list view
    int delta = 0; // Spin
};

template <typename Text>
class DialogController;

template <typename Text>
class DialogView {
public:
    using String = Text;
    virtual ~DialogView() = default;

    // The window, as owner of message boxes and common dialogs; 0 in memory.
    virtual platform::Handle window() const = 0;

    // --- the dialog itself
    virtual void setCaption(const Text& text) = 0;
    virtual Text caption() const = 0;
    virtual void close(int result) = 0; // EndDialog; a modeless window is destroyed
    virtual void showDialog(bool visible) = 0;
    virtual bool dialogVisible() const = 0;
    virtual void setIcon(int resourceId) = 0; // large and small icon from the program
    // A separator and an item at the end of the system menu; the command comes
    // back through DialogController::onSysCommand.
    virtual void addSystemMenuItem(unsigned command, const Text& text) = 0;
    // Sends the font to the dialog and every child control; the font lives as
    // long as the dialog.
    virtual void applyFont(const FontSpec<Text>& font) = 0;

    // --- any control
    virtual void setText(int id, const Text& text) = 0;
    virtual Text text(int id) const = 0;
    // GetDlgItemInt: the number the text holds, nullopt when it holds none.
    virtual std::optional<long> number(int id, bool isSigned) const = 0;
    virtual void enable(int id, bool enabled) = 0;
    virtual bool isEnabled(int id) const = 0;
    virtual void show(int id, bool visible) = 0;
    virtual bool isVisible(int id) const = 0;
    virtual void focus(int id) = 0;
    virtual void setDefaultButton(int id) = 0;
    virtual void setFont(int id, const FontSpec<Text>& font) = 0;
    // Colours a static text (WM_CTLCOLORSTATIC); a background colour paints
    // the control with a brush of it, otherwise the text is drawn transparent.
    virtual void setTextColor(int id, Rgb text, std::optional<Rgb> background) = 0;
    // A read-only edit drawn in the normal window colours (it would be grey).
    virtual void useWindowColours(int id) = 0;
    // A tooltip shown over the control, as wide as maxWidth pixels at most.
    virtual void setTooltip(int id, const Text& tip, int maxWidth) = 0;
    // Repaints the control (0: the whole dialog).
    virtual void redraw(int id) = 0;

    // --- edits
    virtual void setTextLimit(int id, int characters) = 0;
    virtual void setReadOnly(int id, bool readOnly) = 0;
    // Adds text at the end, whatever the caret's place, and scrolls to it.
    virtual void appendText(int id, const Text& text) = 0;
    // From now on every character typed into the edit is first offered to
    // DialogController::onCharacter, which may refuse it.
    virtual void filterCharacters(int id) = 0;

    // --- check boxes and radio buttons
    virtual void setChecked(int id, bool checked) = 0;
    virtual bool isChecked(int id) const = 0;
    // CheckRadioButton: checks `checked` and clears the others of first..last.
    virtual void checkRadio(int first, int last, int checked) = 0;

    // --- rows of list boxes, combo boxes and list views (column 0)
    virtual void clearItems(int id) = 0;
    // Appends a row, or places it in order in a sorted list; answers its index.
    virtual int addItem(int id, const Text& text) = 0;
    virtual int insertItem(int id, int index, const Text& text) = 0;
    virtual void removeItem(int id, int index) = 0;
    virtual int itemCount(int id) const = 0;
    virtual Text itemText(int id, int index) const = 0;
    virtual int selection(int id) const = 0; // -1: none
    virtual void select(int id, int index) = 0; // -1 clears the selection
    // CB_FINDSTRING/LB_FINDSTRING: the first row after `after` (wrapping round)
    // whose text begins with `prefix`, regardless of case; -1 when none.
    virtual int findItem(int id, int after, const Text& prefix) const = 0;

    // --- list views in report view
    virtual void addColumn(int id, const Text& title, int width) = 0;
    // LVS_EX_* extended styles (check boxes, grid lines, full-row select...).
    virtual void setListStyle(int id, std::uint32_t extendedStyle) = 0;
    virtual void setCell(int id, int row, int column, const Text& text) = 0;
    virtual Text cell(int id, int row, int column) const = 0;
    virtual void setRowChecked(int id, int row, bool checked) = 0;
    virtual bool isRowChecked(int id, int row) const = 0;

    // --- tree views
    // Image list of the tree made from the program's icons, in order.
    virtual void setTreeIcons(int id, const std::vector<int>& iconResourceIds) = 0;
    virtual TreeItem addTreeItem(int id, TreeItem parent, const Text& text, int image) = 0;
    virtual void expandTreeItem(int id, TreeItem item) = 0;
    virtual void selectTreeItem(int id, TreeItem item) = 0;

    // --- track bars, up-down controls and progress bars
    virtual void setRange(int id, int minimum, int maximum) = 0;
    virtual void setPosition(int id, int position) = 0;
    virtual int position(int id) const = 0;
    // A track bar's steps for the arrow keys and for Page Up / Page Down.
    virtual void setStepSizes(int id, int line, int page) = 0;

    // --- IP-address controls
    virtual void setAddress(int id, const std::optional<Address>& address) = 0;
    virtual std::optional<Address> address(int id) const = 0;

    // --- pictures
    // Picture controls are owner-drawn statics (SS_OWNERDRAW) in the templates.
    // Loads a bitmap file (LoadImage from a file) and paints it stretched over
    // the control; false when the file cannot be loaded as a bitmap.
    virtual bool setPictureFile(int id, const Text& path) = 0;
    // Paints prepared pictures over the control's background, in order.
    virtual void setPictures(int id, const std::vector<std::pair<Picture, Placement>>& pictures) = 0;
    // The control's client size in pixels (0: the dialog's client area), what a
    // prepared picture or text is fitted to.
    virtual std::pair<int, int> clientSize(int id) const = 0;
    // A line of text painted on the dialog itself, centred in `area` of its
    // client area; an empty text paints nothing.
    virtual void setPaintedText(const Text& text, const FontSpec<Text>& font, Rgb colour,
                                Placement area) = 0;

    // --- timers
    virtual void setTimer(unsigned timer, unsigned milliseconds) = 0;
    virtual void killTimer(unsigned timer) = 0;

    // --- dialogs within dialogs
    // A child dialog without a frame, made from a template of the same program,
    // placed over the rectangle of control `area` and hidden; its controller
    // starts at once. The view lives as long as this dialog.
    virtual DialogView& createChild(int templateId, DialogController<Text>& controller,
                                    int area) = 0;
    // A modal dialog owned by this one; answers the result it closed with.
    virtual int runModal(int templateId, DialogController<Text>& controller) = 0;

    // --- property sheet pages
    // PSM_CHANGED / PSM_UNCHANGED to the sheet.
    virtual void setChanged(bool changed) = 0;

    // --- keyboard (edits whose controller decides what every key does)
    // The edit takes every key, Tab, Enter and Escape included (it answers
    // WM_GETDLGCODE with DLGC_WANTALLKEYS); with filterCharacters the
    // controller decides what each of them does.
    virtual void wantAllKeys(int id) = 0;
    // GetKeyState: whether a key (a virtual-key code) is down at the moment
    // of the message being handled.
    virtual bool isKeyDown(int virtualKey) const = 0;
    // The focus moves on to the next control in tab order (WM_NEXTDLGCTL).
    virtual void focusNextControl() = 0;
};

} // namespace ui

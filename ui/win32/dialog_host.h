// The Win32 side of the dialog seam: a view over a dialog window and the host
// that forwards the window's messages to its controller. The host owns no
// decisions; it turns messages into controller calls and view calls into
// messages. One implementation serves both string types: std::string with the
// A functions, std::u16string with the W functions.
#pragma once

#include <windows.h>

#include "ui/dialog_controller.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ui::win32 {

template <typename Text> class DialogHost;

template <typename Text> class Win32DialogView final : public DialogView<Text> {
public:
    explicit Win32DialogView(DialogHost<Text>& host) : host_(host) {}

    platform::Handle window() const override;
    void setCaption(const Text& text) override;
    Text caption() const override;
    void close(int result) override;
    void showDialog(bool visible) override;
    bool dialogVisible() const override;
    void setIcon(int resourceId) override;
    void addSystemMenuItem(unsigned command, const Text& text) override;
    void applyFont(const FontSpec<Text>& font) override;
    void setText(int id, const Text& text) override;
    Text text(int id) const override;
    std::optional<long> number(int id, bool isSigned) const override;
    void enable(int id, bool enabled) override;
    bool isEnabled(int id) const override;
    void show(int id, bool visible) override;
    bool isVisible(int id) const override;
    void focus(int id) override;
    void setDefaultButton(int id) override;
    void setFont(int id, const FontSpec<Text>& font) override;
    void setTextColor(int id, Rgb text, std::optional<Rgb> background) override;
    void useWindowColours(int id) override;
    void setTooltip(int id, const Text& tip, int maxWidth) override;
    void redraw(int id) override;
    void setTextLimit(int id, int characters) override;
    void setReadOnly(int id, bool readOnly) override;
    void appendText(int id, const Text& text) override;
    void filterCharacters(int id) override;
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) const override;
    void checkRadio(int first, int last, int checked) override;
    void clearItems(int id) override;
    int addItem(int id, const Text& text) override;
    int insertItem(int id, int index, const Text& text) override;
    void removeItem(int id, int index) override;
    int itemCount(int id) const override;
    Text itemText(int id, int index) const override;
    int selection(int id) const override;
    void select(int id, int index) override;
    int findItem(int id, int after, const Text& prefix) const override;
    void addColumn(int id, const Text& title, int width) override;
    void setListStyle(int id, std::uint32_t extendedStyle) override;
    void setCell(int id, int row, int column, const Text& text) override;
    Text cell(int id, int row, int column) const override;
    void setRowChecked(int id, int row, bool checked) override;
    bool isRowChecked(int id, int row) const override;
    void setTreeIcons(int id, const std::vector<int>& iconResourceIds) override;
    TreeItem addTreeItem(int id, TreeItem parent, const Text& text, int image) override;
    void expandTreeItem(int id, TreeItem item) override;
    void selectTreeItem(int id, TreeItem item) override;
    void setRange(int id, int minimum, int maximum) override;
    void setPosition(int id, int position) override;
    int position(int id) const override;
    void setStepSizes(int id, int line, int page) override;
    void setAddress(int id, const std::optional<Address>& address) override;
    std::optional<Address> address(int id) const override;
    bool setPictureFile(int id, const Text& path) override;
    void setPictures(int id, const std::vector<std::pair<Picture, Placement>>& pictures) override;
    std::pair<int, int> clientSize(int id) const override;
    void setPaintedText(const Text& text, const FontSpec<Text>& font, Rgb colour,
                        Placement area) override;
    void setTimer(unsigned timer, unsigned milliseconds) override;
    void killTimer(unsigned timer) override;
    DialogView<Text>& createChild(int templateId, DialogController<Text>& controller,
                                  int area) override;
    int runModal(int templateId, DialogController<Text>& controller) override;
    void setChanged(bool changed) override;
    void wantAllKeys(int id) override;
    bool isKeyDown(int virtualKey) const override;
    void focusNextControl() override;

private:
    HWND item(int id) const;
    void subclassEdit(HWND edit);
    DialogHost<Text>& host_;
};

// What the host keeps for one control beyond what the window keeps.
struct ControlDecor {
    COLORREF textColour = 0;
    bool coloured = false;
    bool windowColours = false;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr; // a loaded file or the prepared pictures
    std::vector<RECT> placements;
    std::vector<HBITMAP> pictures;
    bool filtered = false; // WM_CHAR goes to the controller first
    bool allKeys = false;  // WM_GETDLGCODE answers DLGC_WANTALLKEYS
};

template <typename Text> class DialogHost {
public:
    // A host for a dialog about to be created from `instance`'s templates.
    DialogHost(HINSTANCE instance, DialogController<Text>& controller);
    ~DialogHost();
    DialogHost(const DialogHost&) = delete;
    DialogHost& operator=(const DialogHost&) = delete;

    // DialogBoxParam: runs the dialog to its end and answers its result.
    INT_PTR runModal(int templateId, HWND owner);
    // What runs a modal dialog instead of DialogBoxParam, for a program whose
    // dialogs need something around them (a plug-in runs them inside its
    // activation context). Modal dialogs opened from this dialog, and from
    // theirs, are run the same way.
    using ModalRunner =
        std::function<INT_PTR(int templateId, HWND owner, DLGPROC procedure, LPARAM param)>;
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }
    // CreateDialogParam: a modeless dialog (a child when the template says so).
    HWND createModeless(int templateId, HWND parent);

    // For a dialog procedure of someone else's (a property sheet page): binds
    // the host to a window already being initialised, runs onInit, and from
    // then on `handle` serves its messages.
    void attach(HWND window);
    // True with `result` when the host served the message.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // From any thread: hands `code` and `text` to the controller's onDelivered
    // on the dialog's thread, and returns once it has been handled.
    void deliver(unsigned code, const Text& text);

    HWND window() const { return window_; }
    HINSTANCE instance() const { return instance_; }
    DialogController<Text>& controller() { return controller_; }
    Win32DialogView<Text>& view() { return view_; }

    // The dialog procedure the host runs its own dialogs with.
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend class Win32DialogView<Text>;
    ControlDecor& decor(int id) { return decor_[id]; }
    void paint();
    bool drawItem(const DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK filteredEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    DialogController<Text>& controller_;
    Win32DialogView<Text> view_;
    HWND window_ = nullptr;
    bool modal_ = false;
    ModalRunner modalRunner_;
    HFONT dialogFont_ = nullptr;
    HWND tooltip_ = nullptr;
    std::map<int, ControlDecor> decor_;
    std::vector<std::unique_ptr<DialogHost>> children_;
    Text paintedText_;
    HFONT paintedFont_ = nullptr;
    COLORREF paintedColour_ = 0;
    Placement paintedArea_;
};

extern template class Win32DialogView<std::string>;
extern template class Win32DialogView<std::u16string>;
extern template class DialogHost<std::string>;
extern template class DialogHost<std::u16string>;

} // namespace ui::win32

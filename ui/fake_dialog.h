// A dialog in memory: the controls of a real template with their state, driven
// by a test or a tool the way a user drives the real window. The controller
// cannot tell it from the Win32 dialog. Every misuse (a control the template
// lacks, a click on a disabled button, a modal dialog nobody answers) is kept in
// problems(), so a test can require that there were none.
#pragma once

#include "ui/dialog_controller.h"
#include "ui/dialog_template.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ui {

template <typename Text> struct FakeRow {
    std::vector<Text> cells; // cells[0] is the row's text
    bool checked = false;
};

template <typename Text> struct FakeTreeNode {
    TreeItem parent = 0;
    Text text;
    int image = -1;
    bool expanded = false;
};

template <typename Text> struct FakeControl {
    ControlTemplate source;
    Text text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool readOnly = false;
    bool filtered = false;
    bool windowColours = false;
    bool allKeys = false;
    int textLimit = 0;
    std::vector<FakeRow<Text>> rows;
    int selectedRow = -1;
    std::vector<std::pair<Text, int>> columns;
    std::uint32_t listStyle = 0;
    std::vector<FakeTreeNode<Text>> tree; // item n+1 is tree[n]
    TreeItem selectedTreeItem = 0;
    std::vector<int> treeIcons;
    int minimum = 0, maximum = 100, position = 0;
    int lineSize = 1, pageSize = 0; // a track bar's steps (page 0: the control's own)
    std::optional<Address> address;
    std::optional<FontSpec<Text>> font;
    std::optional<Rgb> textColor;
    std::optional<Rgb> background;
    Text tooltip;
    Text pictureFile;
    std::vector<std::pair<Picture, Placement>> pictures;
    int redraws = 0;
};

template <typename Text> class FakeDialog final : public DialogView<Text> {
public:
    using Controller = DialogController<Text>;
    using Script = std::function<void(FakeDialog&)>;

    // The dialog of `templateId` in `templates`, run by `controller`; call
    // open() to start it as the host would.
    FakeDialog(const TemplateSet& templates, int templateId, Controller& controller,
               FakeDialog* owner = nullptr);

    void open();

    // --- what a user does; false (with a problem kept) when the control is
    // missing, hidden or disabled
    bool click(int id);
    bool choose(int id, int index);
    bool chooseText(int id, const Text& text);           // the row whose text is exactly this
    bool type(int id, const Text& text);                 // replaces the edit's text
    bool typeCharacters(int id, const Text& characters); // one by one through the filter
    bool leave(int id);                                  // the control loses the focus
    bool tickRow(int id, int row, bool checked);
    // A click on a row of a list view: the row becomes the selection
    // (LVN_ITEMCHANGED), then NM_CLICK; row -1 clicks below the rows.
    bool clickRow(int id, int row);
    bool slide(int id, int position);
    bool spin(int id, int delta);
    bool pressF1();
    // The keyboard and the close box: Escape and the close box send Cancel,
    // Enter the default button, whether or not those buttons are shown.
    void pressEscape() { dispatch({idCancel, Notice::Clicked}); }
    void pressEnter() { dispatch({defaultButton_ ? defaultButton_ : idOk, Notice::Clicked}); }
    // A key (virtual-key code) held down, or let go, for what follows.
    void holdKey(int virtualKey, bool down);
    bool sysCommand(unsigned command);
    void fireTimer(unsigned timer);
    // What a worker thread hands the dialog.
    void deliver(unsigned code, const Text& text) { controller_.onDelivered(*this, code, text); }
    // Property sheet notifications.
    void pageShown();
    bool pageLeaving();
    bool apply();
    void cancel();

    // Modal dialogs the controller opens are answered by a script per template;
    // without one the dialog is cancelled and a problem kept.
    void onModal(int templateId, Script script) { scripts_[templateId] = std::move(script); }
    // How setPictureFile decides whether a bitmap file loads (default: never).
    void setPictureLoader(std::function<bool(const Text&)> loader) {
        pictureLoader_ = std::move(loader);
    }
    // Answers given for clientSize (default 100 x 100).
    void setClientSize(int id, int width, int height) { sizes_[id] = {width, height}; }

    // --- what the user sees
    const FakeControl<Text>& control(int id) const;
    bool has(int id) const { return controls_.count(id) != 0; }
    std::vector<Text> items(int id) const;
    Text selectedText(int id) const;
    bool closed() const { return closed_; }
    int result() const { return result_; }
    bool changed() const { return changed_; }
    const std::optional<FontSpec<Text>>& dialogFont() const { return font_; }
    const std::map<unsigned, unsigned>& timers() const { return timers_; }
    const std::vector<std::pair<unsigned, Text>>& systemMenu() const { return systemMenu_; }
    int icon() const { return icon_; }
    int focused() const { return focus_; }
    int defaultButton() const { return defaultButton_; }
    // The child dialogs made with createChild, by template id.
    FakeDialog* child(int templateId) const;
    // The modal dialogs opened so far, by template id, in order.
    const std::vector<int>& modalsOpened() const { return modalsOpened_; }
    // Problems of this dialog and of its children.
    std::vector<std::string> problems() const;
    const DialogTemplate& dialogTemplate() const { return *template_; }

    // --- DialogView
    platform::Handle window() const override { return 0; }
    void setCaption(const Text& text) override { caption_ = text; }
    Text caption() const override { return caption_; }
    void close(int result) override;
    void showDialog(bool visible) override { visible_ = visible; }
    bool dialogVisible() const override { return visible_; }
    void setIcon(int resourceId) override { icon_ = resourceId; }
    void addSystemMenuItem(unsigned command, const Text& text) override {
        systemMenu_.emplace_back(command, text);
    }
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
    // The text painted on the dialog, and where.
    const Text& paintedText() const { return paintedText_; }
    const Placement& paintedArea() const { return paintedArea_; }
    void setTimer(unsigned timer, unsigned milliseconds) override { timers_[timer] = milliseconds; }
    void killTimer(unsigned timer) override { timers_.erase(timer); }
    DialogView<Text>& createChild(int templateId, Controller& controller, int area) override;
    int runModal(int templateId, Controller& controller) override;
    void setChanged(bool changed) override { changed_ = changed; }
    void wantAllKeys(int id) override;
    bool isKeyDown(int virtualKey) const override { return keysDown_.count(virtualKey) != 0; }
    void focusNextControl() override;

private:
    FakeControl<Text>* find(int id, const char* what) const;
    FakeControl<Text>* usable(int id, const char* what);
    void problem(const std::string& text) const;
    void dispatch(const ControlEvent& event);

    const TemplateSet& templates_;
    const DialogTemplate* template_;
    Controller& controller_;
    FakeDialog* owner_;
    std::map<int, std::unique_ptr<FakeControl<Text>>> controls_;
    std::vector<int> order_; // control ids in template order (radio groups)
    Text caption_;
    bool visible_ = true;
    bool closed_ = false;
    int result_ = 0;
    bool changed_ = false;
    int icon_ = 0;
    int focus_ = 0;
    int defaultButton_ = 0;
    std::optional<FontSpec<Text>> font_;
    std::map<unsigned, unsigned> timers_;
    std::vector<std::pair<unsigned, Text>> systemMenu_;
    std::map<int, std::unique_ptr<FakeDialog>> children_;
    std::vector<std::unique_ptr<Controller>> ownedControllers_;
    std::map<int, Script> scripts_;
    std::vector<int> modalsOpened_;
    std::function<bool(const Text&)> pictureLoader_;
    std::map<int, std::pair<int, int>> sizes_;
    std::set<int> keysDown_;
    Text paintedText_;
    Placement paintedArea_;
    mutable std::vector<std::string> problems_;
};

// Template texts are written in the script as bytes; the plug-in's dialogs
// see them as UTF-16.
std::string textFromScript(const std::string& text, const std::string*);
std::u16string textFromScript(const std::string& text, const std::u16string*);

extern template class FakeDialog<std::string>;
extern template class FakeDialog<std::u16string>;

} // namespace ui

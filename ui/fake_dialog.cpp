#include "ui/fake_dialog.h"

#include <algorithm>
#include <climits>
#include <type_traits>

namespace ui {
namespace {

template <typename Char>
Char lower(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// The list controls' own order: case-insensitive, then by code.
template <typename Text>
bool lessNoCase(const Text& a, const Text& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = lower(a[i]), y = lower(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

template <typename Text>
bool startsWithNoCase(const Text& text, const Text& prefix) {
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

template <typename Text>
std::string describe(const Text& text) {
    std::string out;
    for (auto c : text)
        out += c < 0x80 && c >= 0x20 ? static_cast<char>(c) : '?';
    return out;
}

bool hasRows(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::ListBox ||
           kind == ControlKind::ListView;
}

bool hasRange(ControlKind kind) {
    return kind == ControlKind::TrackBar || kind == ControlKind::UpDown ||
           kind == ControlKind::Progress;
}

} // namespace

std::string textFromScript(const std::string& text, const std::string*) {
    return text;
}

std::u16string textFromScript(const std::string& text, const std::u16string*) {
    // UTF-8 to UTF-16; the scripts are ASCII or UTF-8.
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t code = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            code = c & (0x3F >> extra);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

template <typename Text>
FakeDialog<Text>::FakeDialog(const TemplateSet& templates, int templateId, Controller& controller,
                             FakeDialog* owner)
    : templates_(templates), template_(templates.find(templateId)), controller_(controller),
      owner_(owner) {
    static const DialogTemplate missing{};
    if (template_ == nullptr) {
        problem("no dialog template " + std::to_string(templateId));
        template_ = &missing;
    }
    caption_ = textFromScript(template_->caption, static_cast<const Text*>(nullptr));
    for (const ControlTemplate& source : template_->controls) {
        if (source.id == -1)
            continue;
        auto control = std::make_unique<FakeControl<Text>>();
        control->source = source;
        if (source.kind != ControlKind::Edit && source.kind != ControlKind::ComboBox)
            control->text = textFromScript(source.text, static_cast<const Text*>(nullptr));
        control->visible = source.visible;
        control->enabled = source.enabled;
        control->readOnly = source.readOnly;
        if (source.kind == ControlKind::UpDown) {
            control->minimum = 100; // an up-down control's range before it is set
            control->maximum = 0;
        }
        if (source.defaultButton)
            defaultButton_ = source.id;
        order_.push_back(source.id);
        controls_[source.id] = std::move(control);
    }
}

template <typename Text>
void FakeDialog<Text>::open() {
    controller_.onInit(*this);
}

template <typename Text>
void FakeDialog<Text>::problem(const std::string& text) const {
    problems_.push_back("dialog " + std::to_string(template_ ? template_->id : 0) + ": " + text);
}

template <typename Text>
FakeControl<Text>* FakeDialog<Text>::find(int id, const char* what) const {
    auto it = controls_.find(id);
    if (it == controls_.end()) {
        problem(std::string(what) + ": no control " + std::to_string(id));
        return nullptr;
    }
    return it->second.get();
}

template <typename Text>
FakeControl<Text>* FakeDialog<Text>::usable(int id, const char* what) {
    FakeControl<Text>* c = find(id, what);
    if (c == nullptr)
        return nullptr;
    if (closed_ || !visible_) {
        problem(std::string(what) + ": the dialog is not shown");
        return nullptr;
    }
    if (!c->visible || !c->enabled) {
        problem(std::string(what) + ": control " + std::to_string(id) +
                (c->visible ? " is disabled" : " is hidden"));
        return nullptr;
    }
    return c;
}

template <typename Text>
void FakeDialog<Text>::dispatch(const ControlEvent& event) {
    controller_.onEvent(*this, event);
}

template <typename Text>
bool FakeDialog<Text>::click(int id) {
    FakeControl<Text>* c = usable(id, "click");
    if (c == nullptr)
        return false;
    if (c->source.kind == ControlKind::RadioButton && c->source.autoCheck) {
        // An automatic radio button clears the others of its group.
        auto self = std::find(order_.begin(), order_.end(), id);
        auto first = self;
        while (first != order_.begin() && !controls_[*first]->source.group)
            --first;
        for (auto it = first; it != order_.end(); ++it) {
            if (it != first && controls_[*it]->source.group)
                break;
            if (controls_[*it]->source.kind == ControlKind::RadioButton)
                controls_[*it]->checked = false;
        }
        c->checked = true;
    } else if (c->source.kind == ControlKind::CheckBox && c->source.autoCheck) {
        c->checked = !c->checked;
    }
    dispatch({id, Notice::Clicked});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::choose(int id, int index) {
    FakeControl<Text>* c = usable(id, "choose");
    if (c == nullptr)
        return false;
    if (index < 0 || index >= static_cast<int>(c->rows.size())) {
        problem("choose: row " + std::to_string(index) + " of control " + std::to_string(id) +
                " does not exist");
        return false;
    }
    select(id, index);
    dispatch({id, Notice::SelectionChanged, index});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::chooseText(int id, const Text& text) {
    FakeControl<Text>* c = find(id, "choose");
    if (c == nullptr)
        return false;
    for (std::size_t i = 0; i < c->rows.size(); ++i) {
        if (c->rows[i].cells[0] == text)
            return choose(id, static_cast<int>(i));
    }
    problem("choose: control " + std::to_string(id) + " has no row \"" + describe(text) + "\"");
    return false;
}

template <typename Text>
bool FakeDialog<Text>::type(int id, const Text& text) {
    FakeControl<Text>* c = usable(id, "type");
    if (c == nullptr)
        return false;
    if (c->readOnly) {
        problem("type: control " + std::to_string(id) + " is read-only");
        return false;
    }
    c->text = c->textLimit > 0 && static_cast<int>(text.size()) > c->textLimit
                  ? text.substr(0, static_cast<std::size_t>(c->textLimit))
                  : text;
    dispatch({id, Notice::TextChanged});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::typeCharacters(int id, const Text& characters) {
    FakeControl<Text>* c = usable(id, "type");
    if (c == nullptr)
        return false;
    for (auto ch : characters) {
        if (c->filtered &&
            !controller_.onCharacter(*this, id, static_cast<unsigned>(
                                                    static_cast<std::make_unsigned_t<decltype(ch)>>(ch))))
            continue;
        if (ch == 8) {
            if (!c->text.empty())
                c->text.pop_back();
        } else if (c->textLimit == 0 || static_cast<int>(c->text.size()) < c->textLimit) {
            c->text += ch;
        }
        dispatch({id, Notice::TextChanged});
    }
    return true;
}

template <typename Text>
bool FakeDialog<Text>::leave(int id) {
    if (usable(id, "leave") == nullptr)
        return false;
    dispatch({id, Notice::FocusLost});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::tickRow(int id, int row, bool checked) {
    FakeControl<Text>* c = usable(id, "tick");
    if (c == nullptr)
        return false;
    if (row < 0 || row >= static_cast<int>(c->rows.size())) {
        problem("tick: no row " + std::to_string(row) + " in control " + std::to_string(id));
        return false;
    }
    c->rows[static_cast<std::size_t>(row)].checked = checked;
    dispatch({id, Notice::ItemChanged, row});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::clickRow(int id, int row) {
    FakeControl<Text>* c = usable(id, "click row");
    if (c == nullptr)
        return false;
    if (c->source.kind != ControlKind::ListView || row < -1 ||
        row >= static_cast<int>(c->rows.size())) {
        problem("click row: no row " + std::to_string(row) + " in list view " + std::to_string(id));
        return false;
    }
    if (row != c->selectedRow) {
        c->selectedRow = row;
        dispatch({id, Notice::ItemChanged, row});
    }
    dispatch({id, Notice::Clicked, row});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::slide(int id, int to) {
    FakeControl<Text>* c = usable(id, "slide");
    if (c == nullptr)
        return false;
    c->position = std::clamp(to, std::min(c->minimum, c->maximum), std::max(c->minimum, c->maximum));
    dispatch({id, Notice::Scrolled});
    return true;
}

template <typename Text>
bool FakeDialog<Text>::spin(int id, int delta) {
    FakeControl<Text>* c = usable(id, "spin");
    if (c == nullptr)
        return false;
    dispatch({id, Notice::Spin, -1, delta});
    c->position = std::clamp(c->position + delta, std::min(c->minimum, c->maximum),
                             std::max(c->minimum, c->maximum));
    return true;
}

template <typename Text>
bool FakeDialog<Text>::pressF1() {
    if (closed_)
        return false;
    if (!controller_.onHelp(*this) && owner_ != nullptr)
        return owner_->pressF1();
    return true;
}

template <typename Text>
void FakeDialog<Text>::holdKey(int virtualKey, bool down) {
    if (down)
        keysDown_.insert(virtualKey);
    else
        keysDown_.erase(virtualKey);
}

template <typename Text>
void FakeDialog<Text>::wantAllKeys(int id) {
    if (FakeControl<Text>* c = find(id, "wantAllKeys"))
        c->allKeys = true;
}

template <typename Text>
void FakeDialog<Text>::focusNextControl() {
    // The next control after the focused one, in template order, that a user
    // could reach: shown, enabled, and not a label or a frame.
    const auto self = std::find(order_.begin(), order_.end(), focus_);
    const std::size_t start = self == order_.end() ? order_.size() - 1
                                                   : static_cast<std::size_t>(self - order_.begin());
    for (std::size_t k = 1; k <= order_.size(); ++k) {
        const int id = order_[(start + k) % order_.size()];
        const FakeControl<Text>& c = *controls_.at(id);
        const ControlKind kind = c.source.kind;
        if (c.visible && c.enabled && kind != ControlKind::Static &&
            kind != ControlKind::Picture && kind != ControlKind::GroupBox) {
            focus_ = id;
            return;
        }
    }
}

template <typename Text>
bool FakeDialog<Text>::sysCommand(unsigned command) {
    return !closed_ && controller_.onSysCommand(*this, command);
}

template <typename Text>
void FakeDialog<Text>::fireTimer(unsigned timer) {
    if (!timers_.count(timer)) {
        problem("timer " + std::to_string(timer) + " is not running");
        return;
    }
    controller_.onTimer(*this, timer);
}

template <typename Text>
void FakeDialog<Text>::pageShown() {
    controller_.onPageShown(*this);
}

template <typename Text>
bool FakeDialog<Text>::pageLeaving() {
    return controller_.onPageLeaving(*this);
}

template <typename Text>
bool FakeDialog<Text>::apply() {
    return controller_.onApply(*this);
}

template <typename Text>
void FakeDialog<Text>::cancel() {
    controller_.onCancel(*this);
}

template <typename Text>
const FakeControl<Text>& FakeDialog<Text>::control(int id) const {
    static const FakeControl<Text> none{};
    const FakeControl<Text>* c = find(id, "look at");
    return c ? *c : none;
}

template <typename Text>
std::vector<Text> FakeDialog<Text>::items(int id) const {
    std::vector<Text> out;
    for (const FakeRow<Text>& row : control(id).rows)
        out.push_back(row.cells[0]);
    return out;
}

template <typename Text>
Text FakeDialog<Text>::selectedText(int id) const {
    const FakeControl<Text>& c = control(id);
    return c.selectedRow >= 0 ? c.rows[static_cast<std::size_t>(c.selectedRow)].cells[0] : Text();
}

template <typename Text>
FakeDialog<Text>* FakeDialog<Text>::child(int templateId) const {
    auto it = children_.find(templateId);
    return it == children_.end() ? nullptr : it->second.get();
}

template <typename Text>
std::vector<std::string> FakeDialog<Text>::problems() const {
    std::vector<std::string> all = problems_;
    for (const auto& [id, child] : children_) {
        std::vector<std::string> more = child->problems();
        all.insert(all.end(), more.begin(), more.end());
    }
    return all;
}

template <typename Text>
void FakeDialog<Text>::close(int result) {
    closed_ = true;
    result_ = result;
    timers_.clear();
}

template <typename Text>
void FakeDialog<Text>::applyFont(const FontSpec<Text>& font) {
    font_ = font;
    for (auto& [id, c] : controls_)
        c->font = font;
}

template <typename Text>
void FakeDialog<Text>::setText(int id, const Text& text) {
    if (FakeControl<Text>* c = find(id, "setText")) {
        c->text = text;
        if (c->source.kind == ControlKind::ComboBox && !c->source.editable)
            problem("setText on drop-down list " + std::to_string(id) + " has no effect");
    }
}

template <typename Text>
Text FakeDialog<Text>::text(int id) const {
    const FakeControl<Text>* c = find(id, "text");
    if (c == nullptr)
        return Text();
    // A drop-down list's window text is its selected row.
    if (c->source.kind == ControlKind::ComboBox && !c->source.editable)
        return c->selectedRow >= 0 ? c->rows[static_cast<std::size_t>(c->selectedRow)].cells[0]
                                   : Text();
    return c->text;
}

template <typename Text>
std::optional<long> FakeDialog<Text>::number(int id, bool isSigned) const {
    // GetDlgItemInt: blanks before the number, an optional sign when signed,
    // decimal digits to the end.
    const Text value = text(id);
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ')
        ++i;
    bool negative = false;
    if (isSigned && i < value.size() && (value[i] == '-' || value[i] == '+'))
        negative = value[i++] == '-';
    if (i == value.size())
        return std::nullopt;
    long long result = 0;
    for (; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9')
            return std::nullopt;
        result = result * 10 + (value[i] - '0');
        if (result > (isSigned ? static_cast<long long>(INT_MAX) + (negative ? 1 : 0)
                               : static_cast<long long>(UINT_MAX)))
            return std::nullopt;
    }
    return static_cast<long>(negative ? -result : result);
}

template <typename Text>
void FakeDialog<Text>::enable(int id, bool enabled) {
    if (FakeControl<Text>* c = find(id, "enable"))
        c->enabled = enabled;
}

template <typename Text>
bool FakeDialog<Text>::isEnabled(int id) const {
    const FakeControl<Text>* c = find(id, "isEnabled");
    return c != nullptr && c->enabled;
}

template <typename Text>
void FakeDialog<Text>::show(int id, bool visible) {
    if (FakeControl<Text>* c = find(id, "show"))
        c->visible = visible;
}

template <typename Text>
bool FakeDialog<Text>::isVisible(int id) const {
    const FakeControl<Text>* c = find(id, "isVisible");
    return c != nullptr && c->visible;
}

template <typename Text>
void FakeDialog<Text>::focus(int id) {
    if (find(id, "focus"))
        focus_ = id;
}

template <typename Text>
void FakeDialog<Text>::setDefaultButton(int id) {
    if (find(id, "setDefaultButton"))
        defaultButton_ = id;
}

template <typename Text>
void FakeDialog<Text>::setFont(int id, const FontSpec<Text>& font) {
    if (FakeControl<Text>* c = find(id, "setFont"))
        c->font = font;
}

template <typename Text>
void FakeDialog<Text>::setTextColor(int id, Rgb color, std::optional<Rgb> background) {
    if (FakeControl<Text>* c = find(id, "setTextColor")) {
        c->textColor = color;
        c->background = background;
    }
}

template <typename Text>
void FakeDialog<Text>::useWindowColours(int id) {
    if (FakeControl<Text>* c = find(id, "useWindowColours"))
        c->windowColours = true;
}

template <typename Text>
void FakeDialog<Text>::setTooltip(int id, const Text& tip, int) {
    if (FakeControl<Text>* c = find(id, "setTooltip"))
        c->tooltip = tip;
}

template <typename Text>
void FakeDialog<Text>::redraw(int id) {
    if (id == 0)
        return;
    if (FakeControl<Text>* c = find(id, "redraw"))
        ++c->redraws;
}

template <typename Text>
void FakeDialog<Text>::setTextLimit(int id, int characters) {
    if (FakeControl<Text>* c = find(id, "setTextLimit"))
        c->textLimit = characters;
}

template <typename Text>
void FakeDialog<Text>::setReadOnly(int id, bool readOnly) {
    if (FakeControl<Text>* c = find(id, "setReadOnly"))
        c->readOnly = readOnly;
}

template <typename Text>
void FakeDialog<Text>::appendText(int id, const Text& text) {
    if (FakeControl<Text>* c = find(id, "appendText"))
        c->text += text;
}

template <typename Text>
void FakeDialog<Text>::filterCharacters(int id) {
    if (FakeControl<Text>* c = find(id, "filterCharacters"))
        c->filtered = true;
}

template <typename Text>
void FakeDialog<Text>::setChecked(int id, bool checked) {
    if (FakeControl<Text>* c = find(id, "setChecked"))
        c->checked = checked;
}

template <typename Text>
bool FakeDialog<Text>::isChecked(int id) const {
    const FakeControl<Text>* c = find(id, "isChecked");
    return c != nullptr && c->checked;
}

template <typename Text>
void FakeDialog<Text>::checkRadio(int first, int last, int checked) {
    for (auto& [id, c] : controls_) {
        if (id >= first && id <= last && c->source.kind == ControlKind::RadioButton)
            c->checked = id == checked;
    }
    find(checked, "checkRadio");
}

template <typename Text>
void FakeDialog<Text>::clearItems(int id) {
    if (FakeControl<Text>* c = find(id, "clearItems")) {
        c->rows.clear();
        c->selectedRow = -1;
        c->tree.clear();
        c->selectedTreeItem = 0;
    }
}

template <typename Text>
int FakeDialog<Text>::addItem(int id, const Text& text) {
    FakeControl<Text>* c = find(id, "addItem");
    if (c == nullptr)
        return -1;
    if (!hasRows(c->source.kind)) {
        problem("addItem: control " + std::to_string(id) + " has no rows");
        return -1;
    }
    auto at = c->rows.end();
    if (c->source.sorted)
        at = std::find_if(c->rows.begin(), c->rows.end(),
                          [&](const FakeRow<Text>& row) { return lessNoCase(text, row.cells[0]); });
    const int index = static_cast<int>(at - c->rows.begin());
    c->rows.insert(at, FakeRow<Text>{{text}, false});
    if (c->selectedRow >= index)
        ++c->selectedRow;
    return index;
}

template <typename Text>
int FakeDialog<Text>::insertItem(int id, int index, const Text& text) {
    FakeControl<Text>* c = find(id, "insertItem");
    if (c == nullptr)
        return -1;
    if (index < 0 || index > static_cast<int>(c->rows.size()))
        index = static_cast<int>(c->rows.size());
    c->rows.insert(c->rows.begin() + index, FakeRow<Text>{{text}, false});
    if (c->selectedRow >= index)
        ++c->selectedRow;
    return index;
}

template <typename Text>
void FakeDialog<Text>::removeItem(int id, int index) {
    FakeControl<Text>* c = find(id, "removeItem");
    if (c == nullptr || index < 0 || index >= static_cast<int>(c->rows.size()))
        return;
    c->rows.erase(c->rows.begin() + index);
    if (c->selectedRow == index)
        c->selectedRow = -1;
    else if (c->selectedRow > index)
        --c->selectedRow;
}

template <typename Text>
int FakeDialog<Text>::itemCount(int id) const {
    const FakeControl<Text>* c = find(id, "itemCount");
    return c ? static_cast<int>(c->rows.size()) : 0;
}

template <typename Text>
Text FakeDialog<Text>::itemText(int id, int index) const {
    return cell(id, index, 0);
}

template <typename Text>
int FakeDialog<Text>::selection(int id) const {
    const FakeControl<Text>* c = find(id, "selection");
    return c ? c->selectedRow : -1;
}

template <typename Text>
void FakeDialog<Text>::select(int id, int index) {
    FakeControl<Text>* c = find(id, "select");
    if (c == nullptr)
        return;
    c->selectedRow = index >= 0 && index < static_cast<int>(c->rows.size()) ? index : -1;
}

template <typename Text>
int FakeDialog<Text>::findItem(int id, int after, const Text& prefix) const {
    const FakeControl<Text>* c = find(id, "findItem");
    if (c == nullptr || c->rows.empty())
        return -1;
    const int count = static_cast<int>(c->rows.size());
    const int start = after < 0 || after >= count ? 0 : after + 1;
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (startsWithNoCase(c->rows[static_cast<std::size_t>(i)].cells[0], prefix))
            return i;
    }
    return -1;
}

template <typename Text>
void FakeDialog<Text>::addColumn(int id, const Text& title, int width) {
    if (FakeControl<Text>* c = find(id, "addColumn"))
        c->columns.emplace_back(title, width);
}

template <typename Text>
void FakeDialog<Text>::setListStyle(int id, std::uint32_t extendedStyle) {
    if (FakeControl<Text>* c = find(id, "setListStyle"))
        c->listStyle = extendedStyle;
}

template <typename Text>
void FakeDialog<Text>::setCell(int id, int row, int column, const Text& text) {
    FakeControl<Text>* c = find(id, "setCell");
    if (c == nullptr || row < 0 || row >= static_cast<int>(c->rows.size()) || column < 0) {
        problem("setCell: no row " + std::to_string(row) + " in control " + std::to_string(id));
        return;
    }
    auto& cells = c->rows[static_cast<std::size_t>(row)].cells;
    if (static_cast<int>(cells.size()) <= column)
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
}

template <typename Text>
Text FakeDialog<Text>::cell(int id, int row, int column) const {
    const FakeControl<Text>* c = find(id, "cell");
    if (c == nullptr || row < 0 || row >= static_cast<int>(c->rows.size()))
        return Text();
    const auto& cells = c->rows[static_cast<std::size_t>(row)].cells;
    return column >= 0 && column < static_cast<int>(cells.size())
               ? cells[static_cast<std::size_t>(column)]
               : Text();
}

template <typename Text>
void FakeDialog<Text>::setRowChecked(int id, int row, bool checked) {
    FakeControl<Text>* c = find(id, "setRowChecked");
    if (c != nullptr && row >= 0 && row < static_cast<int>(c->rows.size()))
        c->rows[static_cast<std::size_t>(row)].checked = checked;
}

template <typename Text>
bool FakeDialog<Text>::isRowChecked(int id, int row) const {
    const FakeControl<Text>* c = find(id, "isRowChecked");
    return c != nullptr && row >= 0 && row < static_cast<int>(c->rows.size()) &&
           c->rows[static_cast<std::size_t>(row)].checked;
}

template <typename Text>
void FakeDialog<Text>::setTreeIcons(int id, const std::vector<int>& iconResourceIds) {
    if (FakeControl<Text>* c = find(id, "setTreeIcons"))
        c->treeIcons = iconResourceIds;
}

template <typename Text>
TreeItem FakeDialog<Text>::addTreeItem(int id, TreeItem parent, const Text& text, int image) {
    FakeControl<Text>* c = find(id, "addTreeItem");
    if (c == nullptr)
        return 0;
    if (parent > c->tree.size())
        problem("addTreeItem: no parent item " + std::to_string(parent));
    c->tree.push_back({parent, text, image, false});
    return c->tree.size();
}

template <typename Text>
void FakeDialog<Text>::expandTreeItem(int id, TreeItem item) {
    FakeControl<Text>* c = find(id, "expandTreeItem");
    if (c != nullptr && item >= 1 && item <= c->tree.size())
        c->tree[item - 1].expanded = true;
}

template <typename Text>
void FakeDialog<Text>::selectTreeItem(int id, TreeItem item) {
    if (FakeControl<Text>* c = find(id, "selectTreeItem"))
        c->selectedTreeItem = item;
}

template <typename Text>
void FakeDialog<Text>::setRange(int id, int minimum, int maximum) {
    FakeControl<Text>* c = find(id, "setRange");
    if (c == nullptr)
        return;
    if (!hasRange(c->source.kind))
        problem("setRange: control " + std::to_string(id) + " has no range");
    c->minimum = minimum;
    c->maximum = maximum;
}

template <typename Text>
void FakeDialog<Text>::setPosition(int id, int to) {
    FakeControl<Text>* c = find(id, "setPosition");
    if (c == nullptr)
        return;
    // Track bars and progress bars keep a position inside their range; an
    // up-down control does too, and shows it in its buddy edit.
    c->position = std::clamp(to, std::min(c->minimum, c->maximum), std::max(c->minimum, c->maximum));
}

template <typename Text>
int FakeDialog<Text>::position(int id) const {
    const FakeControl<Text>* c = find(id, "position");
    return c ? c->position : 0;
}

template <typename Text>
void FakeDialog<Text>::setStepSizes(int id, int line, int page) {
    FakeControl<Text>* c = find(id, "setStepSizes");
    if (c == nullptr)
        return;
    if (c->source.kind != ControlKind::TrackBar)
        problem("setStepSizes: control " + std::to_string(id) + " is no track bar");
    c->lineSize = line;
    c->pageSize = page;
}

template <typename Text>
void FakeDialog<Text>::setAddress(int id, const std::optional<Address>& value) {
    if (FakeControl<Text>* c = find(id, "setAddress"))
        c->address = value;
}

template <typename Text>
std::optional<Address> FakeDialog<Text>::address(int id) const {
    const FakeControl<Text>* c = find(id, "address");
    return c ? c->address : std::nullopt;
}

template <typename Text>
bool FakeDialog<Text>::setPictureFile(int id, const Text& path) {
    FakeControl<Text>* c = find(id, "setPictureFile");
    if (c == nullptr || !pictureLoader_ || !pictureLoader_(path))
        return false;
    c->pictureFile = path;
    return true;
}

template <typename Text>
void FakeDialog<Text>::setPictures(int id,
                                   const std::vector<std::pair<Picture, Placement>>& pictures) {
    if (FakeControl<Text>* c = find(id, "setPictures"))
        c->pictures = pictures;
}

template <typename Text>
std::pair<int, int> FakeDialog<Text>::clientSize(int id) const {
    if (id != 0)
        find(id, "clientSize");
    auto it = sizes_.find(id);
    return it == sizes_.end() ? std::pair<int, int>{100, 100} : it->second;
}

template <typename Text>
void FakeDialog<Text>::setPaintedText(const Text& text, const FontSpec<Text>&, Rgb,
                                      Placement area) {
    paintedText_ = text;
    paintedArea_ = area;
}

template <typename Text>
DialogView<Text>& FakeDialog<Text>::createChild(int templateId, Controller& controller, int area) {
    find(area, "createChild");
    auto child = std::make_unique<FakeDialog>(templates_, templateId, controller, this);
    child->visible_ = false;
    child->pictureLoader_ = pictureLoader_;
    FakeDialog& made = *child;
    children_[templateId] = std::move(child);
    made.open();
    return made;
}

template <typename Text>
int FakeDialog<Text>::runModal(int templateId, Controller& controller) {
    modalsOpened_.push_back(templateId);
    FakeDialog modal(templates_, templateId, controller, this);
    modal.pictureLoader_ = pictureLoader_;
    FakeDialog* root = this;
    while (root->owner_ != nullptr && !root->scripts_.count(templateId))
        root = root->owner_;
    modal.open();
    auto script = root->scripts_.find(templateId);
    if (!modal.closed_) {
        if (script == root->scripts_.end())
            problem("modal dialog " + std::to_string(templateId) + " opened without a script");
        else
            script->second(modal);
    }
    if (!modal.closed_) {
        problem("modal dialog " + std::to_string(templateId) + " was left open");
        modal.close(idCancel);
    }
    for (const std::string& p : modal.problems())
        problems_.push_back(p);
    return modal.result_;
}

template class FakeDialog<std::string>;
template class FakeDialog<std::u16string>;

} // namespace ui

// Dialog templates read from a program's resource script (.rc) and its id
// header: which controls a dialog has, of what kind, with which text and initial
// state. FakeDialog builds its controls from them, so a controller addressing a
// control the real template lacks is caught without Windows.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class ControlKind {
    Static,
    Picture, // SS_BITMAP, SS_ICON, ICON, frames
    GroupBox,
    PushButton,
    CheckBox,
    RadioButton,
    Edit,
    ComboBox,
    ListBox,
    ListView,
    TreeView,
    TrackBar,
    UpDown,
    Progress,
    IpAddress,
    Other,
};

struct ControlTemplate {
    int id = -1;
    ControlKind kind = ControlKind::Other;
    std::string text; // as written in the script
    bool visible = true;
    bool enabled = true;
    bool group = false;     // WS_GROUP: starts a group of radio buttons
    bool autoCheck = false; // BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON: a click checks it
    bool sorted = false;    // CBS_SORT, LBS_SORT
    bool editable = false;  // a combo box with an edit (CBS_DROPDOWN, CBS_SIMPLE)
    bool readOnly = false;  // ES_READONLY
    bool defaultButton = false;
    int x = 0, y = 0, width = 0, height = 0; // dialog units
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0, height = 0;       // dialog units
    std::vector<std::string> styles; // the STYLE line's words, NOT-ed ones left out
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int controlId) const;
    bool hasStyle(const std::string& style) const;
};

class TemplateSet {
public:
    // Reads every DIALOG/DIALOGEX of `script`; symbolic ids come from the
    // #define lines of the headers and of the script itself. nullopt, with the
    // line and the reason in `error`, when the script cannot be read.
    static std::optional<TemplateSet>
    parse(const std::string& script, const std::vector<std::string>& headers, std::string& error);

    const DialogTemplate* find(int templateId) const;
    const std::map<int, DialogTemplate>& dialogs() const { return dialogs_; }

private:
    std::map<int, DialogTemplate> dialogs_;
};

// A program's own script and headers, built into a tool or a test (the first
// text is the script). A script that cannot be read is a fault of the build:
// the reason is printed and the program stops.
TemplateSet builtInTemplates(const std::vector<std::string_view>& texts);

} // namespace ui

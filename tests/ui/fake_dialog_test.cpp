// The in-memory dialog behaves as the real controls do where controllers rely
// on it, and reports every misuse.
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const char* const script = R"(
#define IDC_A 1001
#define STYLE_OF_LIST CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL
50 DIALOGEX 0, 0, 100, 80
STYLE DS_SETFONT | WS_CHILD
CAPTION "Toy"
BEGIN
    CONTROL "One", IDC_A, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 1, 1, 20, 10
    CONTROL "Two", 1002, "Button", BS_AUTORADIOBUTTON, 1, 12,
            20, 10
    CONTROL "Other group", 1003, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 1, 24, 20, 10
    COMBOBOX 1004, 1, 36, 40, 50, STYLE_OF_LIST
    EDITTEXT 1005, 1, 50, 40, 12, ES_NUMBER | NOT WS_VISIBLE
    PUSHBUTTON "Go", 1006, 50, 1, 30, 14, WS_DISABLED
    CONTROL "", 1007, "msctls_updown32", UDS_SETBUDDYINT, 50, 20, 10, 12
    DEFPUSHBUTTON "OK", IDOK, 50, 60, 30, 14
END
51 DIALOG 0, 0, 50, 20
BEGIN
    DEFPUSHBUTTON "OK", IDOK, 1, 1, 30, 14
END
)";

// Records what it is told and opens dialog 51 on "OK".
class Toy : public ui::DialogController<std::string> {
public:
    void onInit(View& view) override {
        for (const char* port : {"LPT1:", "COM2:", "usb_1", "COM10:"})
            view.addItem(1004, port);
        view.setRange(1007, 1, 5);
        view.setPosition(1007, 9);
    }
    void onEvent(View& view, const ui::ControlEvent& event) override {
        events.push_back(event.id);
        if (event.id == ui::idOk)
            childResult = view.runModal(51, child);
    }
    struct Child : ui::DialogController<std::string> {
        void onInit(View&) override {}
        void onEvent(View& view, const ui::ControlEvent& event) override { view.close(event.id); }
    } child;
    std::vector<int> events;
    int childResult = 0;
};

TEST(FakeDialog, ControlsBehaveAsTheirTemplateSays) {
    std::string error;
    const auto set = ui::TemplateSet::parse(script, {}, error);
    ASSERT_TRUE(set) << error;
    Toy toy;
    ui::FakeDialog<std::string> dialog(*set, 50, toy);
    dialog.open();

    EXPECT_EQ(dialog.caption(), "Toy");
    // A sorted drop-down list orders its rows regardless of case.
    EXPECT_EQ(dialog.items(1004), (std::vector<std::string>{"COM10:", "COM2:", "LPT1:", "usb_1"}));
    EXPECT_EQ(dialog.findItem(1004, 1, "com"), 0); // after row 1, wrapping round
    EXPECT_EQ(dialog.findItem(1004, -1, "LPT"), 2);
    EXPECT_EQ(dialog.position(1007), 5); // held inside its range

    // Automatic radio buttons clear their own group only.
    EXPECT_TRUE(dialog.click(1003));
    EXPECT_TRUE(dialog.click(1001));
    EXPECT_TRUE(dialog.click(1002));
    EXPECT_FALSE(dialog.isChecked(1001));
    EXPECT_TRUE(dialog.isChecked(1002));
    EXPECT_TRUE(dialog.isChecked(1003));

    // What a user cannot do is refused and kept.
    EXPECT_FALSE(dialog.click(1006));      // disabled
    EXPECT_FALSE(dialog.type(1005, "12")); // hidden
    EXPECT_FALSE(dialog.click(1999));
    EXPECT_EQ(dialog.problems().size(), 3u);

    // A modal dialog is answered by its script.
    dialog.onModal(51, [](ui::FakeDialog<std::string>& child) { child.click(ui::idOk); });
    EXPECT_TRUE(dialog.click(ui::idOk));
    EXPECT_EQ(toy.childResult, ui::idOk);
    EXPECT_EQ(dialog.modalsOpened(), std::vector<int>{51});
    EXPECT_EQ(toy.events, (std::vector<int>{1003, 1001, 1002, ui::idOk}));
}

TEST(FakeDialog, NumbersAreReadAsGetDlgItemIntReadsThem) {
    std::string error;
    const auto set = ui::TemplateSet::parse(script, {}, error);
    ASSERT_TRUE(set) << error;
    Toy toy;
    ui::FakeDialog<std::string> dialog(*set, 50, toy);
    dialog.open();
    const struct {
        const char* text;
        bool isSigned;
        std::optional<long> value;
    } cases[] = {{"42", false, 42},
                 {"  7", false, 7},
                 {"-3", true, -3},
                 {"-3", false, std::nullopt},
                 {"", false, std::nullopt},
                 {"12a", false, std::nullopt},
                 {"4294967295", false, 4294967295L},
                 {"4294967296", false, std::nullopt},
                 {"2147483648", true, std::nullopt}};
    for (const auto& c : cases) {
        dialog.setText(1005, c.text);
        EXPECT_EQ(dialog.number(1005, c.isSigned), c.value) << '"' << c.text << '"';
    }
}

TEST(DialogTemplates, EveryTemplateOfThePluginReads) {
    auto read = [](const std::string& path) {
        std::ifstream in(std::string(PKG_SOURCE_DIR) + "/" + path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    std::string error;
    const auto set =
        ui::TemplateSet::parse(read("oemui/57KXUI.rc"), {read("oemui/resource.h")}, error);
    ASSERT_TRUE(set) << error;
    EXPECT_GE(set->dialogs().size(), 12u);
    for (const auto& [id, dialog] : set->dialogs()) {
        for (const ui::ControlTemplate& control : dialog.controls)
            EXPECT_NE(control.kind, ui::ControlKind::Other)
                << "dialog " << id << " control " << control.id;
    }
}

} // namespace

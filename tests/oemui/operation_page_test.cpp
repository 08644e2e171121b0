// The Operation page and its dialog: each moment's block of the settings
// record, edited through the dialog and compared byte for byte; Cancel and
// refusals leave the record exactly as it was.
#include "oemui/hex_command.h"
#include "oemui/pages/edit_hex_command.h"
#include "oemui/resource.h"
#include "page_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace oemui::test {
namespace {

using platform::sim::SimPluginHost;

const int buttons[] = {IDC_OP_START_DOCUMENT, IDC_OP_START_PAGE, IDC_OP_END_PAGE,
                       IDC_OP_END_DOCUMENT};

std::u16string repeated(const std::u16string& piece, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

class OperationPageTest : public ::testing::Test {
protected:
    // Opens the dialog of a moment, lets `script` act in it, answers what the
    // dialog ended with.
    int edit(int button, const std::function<void(Dialog&)>& script) {
        page.view.onModal(IDD_OPERATION_EDIT, [&](Dialog& d) {
            script(d);
            const std::vector<std::string> seen = d.problems();
            problems.insert(problems.end(), seen.begin(), seen.end());
            result = d.closed() ? d.result() : 0;
        });
        result = -1;
        page.view.click(button);
        return result;
    }

    SimPluginHost host;
    pages::SheetState sheet;
    DocumentSheet document;
    SheetPage page{IDD_OPERATION, document.env(host, sheet)};
    std::vector<std::string> problems;
    int result = 0;

    void SetUp() override { page.view.open(); }
    void TearDown() override {
        EXPECT_TRUE(page.view.problems().empty()) << page.view.problems().front();
        EXPECT_TRUE(problems.empty()) << problems.front();
        EXPECT_FALSE(sheet.operation.open) << "the dialog is no longer marked open";
    }
};

// Every control of the dialog changed, then OK: the moment's block holds them
// all and nothing else of the record moved; the dialog shows them again.
TEST_F(OperationPageTest, OkStoresEveryControlIntoThatMomentOnly) {
    const SettingsBytes before = document.record;
    EXPECT_EQ(ui::idOk, edit(IDC_OP_START_PAGE, [](Dialog& d) {
                  EXPECT_EQ(u"Start Page Operation", d.caption());
                  EXPECT_FALSE(d.isEnabled(IDC_OPE_COMMAND));
                  EXPECT_FALSE(d.isEnabled(IDC_OPE_VOLUME)) << "no buzzer, no volume";
                  EXPECT_FALSE(d.isEnabled(IDC_OPE_ALIGN_LEFT)) << "no logo, no placement";
                  EXPECT_FALSE(d.isEnabled(IDC_OPE_HERALD));
                  EXPECT_EQ(13u, d.items(IDC_OPE_CASH_DRAWER).size());
                  EXPECT_EQ(u"Print Logo9", d.items(IDC_OPE_LOGO).back());
                  d.click(IDC_OPE_SEND_COMMAND);
                  d.type(IDC_OPE_COMMAND, u"1D 56 42 00");
                  d.click(IDC_OPE_HERALD_RADIO);
                  d.choose(IDC_OPE_HERALD, 1);
                  d.choose(IDC_OPE_BUZZER, 2);
                  d.type(IDC_OPE_VOLUME, u"300");
                  d.type(IDC_OPE_PAPER_FEED, u"150");
                  d.choose(IDC_OPE_PAPER_CUT, 2);
                  d.click(IDC_OPE_FEED_BEFORE_CUT);
                  d.choose(IDC_OPE_LOGO, 3);
                  d.click(IDC_OPE_ALIGN_RIGHT);
                  d.click(IDC_OPE_AFTER_CUT);
                  EXPECT_FALSE(d.isEnabled(IDC_OPE_CASH_DRAWER));
                  EXPECT_EQ(100, d.position(IDC_OPE_PAPER_FEED_SPIN));
                  d.click(ui::idOk);
              }));
    EXPECT_TRUE(page.view.changed());

    SettingsBytes expected = before;
    OperationSettings op = PluginSettings(expected).operation(Moment::StartOfPage);
    op.sendCommand = 1;
    op.command = {0x1D, 0x56, 0x42, 0x00};
    op.commandLength = 4;
    op.drawerOrHerald = 1;
    op.herald = 1;
    op.buzzer = 2;
    op.buzzerVolume = 255;
    op.paperFeed = 100;
    op.paperCut = 2;
    op.feedBeforeCut = 1;
    op.logo = 3;
    op.logoAlignment = 2;
    op.logoPosition = 1;
    PluginSettings(expected).setOperation(Moment::StartOfPage, op);
    EXPECT_EQ(expected, document.record);

    edit(IDC_OP_START_PAGE, [](Dialog& d) {
        EXPECT_EQ(u"1D 56 42 00 ", d.text(IDC_OPE_COMMAND));
        EXPECT_TRUE(d.isEnabled(IDC_OPE_COMMAND));
        EXPECT_EQ(u"255", d.text(IDC_OPE_VOLUME));
        EXPECT_EQ(u"100", d.text(IDC_OPE_PAPER_FEED));
        EXPECT_TRUE(d.isChecked(IDC_OPE_HERALD_RADIO));
        EXPECT_TRUE(d.isEnabled(IDC_OPE_HERALD) && !d.isEnabled(IDC_OPE_CASH_DRAWER));
        EXPECT_TRUE(d.isChecked(IDC_OPE_ALIGN_RIGHT) && d.isChecked(IDC_OPE_AFTER_CUT));
        EXPECT_EQ(u"Beep three", d.selectedText(IDC_OPE_BUZZER));
        d.click(ui::idCancel);
    });
}

// Cancel, whatever was changed, and a second dialog while one is open, leave
// the record byte for byte as it was.
TEST_F(OperationPageTest, CancelAndASecondDialogLeaveTheRecordAlone) {
    const SettingsBytes before = document.record;
    for (int button : buttons) {
        EXPECT_EQ(ui::idCancel, edit(button, [](Dialog& d) {
                      d.click(IDC_OPE_SEND_COMMAND);
                      d.type(IDC_OPE_COMMAND, u"01 02");
                      d.choose(IDC_OPE_LOGO, 9);
                      d.click(IDC_OPE_DEFAULT);
                      d.click(ui::idCancel);
                  }));
    }
    EXPECT_EQ(before, document.record);
    EXPECT_FALSE(page.view.changed());

    sheet.operation.open = true; // another sheet of this process has one open
    page.view.click(IDC_OP_END_PAGE);
    sheet.operation.open = false;
    EXPECT_EQ(4u, page.view.modalsOpened().size());
    ASSERT_EQ(1u, host.messageBoxes().size());
    EXPECT_EQ(u"Operation", host.messageBoxes()[0].caption);
    EXPECT_EQ(before, document.record);
}

// "Default" shows each moment's defaults without storing them; OK then stores
// exactly the default block, whatever the record held.
TEST_F(OperationPageTest, DefaultShowsTheMomentsDefaultsAndOkStoresThem) {
    SettingsBytes defaults{};
    writeDefaults(PluginSettings(defaults));
    OperationSettings odd;
    odd.sendCommand = 1;
    odd.command = {0xAA, 0xBB};
    odd.commandLength = 2;
    odd.cashDrawer = 5;
    odd.paperCut = 2;
    odd.paperFeed = 30;
    odd.buzzerVolume = 7;
    odd.herald = 1;
    odd.drawerOrHerald = 1;
    odd.buzzer = 3;
    odd.logo = 4;
    odd.logoAlignment = 1;
    odd.logoPosition = 1;
    struct Case {
        int button;
        Moment moment;
        const char16_t* drawer;
        const char16_t* cut;
        bool feedBeforeCut;
    };
    for (const Case& c :
         {Case{IDC_OP_START_DOCUMENT, Moment::StartOfDocument, u"Cash Drawer #1+#2 Waiting 60ms",
               u"No Cut", false},
          Case{IDC_OP_START_PAGE, Moment::StartOfPage, u"No Cash Drawer", u"No Cut", false},
          Case{IDC_OP_END_PAGE, Moment::EndOfPage, u"No Cash Drawer", u"No Cut", false},
          Case{IDC_OP_END_DOCUMENT, Moment::EndOfDocument, u"No Cash Drawer", u"Partial Cut",
               true}}) {
        PluginSettings(document.record).setOperation(c.moment, odd);
        const SettingsBytes before = document.record;
        edit(c.button, [&](Dialog& d) {
            d.click(IDC_OPE_DEFAULT);
            EXPECT_FALSE(d.closed()) << "Default keeps the dialog open";
            EXPECT_EQ(c.drawer, d.selectedText(IDC_OPE_CASH_DRAWER));
            EXPECT_EQ(c.cut, d.selectedText(IDC_OPE_PAPER_CUT));
            EXPECT_EQ(c.feedBeforeCut, d.isChecked(IDC_OPE_FEED_BEFORE_CUT));
            EXPECT_TRUE(!d.isChecked(IDC_OPE_SEND_COMMAND) && d.text(IDC_OPE_COMMAND).empty() &&
                        !d.isEnabled(IDC_OPE_COMMAND));
            EXPECT_TRUE(d.isChecked(IDC_OPE_OPEN_DRAWER) && d.isEnabled(IDC_OPE_CASH_DRAWER) &&
                        !d.isEnabled(IDC_OPE_HERALD));
            EXPECT_TRUE(d.isChecked(IDC_OPE_ALIGN_LEFT) && d.isChecked(IDC_OPE_BEFORE_CUT) &&
                        !d.isEnabled(IDC_OPE_ALIGN_LEFT) && !d.isEnabled(IDC_OPE_VOLUME));
            EXPECT_EQ(u"0", d.text(IDC_OPE_PAPER_FEED));
            EXPECT_EQ(before, document.record) << "nothing is stored before OK";
            d.click(ui::idOk);
        });
        const auto& block = operationLayout(c.moment);
        for (std::size_t at = block.sendCommand; at <= block.logoPosition; ++at) {
            ASSERT_EQ(defaults[at], document.record[at]) << "byte " << at;
        }
    }
}

// The command holds 128 bytes: one more is refused and nothing is stored. A
// record from elsewhere that claims more is shown, and stored, as 128; a
// choice its lists lack is shown as none and kept.
TEST_F(OperationPageTest, CommandsAreHeldTo128Bytes) {
    struct Case {
        std::u16string text;
        bool accepted;
    };
    for (const Case& c : {Case{repeated(u"7F ", 128), true}, Case{repeated(u"7F ", 129), false},
                          Case{repeated(u"7f", 129), false}}) {
        const SettingsBytes before = document.record;
        const std::size_t boxes = host.messageBoxes().size();
        edit(IDC_OP_END_DOCUMENT, [&](Dialog& d) {
            if (!d.isChecked(IDC_OPE_SEND_COMMAND)) {
                d.click(IDC_OPE_SEND_COMMAND);
            }
            d.type(IDC_OPE_COMMAND, c.text);
            d.click(ui::idOk);
            EXPECT_EQ(c.accepted, d.closed());
            if (!d.closed()) {
                d.click(ui::idCancel);
            }
        });
        const OperationSettings op =
            PluginSettings(document.record).operation(Moment::EndOfDocument);
        if (c.accepted) {
            EXPECT_EQ(128, op.commandLength);
            EXPECT_EQ(0x7F, op.command[127]);
        } else {
            EXPECT_EQ(before, document.record);
            ASSERT_EQ(boxes + 1, host.messageBoxes().size());
            EXPECT_EQ(u"Command length error", host.messageBoxes().back().text);
            EXPECT_EQ(u"Error", host.messageBoxes().back().caption);
            EXPECT_EQ(platform::mb::ok, host.messageBoxes().back().type);
        }
    }

    OperationSettings foreign = PluginSettings(document.record).operation(Moment::StartOfPage);
    foreign.command.fill(0x11);
    foreign.commandLength = 200;
    foreign.cashDrawer = 99;
    PluginSettings(document.record).setOperation(Moment::StartOfPage, foreign);
    edit(IDC_OP_START_PAGE, [](Dialog& d) {
        EXPECT_EQ(repeated(u"11 ", 128), d.text(IDC_OPE_COMMAND));
        EXPECT_EQ(-1, d.selection(IDC_OPE_CASH_DRAWER)) << "a choice the list lacks";
        d.click(ui::idOk);
    });
    const OperationSettings kept = PluginSettings(document.record).operation(Moment::StartOfPage);
    EXPECT_EQ(128, kept.commandLength);
    EXPECT_EQ(99, kept.cashDrawer) << "a choice nobody made is not changed";
}

// The command edit takes hexadecimal digits, blanks, '.', '-' and backspace;
// with Ctrl held anything (a paste) gets in and reads as 0; Tab moves on.
TEST_F(OperationPageTest, TheCommandEditFiltersWhatIsTyped) {
    edit(IDC_OP_START_DOCUMENT, [](Dialog& d) {
        EXPECT_TRUE(d.control(IDC_OPE_COMMAND).filtered && d.control(IDC_OPE_COMMAND).allKeys);
        d.click(IDC_OPE_SEND_COMMAND);
        d.focus(IDC_OPE_COMMAND);
        d.typeCharacters(IDC_OPE_COMMAND, u"1dg 5z-.\b");
        EXPECT_EQ(u"1d 5-", d.text(IDC_OPE_COMMAND));
        d.holdKey(pages::vkControl, true);
        d.typeCharacters(IDC_OPE_COMMAND, u"zz");
        d.holdKey(pages::vkControl, false);
        EXPECT_EQ(u"1d 5-zz", d.text(IDC_OPE_COMMAND));
        d.holdKey(pages::vkTab, true);
        d.typeCharacters(IDC_OPE_COMMAND, u"\t");
        d.holdKey(pages::vkTab, false);
        EXPECT_EQ(u"1d 5-zz", d.text(IDC_OPE_COMMAND));
        EXPECT_EQ(IDC_OPE_OPEN_DRAWER, d.focused()) << "Tab moves on";
        d.click(ui::idOk);
    });
    const OperationSettings op = PluginSettings(document.record).operation(Moment::StartOfDocument);
    // "1d", "5-" (the '-' reads as 0), "zz"
    EXPECT_EQ(3, op.commandLength);
    EXPECT_EQ((std::array<std::uint8_t, 3>{0x1D, 0x50, 0x00}),
              (std::array<std::uint8_t, 3>{op.command[0], op.command[1], op.command[2]}));
}

} // namespace
} // namespace oemui::test

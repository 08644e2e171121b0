// The control-font character translation table: 57KXCONTROL.dat read into
// dialog 115, edited through dialog 116, deleted and written back; a write
// that fails at any point leaves the old file as it was.
#include "oemui/control_font_table.h"
#include "oemui/resource.h"
#include "page_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace oemui::test {
namespace {

using platform::sim::SimPluginHost;

const std::u16string tablePath = u"C:\\Windows\\system32\\spool\\drivers\\x64\\3\\57KXCONTROL.dat";

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

int rowOf(char16_t character) {
    return character - firstTableCharacter;
}

class ControlTableTest : public ::testing::Test {
protected:
    // Opens the table from the Utility page and lets `script` act in it.
    void inTable(const std::function<void(Dialog&)>& script) {
        page.view.onModal(IDD_CONTROL_TABLE, [&](Dialog& d) {
            script(d);
            if (!d.closed()) {
                d.click(ui::idCancel);
            }
        });
        page.view.click(IDC_UT_CONTROL_FONT);
    }
    // The entry dialog's answer to the next Edit.
    void entryWill(const std::function<void(Dialog&)>& script) {
        page.view.onModal(IDD_CONTROL_ENTRY, script);
    }
    void editRow(Dialog& table, char16_t character, const std::u16string& command) {
        table.choose(IDC_CT_LIST, rowOf(character));
        entryWill([&](Dialog& d) {
            d.type(IDC_CE_COMMAND, command);
            d.click(ui::idOk);
            if (!d.closed()) {
                d.click(ui::idCancel);
            }
        });
        table.click(IDC_CT_EDIT);
    }
    std::u16string stored(const std::u16string& key) {
        return host.GetPrivateProfileStringW(tableSection, key, u"", 1024, tablePath);
    }
    std::size_t boxes() const { return host.messageBoxes().size(); }

    SimPluginHost host;
    pages::SheetState sheet;
    DeviceSheet device{host.addPrinter(u"QRT-K500NX(U) 1")};
    SheetPage page{IDD_UTILITY, device.env(host, sheet)};

    void SetUp() override { page.view.open(); }
    void TearDown() override {
        EXPECT_TRUE(page.view.problems().empty()) << page.view.problems().front();
        EXPECT_FALSE(host.hasFile(tablePath + u".new")) << "nothing is left beside the table";
        EXPECT_FALSE(sheet.controlFont.open);
    }
};

TEST_F(ControlTableTest, TheFileIsShownEditedDeletedAndWrittenBack) {
    host.putFile(tablePath,
                 bytesOf("[Character Translation Table]\r\n41=1B 21 08\r\n42=01\r\n7E=1b 2\r\n"));
    inTable([&](Dialog& d) {
        EXPECT_EQ(u"QRT-K500NX Printer Driver", d.text(IDC_CT_DRIVER_NAME));
        EXPECT_TRUE(d.control(IDC_CT_DRIVER_NAME).readOnly);
        ASSERT_EQ(96, d.itemCount(IDC_CT_LIST));
        EXPECT_EQ((std::vector<std::pair<std::u16string, int>>{
                      {u"Char", 50}, {u"Hex", 50}, {u"Command", 450}}),
                  d.control(IDC_CT_LIST).columns);
        EXPECT_EQ((std::vector<std::u16string>{u" ", u"20", u""}),
                  d.control(IDC_CT_LIST).rows[0].cells);
        EXPECT_EQ((std::vector<std::u16string>{u"A", u"41", u"1B 21 08 "}),
                  d.control(IDC_CT_LIST).rows[rowOf(u'A')].cells);
        EXPECT_EQ(u"1B 02 ", d.cell(IDC_CT_LIST, rowOf(u'~'), 2)) << "shown as it will be kept";

        d.choose(IDC_CT_LIST, rowOf(u'A'));
        entryWill([](Dialog& e) {
            EXPECT_EQ(u"A", e.text(IDC_CE_CHAR));
            EXPECT_EQ(u"41", e.text(IDC_CE_HEX));
            EXPECT_TRUE(e.control(IDC_CE_CHAR).readOnly && e.control(IDC_CE_HEX).readOnly);
            EXPECT_EQ(u"1B 21 08 ", e.text(IDC_CE_COMMAND));
            EXPECT_TRUE(e.control(IDC_CE_COMMAND).filtered);
            e.type(IDC_CE_COMMAND, u"1B 21 09");
            e.click(ui::idOk);
        });
        d.click(IDC_CT_EDIT);
        EXPECT_EQ(u"1B 21 09 ", d.cell(IDC_CT_LIST, rowOf(u'A'), 2));
        EXPECT_EQ(IDC_CT_LIST, d.focused());

        d.choose(IDC_CT_LIST, rowOf(u'B'));
        d.click(IDC_CT_DELETE);
        EXPECT_EQ(u"", d.cell(IDC_CT_LIST, rowOf(u'B'), 2));

        entryWill([](Dialog& e) {
            e.type(IDC_CE_COMMAND, u"00");
            e.click(ui::idCancel);
        });
        d.click(IDC_CT_EDIT);
        EXPECT_EQ(u"", d.cell(IDC_CT_LIST, rowOf(u'B'), 2)) << "Cancel leaves the row";
        editRow(d, u' ', u"7f");
        d.click(ui::idOk);
        EXPECT_TRUE(d.closed());
    });
    EXPECT_EQ(bytesOf("[Character Translation Table]\r\n20=7F \r\n41=1B 21 09 \r\n7E=1B 02 \r\n"),
              host.fileBytes(tablePath));
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST_F(ControlTableTest, CancelLeavesTheFileAndEmptyingItRemovesIt) {
    const auto original = bytesOf("[Character Translation Table]\r\n41=1B\r\n");
    host.putFile(tablePath, original);
    inTable([&](Dialog& d) {
        editRow(d, u'A', u"00");
        d.click(ui::idCancel);
    });
    EXPECT_EQ(original, host.fileBytes(tablePath));

    inTable([&](Dialog& d) {
        d.choose(IDC_CT_LIST, rowOf(u'A'));
        d.click(IDC_CT_DELETE);
        d.click(ui::idOk);
        EXPECT_TRUE(d.closed());
    });
    EXPECT_FALSE(host.hasFile(tablePath));
    inTable([&](Dialog& d) {
        d.click(ui::idOk);
        EXPECT_TRUE(d.closed()) << "no table, nothing to remove";
    });
}

// A write refused half-way, or a table that cannot take the old one's place,
// leaves the old file whole; the dialog stays open and OK can be tried again.
TEST_F(ControlTableTest, AFailedWriteKeepsTheOldTable) {
    const auto original = bytesOf("[Character Translation Table]\r\n41=1B\r\n42=1C\r\n");
    host.putFile(tablePath, original);
    for (const char* call : {"WritePrivateProfileStringW", "MoveFileExW"}) {
        const unsigned after = std::string(call) == "MoveFileExW" ? 0 : 1;
        inTable([&](Dialog& d) {
            editRow(d, u'C', u"1D");
            host.faults().failCall(call, platform::err::accessDenied, 1, after);
            const std::size_t before = boxes();
            d.click(ui::idOk);
            EXPECT_FALSE(d.closed());
            EXPECT_EQ(original, host.fileBytes(tablePath)) << call;
            EXPECT_FALSE(host.hasFile(tablePath + u".new"));
            ASSERT_EQ(before + 1, boxes());
            EXPECT_EQ(u"Please check if user has administrator privileges!",
                      host.messageBoxes().back().text);
            EXPECT_EQ(u"Error", host.messageBoxes().back().caption);
            EXPECT_EQ(platform::mb::iconError, host.messageBoxes().back().type);
            d.click(ui::idOk);
            EXPECT_TRUE(d.closed()) << "the next OK goes through";
        });
        EXPECT_EQ(u"1D", stored(u"43"));
        host.putFile(tablePath, original);
    }
}

// A stored command longer than 128 bytes is neither cut nor lost: the user is
// told, the row keeps it, Edit refuses it, and OK writes it back as it was.
TEST_F(ControlTableTest, AnOverlongStoredCommandIsRefusedVisiblyAndKept) {
    std::string longValue;
    for (int i = 0; i < 129; ++i) {
        longValue += "01 ";
    }
    longValue.pop_back();
    host.putFile(tablePath, bytesOf("[Character Translation Table]\r\n41=" + longValue + "\r\n"));
    inTable([&](Dialog& d) {
        ASSERT_EQ(1u, boxes());
        EXPECT_NE(std::u16string::npos, host.messageBoxes()[0].text.find(u"A (41)"));
        EXPECT_EQ(platform::mb::iconWarning, host.messageBoxes()[0].type);
        EXPECT_EQ(std::u16string(longValue.begin(), longValue.end()),
                  d.cell(IDC_CT_LIST, rowOf(u'A'), 2));
        d.choose(IDC_CT_LIST, rowOf(u'A'));
        d.click(IDC_CT_EDIT);
        ASSERT_EQ(2u, boxes());
        EXPECT_EQ(u"Command length error", host.messageBoxes()[1].text);
        editRow(d, u'B', std::u16string(129 * 2, u'7'));
        EXPECT_EQ(3u, boxes()) << "the entry dialog refuses 129 bytes too";
        d.click(ui::idOk);
    });
    EXPECT_EQ(std::u16string(longValue.begin(), longValue.end()), stored(u"41"));
    EXPECT_EQ(u"", stored(u"42"));
}

TEST_F(ControlTableTest, OnlyOneTableDialogAtATime) {
    sheet.controlFont.open = true;
    page.view.click(IDC_UT_CONTROL_FONT);
    sheet.controlFont.open = false;
    EXPECT_TRUE(page.view.modalsOpened().empty());
    ASSERT_EQ(1u, boxes());
    EXPECT_EQ(u"Control Font", host.messageBoxes()[0].caption);
}

} // namespace
} // namespace oemui::test

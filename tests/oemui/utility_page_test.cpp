// The Utility page on the simulated spooler: the user-defined paper sizes as
// the user sees them (list, name, sizes, buttons) and as the spooler keeps
// them, the self-test job's bytes, and what the user is told when the spooler
// refuses.
#include "oemui/resource.h"
#include "page_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace oemui::test {
namespace {

using platform::FormInfo1W;
using platform::sim::SimPluginHost;

FormInfo1W custom(const std::u16string& name, std::int32_t width, std::int32_t height) {
    return {0, name, width, height, 0, 0, width, height};
}

// What the user sees of the paper sizes.
struct Seen {
    std::vector<std::u16string> list;
    std::u16string selected, name, width, height;
    bool deleteEnabled = false;
    bool operator==(const Seen& o) const {
        return list == o.list && selected == o.selected && name == o.name && width == o.width &&
               height == o.height && deleteEnabled == o.deleteEnabled;
    }
};

Seen seen(const Dialog& d) {
    return {d.items(IDC_UT_FORM_LIST), d.selectedText(IDC_UT_FORM_LIST),
            d.text(IDC_UT_FORM_NAME),  d.text(IDC_UT_WIDTH),
            d.text(IDC_UT_HEIGHT),     d.isEnabled(IDC_UT_DELETE_PAPER)};
}

void PrintTo(const Seen& s, std::ostream* out) {
    const auto ascii = [](const std::u16string& t) { return std::string(t.begin(), t.end()); };
    *out << "{";
    for (const auto& entry : s.list) {
        *out << "\"" << ascii(entry) << "\" ";
    }
    *out << "} selected \"" << ascii(s.selected) << "\" name \"" << ascii(s.name) << "\" "
         << ascii(s.width) << " x " << ascii(s.height) << (s.deleteEnabled ? " delete" : "");
}

class UtilityPageTest : public ::testing::Test {
protected:
    SimPluginHost host;
    platform::Handle printer = host.addPrinter(u"QRT-K500NX(U) 1");
    pages::SheetState sheet;
    DeviceSheet device{printer};

    std::unique_ptr<SheetPage> open() {
        auto page = std::make_unique<SheetPage>(IDD_UTILITY, device.env(host, sheet));
        page->view.open();
        return page;
    }
    const FormInfo1W* form(const std::u16string& name) {
        const auto& forms = host.forms();
        const auto it = std::find_if(forms.begin(), forms.end(),
                                     [&](const FormInfo1W& f) { return f.name == name; });
        return it == forms.end() ? nullptr : &*it;
    }
};

TEST_F(UtilityPageTest, OpeningAddsTheDefaultFormOnceAndListsTheCustomOnes) {
    host.forms().push_back(custom(u"Custom Paper-58", 58000, 100000));
    host.forms().push_back(custom(u"Receipt", 80000, 200000));
    auto page = open();
    const Dialog& d = page->view;
    ASSERT_NE(nullptr, form(u"Custom Paper-K500NX"));
    EXPECT_EQ(80000, form(u"Custom Paper-K500NX")->width);
    EXPECT_EQ(297000, form(u"Custom Paper-K500NX")->bottom);
    EXPECT_EQ((Seen{{u"Custom Paper-K500NX", u"Custom Paper-58"},
                    u"Custom Paper-K500NX",
                    u"K500NX",
                    u"800",
                    u"2970",
                    false}),
              seen(d));
    EXPECT_EQ(18, d.control(IDC_UT_FORM_NAME).textLimit);
    EXPECT_EQ(std::make_pair(254, 32760), std::make_pair(d.control(IDC_UT_HEIGHT_SPIN).minimum,
                                                         d.control(IDC_UT_HEIGHT_SPIN).maximum));
    EXPECT_EQ(u"[ 254 - 32760 (0.1mm) ]", d.text(IDC_UT_HEIGHT_RANGE));
    EXPECT_TRUE(d.isVisible(IDC_UT_CONTROL_FONT)) << "the way to the control-font table";

    page->view.choose(IDC_UT_FORM_LIST, 1);
    EXPECT_EQ((Seen{{u"Custom Paper-K500NX", u"Custom Paper-58"},
                    u"Custom Paper-58",
                    u"58",
                    u"580",
                    u"1000",
                    true}),
              seen(d));
    page->view.type(IDC_UT_FORM_NAME, u"K500NX");
    EXPECT_TRUE(d.isEnabled(IDC_UT_DELETE_PAPER)) << "it is the selection that counts";
    EXPECT_TRUE(d.problems().empty());

    const std::size_t count = host.forms().size();
    open();
    EXPECT_EQ(count, host.forms().size()) << "a second opening adds nothing";
}

TEST_F(UtilityPageTest, WithoutFormsThePageStaysEmpty) {
    host.faults().failCall("EnumFormsW", platform::err::accessDenied);
    auto page = open();
    EXPECT_TRUE(page->view.items(IDC_UT_FORM_LIST).empty());
    EXPECT_EQ(0, page->view.control(IDC_UT_FORM_NAME).textLimit);
    EXPECT_EQ(nullptr, form(u"Custom Paper-K500NX"));
    EXPECT_TRUE(host.messageBoxes().empty());
}

// Save holds the sizes to their ranges and shows what it kept; a new name adds
// a form and selects it, a known one changes that form.
TEST_F(UtilityPageTest, SaveAddsOrChangesAFormWithinTheRanges) {
    auto page = open();
    Dialog& d = page->view;
    d.type(IDC_UT_FORM_NAME, u"A4X");
    d.type(IDC_UT_WIDTH, u"300");
    d.type(IDC_UT_HEIGHT, u"40000");
    d.click(IDC_UT_SAVE_PAPER);
    EXPECT_EQ((Seen{{u"Custom Paper-K500NX", u"Custom Paper-A4X"},
                    u"Custom Paper-A4X",
                    u"A4X",
                    u"410",
                    u"32760",
                    true}),
              seen(d));
    ASSERT_NE(nullptr, form(u"Custom Paper-A4X"));
    EXPECT_EQ((std::vector<std::int32_t>{41000, 3276000, 0, 0, 41000, 3276000}),
              (std::vector<std::int32_t>{
                  form(u"Custom Paper-A4X")->width, form(u"Custom Paper-A4X")->height,
                  form(u"Custom Paper-A4X")->left, form(u"Custom Paper-A4X")->top,
                  form(u"Custom Paper-A4X")->right, form(u"Custom Paper-A4X")->bottom}));

    d.type(IDC_UT_WIDTH, u"900");
    d.type(IDC_UT_HEIGHT, u"1000");
    d.click(IDC_UT_SAVE_PAPER);
    EXPECT_EQ(u"800", d.text(IDC_UT_WIDTH));
    EXPECT_EQ(80000, form(u"Custom Paper-A4X")->width);
    EXPECT_EQ(100000, form(u"Custom Paper-A4X")->height);
    EXPECT_EQ(2u, d.items(IDC_UT_FORM_LIST).size()) << "a change adds no entry";
    EXPECT_TRUE(host.messageBoxes().empty());
    EXPECT_TRUE(d.problems().empty());
}

// Deleting selects the entry now at that place, or the one before when the
// last went; a refusal of the spooler keeps the entry and says why.
TEST_F(UtilityPageTest, DeleteKeepsTheListTrueToTheSpooler) {
    host.forms().push_back(custom(u"Custom Paper-A", 58000, 100000));
    host.forms().push_back(custom(u"Custom Paper-B", 60000, 120000));
    auto page = open();
    Dialog& d = page->view;
    d.choose(IDC_UT_FORM_LIST, 2);

    host.faults().failCall("DeleteFormW", platform::err::accessDenied);
    d.click(IDC_UT_DELETE_PAPER);
    ASSERT_NE(nullptr, form(u"Custom Paper-B"));
    EXPECT_EQ(3u, d.items(IDC_UT_FORM_LIST).size());
    ASSERT_EQ(1u, host.messageBoxes().size());
    EXPECT_EQ(u"Delete custom paper size failed!\n\nAccess is denied.",
              host.messageBoxes()[0].text);
    EXPECT_EQ(u"Custom Paper Size", host.messageBoxes()[0].caption);
    EXPECT_EQ(platform::mb::iconError, host.messageBoxes()[0].type);

    d.click(IDC_UT_DELETE_PAPER);
    EXPECT_EQ(nullptr, form(u"Custom Paper-B"));
    EXPECT_EQ((Seen{{u"Custom Paper-K500NX", u"Custom Paper-A"},
                    u"Custom Paper-A",
                    u"A",
                    u"580",
                    u"1000",
                    true}),
              seen(d));
    d.click(IDC_UT_DELETE_PAPER);
    EXPECT_EQ(
        (Seen{{u"Custom Paper-K500NX"}, u"Custom Paper-K500NX", u"K500NX", u"800", u"2970", false}),
        seen(d));
    EXPECT_TRUE(d.problems().empty());
}

TEST_F(UtilityPageTest, RefusedSavesKeepTheListAndSaySo) {
    auto page = open();
    Dialog& d = page->view;
    d.type(IDC_UT_FORM_NAME, u"New");
    host.faults().failCall("AddFormW", platform::err::accessDenied);
    d.click(IDC_UT_SAVE_PAPER);
    d.type(IDC_UT_FORM_NAME, u"K500NX");
    host.faults().failCall("SetFormW", platform::err::accessDenied);
    d.click(IDC_UT_SAVE_PAPER);
    EXPECT_EQ(1u, d.items(IDC_UT_FORM_LIST).size());
    ASSERT_EQ(2u, host.messageBoxes().size());
    EXPECT_EQ(u"Set Custom Paper failed!", host.messageBoxes()[0].text);
    EXPECT_EQ(u"Set custom paper size failed!", host.messageBoxes()[1].text);
    EXPECT_EQ(80000, form(u"Custom Paper-K500NX")->width);
}

TEST_F(UtilityPageTest, SelfTestIsOneJobOfFifteenBytes) {
    auto page = open();
    page->view.click(IDC_UT_SELF_TEST);
    ASSERT_EQ(1u, host.jobs().size());
    const auto& job = host.jobs()[0];
    EXPECT_EQ(u"SELFTEST", job.doc.docName);
    EXPECT_EQ(u"RAW", job.doc.datatype);
    EXPECT_EQ((std::vector<std::vector<std::uint8_t>>{{0x1B, 0x63, 0x3B, 0x01},
                                                      {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02},
                                                      {0x1B, 0x63, 0x3B, 0x00}}),
              job.pieces);
    EXPECT_TRUE(job.ended);
    EXPECT_TRUE(host.messageBoxes().empty()) << "nothing to say when it went out";
}

// A self-test that could not be started or written says so, with the reason.
TEST_F(UtilityPageTest, AFailedSelfTestTellsTheUser) {
    auto page = open();
    for (const char* call : {"StartDocPrinterW", "StartPagePrinter", "WritePrinter"}) {
        host.faults().failCall(call, platform::err::accessDenied);
        page->view.click(IDC_UT_SELF_TEST);
    }
    host.setWriteLimit(2);
    page->view.click(IDC_UT_SELF_TEST);
    ASSERT_EQ(4u, host.messageBoxes().size());
    for (const auto& box : host.messageBoxes()) {
        EXPECT_EQ(u"SelfTest", box.caption);
        EXPECT_EQ(platform::mb::iconError, box.type);
        EXPECT_EQ(0u, box.text.find(u"The self-test page could not be printed."));
    }
    EXPECT_NE(std::u16string::npos, host.messageBoxes()[2].text.find(u"\n\nAccess is denied."));
    for (const auto& job : host.jobs()) {
        EXPECT_TRUE(job.ended) << "every job that started is ended";
    }
}

} // namespace
} // namespace oemui::test

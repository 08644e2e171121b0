// The "1D Code" and "2D Code" pages over their real templates: what each shows
// for a font, what typing, spinning and choosing store in the record, and what a
// test print sends or says. Each state is read as one line of labelled controls.
#include "oemui/dialog_templates.h"
#include "oemui/pages/page_factory.h"
#include "oemui/plugin_settings.h"
#include "oemui/resource.h"
#include "platform/sim/sim_plugin_host.h"
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace oemui::pages {
namespace {

using Page = ui::FakeDialog<std::u16string>;
using Labels = std::vector<std::pair<const char*, int>>;

std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// "label=value" per control: an edit's text, a combo's row as #n, a radio as
// (x) or ( ), an up-down's position/minimum..maximum; "-" after a disabled one.
std::string state(const Page& page, const Labels& labels) {
    std::string line;
    for (const auto& [label, id] : labels) {
        const auto& c = page.control(id);
        std::string value;
        switch (c.source.kind) {
        case ui::ControlKind::ComboBox:
            value = "#" + std::to_string(c.selectedRow);
            break;
        case ui::ControlKind::RadioButton:
            value = c.checked ? "(x)" : "( )";
            break;
        case ui::ControlKind::UpDown:
            value = std::to_string(c.position) + "/" + std::to_string(c.minimum) + ".." +
                    std::to_string(c.maximum);
            break;
        case ui::ControlKind::PushButton:
            value = "[]";
            break;
        default:
            value = narrow(c.text);
        }
        line +=
            (line.empty() ? "" : " ") + std::string(label) + "=" + value + (c.enabled ? "" : "-");
    }
    return line;
}

const Labels page1D = {
    {"font", IDC_1D_FONT_NAME},
    {"type", IDC_1D_TYPE},
    {"mm", IDC_1D_SIZE_MM},
    {"pt", IDC_1D_SIZE_POINT},
    {"width", IDC_1D_MODULE_WIDTH},
    {"", IDC_1D_MODULE_WIDTH_SPIN},
    {"height", IDC_1D_BAR_HEIGHT},
    {"", IDC_1D_BAR_HEIGHT_SPIN},
    {"hri", IDC_1D_HRI_POSITION},
    {"A", IDC_1D_FONT_A},
    {"B", IDC_1D_FONT_B},
    {"gs1width", IDC_1D_GS1_MODULE_WIDTH},
    {"", IDC_1D_GS1_MODULE_WIDTH_SPIN},
    {"row", IDC_1D_GS1_ROW_HEIGHT},
    {"", IDC_1D_GS1_ROW_HEIGHT_SPIN},
    {"row2d", IDC_1D_GS1_ROW_2D_HEIGHT},
    {"", IDC_1D_GS1_ROW_2D_HEIGHT_SPIN},
    {"sep", IDC_1D_GS1_SEPARATOR},
    {"", IDC_1D_GS1_SEPARATOR_SPIN},
    {"gs1hri", IDC_1D_GS1_HRI},
    {"indep", IDC_1D_INDEPENDENCE},
    {"comp", IDC_1D_COMPOSITE},
    {"ai", IDC_1D_GS1_APPLY_AI},
    {"data", IDC_1D_DATA},
    {"print", IDC_1D_PRINT},
};

const Labels page2D = {
    {"font", IDC_2D_FONT_NAME},
    {"size", IDC_2D_FONT_SIZE},
    {"type", IDC_2D_TYPE},
    {"pdfwidth", IDC_2D_PDF_MODULE_WIDTH},
    {"", IDC_2D_PDF_MODULE_WIDTH_SPIN},
    {"cols", IDC_2D_PDF_COLUMNS},
    {"", IDC_2D_PDF_COLUMNS_SPIN},
    {"pdfheight", IDC_2D_PDF_ROW_HEIGHT},
    {"", IDC_2D_PDF_ROW_HEIGHT_SPIN},
    {"rows", IDC_2D_PDF_ROWS},
    {"", IDC_2D_PDF_ROWS_SPIN},
    {"level", IDC_2D_PDF_ERROR},
    {"qrwidth", IDC_2D_QR_MODULE_WIDTH},
    {"", IDC_2D_QR_MODULE_WIDTH_SPIN},
    {"lang", IDC_2D_QR_LANGUAGE},
    {"model", IDC_2D_QR_MODEL},
    {"qrlevel", IDC_2D_QR_ERROR},
    {"gs1width", IDC_2D_GS1_MODULE_WIDTH},
    {"row", IDC_2D_GS1_ROW_HEIGHT},
    {"row2d", IDC_2D_GS1_ROW_2D_HEIGHT},
    {"", IDC_2D_GS1_ROW_2D_HEIGHT_SPIN},
    {"sep", IDC_2D_GS1_SEPARATOR},
    {"gs1hri", IDC_2D_GS1_HRI},
    {"segments", IDC_2D_GS1_SEGMENTS},
    {"", IDC_2D_GS1_SEGMENTS_SPIN},
    {"range", IDC_2D_RANGE_GS1_SEGMENTS},
    {"indep", IDC_2D_INDEPENDENCE},
    {"comp", IDC_2D_COMPOSITE},
    {"ai", IDC_2D_GS1_APPLY_AI},
    {"data", IDC_2D_DATA},
};

class BarcodePages : public ::testing::Test {
protected:
    platform::sim::SimPluginHost host;
    platform::Handle printer = host.addPrinter(u"QRT-K500NX(U) 1");
    SettingsBytes record{};
    OEMUIPSPARAM psParam{};
    OEMCUIPPARAM cuipParam{};
    DocumentPageContext context;
    SheetState sheet;
    std::unique_ptr<PageController> controller;
    std::unique_ptr<Page> page;

    void SetUp() override {
        writeDefaults(PluginSettings(record));
        psParam.pOEMDM = record.data();
        cuipParam.hPrinter = reinterpret_cast<void*>(static_cast<std::uintptr_t>(printer));
        context.psParam = &psParam;
        context.cuipParam = &cuipParam;
    }
    void TearDown() override { close(); }
    void close() {
        if (page) {
            EXPECT_TRUE(page->problems().empty()) << page->problems().front();
        }
        page.reset();
        controller.reset();
    }

    Page& open(int templateId) {
        close();
        controller = makePageController(templateId, {host, sheet, &context});
        page = std::make_unique<Page>(dialogTemplates(), templateId, *controller);
        page->open();
        return *page;
    }
    Barcode1DSettings block1D(std::size_t font) { return PluginSettings(record).barcode1D(font); }
    Barcode2DSettings block2D(std::size_t font) { return PluginSettings(record).barcode2D(font); }
    // The bytes of the jobs sent so far, with their names.
    std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>> jobs() const {
        std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>> sent;
        for (const auto& job : host.jobs()) {
            sent.emplace_back(job.doc.docName, job.bytes());
        }
        return sent;
    }
    std::vector<std::u16string> messages() const {
        std::vector<std::u16string> shown;
        for (const auto& box : host.messageBoxes()) {
            EXPECT_EQ(u"Error", box.caption);
            EXPECT_EQ(platform::mb::ok, box.type);
            shown.push_back(box.text);
        }
        return shown;
    }
};

using Bytes = std::vector<std::uint8_t>;
const Bytes feedAndCut = {0x0A, 0x1D, 0x56, 0x42, 0x00};

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST_F(BarcodePages, OneDOpensOnTheFirstFontAndSwitchesFonts) {
    Page& p = open(IDD_CODE_1D);
    EXPECT_EQ(std::vector<std::u16string>({u"1D Code1", u"1D Code2", u"1D Code3", u"1D Code4",
                                           u"1D Code5", u"1D Code6", u"1D Code7", u"1D Code8"}),
              p.items(IDC_1D_FONT_NAME));
    EXPECT_EQ(13, p.control(IDC_1D_TYPE).rows.size());
    EXPECT_EQ(u"GS1 DataBar Expanded", p.items(IDC_1D_TYPE).back());
    EXPECT_EQ(u"Both above and below the barcode", p.items(IDC_1D_HRI_POSITION).back());
    EXPECT_EQ(std::vector<std::u16string>(
                  {u"Primary and Secondary Data", u"Primary Data", u"Secondary Data", u"None"}),
              p.items(IDC_1D_GS1_HRI));
    EXPECT_EQ(std::vector<std::u16string>({u"No", u"Yes"}), p.items(IDC_1D_GS1_APPLY_AI));
    // The default block holds bar height 163 and fontSize 163.
    EXPECT_EQ("font=#0 type=#0 mm= 23.0- pt= 65.0- width=3 =3/2..6 height=163 =163/1..255 hri=#0 "
              "A=(x)- B=( )- gs1width=2 =2/1..6 row=100 =100/2..250 row2d=2- =2/1..10- sep=1 "
              "=1/1..10 gs1hri=#0 indep=(x) comp=( ) ai=#1- data=123456789012 print=[]",
              state(p, page1D));
    EXPECT_TRUE(p.control(IDC_1D_SIZE_MM).readOnly && p.control(IDC_1D_SIZE_POINT).readOnly);
    // Text limits fit each range's largest value (two digits for the tens).
    EXPECT_EQ((std::vector<int>{1, 3, 1, 3, 2, 2}),
              (std::vector<int>{p.control(IDC_1D_MODULE_WIDTH).textLimit,
                                p.control(IDC_1D_BAR_HEIGHT).textLimit,
                                p.control(IDC_1D_GS1_MODULE_WIDTH).textLimit,
                                p.control(IDC_1D_GS1_ROW_HEIGHT).textLimit,
                                p.control(IDC_1D_GS1_ROW_2D_HEIGHT).textLimit,
                                p.control(IDC_1D_GS1_SEPARATOR).textLimit}));

    Barcode1DSettings b = block1D(7);
    b.symbology = 12;
    b.moduleWidth = 5;
    b.barHeight = 40;
    b.hriPosition = 3;
    b.hriFont = 1;
    b.fontSize = 74;
    b.gs1Hri = 4;
    b.gs1ApplyAi = 0;
    PluginSettings(record).setBarcode1D(7, b);
    p.click(IDC_1D_COMPOSITE);
    ASSERT_TRUE(p.choose(IDC_1D_FONT_NAME, 7));
    EXPECT_EQ("font=#7 type=#12 mm= 10.4- pt= 29.5- width=5 =5/2..6 height=40 =40/1..255 hri=#3 "
              "A=( ) B=(x) gs1width=2 =2/1..6 row=100 =100/2..250 row2d=2- =2/1..10- sep=1 "
              "=1/1..10 gs1hri=#3 indep=(x) comp=( ) ai=#0 data=01234567890123 print=[]",
              state(p, page1D));
    EXPECT_FALSE(p.changed());
    p.click(IDC_1D_COMPOSITE);
    EXPECT_TRUE(p.control(IDC_1D_GS1_ROW_2D_HEIGHT).enabled);
    EXPECT_FALSE(p.changed()); // the radios are not stored
}

TEST_F(BarcodePages, OneDEditsClampStoreAndFollowTheFontSize) {
    Page& p = open(IDD_CODE_1D);
    p.type(IDC_1D_MODULE_WIDTH, u"9");
    p.type(IDC_1D_BAR_HEIGHT, u"0");
    EXPECT_EQ("width=6 =6/2..6 height=1 =1/1..255 mm=  0.1- pt=  0.5-",
              state(p, {{"width", IDC_1D_MODULE_WIDTH},
                        {"", IDC_1D_MODULE_WIDTH_SPIN},
                        {"height", IDC_1D_BAR_HEIGHT},
                        {"", IDC_1D_BAR_HEIGHT_SPIN},
                        {"mm", IDC_1D_SIZE_MM},
                        {"pt", IDC_1D_SIZE_POINT}}));
    EXPECT_TRUE(p.changed());
    p.type(IDC_1D_BAR_HEIGHT, u"163");
    EXPECT_EQ(u" 22.9", p.control(IDC_1D_SIZE_MM).text);
    EXPECT_EQ(u" 65.0", p.control(IDC_1D_SIZE_POINT).text);
    EXPECT_EQ(162u, block1D(0).fontSize);

    // Font B below: 163 + 17 dots = 72.0 points.
    p.choose(IDC_1D_HRI_POSITION, 2);
    p.click(IDC_1D_FONT_B);
    p.spin(IDC_1D_BAR_HEIGHT_SPIN, 1);
    p.spin(IDC_1D_GS1_SEPARATOR_SPIN, -1); // stays at its minimum
    p.choose(IDC_1D_GS1_HRI, 1);
    p.type(IDC_1D_GS1_ROW_HEIGHT, u""); // emptied to type anew: stored as the minimum
    EXPECT_EQ(u"", p.control(IDC_1D_GS1_ROW_HEIGHT).text);
    p.leave(IDC_1D_GS1_ROW_HEIGHT);
    p.choose(IDC_1D_TYPE, 8);
    Barcode1DSettings expected = PluginSettings(record).barcode1D(0);
    EXPECT_EQ(8, expected.symbology);
    EXPECT_EQ(6, expected.moduleWidth);
    EXPECT_EQ(48u, expected.charWidth);
    EXPECT_EQ(164u, expected.barHeight);
    EXPECT_EQ(2, expected.hriPosition);
    EXPECT_EQ(1, expected.hriFont);
    EXPECT_EQ(181u, expected.fontSize); // 181 dots: 72.4 points snap to 72.5
    EXPECT_EQ(1, expected.gs1SeparatorHeight);
    EXPECT_EQ(2, expected.gs1Hri);
    EXPECT_EQ(2u, expected.gs1RowHeight);
    EXPECT_EQ("height=164 row=2 sep=1 A=( ) B=(x) data={A1234",
              state(p, {{"height", IDC_1D_BAR_HEIGHT},
                        {"row", IDC_1D_GS1_ROW_HEIGHT},
                        {"sep", IDC_1D_GS1_SEPARATOR},
                        {"A", IDC_1D_FONT_A},
                        {"B", IDC_1D_FONT_B},
                        {"data", IDC_1D_DATA}}));
    // Another font's block is untouched.
    EXPECT_EQ(163u, block1D(1).barHeight);
}

TEST_F(BarcodePages, OneDPrintsWhatTheDataCheckPasses) {
    Page& p = open(IDD_CODE_1D);
    p.type(IDC_1D_DATA, u"");
    EXPECT_FALSE(p.control(IDC_1D_PRINT).enabled);
    p.type(IDC_1D_DATA, u"12345678901");
    EXPECT_TRUE(p.control(IDC_1D_PRINT).enabled);
    p.click(IDC_1D_PRINT);

    p.choose(IDC_1D_FONT_NAME, 1); // UPC-E
    p.type(IDC_1D_DATA, u"123456789012");
    p.click(IDC_1D_PRINT);

    p.choose(IDC_1D_FONT_NAME, 7); // Code128
    p.type(IDC_1D_DATA, u"{C12345");
    p.click(IDC_1D_PRINT);
    p.type(IDC_1D_DATA, u"{C1234");
    p.click(IDC_1D_PRINT);

    const Bytes setup = {0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x77, 0x03, 0x1D, 0x68, 0xA3};
    EXPECT_EQ((std::vector<std::u16string>{u" BarCode data error!", u" BarCode data error!"}),
              messages());
    const auto sent = jobs();
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ(u"Barcode", sent[0].first);
    EXPECT_EQ(concat({setup,
                      {0x1D, 0x6B, 0x00},
                      {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', 0x00},
                      feedAndCut}),
              sent[0].second);
    EXPECT_EQ(concat({setup,
                      {0x1D, 0x6B, 0x49, 0x00},
                      {0x1D, 0x77, 0x03, 0x1D, 0x68, 0xA3, 0x1D, 0x6B, 0x49, 0x04, 0x7B, 0x43, 0x0C,
                       0x22, 0x00},
                      feedAndCut}),
              sent[1].second);
    EXPECT_EQ(3u, host.jobs()[1].pieces.size());
}

TEST_F(BarcodePages, ForeignValuesAreShownClampedAndKeptUntilEdited) {
    Barcode1DSettings b = block1D(0);
    b.symbology = 99;
    b.moduleWidth = 40;
    b.barHeight = 100000;
    b.hriPosition = 9;
    b.hriFont = 7;
    b.gs1Hri = 0;
    b.gs1ApplyAi = 5;
    PluginSettings(record).setBarcode1D(0, b);
    Barcode2DSettings q = block2D(1);
    q.symbology = 4;
    q.qrErrorLevel = 9;
    q.qrModel = 0;
    q.pdfErrorLevel = 200;
    PluginSettings(record).setBarcode2D(1, q);
    const SettingsBytes before = record;

    Page& one = open(IDD_CODE_1D);
    EXPECT_EQ("type=#12 width=6 height=255 hri=#3 A=( ) B=(x) gs1hri=#0 ai=#1",
              state(one, {{"type", IDC_1D_TYPE},
                          {"width", IDC_1D_MODULE_WIDTH},
                          {"height", IDC_1D_BAR_HEIGHT},
                          {"hri", IDC_1D_HRI_POSITION},
                          {"A", IDC_1D_FONT_A},
                          {"B", IDC_1D_FONT_B},
                          {"gs1hri", IDC_1D_GS1_HRI},
                          {"ai", IDC_1D_GS1_APPLY_AI}}));
    EXPECT_EQ(before, record);
    one.type(IDC_1D_DATA, u"1");
    one.click(IDC_1D_PRINT);
    ASSERT_EQ(1u, host.jobs().size());
    EXPECT_EQ((Bytes{0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x73, 0x06, 2,   100,
                     2,    1,    0x02, 1,    1,    0x1D, 0x6B, 0x0D, '1',  0x00}),
              host.jobs()[0].pieces[0]);
    one.type(IDC_1D_MODULE_WIDTH, u"4");
    EXPECT_EQ(4, block1D(0).moduleWidth);
    EXPECT_EQ(100000u, block1D(0).barHeight); // other fields as they were

    Page& two = open(IDD_CODE_2D);
    two.choose(IDC_2D_FONT_NAME, 1);
    EXPECT_EQ("type=#4 level=#8- model=#0 qrlevel=#1", state(two, {{"type", IDC_2D_TYPE},
                                                                   {"level", IDC_2D_PDF_ERROR},
                                                                   {"model", IDC_2D_QR_MODEL},
                                                                   {"qrlevel", IDC_2D_QR_ERROR}}));
    // The level shown is the default, but the record holds no level: no print.
    two.click(IDC_2D_PRINT);
    ASSERT_EQ(1u, host.messageBoxes().size());
    EXPECT_NE(std::u16string::npos, host.messageBoxes()[0].text.find(u"not L, M, H or Q"));
    EXPECT_EQ(1u, host.jobs().size());
    two.choose(IDC_2D_QR_ERROR, 1);
    two.click(IDC_2D_PRINT);
    ASSERT_EQ(2u, host.jobs().size());
    EXPECT_EQ((Bytes{0x1D, 0x6F, 0x00, 3, 0, 1, 0x1D, 0x6B, 0x0B, 'M', 0x41, 0x2C}),
              host.jobs()[1].pieces[0]);
}

TEST_F(BarcodePages, TwoDGroupsCompositeAndClamping) {
    Page& p = open(IDD_CODE_2D);
    EXPECT_EQ(u"Error Correction Level 8", p.items(IDC_2D_PDF_ERROR).back());
    EXPECT_EQ(std::vector<std::u16string>({u"L", u"M", u"H", u"Q"}), p.items(IDC_2D_QR_ERROR));
    EXPECT_EQ(std::vector<std::u16string>({u"Chinese", u"Japanese"}), p.items(IDC_2D_QR_LANGUAGE));
    EXPECT_EQ(u"Maxi Code", p.items(IDC_2D_TYPE).back());
    EXPECT_EQ("font=#0 size=9.5- type=#0 pdfwidth=3 =3/1..7 cols=3 =3/1..30 pdfheight=3 =3/2..25 "
              "rows=3 =3/3..90 level=#5 qrwidth=3 =3/1..24 lang=#0 model=#0 qrlevel=#1 gs1width=2 "
              "row=100 row2d=2- =2/1..10- sep=2 gs1hri=#0 segments=4- =4/2..20- range=[ 2 . . 20 ] "
              "indep=(x) comp=( ) ai=#1- data=01234567890123",
              state(p, page2D));
    EXPECT_EQ(2, p.control(IDC_2D_GS1_SEGMENTS).textLimit);

    p.choose(IDC_2D_TYPE, 3);
    p.type(IDC_2D_GS1_SEGMENTS, u"2");
    p.click(IDC_2D_COMPOSITE);
    EXPECT_EQ("pdfwidth=3- rows=3- level=#5- row2d=2 segments=4 =4/4..20 range=[ 4 . . 20 ] "
              "ai=#1",
              state(p, {{"pdfwidth", IDC_2D_PDF_MODULE_WIDTH},
                        {"rows", IDC_2D_PDF_ROWS},
                        {"level", IDC_2D_PDF_ERROR},
                        {"row2d", IDC_2D_GS1_ROW_2D_HEIGHT},
                        {"segments", IDC_2D_GS1_SEGMENTS},
                        {"", IDC_2D_GS1_SEGMENTS_SPIN},
                        {"range", IDC_2D_RANGE_GS1_SEGMENTS},
                        {"ai", IDC_2D_GS1_APPLY_AI}}));
    EXPECT_EQ(4, block2D(0).gs1Segments);
    p.type(IDC_2D_GS1_SEGMENTS, u"3"); // composite symbols take 4..20
    EXPECT_EQ(4, block2D(0).gs1Segments);
    p.click(IDC_2D_INDEPENDENCE);
    EXPECT_EQ(4, block2D(0).gs1Segments);
    EXPECT_EQ(u"[ 2 . . 20 ]", p.control(IDC_2D_RANGE_GS1_SEGMENTS).text);

    p.choose(IDC_2D_TYPE, 0);
    p.type(IDC_2D_PDF_MODULE_WIDTH, u"9");
    p.type(IDC_2D_PDF_ROWS, u"0");
    p.spin(IDC_2D_QR_MODULE_WIDTH_SPIN, 30);
    p.type(IDC_2D_GS1_ROW_HEIGHT, u"999"); // three characters at most
    p.choose(IDC_2D_QR_MODEL, 1);
    p.choose(IDC_2D_GS1_HRI, 3);
    const Barcode2DSettings b = block2D(0);
    EXPECT_EQ((std::vector<int>{0, 7, 3, 24, 250, 2, 4}),
              (std::vector<int>{b.symbology, b.pdfModuleWidth, b.pdfRows, b.qrModuleWidth,
                                static_cast<int>(b.gs1RowHeight), b.qrModel, b.gs1Hri}));
    EXPECT_EQ("segments=4- pdfwidth=7 qrwidth=24 =24/1..24",
              state(p, {{"segments", IDC_2D_GS1_SEGMENTS},
                        {"pdfwidth", IDC_2D_PDF_MODULE_WIDTH},
                        {"qrwidth", IDC_2D_QR_MODULE_WIDTH},
                        {"", IDC_2D_QR_MODULE_WIDTH_SPIN}}));
    EXPECT_EQ(block2D(1).pdfModuleWidth, 3); // the other font is untouched
}

TEST_F(BarcodePages, TwoDPrintsInTheAnsiCodePage) {
    Page& p = open(IDD_CODE_2D);
    p.click(IDC_2D_PRINT); // PDF417 with the defaults
    p.type(IDC_2D_DATA, u"");
    p.click(IDC_2D_PRINT);
    p.choose(IDC_2D_TYPE, 5);
    p.type(IDC_2D_DATA, std::u16string(85, u'A'));
    p.click(IDC_2D_PRINT);
    p.type(IDC_2D_DATA, std::u16string(84, u'A'));
    p.click(IDC_2D_PRINT);
    p.choose(IDC_2D_TYPE, 4);
    p.type(IDC_2D_DATA, u"\u00E9\u20AC\u4E2D"); // code page 1252 has no CJK: "?"
    p.click(IDC_2D_PRINT);

    EXPECT_EQ((std::vector<std::u16string>{u" BarCode data error!", u" BarCode data error!"}),
              messages());
    const auto sent = jobs();
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ(u"2Dcode", sent[0].first);
    EXPECT_EQ(concat({{0x1D, 0x70, 0x01, 0x01, 0x03, 0x03, 0x03, 0x03, 0x1D, 0x71, 0x05, 0x1D, 0x6B,
                       0x0A},
                      {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3'},
                      {0x00},
                      feedAndCut}),
              sent[0].second);
    EXPECT_EQ(4u, host.jobs()[0].pieces.size());
    EXPECT_EQ(6u + 84 + 1 + 5, sent[1].second.size());
    EXPECT_EQ((Bytes{0xE9, 0x80, '?'}), host.jobs()[2].pieces[1]);
}

TEST_F(BarcodePages, WithoutARecordOrPrinterThePagesStillWork) {
    psParam.pOEMDM = nullptr;
    context.cuipParam = nullptr;
    const SettingsBytes before = record;
    Page& p = open(IDD_CODE_1D);
    p.type(IDC_1D_BAR_HEIGHT, u"50");
    p.click(IDC_1D_PRINT);
    EXPECT_EQ(before, record);
    EXPECT_EQ(u"50", p.control(IDC_1D_BAR_HEIGHT).text);
    EXPECT_EQ((std::vector<std::string>{"StartDocPrinterW"}), host.spoolerCalls());
    EXPECT_TRUE(host.messageBoxes().empty()); // a spooler failure ends the job silently
}

} // namespace
} // namespace oemui::pages

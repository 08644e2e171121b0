// The "Main" and "Water Mark" pages on FakeDialog over their real templates,
// with the settings record in a buffer, the simulated host and the paper-size
// items of a stand-in host: what the user sees, what reaches the record byte
// for byte, what the host is told and which files are left for the renderer.
#include "bitmap_files.h"
#include "oemui/dialog_templates.h"
#include "oemui/pages/main_page.h"
#include "oemui/pages/watermark_page.h"
#include "oemui/resource.h"
#include "oemui_test_support.h"
#include "platform/sim/sim_plugin_host.h"
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace oemui {
namespace {

using Page = ui::FakeDialog<std::u16string>;
using platform::sim::SimPluginHost;

const std::u16string pictureFile = u"C:\\Users\\User\\AppData\\Local\\Temp\\Receipt1.bmp";
const std::u16string graphicsMessage = u"All Text will be printed as graphics image!";

class FakePapers final : public pages::PaperSizeOptions {
public:
    std::size_t itemCount() const override { return lists.size(); }
    std::vector<std::u16string> names(std::size_t item) const override { return lists[item]; }
    int selected(std::size_t item) const override { return sel[item]; }
    void choose(std::size_t item, int index) override {
        sel[item] = index;
        chosen.emplace_back(item, index);
    }

    std::vector<std::vector<std::u16string>> lists;
    std::vector<int> sel;
    std::vector<std::pair<std::size_t, int>> chosen;
};

// Little-endian writes at literal offsets, for the record a test expects.
void put(SettingsBytes& b, std::size_t at, std::uint32_t value, int bytes = 1) {
    for (int i = 0; i < bytes; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}
void putText(SettingsBytes& b, std::size_t at, std::size_t units, std::u16string_view text) {
    for (std::size_t i = 0; i < units; ++i) {
        put(b, at + 2 * i, i < text.size() ? text[i] : 0, 2);
    }
}

// One document sheet: its record, host, module-wide flags and the two pages.
struct Sheet {
    SettingsBytes record{};
    PluginSettings settings{record};
    SimPluginHost host;
    pages::SheetState state;
    FakePapers* papers = nullptr;
    std::unique_ptr<pages::PageController> mainController, markController;
    std::unique_ptr<Page> main, mark;

    Sheet() { writeDefaults(settings); }

    Page& openMain(std::vector<std::vector<std::u16string>> lists, std::vector<int> sel) {
        auto fake = std::make_unique<FakePapers>();
        fake->lists = std::move(lists);
        fake->sel = std::move(sel);
        papers = fake.get();
        mainController =
            std::make_unique<pages::MainPage>(settings, std::move(fake), host, state.documentPages);
        main = std::make_unique<Page>(dialogTemplates(), IDD_MAIN, *mainController);
        main->open();
        main->pageShown();
        return *main;
    }
    Page& openWatermark() {
        markController =
            std::make_unique<pages::WatermarkPage>(settings, host, state.documentPages, u"Receipt");
        mark = std::make_unique<Page>(dialogTemplates(), IDD_WATERMARK, *markController);
        mark->setClientSize(IDC_WM_PREVIEW, 40, 40);
        mark->open();
        mark->pageShown();
        return *mark;
    }
    std::vector<std::u16string> messages() const {
        std::vector<std::u16string> out;
        for (const auto& box : host.messageBoxes()) {
            out.push_back(box.caption + u": " + box.text);
        }
        return out;
    }
    void expectNoProblems() const {
        for (const Page* page : {main.get(), mark.get()}) {
            if (page != nullptr) {
                EXPECT_EQ(std::vector<std::string>{}, page->problems());
            }
        }
    }
};

bool previewShowsSomething(const Page& page) {
    const auto& pictures = page.control(IDC_WM_PREVIEW).pictures;
    return pictures.size() == 1 &&
           std::any_of(pictures[0].first.pixels.begin(), pictures[0].first.pixels.end(),
                       [](std::uint32_t p) { return p != 0xFFFFFF; });
}

TEST(MainPage, PaperSizesAreTheDriversItemsAndTheChoiceGoesBackToThem) {
    Sheet sheet;
    const std::u16string longName = u"Roll Paper 80 x 3276 mm, continuous"; // 35 characters
    Page& page =
        sheet.openMain({{u"Letter", u"A4", u"80mm x 297mm", longName}, {u"A4", u"Letter"}}, {1, 0});
    EXPECT_EQ((std::vector<std::u16string>{u"Letter", u"A4", u"80mm x 297mm", longName, u"A4",
                                           u"Letter"}),
              page.items(IDC_MN_PAPER_SIZE));
    EXPECT_EQ(u"A4", page.selectedText(IDC_MN_PAPER_SIZE));
    EXPECT_TRUE(sheet.papers->chosen.empty());

    // Each item gets the paper's place in its own list, or nothing when it lacks it.
    page.choose(IDC_MN_PAPER_SIZE, 2);
    page.choose(IDC_MN_PAPER_SIZE, 5);
    EXPECT_EQ((std::vector<std::pair<std::size_t, int>>{{0, 2}, {0, 0}, {1, 1}}),
              sheet.papers->chosen);
    EXPECT_EQ(u"Letter", sheet.settings.formName());
    EXPECT_TRUE(page.changed());

    // A name the 32-unit field cannot hold is not cut into another paper's name.
    page.choose(IDC_MN_PAPER_SIZE, 3);
    EXPECT_EQ(u"", sheet.settings.formName());

    SettingsBytes expected = sheet.record;
    page.choose(IDC_MN_PAPER_SIZE, 1);
    sheet.papers->chosen.clear();
    ASSERT_TRUE(page.apply());
    putText(expected, 0x576, 32, u"A4");
    EXPECT_EQ(expected, sheet.record) << "apply stores the form name and nothing else";
    EXPECT_EQ((std::vector<std::pair<std::size_t, int>>{{0, 1}, {1, 0}}), sheet.papers->chosen);

    // Reopened, the stored name is found whatever its case; the driver's own
    // selection speaks when the page is shown.
    sheet.settings.setFormName(u"80MM X 297MM");
    Page& again = sheet.openMain({{u"Letter", u"A4", u"80mm x 297mm"}}, {0});
    sheet.main->pageShown();
    EXPECT_EQ(u"Letter", again.selectedText(IDC_MN_PAPER_SIZE));
    Page reopened(dialogTemplates(), IDD_MAIN, *sheet.mainController);
    reopened.open();
    EXPECT_EQ(u"80mm x 297mm", reopened.selectedText(IDC_MN_PAPER_SIZE));
    sheet.expectNoProblems();
}

TEST(MainPage, DriverItemsAreChangedThroughTheHost) {
    OptParam params[2] = {};
    char16_t letter[] = u"Letter", a4[] = u"A4";
    params[0].pData = letter;
    params[1].pData = a4;
    OptType type{};
    type.Count = 2;
    type.pOptParam = params;
    OptItem items[3] = {};
    items[0].DMPubID = 5; // another of the driver's items
    items[1].DMPubID = dmpubFormName;
    items[1].pOptType = &type;
    items[1].Sel = 0;
    items[2].DMPubID = dmpubFormName; // an item without a list
    OEMCUIPPARAM cuip{};
    cuip.poemuiobj = &cuip;
    cuip.pDrvOptItems = items;
    cuip.cDrvOptItems = 3;
    test::FakeDriverUi driver;
    DocumentPageContext context;
    context.cuipParam = &cuip;
    context.driverUi = &driver;

    pages::DriverPaperSizeOptions papers(context);
    ASSERT_EQ(2u, papers.itemCount());
    EXPECT_EQ((std::vector<std::u16string>{u"Letter", u"A4"}), papers.names(0));
    EXPECT_TRUE(papers.names(1).empty());
    papers.choose(0, 1);
    EXPECT_EQ(1, papers.selected(0));
    EXPECT_EQ(optifChanged, items[1].Flags);
    ASSERT_EQ(1u, driver.updates.size());
    EXPECT_EQ(&cuip, driver.updates[0].pci);
    EXPECT_EQ(&items[1], driver.updates[0].item);
    EXPECT_EQ(0u, driver.updates[0].previous);
    EXPECT_EQ(OEMCUIP_DOCPROP, driver.updates[0].mode);
    EXPECT_EQ(0u, items[0].Flags) << "other items are left alone";

    context.driverUi = nullptr; // the host published no interface
    papers.choose(0, 0);
    EXPECT_EQ(0, papers.selected(0));
    EXPECT_EQ(1u, driver.updates.size());
}

TEST(DocumentPages, AWatermarkForcesGraphicsAndNoWatermarkGivesNoBack) {
    Sheet sheet;
    Page& main = sheet.openMain({{u"A4"}}, {0});
    Page& mark = sheet.openWatermark();
    const auto graphics = [&](bool yes, bool enabled) {
        EXPECT_EQ(yes, main.control(IDC_MN_GRAPHICS_YES).checked);
        EXPECT_EQ(!yes, main.control(IDC_MN_GRAPHICS_NO).checked);
        EXPECT_EQ(enabled, main.control(IDC_MN_GRAPHICS_YES).enabled);
        EXPECT_EQ(enabled, main.control(IDC_MN_GRAPHICS_NO).enabled);
    };
    graphics(false, true);

    mark.click(IDC_WM_IMAGE);
    mark.click(IDC_WM_TEXT_RADIO);
    EXPECT_EQ(std::vector<std::u16string>{u"Information: " + graphicsMessage}, sheet.messages())
        << "told once, while the choice was off";
    EXPECT_EQ(0x40u, sheet.host.messageBoxes()[0].type);
    EXPECT_EQ(1, sheet.settings.textAsGraphics());
    main.pageShown();
    graphics(true, false);

    mark.click(IDC_WM_NONE);
    EXPECT_EQ(0, sheet.settings.textAsGraphics());
    EXPECT_EQ(0, sheet.settings.watermarkKind());
    for (int id : {IDC_WM_TEXT, IDC_WM_FONT, IDC_WM_BITMAP_PATH, IDC_WM_BROWSE, IDC_WM_POSITION,
                   IDC_WM_SIZE, IDC_WM_BRIGHTNESS, IDC_WM_ANGLE, IDC_WM_FONT_SIZE}) {
        EXPECT_FALSE(mark.control(id).enabled) << id;
    }
    main.pageShown();
    graphics(false, true);

    main.click(IDC_MN_GRAPHICS_YES);
    mark.click(IDC_WM_IMAGE);
    EXPECT_EQ(1u, sheet.messages().size()) << "the user had chosen it already";

    // The hidden rotation still forces the choice when a template shows it.
    mark.click(IDC_WM_NONE);
    main.show(IDC_MN_ROTATE_180, true);
    main.enable(IDC_MN_ROTATE_180, true);
    main.show(IDC_MN_ROTATE_NORMAL, true);
    main.pageShown();
    main.click(IDC_MN_ROTATE_180);
    EXPECT_EQ(2u, sheet.messages().size());
    EXPECT_EQ(1, sheet.settings.rotate180());
    graphics(true, false);
    main.click(IDC_MN_ROTATE_NORMAL);
    EXPECT_EQ(0, sheet.settings.rotate180());
    EXPECT_TRUE(main.control(IDC_MN_GRAPHICS_NO).enabled);
    sheet.expectNoProblems();
}

TEST(WatermarkPage, ControlsShowTheRecordAndKeepItInRange) {
    Sheet sheet;
    sheet.settings.setWatermarkKind(2);
    Page& page = sheet.openWatermark();
    EXPECT_TRUE(page.control(IDC_WM_TEXT_RADIO).checked);
    EXPECT_EQ((std::vector<std::u16string>{u"CONFIDENTIAL", u"DO NOT COPY", u"TOP SECRET", u"DRAFT",
                                           u"PROOF", u"FINAL", u"COPY", u"FILE COPY"}),
              page.items(IDC_WM_TEXT));
    EXPECT_EQ(u"CONFIDENTIAL", page.text(IDC_WM_TEXT));
    EXPECT_EQ((std::vector<std::u16string>{u"Arial", u"Courier New"}), page.items(IDC_WM_FONT))
        << "TrueType faces only, each once, in the display's order";
    EXPECT_EQ((std::vector<std::u16string>{u"Regular", u"Italic", u"Bold", u"Bold Italic"}),
              page.items(IDC_WM_STYLE));
    EXPECT_EQ(u"Center-Middle", page.selectedText(IDC_WM_POSITION));
    EXPECT_EQ(u"50", page.text(IDC_WM_FONT_SIZE));
    const struct {
        int id, label, maximum, position;
    } sliders[] = {{IDC_WM_ANGLE, IDC_WM_ANGLE_VALUE, 360, 45},
                   {IDC_WM_SIZE, IDC_WM_SIZE_VALUE, 100, 100},
                   {IDC_WM_BRIGHTNESS, IDC_WM_BRIGHTNESS_VALUE, 255, 50}};
    for (const auto& s : sliders) {
        EXPECT_EQ(0, page.control(s.id).minimum);
        EXPECT_EQ(s.maximum, page.control(s.id).maximum);
        EXPECT_EQ(s.position, page.position(s.id));
        EXPECT_EQ(
            ui::textFromScript(std::to_string(s.position), static_cast<std::u16string*>(nullptr)),
            page.text(s.label));
    }
    EXPECT_TRUE(previewShowsSomething(page)) << "the text picture";

    // Font size: typed values up to 72 are taken, more is 72, below 8 is 8 once left.
    const struct {
        const char16_t* typed;
        bool leave;
        const char16_t* shown;
        int stored;
    } sizes[] = {{u"5", false, u"5", 5},
                 {u"5", true, u"8", 8},
                 {u"99", false, u"72", 72},
                 {u"", true, u"8", 8},
                 {u"36", true, u"36", 36}};
    for (const auto& s : sizes) {
        page.type(IDC_WM_FONT_SIZE, s.typed);
        if (s.leave) {
            page.leave(IDC_WM_FONT_SIZE);
        }
        EXPECT_EQ(s.shown, page.text(IDC_WM_FONT_SIZE));
        EXPECT_EQ(s.stored, sheet.settings.watermarkFontSize());
    }
    page.spin(IDC_WM_FONT_SIZE_SPIN, 40);
    EXPECT_EQ(u"72", page.text(IDC_WM_FONT_SIZE));
    page.spin(IDC_WM_FONT_SIZE_SPIN, -3);
    EXPECT_EQ(69, sheet.settings.watermarkFontSize());

    page.slide(IDC_WM_ANGLE, 90);
    page.slide(IDC_WM_BRIGHTNESS, 300);
    EXPECT_EQ(90, sheet.settings.watermarkAngle());
    EXPECT_EQ(u"255", page.text(IDC_WM_BRIGHTNESS_VALUE));
    EXPECT_EQ(255, sheet.settings.watermarkBrightness());

    // "Tiled" takes at least 20 percent.
    page.slide(IDC_WM_SIZE, 10);
    EXPECT_EQ(10, sheet.settings.watermarkSize());
    page.chooseText(IDC_WM_POSITION, u"Tiled");
    EXPECT_EQ(9, sheet.settings.watermarkPosition());
    EXPECT_EQ(20, sheet.settings.watermarkSize());
    EXPECT_EQ(20, page.position(IDC_WM_SIZE));
    EXPECT_EQ(u"20", page.text(IDC_WM_SIZE_VALUE));
    page.slide(IDC_WM_SIZE, 5);
    EXPECT_EQ(20, sheet.settings.watermarkSize());

    // Typed text never runs over the face name behind its 16-unit field.
    sheet.settings.setWatermarkFont(u"Arial");
    page.type(IDC_WM_TEXT, u"FOR INTERNAL USE ONLY - DO NOT DISTRIBUTE");
    EXPECT_EQ(u"FOR INTERNAL US", sheet.settings.watermarkText());
    EXPECT_EQ(u"Arial", sheet.settings.watermarkFont());
    page.choose(IDC_WM_TEXT, 3);
    EXPECT_EQ(u"DRAFT", sheet.settings.watermarkText());
    EXPECT_EQ(u"DRAFT", page.text(IDC_WM_TEXT));
    EXPECT_TRUE(page.changed());
    sheet.expectNoProblems();
}

TEST(WatermarkPage, ApplyStoresItsFieldsAndWritesTheTextPicture) {
    Sheet sheet;
    Page& page = sheet.openWatermark();
    const SettingsBytes before = sheet.record;
    page.click(IDC_WM_TEXT_RADIO);
    page.type(IDC_WM_TEXT, u"SAMPLE");
    page.chooseText(IDC_WM_FONT, u"Courier New");
    page.chooseText(IDC_WM_STYLE, u"Bold");
    page.chooseText(IDC_WM_POSITION, u"Right-Top");
    page.slide(IDC_WM_ANGLE, 30);
    page.slide(IDC_WM_SIZE, 60);
    page.slide(IDC_WM_BRIGHTNESS, 100);
    page.type(IDC_WM_FONT_SIZE, u"36");
    ASSERT_TRUE(page.apply());

    SettingsBytes expected = before;
    put(expected, 0x3E6, 1);
    put(expected, 0x4E2, 2);
    putText(expected, 0x4E4, 16, u"SAMPLE");
    putText(expected, 0x504, 50, u"Courier New");
    put(expected, 0x568, 36);
    put(expected, 0x569, 2);
    put(expected, 0x56C, 30, 4);
    put(expected, 0x570, 2);
    put(expected, 0x571, 60);
    put(expected, 0x572, 100);
    EXPECT_EQ(expected, sheet.record);

    const std::vector<std::uint8_t> file = sheet.host.fileBytes(pictureFile);
    EXPECT_EQ(270054u, file.size());
    const auto& drawn = sheet.host.textOuts().back();
    EXPECT_EQ(u"SAMPLE", drawn.text);
    EXPECT_EQ(u"Courier New", drawn.font.faceName);
    EXPECT_EQ(-48, drawn.font.height);
    EXPECT_EQ(700, drawn.font.weight);
    EXPECT_EQ(300, drawn.font.escapement);

    // Without its picture the watermark cannot be printed: the sheet stays open.
    sheet.host.faults().failCall("CreateFileW", platform::err::accessDenied);
    EXPECT_FALSE(page.apply());
    EXPECT_EQ(u"Error: Please check if user has administrator privileges!",
              sheet.messages().back());
    EXPECT_EQ(0x10u, sheet.host.messageBoxes().back().type);
    sheet.expectNoProblems();
}

TEST(WatermarkPage, BrowseConvertsTheChosenBitmapIntoThePictureFile) {
    Sheet sheet;
    const std::u16string logo = u"C:\\Pictures\\logo.bmp", fourBit = u"C:\\Pictures\\four.bmp";
    test::ColourGrid grid{10, 4, {}};
    for (int i = 0; i < 40; ++i) {
        grid.pixels.push_back(static_cast<std::uint32_t>(i % 3 == 0));
    }
    sheet.host.putFile(logo, test::writeBmp(grid, {0xFFFFFF, 0x000080}, {1}));
    sheet.host.putFile(fourBit, test::writeBmp(grid, std::vector<std::uint32_t>(16), {4}));
    Page& page = sheet.openWatermark();
    page.click(IDC_WM_IMAGE);
    EXPECT_FALSE(previewShowsSomething(page)) << "no bitmap chosen yet, and no error for it";

    const std::u16string tooLong = u"C:\\" + std::u16string(130, u'x') + u".bmp";
    for (const std::u16string* chosen : {&fourBit, &tooLong}) {
        sheet.host.queueOpenFileAnswer(platform::OpenFileResult{*chosen, u""});
    }
    sheet.host.queueOpenFileAnswer(std::nullopt);
    sheet.host.queueOpenFileAnswer(platform::OpenFileResult{logo, u"logo.bmp"});
    for (int i = 0; i < 4; ++i) {
        page.click(IDC_WM_BROWSE);
    }
    EXPECT_EQ(
        (std::vector<std::u16string>{u"Information: " + graphicsMessage,
                                     u"Error: Make sure the specified bitmap is 1/8/24/ bits!",
                                     u"Error: The path of the bitmap is too long!"}),
        sheet.messages());
    const platform::OpenFileRequest& request = sheet.host.openFileRequests()[0];
    EXPECT_EQ((std::vector<std::pair<std::u16string, std::u16string>>{{u"*.bmp", u"*.bmp"}}),
              request.filters);
    EXPECT_EQ(1u, request.filterIndex);

    EXPECT_EQ(logo, page.text(IDC_WM_BITMAP_PATH));
    EXPECT_EQ(logo, sheet.settings.watermarkPath());
    const test::ColourGrid converted = test::readBmp24(sheet.host.fileBytes(pictureFile));
    EXPECT_EQ(0x000080u, converted.at(0, 0));
    EXPECT_EQ(0xFFFFFFu, converted.at(1, 0));
    EXPECT_TRUE(previewShowsSomething(page));

    ASSERT_TRUE(page.apply());
    EXPECT_EQ(1, sheet.settings.watermarkKind());
    EXPECT_EQ(1, sheet.settings.textAsGraphics());
    sheet.expectNoProblems();
}

TEST(WatermarkPage, APreviewThatCannotBeMadeIsToldOncePerProcess) {
    Sheet sheet;
    sheet.settings.setWatermarkKind(1);
    sheet.settings.setWatermarkPath(u"C:\\Pictures\\gone.bmp");
    sheet.openWatermark();
    sheet.openWatermark();
    EXPECT_EQ(std::vector<std::u16string>{u"Error: The specified file does not exist!"},
              sheet.messages());
    EXPECT_FALSE(previewShowsSomething(*sheet.mark));

    // 2000 x 1800 pixels are 10,800,000 bytes at 24 bits: more than the preview takes.
    Sheet big;
    const std::u16string huge = u"C:\\Pictures\\huge.bmp";
    test::ColourGrid grid{2000, 1800, std::vector<std::uint32_t>(2000 * 1800, 1)};
    big.host.putFile(huge, test::writeBmp(grid, {0, 0xFFFFFF}, {1}));
    big.settings.setWatermarkKind(1);
    big.settings.setWatermarkPath(huge);
    big.openWatermark();
    EXPECT_EQ(std::vector<std::u16string>{u"Error: The bitmap you selected is too big!"},
              big.messages());
    EXPECT_EQ(54u + 6000u * 1800u, big.host.fileBytes(pictureFile).size())
        << "the rendering side still gets the picture";
    sheet.expectNoProblems();
}

} // namespace
} // namespace oemui

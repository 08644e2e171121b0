// The Download page's logo group on the simulated host: what the user sees, the
// work bitmaps beside the logos and the bytes of the jobs the printer gets.
#include "download_test_support.h"

#include "oemui/tools/logo_settings.h"
#include "oemui/tools/logo_texts.h"

using namespace logotest;

namespace oemui::test {
namespace {

Bytes colour(int width, int height) {
    return makeBmp(width, height, 24, [](int x, int r) {
        return static_cast<std::uint32_t>(x * 0x030507 + r * 0x110D03);
    });
}
Bytes gray(int width, int height) {
    return makeBmp(width, height, 8,
                   [](int x, int r) { return static_cast<std::uint32_t>((x * 9 + r * 5) & 255); });
}
Bytes mono(int width, int height) {
    return makeBmp(width, height, 1,
                   [](int x, int r) { return static_cast<std::uint32_t>((x ^ r) & 1); });
}

// The work bitmap the library makes of a picture with a logo's settings.
Bytes expectedWork(const Bytes& source, pages::PreviewMode mode, logo::LogoSettings s) {
    MemoryLogo logo(source);
    const logo::DepthSet any = logo::depthSet(24) | logo::depthSet(8) | logo::depthSet(1);
    const logo::ImageError error =
        mode == pages::PreviewMode::Gray
            ? logo::makeGrayWorkBitmap(logo, any, s.contrast, s.brightness)
            : logo::makeMonoWorkBitmap(logo, any, s.halftone, s.contrast, s.brightness);
    EXPECT_EQ(error, logo::ImageError::None);
    return logo.work();
}

TEST_F(DownloadPageTest, OpensEmptyInOriginalMode) {
    const auto& list = view().control(IDC_DL_LOGO_LIST);
    EXPECT_EQ(list.columns, (std::vector<std::pair<std::u16string, int>>{
                                {u"ID", 30}, {u"Name", 150}, {u"Path", 300}}));
    EXPECT_EQ(list.listStyle, 0x20u);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_TRUE(view().control(IDC_DL_FILE_PATH).readOnly);
    EXPECT_FALSE(view().isEnabled(IDC_DL_FILE_DOWNLOAD));
    EXPECT_TRUE(view().isEnabled(IDC_DL_FILE_BROWSE));
    EXPECT_FALSE(view().isEnabled(IDC_DL_LOGO_DOWNLOAD_ALL));
    EXPECT_TRUE(view().isChecked(IDC_DL_MODE_ORIGINAL));
    EXPECT_TRUE(view().isChecked(IDC_DL_HALFTONE_NONE));
    for (int slider : {IDC_DL_CONTRAST, IDC_DL_BRIGHTNESS}) {
        const auto& c = view().control(slider);
        EXPECT_EQ((std::vector<int>{c.minimum, c.maximum, c.position, c.lineSize, c.pageSize}),
                  (std::vector<int>{-100, 100, 0, 1, 20}));
    }
    EXPECT_EQ(view().text(IDC_DL_CONTRAST_VALUE), u"0");
    EXPECT_EQ(view().text(IDC_DL_BRIGHTNESS_VALUE), u"0");
    EXPECT_EQ(preview(), std::vector<std::uint32_t>{0xFFFFFF}) << "a white preview";
    EXPECT_TRUE(view().problems().empty());
}

TEST_F(DownloadPageTest, AddsNineLogosAtTheSizeLimitsAndRefusesTheTenthBeforeAnyDialog) {
    ASSERT_TRUE(add(u"big.bmp", gray(1024, 768)));
    ASSERT_TRUE(add(u"one.bmp", mono(9, 13)));
    for (int i = 3; i <= 9; ++i) {
        ASSERT_TRUE(add(u16("c" + std::to_string(i) + ".bmp"), colour(i, 2)));
    }
    const auto& request = host.openFileRequests().back();
    EXPECT_EQ(request.title, u"Please Select a Logo file");
    EXPECT_EQ(request.filters, (decltype(request.filters){{u"*.bmp", u"*.bmp"}}));
    EXPECT_EQ(request.flags, 0x00202C06u);
    EXPECT_EQ(request.maxPath, 1024u);

    EXPECT_FALSE(add(u"tenth.bmp", colour(2, 2)));
    EXPECT_EQ(host.openFileRequests().size(), 9u) << "the tenth is refused before the dialog";
    EXPECT_EQ(messages(),
              (std::vector<std::u16string>{u"ok: " + pages::widen(logo::kTextTooManyLogos)}));

    const auto& rows = view().control(IDC_DL_LOGO_LIST).rows;
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[1].cells,
              (std::vector<std::u16string>{u"2", u"one.bmp", u"C:\\Logos\\one.bmp"}));
    EXPECT_EQ(rows[8].cells[0], u"9");
    // Original mode makes "None" work bitmaps of 24- and 8-bit logos; 1-bit ones need none.
    EXPECT_EQ(work(u"big.bmp"), expectedWork(gray(1024, 768), pages::PreviewMode::Original, {}));
    EXPECT_FALSE(hasWork(u"one.bmp"));
    EXPECT_FALSE(view().isEnabled(IDC_DL_MODE_GRAY)) << "no logo is selected yet";
    EXPECT_EQ(view().focused(), IDC_DL_LOGO_LIST);
    EXPECT_TRUE(view().problems().empty());
}

TEST_F(DownloadPageTest, RefusesWhatIsNoUsableLogoAndSaysWhy) {
    Bytes png(64, 0);
    png[0] = 0x89;
    Bytes topDown = colour(4, 4);
    put32(topDown, 22, static_cast<std::uint32_t>(-4));
    Bytes rle = gray(4, 4);
    put32(rle, 30, 1);
    Bytes deep = colour(4, 4);
    put16(deep, 28, 32);
    const struct {
        const char* name;
        Bytes file;
        std::u16string message;
    } cases[] = {
        {"wide.bmp", colour(1025, 1), pages::widen(logo::kTextLogoTooBig)},
        {"tall.bmp", mono(1, 769), pages::widen(logo::kTextLogoTooBig)},
        {"short.bmp", Bytes(53, 'B'), u"Failed to get data from the file!"},
        {"photo.bmp", png, u"The selected file is not a BMP picture!"},
        {"top.bmp", topDown,
         u"The selected file cannot be used as a logo: top.bmp stores its rows "
         u"from the top down, which logos cannot."},
        {"rle.bmp", rle,
         u"The selected file cannot be used as a logo: rle.bmp is a compressed BMP."},
        {"deep.bmp", deep,
         u"The selected file cannot be used as a logo: deep.bmp has 32 bits per "
         u"pixel; logos are made from BMP files of 24, 8 or 1 bits per pixel."},
    };
    std::vector<std::u16string> expected;
    for (const auto& c : cases) {
        EXPECT_FALSE(add(u16(c.name), c.file)) << c.name;
        EXPECT_FALSE(hasWork(u16(c.name))) << c.name;
        expected.push_back(u"Error: " + c.message);
    }
    EXPECT_FALSE(choose(u"gone.bmp"));
    expected.push_back(u"Error: Fail to open the selected file!");
    EXPECT_EQ(messages(), expected);
    host.queueOpenFileAnswer(std::nullopt); // cancelled: nothing at all
    view().click(IDC_DL_LOGO_ADD);
    EXPECT_EQ(messages().size(), expected.size());
    EXPECT_TRUE(page->logos().logos().empty());
}

TEST_F(DownloadPageTest, EachLogoKeepsItsOwnSettingsAndDeleteCompactsThem) {
    const Bytes a = colour(20, 10), b = gray(12, 7), c = colour(9, 9);
    ASSERT_TRUE(add(u"a.bmp", a) && add(u"b.bmp", b) && add(u"c.bmp", c));
    view().clickRow(IDC_DL_LOGO_LIST, 2);
    view().click(IDC_DL_MODE_TRANSFORMATION);
    EXPECT_TRUE(view().isEnabled(IDC_DL_LOGO_DOWNLOAD_ALL));
    EXPECT_TRUE(view().isChecked(IDC_DL_HALFTONE_DITHER_M3));
    for (const auto& [name, file] : {std::pair{u"a.bmp", a}, {u"b.bmp", b}, {u"c.bmp", c}}) {
        EXPECT_EQ(work(name), expectedWork(file, pages::PreviewMode::Transformation,
                                           {logo::kHalftoneDitherM3, 0, 0}));
    }
    view().click(IDC_DL_HALFTONE_ERROR_DIFFUSE);
    view().slide(IDC_DL_CONTRAST, 40);
    view().slide(IDC_DL_BRIGHTNESS, -15);
    const logo::LogoSettings tuned{logo::kHalftoneErrorDiffuse, 40, -15};
    EXPECT_EQ(view().text(IDC_DL_CONTRAST_VALUE), u"40");
    EXPECT_EQ(view().text(IDC_DL_BRIGHTNESS_VALUE), u"-15");
    EXPECT_TRUE(view().changed());
    EXPECT_EQ(work(u"c.bmp"), expectedWork(c, pages::PreviewMode::Transformation, tuned));
    EXPECT_EQ(preview(), drawn(work(u"c.bmp")));

    view().clickRow(IDC_DL_LOGO_LIST, 0);
    EXPECT_EQ(view().position(IDC_DL_CONTRAST), 0) << "the first logo's own settings";
    EXPECT_TRUE(view().isChecked(IDC_DL_HALFTONE_DITHER_M3));

    view().clickRow(IDC_DL_LOGO_LIST, 1);
    view().click(IDC_DL_LOGO_DELETE);
    EXPECT_FALSE(hasWork(u"b.bmp"));
    EXPECT_EQ(view().items(IDC_DL_LOGO_LIST), (std::vector<std::u16string>{u"1", u"2"}));
    EXPECT_EQ(view().control(IDC_DL_LOGO_LIST).rows[1].cells[1], u"c.bmp");
    EXPECT_FALSE(view().isEnabled(IDC_DL_MODE_ORIGINAL)) << "nothing is selected after a delete";
    EXPECT_EQ(preview(), std::vector<std::uint32_t>{0xFFFFFF});
    view().clickRow(IDC_DL_LOGO_LIST, 1);
    EXPECT_EQ(page->logos().logos()[1].settings.contrast, 40);
    EXPECT_EQ(view().position(IDC_DL_BRIGHTNESS), -15);
    EXPECT_TRUE(view().isChecked(IDC_DL_HALFTONE_ERROR_DIFFUSE));
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(view().problems().empty());
}

TEST_F(DownloadPageTest, ThePreviewShowsWhatEachModeMakes) {
    const Bytes m = mono(10, 6), c = colour(10, 6);
    ASSERT_TRUE(add(u"m.bmp", m) && add(u"c.bmp", c));
    view().clickRow(IDC_DL_LOGO_LIST, 0);
    EXPECT_EQ(preview(), drawn(m)) << "Original shows the file itself";
    EXPECT_FALSE(view().isEnabled(IDC_DL_CONTRAST));

    view().click(IDC_DL_MODE_TRANSFORMATION);
    EXPECT_EQ(preview(), drawn(m)) << "a 1-bit logo is its own monochrome picture";
    EXPECT_FALSE(view().isEnabled(IDC_DL_HALFTONE_NONE));
    EXPECT_FALSE(view().isEnabled(IDC_DL_BRIGHTNESS));

    view().click(IDC_DL_MODE_GRAY);
    EXPECT_EQ(work(u"m.bmp"), expectedWork(m, pages::PreviewMode::Gray, {}));
    EXPECT_EQ(preview(), drawn(work(u"m.bmp")));
    EXPECT_FALSE(view().isEnabled(IDC_DL_HALFTONE_DITHER_M4));
    EXPECT_TRUE(view().isEnabled(IDC_DL_CONTRAST));

    view().clickRow(IDC_DL_LOGO_LIST, 1);
    view().slide(IDC_DL_BRIGHTNESS, 30);
    EXPECT_EQ(work(u"c.bmp"), expectedWork(c, pages::PreviewMode::Gray, {0, 0, 30}));
    view().click(IDC_DL_MODE_ORIGINAL);
    EXPECT_FALSE(view().isEnabled(IDC_DL_LOGO_DOWNLOAD_ALL));
    EXPECT_EQ(view().position(IDC_DL_BRIGHTNESS), 0) << "Original resets every logo";
    EXPECT_EQ(page->logos().logos()[1].settings.brightness, 0);
    EXPECT_EQ(preview(), drawn(c));
    EXPECT_TRUE(view().problems().empty());
}

// The library's job for the same pictures and settings, built in memory.
Bytes expectedJob(logo::LogoMode mode,
                  const std::vector<std::pair<Bytes, logo::LogoSettings>>& logos) {
    std::vector<std::unique_ptr<MemoryLogo>> held;
    std::vector<logo::LogoFiles*> list;
    for (const auto& [file, s] : logos) {
        held.push_back(std::make_unique<MemoryLogo>(file));
        if (mode == logo::LogoMode::Gray) {
            logo::makeGrayWorkBitmap(*held.back(), ~0u, s.contrast, s.brightness);
        } else {
            logo::makeMonoWorkBitmap(*held.back(), ~0u, s.halftone, s.contrast, s.brightness);
        }
        list.push_back(held.back().get());
    }
    const logo::LogoJobResult job = logo::buildDownloadAllJob(mode, list);
    EXPECT_EQ(job.error, logo::LogoJobError::None) << job.message;
    return job.job.bytes();
}

TEST_F(DownloadPageTest, DownloadAllSendsEveryLogoAsPreviewedInBothModes) {
    const Bytes a = colour(33, 17), m = mono(9, 13), g = gray(5, 3);
    ASSERT_TRUE(add(u"a.bmp", a) && add(u"m.bmp", m) && add(u"g.bmp", g));
    view().clickRow(IDC_DL_LOGO_LIST, 0);
    view().click(IDC_DL_MODE_TRANSFORMATION);
    view().click(IDC_DL_HALFTONE_DITHER_M4);
    view().slide(IDC_DL_CONTRAST, -20);
    // An applied sheet removes the work bitmaps; the logos are still sent as shown.
    EXPECT_TRUE(view().apply());
    EXPECT_FALSE(hasWork(u"a.bmp"));
    view().click(IDC_DL_LOGO_DOWNLOAD_ALL);
    view().click(IDC_DL_MODE_GRAY);
    view().clickRow(IDC_DL_LOGO_LIST, 2);
    view().slide(IDC_DL_BRIGHTNESS, 25);
    view().click(IDC_DL_LOGO_DOWNLOAD_ALL);
    view().click(IDC_DL_LOGO_CLEAR_ALL);

    const auto& jobs = host.jobs();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].doc.docName, u"LOGO");
    EXPECT_EQ(jobs[0].bytes(),
              expectedJob(logo::LogoMode::Transformation,
                          {{a, {logo::kHalftoneDitherM4, -20, 0}}, {m, {}}, {g, {1, 0, 0}}}));
    EXPECT_EQ(jobs[0].pieces.size(), 10u) << "enter, FS q n, header and data per logo, LF, leave";
    EXPECT_EQ(jobs[1].bytes(),
              expectedJob(logo::LogoMode::Gray, {{a, {}}, {m, {}}, {g, {0, 0, 25}}}));
    EXPECT_EQ(jobs[2].doc.docName, u"SELFTEST");
    EXPECT_EQ(jobs[2].pieces, (std::vector<Bytes>{{0x1B, 0x63, 0x3B, 0x01},
                                                  {0x1C, 0x71, 0x00, 0x00, 0x0A},
                                                  {0x1B, 0x63, 0x3B, 0x00}}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(DownloadPageTest, LogosMustStayBelowTheLogoMemory) {
    ASSERT_TRUE(add(u"a.bmp", gray(8, 12)));
    view().clickRow(IDC_DL_LOGO_LIST, 0);
    view().click(IDC_DL_MODE_GRAY);
    view().click(IDC_DL_LOGO_DELETE);
    view().click(IDC_DL_LOGO_DOWNLOAD_ALL);
    // Gray work bitmaps of 1078 + 96 and 1078 + 96300 bytes: 98552 in all.
    ASSERT_TRUE(add(u"a.bmp", gray(8, 12)));
    ASSERT_TRUE(add(u"b.bmp", gray(300, 321)));
    view().click(IDC_DL_LOGO_DOWNLOAD_ALL);
    EXPECT_EQ(messages(), (std::vector<std::u16string>{
                              u"Error: Please select logos first!",
                              u"Error: The total sizes of all the logos is greater 96k!"}));
    EXPECT_TRUE(host.jobs().empty());
}

TEST_F(DownloadPageTest, AFailedDownloadSaysItFailedAndWhy) {
    ASSERT_TRUE(add(u"a.bmp", colour(8, 8)));
    view().clickRow(IDC_DL_LOGO_LIST, 0);
    view().click(IDC_DL_MODE_TRANSFORMATION);
    host.faults().failCall("StartDocPrinterW", platform::err::accessDenied);
    view().click(IDC_DL_LOGO_DOWNLOAD_ALL);
    host.setWriteLimit(2);
    view().click(IDC_DL_LOGO_CLEAR_ALL);
    EXPECT_EQ(messages(),
              (std::vector<std::u16string>{
                  u"Error: The logos were not sent to the printer: the print job could not be "
                  u"started.\nAccess is denied.",
                  u"Error: The logos were not cleared: the spooler took only part of the data."}));
    EXPECT_EQ(host.spoolerCalls(),
              (std::vector<std::string>{"StartDocPrinterW", "StartDocPrinterW", "StartPagePrinter",
                                        "WritePrinter", "EndPagePrinter", "EndDocPrinter"}));
}

TEST_F(DownloadPageTest, WorkBitmapsGoWithTheSheetAndTheUsersFilesStay) {
    host.putFile(folderPath(u"mTemp.bmp"), {1, 2, 3}); // the user's own file
    ASSERT_TRUE(add(u"a.bmp", colour(4, 4)) && add(u"m.bmp", mono(4, 4)));
    view().clickRow(IDC_DL_LOGO_LIST, 1);
    view().click(IDC_DL_MODE_TRANSFORMATION);
    view().cancel();
    EXPECT_FALSE(hasWork(u"a.bmp"));
    view().clickRow(IDC_DL_LOGO_LIST, 0);
    EXPECT_TRUE(hasWork(u"a.bmp")) << "drawn again, made again";
    page->onDestroy(view());
    EXPECT_FALSE(hasWork(u"a.bmp"));
    EXPECT_EQ(host.fileBytes(folderPath(u"mTemp.bmp")), (Bytes{1, 2, 3}));
    EXPECT_TRUE(host.hasFile(folderPath(u"a.bmp")));
}

} // namespace
} // namespace oemui::test

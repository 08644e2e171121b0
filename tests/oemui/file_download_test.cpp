// The Download page's file group and the Font page on the simulated host.
#include "download_test_support.h"

#include "oemui/pages/file_download.h"
#include "oemui/pages/font_page.h"

namespace oemui::test {
namespace {

class FileDownloadTest : public DownloadPageTest {
protected:
    void browse(const std::u16string& name) {
        host.queueOpenFileAnswer(platform::OpenFileResult{folderPath(name), name});
        view().click(IDC_DL_FILE_BROWSE);
    }
};

TEST_F(FileDownloadTest, SendsTheFileByteForByteInBoundedPieces) {
    Bytes firmware(2 * pages::FileDownload::kPieceBytes + 18928);
    for (std::size_t i = 0; i < firmware.size(); ++i) {
        firmware[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    host.putFile(folderPath(u"k500.JK"), firmware);
    host.putFile(folderPath(u"empty.DAT"), {});
    browse(u"k500.JK");
    const auto& request = host.openFileRequests().back();
    EXPECT_EQ(request.title, u"Please select a file");
    EXPECT_EQ(request.filters, (decltype(request.filters){
                                   {u"*.JK", u"*.JK"}, {u"*.DAT", u"*.DAT"}, {u"*.*", u"*.*"}}));
    EXPECT_EQ(request.filterIndex, 1u);
    EXPECT_EQ(request.maxPath, 1024u);
    EXPECT_EQ(view().text(IDC_DL_FILE_PATH), folderPath(u"k500.JK"));
    EXPECT_TRUE(view().isEnabled(IDC_DL_FILE_DOWNLOAD));
    view().click(IDC_DL_FILE_DOWNLOAD);
    browse(u"empty.DAT");
    view().click(IDC_DL_FILE_DOWNLOAD);

    ASSERT_EQ(host.jobs().size(), 2u);
    const auto& job = host.jobs()[0];
    EXPECT_EQ(job.doc.docName, u"FIRMWARE");
    EXPECT_EQ(job.doc.datatype, u"RAW");
    EXPECT_EQ(job.bytes(), firmware);
    std::vector<std::size_t> sizes;
    for (const auto& piece : job.pieces) {
        sizes.push_back(piece.size());
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{65536, 65536, 18928}));
    EXPECT_TRUE(host.jobs()[1].pieces.empty()) << "an empty file is a job without data";
    EXPECT_EQ(host.openHandles(), 0u);
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(view().type(IDC_DL_FILE_PATH, u"C:\\other.JK")) << "only Browse fills the path";
}

TEST_F(FileDownloadTest, RefusalsAndFailuresSayWhy) {
    host.putFile(folderPath(u"a.JK"), Bytes(10, 1));
    browse(u"gone.JK");
    view().click(IDC_DL_FILE_DOWNLOAD);
    browse(u"a.JK");
    for (const char* call : {"GetFileSize", "ReadFile", "StartPagePrinter"}) {
        host.faults().failCall(call, platform::err::accessDenied);
        view().click(IDC_DL_FILE_DOWNLOAD);
    }
    host.setWriteLimit(4);
    view().click(IDC_DL_FILE_DOWNLOAD);
    EXPECT_EQ(messages(),
              (std::vector<std::u16string>{
                  u"Error: Fail to open the selected file!",
                  u"Error: Failed to get the size of the selected file!",
                  u"Error: Failed to get data from the file!",
                  u"Error: The file was not sent to the printer: the page of the print job could "
                  u"not be started.\nAccess is denied.",
                  u"Error: The file was not sent to the printer: the spooler took only part of "
                  u"the data."}));
    EXPECT_EQ(host.jobs().size(), 2u) << "unreadable files start no job";
    EXPECT_EQ(host.openHandles(), 0u);
}

TEST(FontPage, ShowsTheFixedTreeExpandedWithTheRootSelected) {
    pages::FontPage page;
    ui::FakeDialog<std::u16string> view(oemui::dialogTemplates(), IDD_FONT, page);
    view.open();
    const auto& tree = view.control(IDC_FN_TREE);
    EXPECT_EQ(tree.treeIcons, (std::vector<int>{125, 126, 127}));
    std::vector<std::string> lines;
    for (const auto& node : tree.tree) {
        lines.push_back(std::to_string(node.parent) + " " + std::to_string(node.image) + " " +
                        std::string(node.text.begin(), node.text.end()) +
                        (node.expanded ? " +" : ""));
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "0 0 Printer Fonts and Font Sizes +", "1 1 Font A +", "2 2 FontA11    9.5",
                  "2 2 FontA12    19.0", "2 2 FontA21    9.5", "2 2 FontA22   19.0",
                  "2 2 FontA24   38.5", "2 2 FontA42   19.0", "2 2 FontA44   38.5", "1 1 Font B +",
                  "10 2 FontB11    7.0", "10 2 FontB12    13.5", "10 2 FontB21    7.0",
                  "10 2 FontB22   13.5", "10 2 FontB24   27.0", "10 2 FontB42   13.5",
                  "10 2 FontB44   27.0", "1 1 Control Font +", "18 2 Control    1.0"}));
    EXPECT_EQ(tree.selectedTreeItem, 1u);
    EXPECT_TRUE(view.apply());
    EXPECT_TRUE(view.problems().empty());
}

} // namespace
} // namespace oemui::test

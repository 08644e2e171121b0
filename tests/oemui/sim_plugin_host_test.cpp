// The simulated side of the plug-in's seam answers as Windows does where the
// pages' tests rely on it: forms, files with sharing, spooler state, the
// open-file dialog.
#include "platform/sim/sim_plugin_host.h"

#include <gtest/gtest.h>

namespace platform::sim {
namespace {

constexpr std::uint32_t errorInvalidFormName = 1902;

FormInfo1W form(const std::u16string& name, std::int32_t w, std::int32_t h) {
    return {0, name, w, h, 0, 0, w, h};
}

TEST(SimPluginHost, FormsAreAddedChangedAndDeletedByName) {
    SimPluginHost host;
    const Handle printer = host.addPrinter(u"P");
    ASSERT_TRUE(host.AddFormW(printer, form(u"Custom Paper-K500NX", 80000, 297000)));
    EXPECT_FALSE(host.AddFormW(printer, form(u"custom paper-k500nx", 1, 1)));
    EXPECT_EQ(err::fileExists, host.GetLastError());

    ASSERT_TRUE(host.SetFormW(printer, u"Custom Paper-K500NX", form(u"ignored", 41000, 25400)));
    std::vector<FormInfo1W> forms;
    ASSERT_TRUE(host.EnumFormsW(printer, forms));
    ASSERT_EQ(3u, forms.size());
    EXPECT_EQ(u"Custom Paper-K500NX", forms[2].name);
    EXPECT_EQ(41000, forms[2].width);

    EXPECT_FALSE(host.SetFormW(printer, u"Custom Paper-None", form(u"x", 1, 1)));
    EXPECT_EQ(errorInvalidFormName, host.GetLastError());
    EXPECT_FALSE(host.DeleteFormW(printer, u"A4")) << "built-in forms stay";
    EXPECT_TRUE(host.DeleteFormW(printer, u"Custom Paper-K500NX"));
    EXPECT_FALSE(host.DeleteFormW(printer, u"Custom Paper-K500NX"));

    host.faults().failCall("AddFormW", err::accessDenied);
    EXPECT_FALSE(host.AddFormW(printer, form(u"Custom Paper-A", 1, 1)));
    EXPECT_EQ(err::accessDenied, host.GetLastError());
}

TEST(SimPluginHost, JobsNeedAKnownPrinterAndOneOpenDocumentAtATime) {
    SimPluginHost host;
    const Handle printer = host.addPrinter(u"P");
    DocInfo1W doc{u"LOGO", u"", u"RAW"};
    EXPECT_EQ(0u, host.StartDocPrinterW(printer + 99, doc));
    EXPECT_EQ(err::invalidHandle, host.GetLastError());
    ASSERT_NE(0u, host.StartDocPrinterW(printer, doc));
    EXPECT_EQ(0u, host.StartDocPrinterW(printer, doc));
    ASSERT_TRUE(host.EndDocPrinter(printer));
    EXPECT_FALSE(host.EndDocPrinter(printer));
    EXPECT_EQ(0u, host.StartDocPrinterW(printer, DocInfo1W{u"X", u"", u"EMF"}));
    EXPECT_EQ(err::invalidDatatype, host.GetLastError());
}

TEST(SimPluginHost, FilesKeepTheirContentAndHonourSharing) {
    SimPluginHost host;
    const std::u16string path = u"C:\\Users\\User\\AppData\\Local\\Temp\\Printer1.bmp";
    const Handle out =
        host.CreateFileW(path, PluginHost::genericWrite, 0, PluginHost::createAlways);
    ASSERT_NE(invalidHandle, out);
    const std::uint8_t bytes[] = {'B', 'M', 1, 2, 3};
    std::uint32_t done = 0;
    ASSERT_TRUE(host.WriteFile(out, bytes, sizeof bytes, done));
    EXPECT_EQ(invalidHandle, host.CreateFileW(path, PluginHost::genericRead, PluginHost::shareRead,
                                              PluginHost::openExisting));
    EXPECT_EQ(err::sharingViolation, host.GetLastError());
    EXPECT_FALSE(host.DeleteFileW(path));
    ASSERT_TRUE(host.CloseHandle(out));

    const Handle in = host.CreateFileW(path, PluginHost::genericRead, PluginHost::shareRead,
                                       PluginHost::openExisting);
    ASSERT_NE(invalidHandle, in);
    EXPECT_EQ(5u, host.GetFileSize(in, nullptr));
    EXPECT_EQ(2u, host.SetFilePointer(in, 2, nullptr, PluginHost::fileBegin));
    std::uint8_t back[8] = {};
    ASSERT_TRUE(host.ReadFile(in, back, sizeof back, done));
    EXPECT_EQ(3u, done);
    EXPECT_EQ(3, back[2]);
    EXPECT_EQ(PluginHost::invalidFileSize,
              host.SetFilePointer(in, -9, nullptr, PluginHost::fileBegin));
    ASSERT_TRUE(host.CloseHandle(in));

    EXPECT_EQ(invalidHandle, host.CreateFileW(u"C:\\Missing\\a.bmp", PluginHost::genericWrite, 0,
                                              PluginHost::createAlways));
    EXPECT_EQ(err::pathNotFound, host.GetLastError());
    EXPECT_EQ(invalidHandle, host.CreateFileW(u"C:\\nothing.bin", PluginHost::genericRead, 0,
                                              PluginHost::openExisting));
    EXPECT_EQ(err::fileNotFound, host.GetLastError());
    EXPECT_EQ(0u, host.openHandles());
}

TEST(SimPluginHost, CopyAndAttributesFollowTheReadOnlyRule) {
    SimPluginHost host;
    host.putFile(u"C:\\Pictures\\logo.bmp", {1, 2, 3});
    host.putFile(u"C:\\Pictures\\locked.bmp", {9}, fileattr::readOnly);
    EXPECT_TRUE(host.CopyFileW(u"C:\\Pictures\\logo.bmp", u"C:\\Pictures\\copy.bmp", false));
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 3}), host.fileBytes(u"c:\\pictures\\COPY.bmp"));
    EXPECT_FALSE(host.CopyFileW(u"C:\\Pictures\\logo.bmp", u"C:\\Pictures\\copy.bmp", true));
    EXPECT_FALSE(host.CopyFileW(u"C:\\Pictures\\logo.bmp", u"C:\\Pictures\\locked.bmp", false));
    EXPECT_EQ(err::accessDenied, host.GetLastError());
    EXPECT_TRUE(host.SetFileAttributesW(u"C:\\Pictures\\locked.bmp", fileattr::archive));
    EXPECT_TRUE(host.CopyFileW(u"C:\\Pictures\\logo.bmp", u"C:\\Pictures\\locked.bmp", false));
    EXPECT_EQ(fileattr::directory, host.GetFileAttributesW(u"C:\\Pictures\\"));
    EXPECT_EQ(fileattr::invalid, host.GetFileAttributesW(u"C:\\Pictures\\none.bmp"));
}

// Profile files as the wide profile functions keep them, and moves that
// replace a file only when asked to and when nothing holds it.
TEST(SimPluginHost, ProfileFilesAndMovesFollowWindows) {
    SimPluginHost host;
    const std::u16string folder = SimPluginHost::driverFolder;
    const std::u16string table = folder + u"\\57KXCONTROL.dat";
    const std::u16string fresh = table + u".new";
    EXPECT_EQ(u"C:\\Windows", host.GetWindowsDirectoryW());
    EXPECT_EQ(u"none", host.GetPrivateProfileStringW(u"S", u"41", u"none", 64, table));
    ASSERT_TRUE(host.WritePrivateProfileStringW(u"S", u"41", u"1B 21 ", fresh));
    EXPECT_EQ((std::vector<std::uint8_t>{'[', 'S', ']', '\r', '\n', '4', '1', '=', '1', 'B', ' ',
                                         '2', '1', ' ', '\r', '\n'}),
              host.fileBytes(fresh))
        << "a new profile file is written in the ANSI code page";
    EXPECT_EQ(u"1B 2", host.GetPrivateProfileStringW(u"s", u"41", u"", 5, fresh));
    EXPECT_FALSE(host.WritePrivateProfileStringW(u"S", u"41", u"", u"C:\\No\\x.dat"));
    EXPECT_EQ(err::pathNotFound, host.GetLastError());

    // A file in UTF-16 with its byte-order mark is read as such.
    host.putFile(table, {0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n', 0, 'A', 0, '=', 0, '7', 0});
    EXPECT_EQ(u"7", host.GetPrivateProfileStringW(u"S", u"A", u"", 64, table));

    EXPECT_FALSE(host.MoveFileExW(fresh, table, 0));
    EXPECT_EQ(err::alreadyExists, host.GetLastError());
    const Handle held =
        host.CreateFileW(table, PluginHost::genericRead, 0, PluginHost::openExisting);
    EXPECT_FALSE(host.MoveFileExW(fresh, table, PluginHost::moveFileReplaceExisting));
    EXPECT_EQ(err::sharingViolation, host.GetLastError());
    host.CloseHandle(held);
    ASSERT_TRUE(host.MoveFileExW(fresh, table, PluginHost::moveFileReplaceExisting));
    EXPECT_FALSE(host.hasFile(fresh));
    EXPECT_EQ(u"1B 21", host.GetPrivateProfileStringW(u"S", u"41", u"", 64, table));
    EXPECT_FALSE(host.MoveFileExW(fresh, table, PluginHost::moveFileReplaceExisting));
    EXPECT_EQ(err::fileNotFound, host.GetLastError());

    std::u16string text;
    ASSERT_TRUE(host.FormatMessageW(err::accessDenied, text));
    EXPECT_EQ(u"Access is denied.\r\n", text);
}

TEST(SimPluginHost, OpenFileDialogAnswersAsScriptedAndRecordsTheRequest) {
    SimPluginHost host;
    host.queueOpenFileAnswer(OpenFileResult{u"C:\\Pictures\\shop.bmp", u"shop.bmp"});
    host.queueOpenFileAnswer(std::nullopt);
    OpenFileRequest request;
    request.title = u"Please Select a Logo file";
    request.filters = {{u"*.bmp", u"*.bmp"}};
    OpenFileResult chosen;
    ASSERT_TRUE(host.GetOpenFileNameW(request, chosen));
    EXPECT_EQ(u"shop.bmp", chosen.fileTitle);
    EXPECT_FALSE(host.GetOpenFileNameW(request, chosen));
    EXPECT_EQ(0u, host.GetLastError()) << "a cancel is no error";
    ASSERT_EQ(2u, host.openFileRequests().size());
    EXPECT_EQ(u"Please Select a Logo file", host.openFileRequests()[0].title);
}

} // namespace
} // namespace platform::sim

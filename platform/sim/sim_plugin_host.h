// The UI plug-in's seam on a simulated machine: printers known by handle, whose
// raw jobs are recorded piece by piece; the machine's forms; files and folders
// in memory with sharing and read-only rules; scripted answers of the open-file
// dialog. Every call can be told to fail (faults(), by the API's name).
#pragma once

#include "platform/plugin_host.h"
#include "platform/sim/faults.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

// One raw job as the spooler received it.
struct SimJob {
    std::uint32_t id = 0;
    Handle printer = 0;
    DocInfo1W doc;
    std::vector<std::vector<std::uint8_t>> pieces; // one per WritePrinter
    unsigned pages = 0;                            // StartPagePrinter calls
    bool pageOpen = false;
    bool ended = false; // EndDocPrinter seen

    std::vector<std::uint8_t> bytes() const;
};

class SimPluginHost : public PluginHost {
public:
    // FORM_INFO_1 flags.
    static constexpr std::uint32_t formUser = 0;
    static constexpr std::uint32_t formBuiltin = 1;

    SimPluginHost();

    // --- arranging -------------------------------------------------------
    // A printer the host has opened; the answer is its handle.
    Handle addPrinter(const std::u16string& name);
    // The machine's forms start with the built-in "Letter" and "A4".
    std::vector<FormInfo1W>& forms() { return forms_; }
    void addFolder(const std::u16string& path);
    void putFile(const std::u16string& path, std::vector<std::uint8_t> bytes,
                 std::uint32_t attributes = fileattr::archive);
    // The next GetOpenFileNameW answers with this file, or as a cancel (nullopt).
    void queueOpenFileAnswer(std::optional<OpenFileResult> answer);
    // WritePrinter reports at most this many bytes written per call (0: all).
    void setWriteLimit(std::uint32_t bytes) { writeLimit_ = bytes; }
    void setTempPath(std::u16string path) { tempPath_ = std::move(path); }
    // The Windows folder is C:\Windows; the driver's own folder under it
    // exists from the start, as it does wherever the driver is installed.
    static constexpr const char16_t* driverFolder =
        u"C:\\Windows\\system32\\spool\\drivers\\x64\\3";
    // Answers for the questions (Yes/No, OK/Cancel), in order; a question with
    // no answer left gets No (Cancel).
    void queueMessageBoxAnswers(const std::vector<int>& answers);
    Faults& faults() { return faults_; }
    // The display's fonts, as EnumFontFamiliesExW reports them: "Arial" and
    // "Courier New" (TrueType, each a regular and a bold style), "System"
    // (raster) at first.
    std::vector<FontFamilyW>& fontFamilies() { return fonts_; }
    void setLogPixelsY(int dpi) { logPixelsY_ = dpi; }

    // --- inspecting ------------------------------------------------------
    const std::vector<SimJob>& jobs() const { return jobs_; }
    // Every spooler call on a printer handle, in order ("StartDocPrinterW", ...).
    const std::vector<std::string>& spoolerCalls() const { return spoolerCalls_; }
    const std::vector<OpenFileRequest>& openFileRequests() const { return openFileRequests_; }
    struct MessageBoxShown {
        std::u16string text;
        std::u16string caption;
        std::uint32_t type = 0;
        int answer = 0;
    };
    const std::vector<MessageBoxShown>& messageBoxes() const { return messageBoxes_; }
    bool hasFile(const std::u16string& path) const;
    std::vector<std::uint8_t> fileBytes(const std::u16string& path) const;
    std::size_t openHandles() const { return handles_.size(); }
    // Text is measured as |lfHeight| high and half as wide per character, and
    // drawn as a black box of that size standing on the start point.
    struct TextOutCall {
        LogFontW font;
        std::uint32_t align = 0;
        int x = 0, y = 0;
        std::u16string text;
    };
    const std::vector<TextOutCall>& textOuts() const { return textOuts_; }

    // --- PluginHost --------------------------------------------------------
    std::uint32_t StartDocPrinterW(Handle printer, const DocInfo1W& doc) override;
    bool StartPagePrinter(Handle printer) override;
    bool WritePrinter(Handle printer, const std::uint8_t* bytes, std::uint32_t count,
                      std::uint32_t& written) override;
    bool EndPagePrinter(Handle printer) override;
    bool EndDocPrinter(Handle printer) override;
    bool EnumFormsW(Handle printer, std::vector<FormInfo1W>& forms) override;
    bool AddFormW(Handle printer, const FormInfo1W& form) override;
    bool SetFormW(Handle printer, const std::u16string& name, const FormInfo1W& form) override;
    bool DeleteFormW(Handle printer, const std::u16string& name) override;
    Handle CreateFileW(const std::u16string& path, std::uint32_t access, std::uint32_t shareMode,
                       std::uint32_t creation) override;
    bool ReadFile(Handle file, std::uint8_t* buffer, std::uint32_t count,
                  std::uint32_t& read) override;
    bool WriteFile(Handle file, const std::uint8_t* bytes, std::uint32_t count,
                   std::uint32_t& written) override;
    std::uint32_t GetFileSize(Handle file, std::uint32_t* high) override;
    std::uint32_t SetFilePointer(Handle file, std::int32_t distance, std::int32_t* high,
                                 std::uint32_t method) override;
    bool CloseHandle(Handle file) override;
    bool CopyFileW(const std::u16string& from, const std::u16string& to,
                   bool failIfExists) override;
    bool DeleteFileW(const std::u16string& path) override;
    std::uint32_t GetFileAttributesW(const std::u16string& path) override;
    bool SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) override;
    std::u16string GetTempPathW() override;
    int MessageBoxW(Handle owner, const std::u16string& text, const std::u16string& caption,
                    std::uint32_t type) override;
    bool GetOpenFileNameW(const OpenFileRequest& request, OpenFileResult& chosen) override;
    std::uint32_t GetLastError() override { return lastError_; }
    void SetLastError(std::uint32_t code) override { lastError_ = code; }
    // The simulated machine's ANSI code page is 1252 (Western European); a
    // character it lacks becomes "?".
    bool WideCharToMultiByte(std::uint32_t codePage, const std::u16string& text,
                             std::string& bytes) override;

    // The control-font table and the utility page's reasons. Profile files
    // are kept in the ANSI code page as Windows creates them (a file that
    // starts with a UTF-16 byte-order mark is read and written as UTF-16);
    // characters outside Latin-1 become '?', as an unmappable character does.
    std::u16string GetWindowsDirectoryW() override;
    std::u16string GetPrivateProfileStringW(const std::u16string& section,
                                            const std::u16string& key,
                                            const std::u16string& defaultValue,
                                            std::uint32_t bufferSize,
                                            const std::u16string& file) override;
    bool WritePrivateProfileStringW(const std::u16string& section, const std::u16string& key,
                                    const std::u16string& value,
                                    const std::u16string& file) override;
    bool MoveFileExW(const std::u16string& from, const std::u16string& to,
                     std::uint32_t flags) override;
    bool FormatMessageW(std::uint32_t code, std::u16string& text) override;
    std::vector<FontFamilyW> EnumFontFamiliesExW(Handle window, const LogFontW& filter) override;
    int GetDeviceCaps(Handle window, int index) override;
    bool GetTextExtentPoint32W(const LogFontW& font, const std::u16string& text, int& cx,
                               int& cy) override;
    bool TextOutW(Bitmap32& picture, const LogFontW& font, std::uint32_t align, int x, int y,
                  const std::u16string& text) override;

private:
    struct File {
        std::vector<std::uint8_t> bytes;
        std::uint32_t attributes = fileattr::archive;
    };
    struct OpenFile {
        std::u16string key;
        std::uint32_t access = 0;
        std::uint32_t share = 0;
        std::uint64_t position = 0;
    };

    bool injected(const char* call);
    bool fail(std::uint32_t error);
    // Sets the last error and answers with the call's failure value.
    template <typename T> T failWith(std::uint32_t error, T failure) {
        lastError_ = error;
        return failure;
    }
    SimJob* openJob(Handle printer);
    SimJob* jobCall(const char* call, Handle printer);
    bool knownPrinter(Handle printer);
    bool parentExists(const std::u16string& key) const;
    bool sharingAllows(const std::u16string& key, std::uint32_t access, std::uint32_t share) const;
    bool inUse(const std::u16string& key) const;
    OpenFile* handle(Handle file);
    // A profile file's text as the profile functions read it; false when the
    // file cannot be opened (its folder is missing, it is locked).
    bool profileText(const std::u16string& key, std::string& text, bool& wide) const;

    Faults faults_;
    std::uint32_t lastError_ = 0;
    std::map<Handle, std::u16string> printers_;
    std::vector<SimJob> jobs_;
    std::vector<std::string> spoolerCalls_;
    std::uint32_t writeLimit_ = 0;
    std::vector<FormInfo1W> forms_;
    std::map<std::u16string, File> files_; // by upper-case path
    std::set<std::u16string> folders_;     // upper-case, no final backslash
    std::map<Handle, OpenFile> handles_;
    Handle nextHandle_ = 0x1000;
    std::u16string tempPath_ = u"C:\\Users\\User\\AppData\\Local\\Temp\\";
    std::deque<std::optional<OpenFileResult>> openFileAnswers_;
    std::vector<OpenFileRequest> openFileRequests_;
    std::deque<int> messageBoxAnswers_;
    std::vector<MessageBoxShown> messageBoxes_;
    std::vector<FontFamilyW> fonts_;
    int logPixelsY_ = 96;
    std::vector<TextOutCall> textOuts_;
};

} // namespace platform::sim

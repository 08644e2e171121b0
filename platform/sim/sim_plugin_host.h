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
    // Answers for the questions (Yes/No, OK/Cancel), in order; a question with
    // no answer left gets No (Cancel).
    void queueMessageBoxAnswers(const std::vector<int>& answers);
    Faults& faults() { return faults_; }

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
    bool FormatMessageW(std::uint32_t code, std::u16string& text) override;

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
};

} // namespace platform::sim

// The UI plug-in's seam on real Windows: the W functions, one each.
#pragma once

#include "platform/plugin_host.h"

#include <functional>

namespace platform::win32 {

class Win32PluginHost : public PluginHost {
public:
    // Runs a call inside the plug-in's activation context (the open-file dialog
    // needs Common Controls 6 like the pages); empty: the call runs as it is.
    using ContextRunner = std::function<bool(const std::function<bool()>&)>;
    explicit Win32PluginHost(ContextRunner runInContext = {})
        : runInContext_(std::move(runInContext)) {}

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
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;
    bool WideCharToMultiByte(std::uint32_t codePage, const std::u16string& text,
                             std::string& bytes) override;

    // The control-font table and the utility page's reasons.
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
    ContextRunner runInContext_;
};

} // namespace platform::win32

// The UI plug-in's seam to Windows: what its pages need of the spooler (raw jobs
// on the host's printer handle, forms), of files and folders, and the open-file
// dialog. The plug-in speaks UTF-16, so every text is a std::u16string and the
// Win32 side calls the W functions. Calls answer as the real ones do: a result
// or success flag, with the reason in GetLastError().
#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// DOC_INFO_1W; an empty text stands for NULL.
struct DocInfo1W {
    std::u16string docName;
    std::u16string outputFile;
    std::u16string datatype;
};

// FORM_INFO_1W: sizes in thousandths of a millimetre.
struct FormInfo1W {
    std::uint32_t flags = 0; // FORM_USER 0, FORM_BUILTIN 1, FORM_PRINTER 2
    std::u16string name;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// What GetOpenFileNameW is given.
struct OpenFileRequest {
    Handle owner = 0;
    std::u16string title;                                           // empty: the system's
    std::vector<std::pair<std::u16string, std::u16string>> filters; // (text, pattern)
    std::uint32_t filterIndex = 1;
    std::uint32_t flags = 0;
    std::uint32_t maxPath = 1024; // characters of the path buffer, terminator included
};

// What it answers when the user picks a file.
struct OpenFileResult {
    std::u16string path;
    std::u16string fileTitle; // the name without its folder
};

// LOGFONTW.
struct LogFontW {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0; // tenths of a degree
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName; // at most 31 characters
};

// One font EnumFontFamiliesExW reports: its LOGFONTW and its FontType
// (RASTER_FONTTYPE 1, DEVICE_FONTTYPE 2, TRUETYPE_FONTTYPE 4).
struct FontFamilyW {
    LogFontW font;
    std::uint32_t fontType = 0;
};

// Pixels a drawing call works on: 0x00RRGGBB, rows top-down.
struct Bitmap32 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class PluginHost {
public:
    virtual ~PluginHost() = default;

    // CreateFileW arguments.
    static constexpr std::uint32_t genericRead = 0x80000000u;
    static constexpr std::uint32_t genericWrite = 0x40000000u;
    static constexpr std::uint32_t shareRead = 0x1;
    static constexpr std::uint32_t shareWrite = 0x2;
    static constexpr std::uint32_t createAlways = 2;
    static constexpr std::uint32_t openExisting = 3;
    // SetFilePointer methods, and GetFileSize's INVALID_FILE_SIZE.
    static constexpr std::uint32_t fileBegin = 0;
    static constexpr std::uint32_t fileEnd = 2;
    static constexpr std::uint32_t invalidFileSize = 0xFFFFFFFFu;
    // OPENFILENAMEW flags the pages use.
    static constexpr std::uint32_t ofnOverwritePrompt = 0x00000002;
    static constexpr std::uint32_t ofnHideReadOnly = 0x00000004;
    static constexpr std::uint32_t ofnPathMustExist = 0x00000800;
    static constexpr std::uint32_t ofnCreatePrompt = 0x00002000;
    static constexpr std::uint32_t ofnExtensionDifferent = 0x00000400;
    static constexpr std::uint32_t ofnLongNames = 0x00200000;

    // Raw jobs on the host's printer handle. The plug-in never opens or closes
    // a printer itself.
    virtual std::uint32_t StartDocPrinterW(Handle printer, const DocInfo1W& doc) = 0; // job id; 0
    virtual bool StartPagePrinter(Handle printer) = 0;
    virtual bool WritePrinter(Handle printer, const std::uint8_t* bytes, std::uint32_t count,
                              std::uint32_t& written) = 0;
    virtual bool EndPagePrinter(Handle printer) = 0;
    virtual bool EndDocPrinter(Handle printer) = 0;

    // The printer's forms, level 1. EnumFormsW asks for the size and enumerates
    // again, as the real call needs.
    virtual bool EnumFormsW(Handle printer, std::vector<FormInfo1W>& forms) = 0;
    virtual bool AddFormW(Handle printer, const FormInfo1W& form) = 0;
    virtual bool SetFormW(Handle printer, const std::u16string& name, const FormInfo1W& form) = 0;
    virtual bool DeleteFormW(Handle printer, const std::u16string& name) = 0;

    // Files by handle, as the pages read bitmaps and firmware and write pictures.
    virtual Handle CreateFileW(const std::u16string& path, std::uint32_t access,
                               std::uint32_t shareMode,
                               std::uint32_t creation) = 0; // invalidHandle
    virtual bool ReadFile(Handle file, std::uint8_t* buffer, std::uint32_t count,
                          std::uint32_t& read) = 0;
    virtual bool WriteFile(Handle file, const std::uint8_t* bytes, std::uint32_t count,
                           std::uint32_t& written) = 0;
    virtual std::uint32_t GetFileSize(Handle file, std::uint32_t* high) = 0;
    virtual std::uint32_t SetFilePointer(Handle file, std::int32_t distance, std::int32_t* high,
                                         std::uint32_t method) = 0; // invalidFileSize
    virtual bool CloseHandle(Handle file) = 0;
    virtual bool CopyFileW(const std::u16string& from, const std::u16string& to,
                           bool failIfExists) = 0;
    virtual bool DeleteFileW(const std::u16string& path) = 0;
    virtual std::uint32_t GetFileAttributesW(const std::u16string& path) = 0; // fileattr::invalid
    virtual bool SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) = 0;

    // GetTempPathW: the folder with its final backslash; empty on failure.
    virtual std::u16string GetTempPathW() = 0;

    // MessageBoxW; answers mb::idOk, idYes, idNo... (0 when the box failed).
    virtual int MessageBoxW(Handle owner, const std::u16string& text, const std::u16string& caption,
                            std::uint32_t type) = 0;

    // GetOpenFileNameW, run inside the plug-in's activation context. false when
    // the user cancels (last error 0) or the dialog fails.
    virtual bool GetOpenFileNameW(const OpenFileRequest& request, OpenFileResult& chosen) = 0;

    virtual std::uint32_t GetLastError() = 0;
    virtual void SetLastError(std::uint32_t code) = 0;

    // The barcode pages hand the printer their data in the ANSI code page.
    // WideCharToMultiByte(codePage, 0, ...) with the system's default character
    // for what the code page lacks; an empty text gives no bytes and succeeds.
    static constexpr std::uint32_t cpAcp = 0;
    virtual bool WideCharToMultiByte(std::uint32_t codePage, const std::u16string& text,
                                     std::string& bytes) = 0;
    // --- the control-font table (57KXCONTROL.dat in the spooler's driver
    // folder) and the reasons the utility page gives for a refusal.
    // MoveFileExW flag.
    static constexpr std::uint32_t moveFileReplaceExisting = 0x1;
    // GetWindowsDirectoryW, without a final backslash; empty on failure.
    virtual std::u16string GetWindowsDirectoryW() = 0;
    // GetPrivateProfileStringW with a buffer of bufferSize characters: the
    // value is cut to bufferSize - 1 characters.
    virtual std::u16string GetPrivateProfileStringW(const std::u16string& section,
                                                    const std::u16string& key,
                                                    const std::u16string& defaultValue,
                                                    std::uint32_t bufferSize,
                                                    const std::u16string& file) = 0;
    virtual bool WritePrivateProfileStringW(const std::u16string& section,
                                            const std::u16string& key, const std::u16string& value,
                                            const std::u16string& file) = 0;
    virtual bool MoveFileExW(const std::u16string& from, const std::u16string& to,
                             std::uint32_t flags) = 0;
    // The system's text for an error (FormatMessageW from the system), with
    // its final line break; false when the system has none. The utility and
    // Download pages say why the spooler refused.
    virtual bool FormatMessageW(std::uint32_t code, std::u16string& text) = 0;
    // --- the watermark page: the display's fonts and the text picture it draws
    static constexpr int logPixelsY = 90; // GetDeviceCaps index
    static constexpr std::uint32_t trueTypeFontType = 4;
    static constexpr std::uint32_t taBaseline = 24; // SetTextAlign: TA_LEFT | TA_BASELINE
    // EnumFontFamiliesExW on the window's DC with a LOGFONTW that holds only
    // `filter`'s face name (empty: every face) and character set; every font it
    // reports, in order.
    virtual std::vector<FontFamilyW> EnumFontFamiliesExW(Handle window, const LogFontW& filter) = 0;
    // GetDeviceCaps on the window's DC.
    virtual int GetDeviceCaps(Handle window, int index) = 0;
    // GetTextExtentPoint32W of the text in the font, on a display-compatible DC.
    virtual bool GetTextExtentPoint32W(const LogFontW& font, const std::u16string& text, int& cx,
                                       int& cy) = 0;
    // TextOutW into the picture it is handed, with SetTextAlign(align), black
    // text on an opaque white background.
    virtual bool TextOutW(Bitmap32& picture, const LogFontW& font, std::uint32_t align, int x,
                          int y, const std::u16string& text) = 0;
};

} // namespace platform

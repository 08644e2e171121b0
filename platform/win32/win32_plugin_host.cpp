#include "platform/win32/win32_plugin_host.h"

#include <windows.h>

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

namespace platform::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

HANDLE toHandle(Handle h) {
    return h == invalidHandle ? INVALID_HANDLE_VALUE
                              : reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(h));
}

Handle fromHandle(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? invalidHandle
                                     : static_cast<Handle>(reinterpret_cast<std::uintptr_t>(h));
}

const wchar_t* wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

// An empty text stands for NULL in the records the spooler takes.
wchar_t* wideOrNull(const std::u16string& s) {
    return s.empty() ? nullptr : const_cast<wchar_t*>(wide(s));
}

std::u16string fromWide(const wchar_t* s) {
    return s == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(s));
}

FORM_INFO_1W toFormInfo(const FormInfo1W& form) {
    FORM_INFO_1W info{};
    info.Flags = form.flags;
    info.pName = wideOrNull(form.name);
    info.Size.cx = form.width;
    info.Size.cy = form.height;
    info.ImageableArea.left = form.left;
    info.ImageableArea.top = form.top;
    info.ImageableArea.right = form.right;
    info.ImageableArea.bottom = form.bottom;
    return info;
}

HWND toWindow(Handle h) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(h));
}

LOGFONTW toLogFont(const LogFontW& font) {
    LOGFONTW out{};
    out.lfHeight = font.height;
    out.lfWidth = font.width;
    out.lfEscapement = font.escapement;
    out.lfOrientation = font.orientation;
    out.lfWeight = font.weight;
    out.lfItalic = font.italic;
    out.lfUnderline = font.underline;
    out.lfStrikeOut = font.strikeOut;
    out.lfCharSet = font.charSet;
    out.lfOutPrecision = font.outPrecision;
    out.lfClipPrecision = font.clipPrecision;
    out.lfQuality = font.quality;
    out.lfPitchAndFamily = font.pitchAndFamily;
    const std::size_t units = std::min<std::size_t>(font.faceName.size(), LF_FACESIZE - 1);
    std::copy_n(font.faceName.begin(), units, out.lfFaceName);
    return out;
}

LogFontW fromLogFont(const LOGFONTW& font) {
    LogFontW out;
    out.height = font.lfHeight;
    out.width = font.lfWidth;
    out.escapement = font.lfEscapement;
    out.orientation = font.lfOrientation;
    out.weight = font.lfWeight;
    out.italic = font.lfItalic;
    out.underline = font.lfUnderline;
    out.strikeOut = font.lfStrikeOut;
    out.charSet = font.lfCharSet;
    out.outPrecision = font.lfOutPrecision;
    out.clipPrecision = font.lfClipPrecision;
    out.quality = font.lfQuality;
    out.pitchAndFamily = font.lfPitchAndFamily;
    out.faceName = fromWide(font.lfFaceName);
    return out;
}

// A memory DC compatible with the display, with the font selected; everything
// is released with it.
class FontDc {
public:
    explicit FontDc(const LogFontW& font) {
        const LOGFONTW logFont = toLogFont(font);
        dc_ = ::CreateCompatibleDC(nullptr);
        font_ = ::CreateFontIndirectW(&logFont);
        if (dc_ != nullptr && font_ != nullptr) {
            old_ = ::SelectObject(dc_, font_);
        }
    }
    ~FontDc() {
        if (old_ != nullptr) {
            ::SelectObject(dc_, old_);
        }
        if (font_ != nullptr) {
            ::DeleteObject(font_);
        }
        if (dc_ != nullptr) {
            ::DeleteDC(dc_);
        }
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    HDC dc() const { return old_ != nullptr ? dc_ : nullptr; }

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

int CALLBACK keepFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
    reinterpret_cast<std::vector<FontFamilyW>*>(list)->push_back({fromLogFont(*font), type});
    return 1;
}

} // namespace

std::uint32_t Win32PluginHost::StartDocPrinterW(Handle printer, const DocInfo1W& doc) {
    DOC_INFO_1W info{};
    info.pDocName = wideOrNull(doc.docName);
    info.pOutputFile = wideOrNull(doc.outputFile);
    info.pDatatype = wideOrNull(doc.datatype);
    return ::StartDocPrinterW(toHandle(printer), 1, reinterpret_cast<LPBYTE>(&info));
}

bool Win32PluginHost::StartPagePrinter(Handle printer) {
    return ::StartPagePrinter(toHandle(printer)) != FALSE;
}

bool Win32PluginHost::WritePrinter(Handle printer, const std::uint8_t* bytes, std::uint32_t count,
                                   std::uint32_t& written) {
    DWORD done = 0;
    const BOOL ok =
        ::WritePrinter(toHandle(printer), const_cast<std::uint8_t*>(bytes), count, &done);
    written = done;
    return ok != FALSE;
}

bool Win32PluginHost::EndPagePrinter(Handle printer) {
    return ::EndPagePrinter(toHandle(printer)) != FALSE;
}

bool Win32PluginHost::EndDocPrinter(Handle printer) {
    return ::EndDocPrinter(toHandle(printer)) != FALSE;
}

bool Win32PluginHost::EnumFormsW(Handle printer, std::vector<FormInfo1W>& forms) {
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumFormsW(toHandle(printer), 1, nullptr, 0, &needed, &count);
    if (needed == 0) {
        return false;
    }
    std::vector<BYTE> buffer(needed);
    if (!::EnumFormsW(toHandle(printer), 1, buffer.data(), needed, &needed, &count)) {
        return false;
    }
    const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
    forms.clear();
    for (DWORD i = 0; i < count; ++i) {
        FormInfo1W form;
        form.flags = info[i].Flags;
        form.name = fromWide(info[i].pName);
        form.width = info[i].Size.cx;
        form.height = info[i].Size.cy;
        form.left = info[i].ImageableArea.left;
        form.top = info[i].ImageableArea.top;
        form.right = info[i].ImageableArea.right;
        form.bottom = info[i].ImageableArea.bottom;
        forms.push_back(form);
    }
    return true;
}

bool Win32PluginHost::AddFormW(Handle printer, const FormInfo1W& form) {
    FORM_INFO_1W info = toFormInfo(form);
    return ::AddFormW(toHandle(printer), 1, reinterpret_cast<LPBYTE>(&info)) != FALSE;
}

bool Win32PluginHost::SetFormW(Handle printer, const std::u16string& name, const FormInfo1W& form) {
    FORM_INFO_1W info = toFormInfo(form);
    return ::SetFormW(toHandle(printer), const_cast<wchar_t*>(wide(name)), 1,
                      reinterpret_cast<LPBYTE>(&info)) != FALSE;
}

bool Win32PluginHost::DeleteFormW(Handle printer, const std::u16string& name) {
    return ::DeleteFormW(toHandle(printer), const_cast<wchar_t*>(wide(name))) != FALSE;
}

Handle Win32PluginHost::CreateFileW(const std::u16string& path, std::uint32_t access,
                                    std::uint32_t shareMode, std::uint32_t creation) {
    return fromHandle(::CreateFileW(wide(path), access, shareMode, nullptr, creation,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Win32PluginHost::ReadFile(Handle file, std::uint8_t* buffer, std::uint32_t count,
                               std::uint32_t& read) {
    DWORD done = 0;
    const BOOL ok = ::ReadFile(toHandle(file), buffer, count, &done, nullptr);
    read = done;
    return ok != FALSE;
}

bool Win32PluginHost::WriteFile(Handle file, const std::uint8_t* bytes, std::uint32_t count,
                                std::uint32_t& written) {
    DWORD done = 0;
    const BOOL ok = ::WriteFile(toHandle(file), bytes, count, &done, nullptr);
    written = done;
    return ok != FALSE;
}

std::uint32_t Win32PluginHost::GetFileSize(Handle file, std::uint32_t* high) {
    DWORD upper = 0;
    const DWORD low = ::GetFileSize(toHandle(file), &upper);
    if (high != nullptr) {
        *high = upper;
    }
    return low;
}

std::uint32_t Win32PluginHost::SetFilePointer(Handle file, std::int32_t distance,
                                              std::int32_t* high, std::uint32_t method) {
    LONG upper = high != nullptr ? *high : 0;
    const DWORD result =
        ::SetFilePointer(toHandle(file), distance, high != nullptr ? &upper : nullptr, method);
    if (high != nullptr) {
        *high = upper;
    }
    return result;
}

bool Win32PluginHost::CloseHandle(Handle file) {
    return ::CloseHandle(toHandle(file)) != FALSE;
}

bool Win32PluginHost::CopyFileW(const std::u16string& from, const std::u16string& to,
                                bool failIfExists) {
    return ::CopyFileW(wide(from), wide(to), failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32PluginHost::DeleteFileW(const std::u16string& path) {
    return ::DeleteFileW(wide(path)) != FALSE;
}

std::uint32_t Win32PluginHost::GetFileAttributesW(const std::u16string& path) {
    return ::GetFileAttributesW(wide(path));
}

bool Win32PluginHost::SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) {
    return ::SetFileAttributesW(wide(path), attributes) != FALSE;
}

std::u16string Win32PluginHost::GetTempPathW() {
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH + 1) {
        return {};
    }
    return fromWide(buffer);
}

int Win32PluginHost::MessageBoxW(Handle owner, const std::u16string& text,
                                 const std::u16string& caption, std::uint32_t type) {
    return ::MessageBoxW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)), wide(text),
                         wide(caption), type);
}

bool Win32PluginHost::GetOpenFileNameW(const OpenFileRequest& request, OpenFileResult& chosen) {
    // "text\0pattern\0...\0\0"
    std::u16string filter;
    for (const auto& [text, pattern] : request.filters) {
        filter += text;
        filter.push_back(u'\0');
        filter += pattern;
        filter.push_back(u'\0');
    }
    filter.push_back(u'\0');
    std::u16string path(request.maxPath, u'\0');
    std::u16string title(MAX_PATH, u'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.owner));
    ofn.lpstrFilter = request.filters.empty() ? nullptr : wide(filter);
    ofn.nFilterIndex = request.filterIndex;
    ofn.lpstrFile = reinterpret_cast<wchar_t*>(&path[0]);
    ofn.nMaxFile = request.maxPath;
    ofn.lpstrFileTitle = reinterpret_cast<wchar_t*>(&title[0]);
    ofn.nMaxFileTitle = MAX_PATH;
    ofn.lpstrTitle = request.title.empty() ? nullptr : wide(request.title);
    ofn.Flags = request.flags;

    const auto show = [&ofn] { return ::GetOpenFileNameW(&ofn) != FALSE; };
    const bool picked = runInContext_ ? runInContext_(show) : show();
    if (!picked) {
        ::SetLastError(::CommDlgExtendedError());
        return false;
    }
    chosen.path = fromWide(ofn.lpstrFile);
    chosen.fileTitle = fromWide(ofn.lpstrFileTitle);
    return true;
}

std::vector<FontFamilyW> Win32PluginHost::EnumFontFamiliesExW(Handle window,
                                                              const LogFontW& filter) {
    std::vector<FontFamilyW> found;
    LOGFONTW wanted{};
    wanted.lfCharSet = filter.charSet;
    const std::size_t units = std::min<std::size_t>(filter.faceName.size(), LF_FACESIZE - 1);
    std::copy_n(filter.faceName.begin(), units, wanted.lfFaceName);
    HDC dc = ::GetDC(toWindow(window));
    if (dc == nullptr) {
        return found;
    }
    ::EnumFontFamiliesExW(dc, &wanted, keepFont, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(toWindow(window), dc);
    return found;
}

int Win32PluginHost::GetDeviceCaps(Handle window, int index) {
    HDC dc = ::GetDC(toWindow(window));
    if (dc == nullptr) {
        return 0;
    }
    const int value = ::GetDeviceCaps(dc, index);
    ::ReleaseDC(toWindow(window), dc);
    return value;
}

bool Win32PluginHost::GetTextExtentPoint32W(const LogFontW& font, const std::u16string& text,
                                            int& cx, int& cy) {
    FontDc measure(font);
    SIZE size{};
    if (measure.dc() == nullptr ||
        !::GetTextExtentPoint32W(measure.dc(), wide(text), static_cast<int>(text.size()), &size)) {
        return false;
    }
    cx = size.cx;
    cy = size.cy;
    return true;
}

bool Win32PluginHost::TextOutW(Bitmap32& picture, const LogFontW& font, std::uint32_t align, int x,
                               int y, const std::u16string& text) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // rows top-down, as the picture's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        return false;
    }
    const std::size_t bytes = picture.pixels.size() * sizeof(std::uint32_t);
    std::memcpy(bits, picture.pixels.data(), bytes);
    FontDc draw(font);
    bool drawn = false;
    if (draw.dc() != nullptr) {
        HGDIOBJ old = ::SelectObject(draw.dc(), bitmap);
        ::SetTextAlign(draw.dc(), align);
        ::SetBkMode(draw.dc(), OPAQUE);
        ::SetBkColor(draw.dc(), RGB(255, 255, 255));
        ::SetTextColor(draw.dc(), RGB(0, 0, 0));
        drawn = ::TextOutW(draw.dc(), x, y, wide(text), static_cast<int>(text.size())) != FALSE;
        ::GdiFlush();
        ::SelectObject(draw.dc(), old);
        std::memcpy(picture.pixels.data(), bits, bytes);
    }
    ::DeleteObject(bitmap);
    return drawn;
}

std::uint32_t Win32PluginHost::GetLastError() {
    return ::GetLastError();
}

void Win32PluginHost::SetLastError(std::uint32_t code) {
    ::SetLastError(code);
}

bool Win32PluginHost::WideCharToMultiByte(std::uint32_t codePage, const std::u16string& text,
                                          std::string& bytes) {
    bytes.clear();
    // The call refuses a length of 0, which here is just empty data.
    if (text.empty()) {
        return true;
    }
    const int units = static_cast<int>(text.size());
    const int size =
        ::WideCharToMultiByte(codePage, 0, wide(text), units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    return ::WideCharToMultiByte(codePage, 0, wide(text), units, &bytes[0], size, nullptr,
                                 nullptr) == size;
}

// --- the control-font table and the utility page's reasons ------------------

std::u16string Win32PluginHost::GetWindowsDirectoryW() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    return fromWide(buffer);
}

std::u16string Win32PluginHost::GetPrivateProfileStringW(const std::u16string& section,
                                                         const std::u16string& key,
                                                         const std::u16string& defaultValue,
                                                         std::uint32_t bufferSize,
                                                         const std::u16string& file) {
    if (bufferSize == 0) {
        return {};
    }
    std::u16string buffer(bufferSize, u'\0');
    const DWORD length = ::GetPrivateProfileStringW(
        wide(section), wide(key), wide(defaultValue), reinterpret_cast<wchar_t*>(&buffer[0]),
        bufferSize, wide(file));
    buffer.resize(length < bufferSize ? length : bufferSize - 1);
    return buffer;
}

bool Win32PluginHost::WritePrivateProfileStringW(const std::u16string& section,
                                                 const std::u16string& key,
                                                 const std::u16string& value,
                                                 const std::u16string& file) {
    return ::WritePrivateProfileStringW(wide(section), wide(key), wide(value), wide(file)) !=
           FALSE;
}

bool Win32PluginHost::MoveFileExW(const std::u16string& from, const std::u16string& to,
                                  std::uint32_t flags) {
    return ::MoveFileExW(wide(from), wide(to), flags) != FALSE;
}

bool Win32PluginHost::FormatMessageW(std::uint32_t code, std::u16string& text) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                     reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    if (n == 0 || buffer == nullptr) {
        return false;
    }
    text = fromWide(buffer);
    ::LocalFree(buffer);
    return true;
}

} // namespace platform::win32

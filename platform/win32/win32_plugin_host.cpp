#include "platform/win32/win32_plugin_host.h"

#include <windows.h>

#include <commdlg.h>
#include <winspool.h>

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

std::uint32_t Win32PluginHost::GetLastError() {
    return ::GetLastError();
}

void Win32PluginHost::SetLastError(std::uint32_t code) {
    ::SetLastError(code);
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

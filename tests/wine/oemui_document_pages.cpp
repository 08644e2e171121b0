// The "Main" and "Water Mark" pages of the real 57KXUI.dll in a real property
// sheet, set up as the universal driver's UI host sets them up: a settings
// record from DevMode(OEMDM_DEFAULT), the driver's paper-size option item, an
// IPrintOemDriverUI that records DrvUpdateUISetting, and a recording
// pfnComPropSheet. A helper thread answers the message boxes and the open-file
// dialog the pages show, and notes what they said.
//
// No argument: the checks (exit code 0 when all pass, 1 when one fails, 2 when
// the plug-in cannot be loaded). "--show main|text|image": the sheet with that
// page and watermark, open until it is closed, for screenshots.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <prsht.h>

#include "oemui_interface.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace oemui_probe;

// --- the common property sheet's pfnComPropSheet -----------------------------

std::vector<PROPSHEETPAGEW> addedPages;
std::vector<LPARAM> results; // CPSFUNC_SET_RESULT's lParam2, one per report

LONG_PTR CALLBACK recordSheetCall(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        PROPSHEETPAGEW page{};
        std::memcpy(&page, reinterpret_cast<const void*>(lParam1), sizeof page);
        addedPages.push_back(page);
        return static_cast<LONG_PTR>(0x1000 + addedPages.size());
    }
    if (function == CPSFUNC_SET_RESULT) {
        results.push_back(lParam2);
    }
    return 1;
}

// --- the boxes and dialogs the pages show, answered from another thread --------

class Answerer {
public:
    explicit Answerer(std::wstring openFile) : openFile_(std::move(openFile)) {
        ::InitializeCriticalSection(&lock_);
        thread_ = ::CreateThread(
            nullptr, 0,
            [](LPVOID self) -> DWORD {
                reinterpret_cast<Answerer*>(self)->run();
                return 0;
            },
            this, 0, nullptr);
    }
    ~Answerer() {
        ::InterlockedExchange(&stop_, 1);
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
        ::DeleteCriticalSection(&lock_);
    }
    // "caption: text" of every message box answered so far.
    std::vector<std::wstring> seen() {
        ::EnterCriticalSection(&lock_);
        std::vector<std::wstring> copy = seen_;
        ::LeaveCriticalSection(&lock_);
        return copy;
    }
    int openDialogs() {
        ::EnterCriticalSection(&lock_);
        const int count = openDialogs_;
        ::LeaveCriticalSection(&lock_);
        return count;
    }

private:
    void run() {
        while (::InterlockedCompareExchange(&stop_, 0, 0) == 0) {
            ::EnumWindows(
                [](HWND window, LPARAM self) -> BOOL {
                    reinterpret_cast<Answerer*>(self)->answer(window);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(this));
            ::Sleep(50);
        }
    }
    void answer(HWND window) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        wchar_t kind[32] = {}, title[128] = {};
        ::GetClassNameW(window, kind, 32);
        ::GetWindowTextW(window, title, 128);
        if (process != ::GetCurrentProcessId() || std::wstring(kind) != L"#32770" ||
            !::IsWindowVisible(window) || answered(window)) {
            return;
        }
        const std::wstring caption = title;
        if (caption == L"Information" || caption == L"Error") {
            wchar_t text[256] = {};
            ::GetDlgItemTextW(window, 0xFFFF, text, 256);
            ::EnterCriticalSection(&lock_);
            seen_.push_back(caption + L": " + text);
            ::LeaveCriticalSection(&lock_);
        } else if (caption == L"Open") {
            ::EnterCriticalSection(&lock_);
            ++openDialogs_;
            ::LeaveCriticalSection(&lock_);
            for (int box : {0x47C /* cmb13 */, 0x480 /* edt1 */}) {
                ::SetDlgItemTextW(window, box, openFile_.c_str());
            }
        } else {
            return;
        }
        handled_.push_back(window);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    bool answered(HWND window) const {
        for (HWND h : handled_) {
            if (h == window) {
                return true;
            }
        }
        return false;
    }

    std::wstring openFile_;
    HANDLE thread_ = nullptr;
    LONG volatile stop_ = 0;
    CRITICAL_SECTION lock_;
    int openDialogs_ = 0;
    std::vector<std::wstring> seen_;
    std::vector<HWND> handled_;
};

// --- the settings record, read at the offsets the rendering side reads --------

struct Record {
    std::vector<BYTE> bytes = std::vector<BYTE>(1464);
    BYTE& at(std::size_t offset) { return bytes[offset]; }
    std::wstring text(std::size_t offset, std::size_t units) const {
        std::wstring out;
        for (std::size_t i = 0; i < units; ++i) {
            const wchar_t c =
                static_cast<wchar_t>(bytes[offset + 2 * i] | (bytes[offset + 2 * i + 1] << 8));
            if (c == 0) {
                break;
            }
            out.push_back(c);
        }
        return out;
    }
    void setText(std::size_t offset, std::size_t units, const std::wstring& value) {
        for (std::size_t i = 0; i < units; ++i) {
            const wchar_t c = i < value.size() ? value[i] : 0;
            bytes[offset + 2 * i] = static_cast<BYTE>(c);
            bytes[offset + 2 * i + 1] = static_cast<BYTE>(c >> 8);
        }
    }
};
constexpr std::size_t textAsGraphics = 0x3E6, watermarkPath = 0x3E8, watermarkKind = 0x4E2,
                      watermarkText = 0x4E4, watermarkFont = 0x504, watermarkFontSize = 0x568,
                      watermarkAngle = 0x56C, watermarkSize = 0x571, watermarkBrightness = 0x572,
                      formName = 0x576;

// An 8-bit picture of rings for the image watermark: 96 x 72, 16 greys and blues.
std::vector<BYTE> ringsBitmap() {
    const int w = 96, h = 72, stride = (w + 3) / 4 * 4;
    std::vector<BYTE> file(14 + 40 + 1024 + static_cast<std::size_t>(stride * h), 0);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(file.size()), 0, 0, 14 + 40 + 1024};
    BITMAPINFOHEADER ih{40, w, h, 1, 8, BI_RGB, 0, 2835, 2835, 0, 0};
    std::memcpy(file.data(), &fh, 14);
    std::memcpy(file.data() + 14, &ih, 40);
    for (int i = 0; i < 256; ++i) {
        const BYTE level = static_cast<BYTE>(i * 16);
        const RGBQUAD colour{255, level, static_cast<BYTE>(level / 2), 0};
        std::memcpy(file.data() + 54 + 4 * i, &colour, 4);
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 2, dy = y - h / 2;
            int r = 0;
            while ((r + 1) * (r + 1) <= dx * dx + dy * dy) {
                ++r;
            }
            file[1078 + static_cast<std::size_t>(y * stride + x)] = static_cast<BYTE>((r / 4) % 16);
        }
    }
    return file;
}

void pump(int milliseconds) {
    const DWORD until = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    } while (::GetTickCount() < until);
}

// Pixels of a control that are not white, as the screen shows them.
int inkIn(HWND control) {
    RECT r{};
    ::GetClientRect(control, &r);
    HDC dc = ::GetDC(control);
    int ink = 0;
    for (int y = 0; y < r.bottom; y += 2) {
        for (int x = 0; x < r.right; x += 2) {
            const COLORREF c = ::GetPixel(dc, x, y);
            ink += c != CLR_INVALID && c != RGB(255, 255, 255);
        }
    }
    ::ReleaseDC(control, dc);
    return ink;
}

std::wstring comboItem(HWND combo, int index) {
    wchar_t text[128] = {};
    if (::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 128) {
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    }
    return text;
}

void command(HWND page, int id, int code) {
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, id)));
}

void click(HWND page, int id) {
    ::SendMessageW(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    pump(100);
}

bool checked(HWND page, int id) {
    return ::IsDlgButtonChecked(page, id) == BST_CHECKED;
}

std::wstring fileIn(const wchar_t* folder, const wchar_t* name) {
    return std::wstring(folder) + name;
}

// --- the plug-in as the host loads it -------------------------------------------

struct Plugin {
    HMODULE module = nullptr;
    OemUi* ui = nullptr;
    DriverUi driver;
    Record record;
    wchar_t letter[16] = L"Letter", a4[16] = L"A4", roll[16] = L"80mm x 297mm";
    OPTPARAM params[3] = {};
    OPTTYPE type{};
    OPTITEM items[2] = {};
    OEMCUIPPARAM cuip{};
    OEMUIPSPARAM ps{};
    wchar_t printer[32] = L"Wine Test Printer";

    bool load(const std::wstring& path) {
        module = ::LoadLibraryW(path.c_str());
        using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        const auto getClassObject =
            module ? reinterpret_cast<GetClassObject>(reinterpret_cast<void (*)()>(
                         ::GetProcAddress(module, "DllGetClassObject")))
                   : nullptr;
        IClassFactory* factory = nullptr;
        if (getClassObject == nullptr ||
            getClassObject(clsidOemUi, iidClassFactory, reinterpret_cast<void**>(&factory)) !=
                S_OK) {
            return false;
        }
        factory->CreateInstance(nullptr, iidPrintOemUi, reinterpret_cast<void**>(&ui));
        factory->Release();
        if (ui == nullptr) {
            return false;
        }
        ui->lpVtbl->PublishDriverInterface(ui, &driver);
        OEMDMPARAM dm{};
        dm.cbSize = sizeof dm;
        ui->lpVtbl->DevMode(ui, OEMDM_SIZE, &dm);
        record.bytes.assign(dm.cbBufSize, 0);
        dm.pOEMDMOut = record.bytes.data();
        ui->lpVtbl->DevMode(ui, OEMDM_DEFAULT, &dm);

        wchar_t* names[] = {letter, a4, roll};
        for (int i = 0; i < 3; ++i) {
            params[i].cbSize = sizeof params[i];
            params[i].pData = names[i];
        }
        type.cbSize = sizeof type;
        type.Type = TVOT_LISTBOX;
        type.Count = 3;
        type.pOptParam = params;
        items[0].cbSize = sizeof items[0];
        items[0].DMPubID = DMPUB_ORIENTATION;
        items[1].cbSize = sizeof items[1];
        items[1].DMPubID = DMPUB_FORMNAME;
        items[1].pOptType = &type;
        items[1].Sel = 1;
        cuip.cbSize = sizeof cuip;
        cuip.poemuiobj = &cuip;
        cuip.pPrinterName = printer;
        cuip.pOEMDM = record.bytes.data();
        cuip.pDrvOptItems = items;
        cuip.cDrvOptItems = 2;
        ui->lpVtbl->CommonUIProp(ui, OEMCUIP_DOCPROP, &cuip);
        ps.cbSize = sizeof ps;
        ps.poemuiobj = &cuip;
        ps.pPrinterName = printer;
        ps.pOEMDM = record.bytes.data();
        return true;
    }

    // The sheet with the plug-in's "Main" and "Water Mark" pages.
    HWND openSheet(const wchar_t* caption, int page) {
        addedPages.clear();
        PROPSHEETUI_INFO info{};
        info.cbSize = sizeof info;
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = PROPSHEETUI_REASON_INIT;
        info.hComPropSheet = reinterpret_cast<HANDLE>(0xC0FFEE);
        info.pfnComPropSheet = recordSheetCall;
        info.lParamInit = reinterpret_cast<LPARAM>(&ps);
        ui->lpVtbl->DocumentPropertySheets(ui, &info, 0);
        std::vector<HPROPSHEETPAGE> handles;
        for (const PROPSHEETPAGEW& added : addedPages) {
            const auto id = reinterpret_cast<ULONG_PTR>(added.pszTemplate);
            if (id == 128 || id == 131) {
                handles.push_back(::CreatePropertySheetPageW(&added));
            }
        }
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS;
        header.pszCaption = caption;
        header.nPages = static_cast<UINT>(handles.size());
        header.nStartPage = static_cast<UINT>(page);
        header.phpage = handles.data();
        const HWND sheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
        pump(300);
        return sheet;
    }

    void release() {
        if (ui != nullptr) {
            ui->lpVtbl->Release(ui);
        }
        ::FreeLibrary(module);
    }
};

HWND showPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    pump(300);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void checkPages(Plugin& plugin, const std::wstring& bitmap, const std::wstring& picture) {
    Answerer answerer(bitmap);
    Record& record = plugin.record;
    const HWND sheet = plugin.openSheet(L"Document Properties", 0);
    check(sheet != nullptr, "the two pages open in a property sheet");
    if (sheet == nullptr) {
        return;
    }

    // "Main": the driver's paper sizes, its selection, the choice going back.
    HWND main = showPage(sheet, 0);
    const HWND papers = ::GetDlgItem(main, 1020);
    check(::SendMessageW(papers, CB_GETCOUNT, 0, 0) == 3 && comboItem(papers, 0) == L"Letter" &&
              comboItem(papers, 2) == L"80mm x 297mm",
          "Main lists the driver's three paper names");
    check(::SendMessageW(papers, CB_GETCURSEL, 0, 0) == 1,
          "Main selects the driver's choice, \"A4\"");
    check(!checked(main, 1061) && checked(main, 1062) &&
              ::IsWindowEnabled(::GetDlgItem(main, 1061)),
          "Main: \"No\" for text as graphics, the choice open");
    ::SendMessageW(papers, CB_SETCURSEL, 2, 0);
    command(main, 1020, CBN_SELCHANGE);
    const auto& updates = plugin.driver.updates;
    check(updates.size() == 1 && updates[0].item == &plugin.items[1] && updates[0].sel == 2 &&
              (updates[0].flags & OPTIF_CHANGED) && updates[0].pci == &plugin.cuip &&
              updates[0].previous == 0 && updates[0].mode == OEMCUIP_DOCPROP,
          "choosing a paper: Sel 2, OPTIF_CHANGED, DrvUpdateUISetting(poemuiobj, item, 0, "
          "OEMCUIP_DOCPROP) (%zu calls)",
          updates.size());
    check(record.text(formName, 32) == L"80mm x 297mm", "the form name is in the record");

    // "Water Mark": a text watermark forces text as graphics.
    HWND mark = showPage(sheet, 1);
    const HWND preview = ::GetDlgItem(mark, 1085);
    check((::GetWindowLongW(preview, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW,
          "the preview is an owner-drawn static");
    const HWND faces = ::GetDlgItem(mark, 1021);
    const auto faceCount = ::SendMessageW(faces, CB_GETCOUNT, 0, 0);
    check(faceCount > 0, "the display's TrueType faces are offered (%ld, the first \"%s\")",
          static_cast<long>(faceCount), narrow(comboItem(faces, 0)).c_str());
    check(inkIn(preview) == 0, "no watermark: the preview is white");
    click(mark, 1078);
    check(record.at(watermarkKind) == 2 && record.at(textAsGraphics) == 1,
          "\"Text Water Mark\": kind 2, text as graphics");
    const auto boxes = answerer.seen();
    check(boxes.size() == 1 &&
              boxes[0] == L"Information: All Text will be printed as graphics image!",
          "the user is told once (%zu boxes)", boxes.size());
    ::SendMessageW(::GetDlgItem(mark, 1018), TBM_SETPOS, TRUE, 30);
    ::SendMessageW(mark, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 30),
                   reinterpret_cast<LPARAM>(::GetDlgItem(mark, 1018)));
    pump(200);
    wchar_t angle[16] = {};
    ::GetDlgItemTextW(mark, 1081, angle, 16);
    check(std::wstring(angle) == L"30" && record.at(watermarkAngle) == 30,
          "the angle slider shows and stores 30");
    const int textInk = inkIn(preview);
    check(textInk > 0, "the preview shows the text (%d dark samples)", textInk);

    main = showPage(sheet, 0);
    check(checked(main, 1061) && !checked(main, 1062) &&
              !::IsWindowEnabled(::GetDlgItem(main, 1061)),
          "Main: \"Yes\", locked while a watermark is chosen");

    results.clear();
    PropSheet_Apply(sheet);
    pump(300);
    check(results.size() == 2 && results[0] == CPSUI_OK && results[1] == CPSUI_OK,
          "applying reports CPSUI_OK for both pages (%zu reports)", results.size());
    check(record.text(watermarkText, 16) == L"CONFIDENTIAL" &&
              record.text(watermarkFont, 50) == comboItem(faces, 0),
          "the text and face are in the record (\"%s\", \"%s\")",
          narrow(record.text(watermarkText, 16)).c_str(),
          narrow(record.text(watermarkFont, 50)).c_str());
    HANDLE file = ::CreateFileW(picture.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    const DWORD size = file != INVALID_HANDLE_VALUE ? ::GetFileSize(file, nullptr) : 0;
    std::vector<BYTE> bytes(size);
    DWORD got = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::ReadFile(file, bytes.data(), size, &got, nullptr);
        ::CloseHandle(file);
    }
    int dark = 0;
    for (std::size_t i = 54; i + 2 < bytes.size(); i += 3) {
        dark += bytes[i] < 128 && bytes[i + 1] < 128 && bytes[i + 2] < 128;
    }
    check(size == 270054 && got == size && bytes[0] == 'B' && dark > 100,
          "the text picture %s is 270,054 bytes with the text in it (%lu bytes, %d dark pixels)",
          narrow(picture).c_str(), size, dark);

    // An image through the open-file dialog, inside the plug-in's activation context.
    mark = showPage(sheet, 1);
    click(mark, 1061);
    click(mark, 1049);
    wchar_t shown[MAX_PATH] = {};
    ::GetDlgItemTextW(mark, 1047, shown, MAX_PATH);
    check(answerer.openDialogs() == 1 && bitmap == shown &&
              record.text(watermarkPath, 125) == bitmap,
          "\"Browse...\" takes %s from the open-file dialog (%d dialogs, shown \"%s\")",
          narrow(bitmap).c_str(), answerer.openDialogs(), narrow(shown).c_str());
    file = ::CreateFileW(picture.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
    const DWORD converted = file != INVALID_HANDLE_VALUE ? ::GetFileSize(file, nullptr) : 0;
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
    check(converted == 54 + 288 * 72, "the 8-bit bitmap became the 24-bit picture (%lu bytes)",
          converted);
    check(inkIn(preview) > 0, "the preview shows the image");
    check(answerer.seen().size() == 1, "no further message");
    PropSheet_Apply(sheet);
    pump(200);
    check(record.at(watermarkKind) == 1, "applied: an image watermark");
    ::DestroyWindow(sheet);
    pump(100);
}

} // namespace

int main(int argc, char** argv) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder = folder.substr(0, folder.find_last_of(L'\\') + 1);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    Plugin plugin;
    if (!plugin.load(fileIn(folder.c_str(), L"57KXUI.dll"))) {
        std::printf("cannot load 57KXUI.dll from %s\n", narrow(folder).c_str());
        return 2;
    }
    const std::wstring bitmap = fileIn(folder.c_str(), L"rings.bmp");
    const std::vector<BYTE> rings = ringsBitmap();
    HANDLE out =
        ::CreateFileW(bitmap.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, rings.data(), static_cast<DWORD>(rings.size()), &written, nullptr);
    ::CloseHandle(out);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring picture = fileIn(temp, L"Wine Test Printer1.bmp");

    const std::string mode = argc > 2 && std::string(argv[1]) == "--show" ? argv[2] : "";
    if (mode.empty()) {
        checkPages(plugin, bitmap, picture);
        plugin.release();
        std::printf("%d check(s) failed\n", failures);
        return failures == 0 ? 0 : 1;
    }

    // A sheet to look at: until it is closed, or two minutes.
    Record& record = plugin.record;
    record.at(textAsGraphics) = mode == "main" ? 0 : 1;
    if (mode == "text") {
        record.at(watermarkKind) = 2;
        record.setText(watermarkText, 16, L"CONFIDENTIAL");
        record.setText(watermarkFont, 50, L"Tahoma");
        record.at(watermarkFontSize) = 28;
        record.at(watermarkAngle) = 30;
        record.at(watermarkBrightness) = 60;
    } else if (mode == "image") {
        record.at(watermarkKind) = 1;
        record.setText(watermarkPath, 125, bitmap);
        record.at(watermarkSize) = 70;
        record.at(watermarkBrightness) = 0;
    }
    const std::wstring caption = L"Plug-in pages (" + std::wstring(mode.begin(), mode.end()) + L")";
    const HWND sheet = plugin.openSheet(caption.c_str(), mode == "main" ? 0 : 1);
    for (int waited = 0;
         sheet != nullptr && PropSheet_GetCurrentPageHwnd(sheet) != nullptr && waited < 120000;
         waited += 100) {
        pump(100);
    }
    plugin.release();
    return 0;
}

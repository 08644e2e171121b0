// Loads the real 57KXUI.dll and drives it through COM as the universal printer
// driver's UI host does: class object, instance, PublishDriverInterface,
// GetInfo, DevMode in all four modes, CommonUIProp, both property sheets with a
// recording pfnComPropSheet (then the recorded pages in a real property sheet,
// applied), Release and DllCanUnloadNow. It also reads the module's resources:
// every dialog template with the controls the pages need, the pictures, the
// manifest and the version block.
//
// The interface is declared here on its own, as a C vtable in slot order, so
// that a slot out of place in the plug-in shows up as a wrong answer. Every call
// that sets the last error is made with the last error preset to a marker, and
// every check says what was expected.
//
// Exit code 0 when every check passes, 1 when one fails, 2 when the plug-in
// cannot be loaded at all.
#include <windows.h>

#include <commctrl.h>
#include <compstui.h>
#include <objbase.h>
#include <prsht.h>

#include "oemui_interface.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace oemui_probe;

constexpr DWORD marker = 0xDEADBEEF;

// --- dialog templates --------------------------------------------------------

struct Control {
    int id;
    std::wstring className; // or "#<ordinal>"
    std::wstring text;      // or "#<ordinal>"
    DWORD style;
};

struct Template {
    bool found = false;
    std::wstring caption;
    std::vector<Control> controls;
};

const WORD* skipSzOrOrd(const WORD* p, std::wstring& value) {
    if (*p == 0x0000) {
        value.clear();
        return p + 1;
    }
    if (*p == 0xFFFF) {
        value = L"#" + std::to_wstring(p[1]);
        return p + 2;
    }
    value = reinterpret_cast<const wchar_t*>(p);
    return p + value.size() + 1;
}

const WORD* alignDword(const WORD* p, const BYTE* base) {
    const auto offset = reinterpret_cast<const BYTE*>(p) - base;
    return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~3));
}

// DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries.
Template readTemplate(HMODULE module, int id) {
    Template t;
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL data = info ? ::LoadResource(module, info) : nullptr;
    const BYTE* base = data ? static_cast<const BYTE*>(::LockResource(data)) : nullptr;
    if (base == nullptr) {
        return t;
    }
    const auto* w = reinterpret_cast<const WORD*>(base);
    if (w[0] != 1 || w[1] != 0xFFFF) {
        return t; // not DIALOGEX
    }
    t.found = true;
    const WORD count = w[8];
    const DWORD style = *reinterpret_cast<const DWORD*>(base + 12);
    const WORD* p = w + 13;
    std::wstring ignored;
    p = skipSzOrOrd(p, ignored); // menu
    p = skipSzOrOrd(p, ignored); // class
    p = skipSzOrOrd(p, t.caption);
    if (style & DS_SETFONT) {
        p += 3; // point size, weight, italic + charset
        p = skipSzOrOrd(p, ignored);
    }
    for (WORD i = 0; i < count; ++i) {
        p = alignDword(p, base);
        const auto* item = reinterpret_cast<const BYTE*>(p);
        Control c;
        c.style = *reinterpret_cast<const DWORD*>(item + 8);
        c.id = *reinterpret_cast<const INT*>(item + 20);
        p = reinterpret_cast<const WORD*>(item + 24);
        p = skipSzOrOrd(p, c.className);
        p = skipSzOrOrd(p, c.text);
        const WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        t.controls.push_back(c);
    }
    return t;
}

// What each template must hold for its page: controls by id (any text), texts
// (by id, or -1 for any static), and the controls the template creates hidden.
struct TemplateControls {
    int templateId;
    std::vector<int> ids;
    std::vector<std::pair<int, const wchar_t*>> texts;
    std::vector<int> hidden;
};

// clang-format off
const TemplateControls expectedControls[] = {
    {103, {},
     {{1011, L"Start of Document"}, {1012, L"Start of Page"}, {1013, L"End of Page"},
      {1014, L"End of Document"}, {-1, L"Operation when document starts"},
      {-1, L"Operation when page starts"}, {-1, L"Operation when page ends"},
      {-1, L"Operation when document ends"}},
     {}},
    {104, {1016, 1017, 1020, 1021, 1022, 1024, 1027, 1028, 1032, 1035},
     {{1015, L"Send Command      [Example:1D 56 42 00]"}, {1023, L"Feed to cut position before cut"},
      {1025, L"Open Drawer"}, {1026, L"Herald"}, {1029, L"Left"}, {1030, L"Centered"},
      {1031, L"Right"}, {1033, L"Before Cut"}, {1034, L"After Cut"}, {3, L"Default"}, {1, L"OK"},
      {2, L"Cancel"}, {-1, L"mm [ 0 .. 100 ]"}, {-1, L"[ 0 .. 255 ]"}},
     {}},
    {105, {},
     {{1002, L"Install Version 1.02"}, {-1, L"QRT-K500NX Printer Driver"}, {1001, L"#111"}},
     {}},
    {113, {1039, 1041, 1046, 1095, 1096, 1083, 1086},
     {{1040, L"Browse"}, {1036, L"Download"}, {1087, L"Original"}, {1061, L"Transformation"},
      {1088, L"Gray"}, {1089, L"None"}, {1090, L"Dither M3"}, {1091, L"Dither M4"},
      {1092, L"Error Diffuse"}, {1042, L"Add"}, {1043, L"Delete"}, {1044, L"Download all"},
      {1045, L"Clear All Logos"}, {-1, L"File Download"}, {-1, L"Logo Download"},
      {-1, L"Contrast:"}, {-1, L"Brightness:"},
      {-1, L"You can select various files to download to the printer, such as firmware "
           L"files,font files"},
      {-1, L"Notice: Click \"Transformation\" or \"Gray\" in the \"Preview\" column to select "
           L"the type of the logos before downloading."}},
     {}},
    {114, {1094, 1052, 1047, 1053, 1048, 1054, 1057, 1058},
     {{1036, L"SelfTest"}, {1049, L"Delete Paper Size"}, {1046, L"Save Paper Size"},
      {-1, L"Print a self-test page"}, {-1, L"Check that communication settings is correct firest"},
      {-1, L"User Defined Paper Size"}, {-1, L"Form Name:"}, {-1, L"Width:"}, {-1, L"Height:"}},
     {1045}},
    {115, {1047, 1048},
     {{1016, L"Edit"}, {1036, L"Delete"}, {1, L"OK"}, {2, L"Cancel"}, {-1, L"Driver Name:"}},
     {}},
    {116, {1047, 1048, 1052},
     {{1, L"OK"}, {2, L"Cancel"}, {-1, L"Char"}, {-1, L"Hex"}, {-1, L"Command"}},
     {}},
    {117, {1020, 1022, 1047, 1053, 1048, 1054, 1023, 1052, 1055, 1049, 1056, 1050, 1057, 1051,
           1058, 1059, 1066, 1025, 1026, 1104},
     {{1060, L"Font A"}, {1061, L"Font B"}, {1099, L"Independence"}, {1100, L"Composite"},
      {1036, L"Print"}, {-1, L"Font Name:"}, {-1, L"Type:"}, {-1, L"Element Width:"},
      {-1, L"Element Height:"}, {-1, L"HRI Position:"}, {-1, L"Row Height:"},
      {-1, L"2D Row Height:"}, {-1, L"Separator Height:"}, {-1, L"HRI :"}, {-1, L"Data:"},
      {-1, L"Apply Application Identifier Specification to Data:"},
      {-1, L"Select this font size in the application."}},
     {}},
    {118, {1020, 1055, 1022, 1047, 1053, 1048, 1054, 1049, 1056, 1050, 1057, 1023, 1051, 1058,
           1052, 1076, 1059, 1060, 1061, 1068, 1078, 1079, 1024, 1025, 1071, 1072, 1026, 1027,
           1028, 1107},
     {{1097, L"Independence"}, {1098, L"Composite"}, {1106, L"Print"}, {-1, L"Column:"},
      {-1, L"Row:"}, {-1, L"Segment Number :"}, {-1, L"Language mode:"}, {-1, L"Model:"},
      {-1, L"Error Correction:"}},
     {}},
    {119, {1069}, {{-1, L"Select this font size in the application."}}, {}},
    {128, {1020},
     {{1061, L"Yes"}, {1062, L"No"}, {-1, L"Document Setting"}, {-1, L"Paper Size:"},
      {-1, L"Print all text as graphics image:"}},
     {1070, 1071, 1072, 1073, 1047, 1076, 1074}},
    {131, {1047, 1020, 1021, 1022, 1023, 1052, 1080, 1018, 1081, 1082, 1084, 1083, 1086, 1085},
     {{1077, L"No Water Mark"}, {1061, L"Image Water Mark"}, {1078, L"Text Water Mark"},
      {1049, L"Browse..."}, {-1, L"Bitmap:"}, {-1, L"Font Size:"}, {-1, L"Angle:"},
      {-1, L"Size:"}, {-1, L"Brightness:"}},
     {}},
};
// clang-format on

void checkTemplates(HMODULE module) {
    const struct {
        int id;
        const wchar_t* caption;
    } templates[] = {{103, L"Operation"},
                     {104, L"Start of Document"},
                     {105, L"Version"},
                     {113, L"Download"},
                     {114, L"Utility"},
                     {115, L"Control Font Character Translation Table"},
                     {116, L"Control Font Character Translator"},
                     {117, L"1D Code"},
                     {118, L"2D Code"},
                     {119, L"Font"},
                     {128, L"Main"},
                     {131, L"Water Mark"}};
    for (const auto& t : templates) {
        const Template read = readTemplate(module, t.id);
        check(read.found, "dialog template %d is present (DIALOGEX)", t.id);
        check(read.caption == t.caption, "template %d is titled \"%s\" (got \"%s\")", t.id,
              narrow(t.caption).c_str(), narrow(read.caption).c_str());
    }
    // The pictures of template 128 are part of its hidden groups.
    const std::pair<int, const wchar_t*> hiddenPictures[] = {{1072, L"#129"}, {1074, L"#130"}};
    for (const auto& e : expectedControls) {
        const Template read = readTemplate(module, e.templateId);
        auto find = [&](int id, const wchar_t* text) -> const Control* {
            for (const auto& c : read.controls) {
                if ((id == -1 || c.id == id) && (text == nullptr || c.text == text)) {
                    return &c;
                }
            }
            return nullptr;
        };
        auto expect = [&](int id, const wchar_t* text, bool visible) {
            const Control* c = find(id, text);
            const std::string what = text ? "\"" + narrow(text) + "\"" : "(any text)";
            check(c != nullptr && ((c->style & WS_VISIBLE) != 0) == visible,
                  "template %d has control %d %s, %s", e.templateId, id, what.c_str(),
                  visible ? "visible" : "hidden by the template");
        };
        for (int id : e.ids) {
            expect(id, nullptr, true);
        }
        for (const auto& [id, text] : e.texts) {
            expect(id, text, true);
        }
        for (int id : e.hidden) {
            expect(id, nullptr, false);
        }
        if (e.templateId == 128) {
            for (const auto& [id, text] : hiddenPictures) {
                expect(id, text, false);
            }
        }
    }
}

void checkResources(HMODULE module, const std::wstring& path) {
    checkTemplates(module);
    for (int id : {111, 129, 130}) {
        HANDLE image = ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
        check(image != nullptr, "bitmap %d loads", id);
        if (image) {
            ::DeleteObject(image);
        }
    }
    for (int id : {125, 126, 127}) {
        HANDLE icon = ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0);
        check(icon != nullptr, "icon group %d loads at 16 x 16", id);
        if (icon) {
            ::DestroyIcon(static_cast<HICON>(icon));
        }
    }

    std::vector<ULONG_PTR> manifests;
    ::EnumResourceNamesW(
        module, RT_MANIFEST,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(
                reinterpret_cast<ULONG_PTR>(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&manifests));
    check(manifests.size() == 1 && manifests[0] == 2,
          "exactly one manifest, resource type 24 id 2 (found %zu)", manifests.size());
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(2), RT_MANIFEST);
    std::string manifest;
    if (info != nullptr) {
        const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, info)));
        manifest.assign(text, ::SizeofResource(module, info));
    }
    check(manifest.find("name=\"Microsoft.Windows.Common-Controls\"") != std::string::npos &&
              manifest.find("version=\"6.0.0.0\"") != std::string::npos &&
              manifest.find("processorArchitecture=\"amd64\"") != std::string::npos,
          "the manifest depends on Common Controls 6.0.0.0 for amd64");

    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    check(size != 0 && ::GetFileVersionInfoW(path.c_str(), 0, size, block.data()),
          "the module has a version block");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size != 0 &&
        ::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        check(fixed->dwFileVersionMS == MAKELONG(1, 1) && fixed->dwFileVersionLS == MAKELONG(0, 3),
              "file version 1.1.3.0 (got %u.%u.%u.%u)", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
              LOWORD(fixed->dwFileVersionLS));
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (size != 0 &&
        ::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&translation), &length) &&
        length >= sizeof *translation) {
        wchar_t prefix[64];
        std::swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language,
                      translation->codePage);
        const struct {
            const wchar_t* name;
            const wchar_t* value;
        } strings[] = {{L"FileDescription", L"UI FOR QRT-K500NX"}, {L"ProductVersion", L"1.13"}};
        for (const auto& s : strings) {
            wchar_t* value = nullptr;
            const std::wstring key = std::wstring(prefix) + s.name;
            const bool found = ::VerQueryValueW(block.data(), key.c_str(),
                                                reinterpret_cast<void**>(&value), &length) != 0;
            check(found && value != nullptr && std::wstring(value) == s.value, "%s is \"%s\"",
                  narrow(s.name).c_str(), narrow(s.value).c_str());
        }
    } else {
        check(false, "the version block names its translation");
    }
}

// --- the recorded pages in a real property sheet --------------------------------

// Shows the pages in a modeless sheet, visits each, applies, and returns the
// tab titles and the page windows' DWLP_USER values.
void showSheet(const std::vector<PROPSHEETPAGEW>& pages, std::vector<std::wstring>& titles,
               std::vector<LONG_PTR>& userData, std::wstring& versionText, bool& versionPicture) {
    std::vector<HPROPSHEETPAGE> handles;
    for (const auto& page : pages) {
        handles.push_back(::CreatePropertySheetPageW(&page));
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = L"Properties";
    header.nPages = static_cast<UINT>(handles.size());
    header.phpage = handles.data();
    const HWND sheet = reinterpret_cast<HWND>(::PropertySheetW(&header));
    check(sheet != nullptr, "the pages open in a property sheet");
    if (sheet == nullptr) {
        return;
    }
    const HWND tabs = PropSheet_GetTabControl(sheet);
    for (int i = 0; i < static_cast<int>(pages.size()); ++i) {
        PropSheet_SetCurSel(sheet, nullptr, i);
        const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        userData.push_back(page ? ::GetWindowLongPtrW(page, DWLP_USER) : 0);
        wchar_t text[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        titles.push_back(text);
        if (templateOf(pages[i]) == 105 && page != nullptr) {
            wchar_t version[64] = {};
            ::GetDlgItemTextW(page, 1002, version, 64);
            versionText = version;
            versionPicture = ::SendDlgItemMessageW(page, 1001, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        }
    }
    PropSheet_Apply(sheet);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ::DestroyWindow(sheet);
}

PROPSHEETUI_INFO sheetInfo(WORD reason, LPARAM lParamInit) {
    PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = reason;
    info.hComPropSheet = sheetHandle;
    info.pfnComPropSheet = recordSheetCall;
    info.lParamInit = lParamInit;
    info.Result = 0xDEAD;
    return info;
}

void checkSheet(OemUi* ui, bool device, const std::vector<int>& expectedPages,
                const std::vector<const wchar_t*>& expectedTitles) {
    const char* name = device ? "device sheet" : "document sheet";
    auto call = [&](PROPSHEETUI_INFO& info, LPARAM lParam) {
        return device ? ui->lpVtbl->DevicePropertySheets(ui, &info, lParam)
                      : ui->lpVtbl->DocumentPropertySheets(ui, &info, lParam);
    };

    PROPSHEETUI_INFO wrong = sheetInfo(PROPSHEETUI_REASON_INIT, 0);
    wrong.Version = 0x0101;
    ::SetLastError(marker);
    HRESULT hr = call(wrong, 0);
    check(hr == E_FAIL && ::GetLastError() == ERROR_INVALID_PARAMETER,
          "%s: PROPSHEETUI_INFO version 0x0101 is refused with E_FAIL, ERROR_INVALID_PARAMETER "
          "(got 0x%08lx, %lu)",
          name, static_cast<unsigned long>(hr), ::GetLastError());

    sheetCalls.clear();
    OEMUIPSPARAM psParam{};
    psParam.cbSize = sizeof psParam;
    PROPSHEETUI_INFO init = sheetInfo(PROPSHEETUI_REASON_INIT, reinterpret_cast<LPARAM>(&psParam));
    hr = call(init, 0);
    check(hr == S_OK, "%s: INIT returns S_OK (got 0x%08lx)", name, static_cast<unsigned long>(hr));
    std::vector<int> added;
    std::vector<PROPSHEETPAGEW> pages;
    for (const auto& c : sheetCalls) {
        if (c.function == CPSFUNC_ADD_PROPSHEETPAGEW) {
            added.push_back(templateOf(c.page));
            pages.push_back(c.page);
        }
    }
    check(added == expectedPages && sheetCalls.size() == expectedPages.size(),
          "%s: pages added through CPSFUNC_ADD_PROPSHEETPAGEW in order", name);
    const HMODULE module = ::GetModuleHandleW(L"57KXUI.dll");
    LPARAM context = pages.empty() ? 0 : pages[0].lParam;
    for (const auto& page : pages) {
        const int id = templateOf(page);
        check(page.dwSize == 96, "%s page %d: dwSize 96 (got %lu)", name, id,
              static_cast<unsigned long>(page.dwSize));
        check(page.hInstance == module, "%s page %d: hInstance is the plug-in's module", name, id);
        check(page.pfnDlgProc != nullptr, "%s page %d: has a dialog procedure", name, id);
        check(page.lParam == context && context != 0, "%s page %d: lParam is the sheet's context",
              name, id);
        check((page.dwFlags & PSP_USEFUSIONCONTEXT) != 0 && page.hActCtx != nullptr &&
                  (page.dwFlags & ~PSP_USEFUSIONCONTEXT) == 0,
              "%s page %d: PSP_USEFUSIONCONTEXT with the module's activation context", name, id);
        check(page.pszTitle == nullptr && page.pfnCallback == nullptr &&
                  page.pcRefParent == nullptr,
              "%s page %d: the other fields are zero", name, id);
    }
    check(init.Result == static_cast<ULONG_PTR>(nextPageHandle - 1),
          "%s: Result is the last add call's answer", name);

    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    PROPSHEETUI_INFO info = sheetInfo(PROPSHEETUI_REASON_GET_INFO_HEADER, 0);
    hr = call(info, reinterpret_cast<LPARAM>(&header));
    check(hr == S_OK && info.Result == 1 && header.pTitle != nullptr &&
              std::wstring(header.pTitle) == L"OEM UI Page",
          "%s: GET_INFO_HEADER titles \"OEM UI Page\", Result 1", name);
    info = sheetInfo(PROPSHEETUI_REASON_DESTROY, 0);
    check(call(info, 0) == S_OK && info.Result == 1, "%s: DESTROY answers Result 1", name);
    SETRESULT_INFO result{};
    result.cbSize = sizeof result;
    result.Result = CPSUI_RESTARTWINDOWS;
    info = sheetInfo(PROPSHEETUI_REASON_SET_RESULT, 0);
    check(call(info, reinterpret_cast<LPARAM>(&result)) == S_OK &&
              info.Result == CPSUI_RESTARTWINDOWS,
          "%s: SET_RESULT passes the result on", name);
    info = sheetInfo(PROPSHEETUI_REASON_GET_ICON, 0);
    check(call(info, 0) == S_OK && info.Result == 0, "%s: GET_ICON answers 0", name);

    // The pages themselves, in a real sheet.
    const LONG_PTR lastHandle = nextPageHandle - 1;
    sheetCalls.clear();
    std::vector<std::wstring> titles;
    std::vector<LONG_PTR> userData;
    std::wstring versionText;
    bool versionPicture = false;
    showSheet(pages, titles, userData, versionText, versionPicture);
    bool titlesMatch = titles.size() == expectedTitles.size();
    for (std::size_t i = 0; titlesMatch && i < titles.size(); ++i) {
        titlesMatch = titles[i] == expectedTitles[i];
    }
    check(titlesMatch, "%s: the tabs read the templates' titles in order", name);
    for (std::size_t i = 0; i < userData.size() && i < pages.size(); ++i) {
        const int id = templateOf(pages[i]);
        const LONG_PTR expected = id == 105 ? 0 : context;
        check(userData[i] == expected, "%s page %d: DWLP_USER after WM_INITDIALOG is %s", name, id,
              id == 105 ? "untouched (static page)" : "the context");
    }
    check(versionText == L"Install Version 1.02", "%s: Version page shows \"Install Version 1.02\"",
          name);
    check(versionPicture, "%s: Version page shows bitmap 111", name);
    std::size_t okReports = 0;
    bool reportsRight = true;
    for (const auto& c : sheetCalls) {
        if (c.function == CPSFUNC_SET_RESULT) {
            ++okReports;
            reportsRight = reportsRight && c.sheet == sheetHandle && c.lParam2 == CPSUI_OK &&
                           c.lParam1 == (device ? lastHandle : -1);
        }
    }
    check(okReports == expectedPages.size() - 1 && reportsRight,
          "%s: applying reports CPSUI_OK once per page but Version (%zu reports)", name, okReports);
}

} // namespace

int main(int argc, char** argv) {
    // The plug-in beside this program, or the path given.
    std::wstring path = pluginBesideProgram();
    if (argc > 1) {
        wchar_t given[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, argv[1], -1, given, MAX_PATH);
        path = given;
    }
    HMODULE module = loadPlugin(path);
    if (module == nullptr) {
        return 2;
    }
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto getClassObject = exported<GetClassObject>(module, "DllGetClassObject");
    const auto canUnloadNow = exported<CanUnloadNow>(module, "DllCanUnloadNow");
    check(getClassObject != nullptr && canUnloadNow != nullptr,
          "DllGetClassObject and DllCanUnloadNow are exported by name");
    if (getClassObject == nullptr || canUnloadNow == nullptr) {
        return 1;
    }
    check(canUnloadNow() == S_OK, "DllCanUnloadNow is S_OK before anything is created");

    // Class object.
    void* object = reinterpret_cast<void*>(0x1234);
    HRESULT hr = getClassObject(someOtherId, iidClassFactory, &object);
    check(hr == CLASS_E_CLASSNOTAVAILABLE && object == reinterpret_cast<void*>(0x1234),
          "another class id: CLASS_E_CLASSNOTAVAILABLE, output untouched (got 0x%08lx)",
          static_cast<unsigned long>(hr));
    IClassFactory* factory = nullptr;
    hr = getClassObject(clsidOemUi, iidClassFactory, reinterpret_cast<void**>(&factory));
    check(hr == S_OK && factory != nullptr, "the OEM UI class id gives a class factory (0x%08lx)",
          static_cast<unsigned long>(hr));
    if (factory == nullptr) {
        return 1;
    }
    check(factory->LockServer(TRUE) == S_OK && canUnloadNow() == S_FALSE,
          "DllCanUnloadNow is S_FALSE while the server is locked");
    check(factory->LockServer(FALSE) == S_OK && canUnloadNow() == S_OK,
          "DllCanUnloadNow is S_OK again once unlocked");

    // Instance.
    DriverUi outer;
    object = reinterpret_cast<void*>(0x1234);
    hr = factory->CreateInstance(&outer, iidPrintOemUi, &object);
    check(hr == CLASS_E_NOAGGREGATION && object == nullptr, "aggregation is refused (0x%08lx)",
          static_cast<unsigned long>(hr));
    OemUi* ui = nullptr;
    hr = factory->CreateInstance(nullptr, iidPrintOemUi, reinterpret_cast<void**>(&ui));
    check(hr == S_OK && ui != nullptr, "CreateInstance gives an IPrintOemUI (0x%08lx)",
          static_cast<unsigned long>(hr));
    check(factory->Release() == 0, "the factory is gone after its only Release");
    if (ui == nullptr) {
        return 1;
    }
    check(canUnloadNow() == S_FALSE, "DllCanUnloadNow is S_FALSE while the object lives");
    check(ui->lpVtbl->AddRef(ui) == 2 && ui->lpVtbl->Release(ui) == 1,
          "the new object holds one reference");
    void* unknown = nullptr;
    check(ui->lpVtbl->QueryInterface(ui, iidUnknown, &unknown) == S_OK && unknown == ui,
          "QueryInterface for IUnknown gives the object");
    ui->lpVtbl->Release(ui);
    check(ui->lpVtbl->QueryInterface(ui, iidClassFactory, &unknown) == E_NOINTERFACE &&
              unknown == nullptr,
          "QueryInterface for another interface: E_NOINTERFACE, null");

    // PublishDriverInterface.
    DriverUi driver;
    check(ui->lpVtbl->PublishDriverInterface(ui, &driver) == S_OK && driver.references == 2,
          "PublishDriverInterface keeps the driver's IPrintOemDriverUI");
    check(ui->lpVtbl->PublishDriverInterface(ui, &driver) == S_OK && driver.queries == 1,
          "a second PublishDriverInterface does not ask again");

    // GetInfo.
    DWORD buffer[2] = {};
    DWORD needed = 0;
    hr = ui->lpVtbl->GetInfo(ui, OEMGI_GETSIGNATURE, buffer, sizeof buffer, &needed);
    check(hr == S_OK && buffer[0] == 0x5441564F && needed == 4,
          "GetInfo(OEMGI_GETSIGNATURE): 'TAVO', 4 bytes (got 0x%08lx, 0x%08lx, %lu)",
          static_cast<unsigned long>(hr), buffer[0], needed);
    hr = ui->lpVtbl->GetInfo(ui, OEMGI_GETVERSION, buffer, sizeof buffer, &needed);
    check(hr == S_OK && buffer[0] == 1, "GetInfo(OEMGI_GETVERSION): 1");
    ::SetLastError(marker);
    hr = ui->lpVtbl->GetInfo(ui, OEMGI_GETSIGNATURE, buffer, 3, &needed);
    check(hr == E_FAIL && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed == 4,
          "GetInfo with 3 bytes: E_FAIL, ERROR_INSUFFICIENT_BUFFER, 4 needed (got %lu, %lu)",
          ::GetLastError(), needed);
    ::SetLastError(marker);
    hr = ui->lpVtbl->GetInfo(ui, OEMGI_GETPUBLISHERINFO, buffer, sizeof buffer, &needed);
    check(hr == E_FAIL && ::GetLastError() == ERROR_NOT_SUPPORTED && needed == 0,
          "GetInfo(OEMGI_GETPUBLISHERINFO): E_FAIL, ERROR_NOT_SUPPORTED, 0 needed");
    ::SetLastError(marker);
    hr = ui->lpVtbl->GetInfo(ui, OEMGI_GETINTERFACEVERSION, buffer, sizeof buffer, &needed);
    check(hr == E_FAIL && ::GetLastError() == ERROR_INVALID_PARAMETER,
          "GetInfo(OEMGI_GETINTERFACEVERSION): E_FAIL, ERROR_INVALID_PARAMETER (got %lu)",
          ::GetLastError());

    // DevMode, all four modes.
    OEMDMPARAM dm{};
    dm.cbSize = sizeof dm;
    dm.cbBufSize = 7;
    hr = ui->lpVtbl->DevMode(ui, OEMDM_SIZE, &dm);
    check(hr == S_OK && dm.cbBufSize == 1464, "DevMode(OEMDM_SIZE): 1464 (got %lu)", dm.cbBufSize);
    std::vector<BYTE> defaults(1464, 0xCC);
    dm.pOEMDMOut = defaults.data();
    dm.cbBufSize = 1464;
    hr = ui->lpVtbl->DevMode(ui, OEMDM_DEFAULT, &dm);
    auto dword = [](const std::vector<BYTE>& b, std::size_t at) {
        DWORD v;
        std::memcpy(&v, b.data() + at, 4);
        return v;
    };
    check(hr == S_OK && dword(defaults, 0) == 1464 && dword(defaults, 4) == 0x5441564F &&
              dword(defaults, 8) == 1,
          "DevMode(OEMDM_DEFAULT): header 1464, 'TAVO', 1");
    check(defaults[0x093] == 12 && defaults[0x135] == 1 && defaults[0x1B8] == 1 &&
              defaults[0x573] == 100 && dword(defaults, 0x56C) == 45 && defaults[0x571] == 100 &&
              defaults[0x572] == 50 && defaults[0x570] == 4 && defaults[0x568] == 50,
          "DevMode(OEMDM_DEFAULT): drawer 12, partial cut after feed, zoom 100, watermark "
          "45/100/50/4/50");
    std::vector<BYTE> older(600);
    for (std::size_t i = 0; i < older.size(); ++i) {
        older[i] = static_cast<BYTE>(i * 3 + 1);
    }
    const DWORD olderHeader[3] = {600, 0x5441564F, 0};
    std::memcpy(older.data(), olderHeader, sizeof olderHeader);
    std::vector<BYTE> converted = defaults;
    dm.pOEMDMIn = older.data();
    dm.pOEMDMOut = converted.data();
    hr = ui->lpVtbl->DevMode(ui, OEMDM_CONVERT, &dm);
    bool kept = true;
    for (std::size_t i = 0x00C; i < 0x258; ++i) {
        kept = kept && converted[i] == older[i];
    }
    bool defaulted = true;
    for (std::size_t i = 0x258; i < 1464; ++i) {
        defaulted = defaulted && converted[i] == defaults[i];
    }
    check(hr == S_OK && kept && defaulted && dword(converted, 0) == 1464 &&
              dword(converted, 8) == 1,
          "DevMode(OEMDM_CONVERT) of a 600-byte record keeps its bytes and defaults the rest");
    std::vector<BYTE> foreign(1464, 0x5A);
    dm.pOEMDMIn = foreign.data();
    hr = ui->lpVtbl->DevMode(ui, OEMDM_CONVERT, &dm);
    check(hr == S_OK && converted == defaults, "DevMode(OEMDM_CONVERT) discards a foreign record");
    std::vector<BYTE> merged = defaults;
    std::vector<BYTE> hidden = defaults;
    hidden[0x00C] = 101;
    dm.pOEMDMIn = hidden.data();
    dm.pOEMDMOut = merged.data();
    hr = ui->lpVtbl->DevMode(ui, OEMDM_MERGE, &dm);
    check(hr == S_OK && dword(merged, 0x00C) == 0, "DevMode(OEMDM_MERGE) resets 101 at 0x00C to 0");
    hidden[0x00C] = 100;
    hr = ui->lpVtbl->DevMode(ui, OEMDM_MERGE, &dm);
    check(hr == S_OK && dword(merged, 0x00C) == 100, "DevMode(OEMDM_MERGE) keeps 100 at 0x00C");
    ::SetLastError(marker);
    hr = ui->lpVtbl->DevMode(ui, 5, &dm);
    check(hr == E_FAIL && ::GetLastError() == ERROR_INVALID_PARAMETER,
          "DevMode with mode 5: E_FAIL, ERROR_INVALID_PARAMETER");

    // CommonUIProp.
    OEMCUIPPARAM cuip{};
    cuip.cbSize = sizeof cuip;
    cuip.cOEMOptItems = 3;
    check(ui->lpVtbl->CommonUIProp(ui, OEMCUIP_DOCPROP, &cuip) == S_OK,
          "CommonUIProp(OEMCUIP_DOCPROP): S_OK");
    check(ui->lpVtbl->CommonUIProp(ui, OEMCUIP_PRNPROP, &cuip) == S_OK && cuip.cOEMOptItems == 0,
          "CommonUIProp(OEMCUIP_PRNPROP): S_OK, no option items of its own");
    ::SetLastError(marker);
    check(ui->lpVtbl->CommonUIProp(ui, 3, &cuip) == E_FAIL &&
              ::GetLastError() == ERROR_INVALID_PARAMETER,
          "CommonUIProp with mode 3: E_FAIL, ERROR_INVALID_PARAMETER");

    // QueryColorProfile.
    BYTE profile[64] = {};
    ULONG profileSize = 31;
    ULONG profileFlags = 0;
    ::SetLastError(marker);
    hr = ui->lpVtbl->QueryColorProfile(ui, nullptr, nullptr, nullptr, nullptr, 0, profile,
                                       &profileSize, &profileFlags);
    check(hr == E_FAIL && profileSize == 32 && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER,
          "QueryColorProfile with 31 bytes: E_FAIL, 32 needed, ERROR_INSUFFICIENT_BUFFER");
    hr = ui->lpVtbl->QueryColorProfile(ui, nullptr, nullptr, nullptr, nullptr, 0, profile,
                                       &profileSize, &profileFlags);
    check(hr == S_OK && std::wstring(reinterpret_cast<wchar_t*>(profile)) == L"OEMPROFILE.icm" &&
              profileFlags == 2 && profileSize == 32,
          "QueryColorProfile with 32 bytes: \"OEMPROFILE.icm\", QCP_PROFILEDISK");

    // The slots the plug-in leaves to the driver.
    check(ui->lpVtbl->DevQueryPrintEx(ui, nullptr, nullptr, nullptr, nullptr) == E_NOTIMPL &&
              ui->lpVtbl->UpgradePrinter(ui, 0, nullptr) == E_NOTIMPL &&
              ui->lpVtbl->PrinterEvent(ui, nullptr, 0, 0, 0) == E_NOTIMPL &&
              ui->lpVtbl->DriverEvent(ui, 0, 0, nullptr, 0) == E_NOTIMPL &&
              ui->lpVtbl->FontInstallerDlgProc(ui, nullptr, 0, 0, 0) == E_NOTIMPL &&
              ui->lpVtbl->UpdateExternalFonts(ui, nullptr, nullptr, nullptr) == E_NOTIMPL,
          "DevQueryPrintEx, UpgradePrinter, PrinterEvent, DriverEvent, FontInstallerDlgProc, "
          "UpdateExternalFonts: E_NOTIMPL");

    // Both sheets.
    checkSheet(ui, false, {128, 131, 103, 117, 118, 105},
               {L"Main", L"Water Mark", L"Operation", L"1D Code", L"2D Code", L"Version"});
    checkSheet(ui, true, {114, 113, 119, 105}, {L"Utility", L"Download", L"Font", L"Version"});

    checkResources(module, path);

    // Release.
    check(ui->lpVtbl->Release(ui) == 0, "the host's last Release destroys the object");
    check(driver.references == 1, "the driver's interface is released with the object");
    check(canUnloadNow() == S_OK, "DllCanUnloadNow is S_OK once the object is gone");
    ::FreeLibrary(module);

    std::printf("%d check(s) failed\n", failures);
    return failures == 0 ? 0 : 1;
}

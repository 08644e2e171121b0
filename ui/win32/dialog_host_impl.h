// The host's implementation for both string types. Each type is instantiated
// in a file of its own (dialog_host_ansi.cpp, dialog_host_wide.cpp), so that an
// ANSI program links, and imports, only the A functions.
#pragma once

#include "ui/win32/dialog_host.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>

namespace ui::win32 {
namespace hostdetail {

template <typename Text> constexpr bool wide = std::is_same_v<Text, std::u16string>;

// The characters the Win32 call takes for a Text.
inline const char* chars(const std::string& text) {
    return text.c_str();
}
inline const wchar_t* chars(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

template <typename Text> LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if constexpr (wide<Text>)
        return SendMessageW(window, message, wParam, lParam);
    else
        return SendMessageA(window, message, wParam, lParam);
}

template <typename Text> Text windowText(HWND window) {
    if (window == nullptr)
        return Text();
    if constexpr (wide<Text>) {
        const int length = GetWindowTextLengthW(window);
        std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
        const int got = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
        text.resize(static_cast<std::size_t>(std::max(got, 0)));
        return text;
    } else {
        const int length = GetWindowTextLengthA(window);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const int got = GetWindowTextA(window, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(got, 0)));
        return text;
    }
}

template <typename Text> void setWindowText(HWND window, const Text& text) {
    if constexpr (wide<Text>)
        SetWindowTextW(window, chars(text));
    else
        SetWindowTextA(window, chars(text));
}

enum class Kind {
    Button,
    Edit,
    Combo,
    ListBox,
    ListView,
    Tree,
    TrackBar,
    UpDown,
    Progress,
    IpAddress,
    Static,
    Other
};

inline Kind kindOf(HWND control) {
    char name[64] = {};
    if (control == nullptr || GetClassNameA(control, name, sizeof name) == 0)
        return Kind::Other;
    struct Entry {
        const char* name;
        Kind kind;
    };
    static const Entry table[] = {{"Button", Kind::Button},
                                  {"Edit", Kind::Edit},
                                  {"ComboBox", Kind::Combo},
                                  {"ListBox", Kind::ListBox},
                                  {"SysListView32", Kind::ListView},
                                  {"SysTreeView32", Kind::Tree},
                                  {"msctls_trackbar32", Kind::TrackBar},
                                  {"msctls_updown32", Kind::UpDown},
                                  {"msctls_progress32", Kind::Progress},
                                  {"SysIPAddress32", Kind::IpAddress},
                                  {"Static", Kind::Static}};
    for (const Entry& e : table) {
        if (lstrcmpiA(name, e.name) == 0)
            return e.kind;
    }
    return Kind::Other;
}

template <typename Text> HFONT makeFont(const FontSpec<Text>& spec) {
    if constexpr (wide<Text>) {
        LOGFONTW font{};
        font.lfHeight = spec.height;
        font.lfWeight = spec.weight;
        font.lfCharSet = spec.charSet;
        font.lfPitchAndFamily = spec.pitchAndFamily;
        std::u16string face = spec.face.substr(0, LF_FACESIZE - 1);
        std::memcpy(font.lfFaceName, face.c_str(), face.size() * sizeof(char16_t));
        return CreateFontIndirectW(&font);
    } else {
        LOGFONTA font{};
        font.lfHeight = spec.height;
        font.lfWeight = spec.weight;
        font.lfCharSet = spec.charSet;
        font.lfPitchAndFamily = spec.pitchAndFamily;
        std::string face = spec.face.substr(0, LF_FACESIZE - 1);
        std::memcpy(font.lfFaceName, face.c_str(), face.size());
        return CreateFontIndirectA(&font);
    }
}

inline COLORREF colourOf(Rgb c) {
    return RGB(c.red, c.green, c.blue);
}

// A bitmap of the prepared pixels, to be blitted as it is.
inline HBITMAP bitmapOf(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (bitmap != nullptr && bits != nullptr)
        std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(std::uint32_t));
    return bitmap;
}

inline void releasePictures(ControlDecor& d) {
    if (d.bitmap != nullptr)
        DeleteObject(d.bitmap);
    d.bitmap = nullptr;
    for (HBITMAP b : d.pictures)
        DeleteObject(b);
    d.pictures.clear();
    d.placements.clear();
}

// Where the host of a dialog window lives.
template <typename Text> DialogHost<Text>* hostOf(HWND window) {
    if constexpr (wide<Text>)
        return reinterpret_cast<DialogHost<Text>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    else
        return reinterpret_cast<DialogHost<Text>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// What DialogHost::deliver sends: wParam the code, lParam the text.
inline constexpr UINT deliveredMessage = WM_APP + 0x2F0;

inline const char* const filterProperty = "pkg.ui.filter.previous";

} // namespace hostdetail

using namespace hostdetail;

// --- the host -------------------------------------------------------------

template <typename Text>
DialogHost<Text>::DialogHost(HINSTANCE instance, DialogController<Text>& controller)
    : instance_(instance), controller_(controller), view_(*this) {}

template <typename Text> DialogHost<Text>::~DialogHost() {
    for (auto& [id, d] : decor_) {
        if (d.brush)
            DeleteObject(d.brush);
        if (d.font)
            DeleteObject(d.font);
        releasePictures(d);
    }
    if (dialogFont_)
        DeleteObject(dialogFont_);
    if (paintedFont_)
        DeleteObject(paintedFont_);
}

template <typename Text> INT_PTR DialogHost<Text>::runModal(int templateId, HWND owner) {
    modal_ = true;
    if (modalRunner_)
        return modalRunner_(templateId, owner, dialogProc, reinterpret_cast<LPARAM>(this));
    if constexpr (wide<Text>)
        return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId), owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
    else
        return DialogBoxParamA(instance_, MAKEINTRESOURCEA(templateId), owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
}

template <typename Text> HWND DialogHost<Text>::createModeless(int templateId, HWND parent) {
    modal_ = false;
    if constexpr (wide<Text>)
        return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId), parent, dialogProc,
                                  reinterpret_cast<LPARAM>(this));
    else
        return CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId), parent, dialogProc,
                                  reinterpret_cast<LPARAM>(this));
}

template <typename Text> void DialogHost<Text>::attach(HWND window) {
    window_ = window;
    if constexpr (wide<Text>)
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    else
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controller_.onInit(view_);
}

template <typename Text> void DialogHost<Text>::deliver(unsigned code, const Text& text) {
    send<Text>(window_, deliveredMessage, code, reinterpret_cast<LPARAM>(&text));
}

template <typename Text>
INT_PTR CALLBACK DialogHost<Text>::dialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        reinterpret_cast<DialogHost*>(lParam)->attach(window);
        return TRUE;
    }
    DialogHost* host = hostOf<Text>(window);
    INT_PTR result = 0;
    if (host != nullptr && host->handle(message, wParam, lParam, result))
        return result;
    return FALSE;
}

template <typename Text>
bool DialogHost<Text>::handle(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    result = TRUE;
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        ControlEvent event{id, Notice::Clicked};
        if (control == nullptr) {
            // A menu or accelerator: Enter and Escape arrive as IDOK and IDCANCEL.
            if (id != IDOK && id != IDCANCEL)
                return false;
        } else {
            switch (kindOf(control)) {
            case Kind::Button:
                if (code != BN_CLICKED)
                    return false;
                break;
            case Kind::Edit:
                if (code == EN_CHANGE)
                    event.notice = Notice::TextChanged;
                else if (code == EN_KILLFOCUS)
                    event.notice = Notice::FocusLost;
                else
                    return false;
                break;
            case Kind::Combo:
                if (code == CBN_SELCHANGE)
                    event.notice = Notice::SelectionChanged;
                else if (code == CBN_EDITCHANGE)
                    event.notice = Notice::TextChanged;
                else if (code == CBN_KILLFOCUS)
                    event.notice = Notice::FocusLost;
                else
                    return false;
                break;
            case Kind::ListBox:
                if (code == LBN_SELCHANGE)
                    event.notice = Notice::SelectionChanged;
                else if (code == LBN_DBLCLK)
                    event.notice = Notice::DoubleClicked;
                else
                    return false;
                break;
            default:
                if (code != BN_CLICKED && code != STN_CLICKED)
                    return false;
                break;
            }
        }
        controller_.onEvent(view_, event);
        return true;
    }
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        const int id = static_cast<int>(header.idFrom);
        switch (header.code) {
        case NM_CLICK:
        case NM_DBLCLK: {
            ControlEvent event{id, header.code == static_cast<UINT>(NM_CLICK)
                                       ? Notice::Clicked
                                       : Notice::DoubleClicked};
            if (kindOf(header.hwndFrom) == Kind::ListView)
                event.item = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
            controller_.onEvent(view_, event);
            result = 0;
            return true;
        }
        case LVN_ITEMCHANGED: {
            const NMLISTVIEW& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change.uChanged & LVIF_STATE) == 0)
                return false;
            controller_.onEvent(view_, {id, Notice::ItemChanged, change.iItem});
            result = 0;
            return true;
        }
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            controller_.onEvent(view_, {id, Notice::SelectionChanged});
            result = 0;
            return true;
        case UDN_DELTAPOS: {
            const NMUPDOWN& spin = *reinterpret_cast<const NMUPDOWN*>(lParam);
            controller_.onEvent(view_, {id, Notice::Spin, -1, spin.iDelta});
            result = 0;
            return true;
        }
        case PSN_SETACTIVE:
            controller_.onPageShown(view_);
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
            return true;
        case PSN_KILLACTIVE:
            SetWindowLongPtrA(window_, DWLP_MSGRESULT,
                              controller_.onPageLeaving(view_) ? FALSE : TRUE);
            return true;
        case PSN_APPLY:
            SetWindowLongPtrA(window_, DWLP_MSGRESULT,
                              controller_.onApply(view_) ? PSNRET_NOERROR
                                                         : PSNRET_INVALID_NOCHANGEPAGE);
            return true;
        case PSN_RESET:
            controller_.onCancel(view_);
            return true;
        default:
            return false;
        }
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control == nullptr || kindOf(control) != Kind::TrackBar)
            return false;
        controller_.onEvent(view_, {GetDlgCtrlID(control), Notice::Scrolled});
        result = 0;
        return true;
    }
    case WM_TIMER:
        controller_.onTimer(view_, static_cast<unsigned>(wParam));
        return true;
    case deliveredMessage:
        controller_.onDelivered(view_, static_cast<unsigned>(wParam),
                                *reinterpret_cast<const Text*>(lParam));
        return true;
    case WM_SYSCOMMAND:
        if (controller_.onSysCommand(view_, static_cast<unsigned>(wParam & 0xFFF0))) {
            return true;
        }
        return false;
    case WM_HELP:
        return controller_.onHelp(view_);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        auto it = decor_.find(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
        if (it == decor_.end() || (!it->second.coloured && !it->second.windowColours))
            return false;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ControlDecor& d = it->second;
        if (d.windowColours) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            if (d.brush == nullptr)
                d.brush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
        } else {
            SetTextColor(dc, d.textColour);
            SetBkMode(dc, TRANSPARENT);
        }
        result = reinterpret_cast<INT_PTR>(
            d.brush ? d.brush : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        return true;
    }
    case WM_DRAWITEM:
        return drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_PAINT:
        if (paintedText_.empty())
            return false;
        paint();
        return true;
    case WM_DESTROY:
        controller_.onDestroy(view_);
        return false;
    default:
        return false;
    }
}

template <typename Text> void DialogHost<Text>::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    RECT area{paintedArea_.x, paintedArea_.y, paintedArea_.x + paintedArea_.width,
              paintedArea_.y + paintedArea_.height};
    HGDIOBJ old = paintedFont_ ? SelectObject(dc, paintedFont_) : nullptr;
    SetTextColor(dc, paintedColour_);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
    if constexpr (wide<Text>)
        DrawTextW(dc, chars(paintedText_), -1, &area, format);
    else
        DrawTextA(dc, chars(paintedText_), -1, &area, format);
    if (old)
        SelectObject(dc, old);
    EndPaint(window_, &ps);
}

template <typename Text> bool DialogHost<Text>::drawItem(const DRAWITEMSTRUCT& item) {
    auto it = decor_.find(static_cast<int>(item.CtlID));
    if (item.CtlType != ODT_STATIC || it == decor_.end())
        return false;
    const ControlDecor& d = it->second;
    HDC memory = CreateCompatibleDC(item.hDC);
    const RECT& r = item.rcItem;
    if (d.bitmap != nullptr) {
        BITMAP info{};
        GetObjectA(d.bitmap, sizeof info, &info);
        HGDIOBJ old = SelectObject(memory, d.bitmap);
        SetStretchBltMode(item.hDC, COLORONCOLOR);
        StretchBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
    } else {
        FillRect(item.hDC, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    }
    for (std::size_t i = 0; i < d.pictures.size(); ++i) {
        BITMAP info{};
        GetObjectA(d.pictures[i], sizeof info, &info);
        HGDIOBJ old = SelectObject(memory, d.pictures[i]);
        const RECT& p = d.placements[i];
        SetStretchBltMode(item.hDC, COLORONCOLOR);
        StretchBlt(item.hDC, r.left + p.left, r.top + p.top, p.right - p.left, p.bottom - p.top,
                   memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    return true;
}

template <typename Text>
LRESULT CALLBACK DialogHost<Text>::filteredEditProc(HWND edit, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(edit, filterProperty));
    DialogHost* host = hostOf<Text>(GetParent(edit));
    const int id = GetDlgCtrlID(edit);
    const ControlDecor* d = nullptr;
    if (host != nullptr) {
        auto it = host->decor_.find(id);
        d = it == host->decor_.end() ? nullptr : &it->second;
    }
    if (d != nullptr && message == WM_GETDLGCODE && d->allKeys)
        return DLGC_WANTALLKEYS;
    if (d != nullptr && message == WM_CHAR && d->filtered &&
        !host->controller_.onCharacter(host->view_, id, static_cast<unsigned>(wParam)))
        return 0;
    if (message == WM_NCDESTROY)
        RemovePropA(edit, filterProperty);
    if constexpr (wide<Text>)
        return CallWindowProcW(previous, edit, message, wParam, lParam);
    else
        return CallWindowProcA(previous, edit, message, wParam, lParam);
}

// --- the view -------------------------------------------------------------

template <typename Text> HWND Win32DialogView<Text>::item(int id) const {
    return GetDlgItem(host_.window_, id);
}

template <typename Text> platform::Handle Win32DialogView<Text>::window() const {
    return static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(host_.window_));
}

template <typename Text> void Win32DialogView<Text>::setCaption(const Text& text) {
    setWindowText(host_.window_, text);
}

template <typename Text> Text Win32DialogView<Text>::caption() const {
    return windowText<Text>(host_.window_);
}

template <typename Text> void Win32DialogView<Text>::close(int result) {
    if (host_.modal_)
        EndDialog(host_.window_, result);
    else
        DestroyWindow(host_.window_);
}

template <typename Text> void Win32DialogView<Text>::showDialog(bool visible) {
    ShowWindow(host_.window_, visible ? SW_SHOW : SW_HIDE);
}

template <typename Text> bool Win32DialogView<Text>::dialogVisible() const {
    return IsWindowVisible(host_.window_) != FALSE;
}

template <typename Text> void Win32DialogView<Text>::setIcon(int resourceId) {
    for (const auto& [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                        std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        HANDLE icon = LoadImageA(host_.instance_, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                 GetSystemMetrics(cx), GetSystemMetrics(cy), LR_SHARED);
        send<Text>(host_.window_, WM_SETICON, static_cast<WPARAM>(which),
                   reinterpret_cast<LPARAM>(icon));
    }
}

template <typename Text>
void Win32DialogView<Text>::addSystemMenuItem(unsigned command, const Text& text) {
    HMENU menu = GetSystemMenu(host_.window_, FALSE);
    if (menu == nullptr)
        return;
    if constexpr (wide<Text>) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, command, chars(text));
    } else {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, command, chars(text));
    }
}

template <typename Text> void Win32DialogView<Text>::applyFont(const FontSpec<Text>& font) {
    if (host_.dialogFont_)
        DeleteObject(host_.dialogFont_);
    host_.dialogFont_ = makeFont(font);
    if (host_.dialogFont_ == nullptr)
        return;
    send<Text>(host_.window_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.dialogFont_), TRUE);
    for (HWND child = GetWindow(host_.window_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        send<Text>(child, WM_SETFONT, reinterpret_cast<WPARAM>(host_.dialogFont_), TRUE);
}

template <typename Text> void Win32DialogView<Text>::setText(int id, const Text& text) {
    setWindowText(item(id), text);
}

template <typename Text> Text Win32DialogView<Text>::text(int id) const {
    return windowText<Text>(item(id));
}

template <typename Text>
std::optional<long> Win32DialogView<Text>::number(int id, bool isSigned) const {
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(host_.window_, id, &translated, isSigned ? TRUE : FALSE);
    if (!translated)
        return std::nullopt;
    return isSigned ? static_cast<long>(static_cast<int>(value)) : static_cast<long>(value);
}

template <typename Text> void Win32DialogView<Text>::enable(int id, bool enabled) {
    EnableWindow(item(id), enabled ? TRUE : FALSE);
}

template <typename Text> bool Win32DialogView<Text>::isEnabled(int id) const {
    return IsWindowEnabled(item(id)) != FALSE;
}

template <typename Text> void Win32DialogView<Text>::show(int id, bool visible) {
    ShowWindow(item(id), visible ? SW_SHOW : SW_HIDE);
}

template <typename Text> bool Win32DialogView<Text>::isVisible(int id) const {
    return (GetWindowLongA(item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

template <typename Text> void Win32DialogView<Text>::focus(int id) {
    send<Text>(host_.window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
}

template <typename Text> void Win32DialogView<Text>::setDefaultButton(int id) {
    send<Text>(host_.window_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
}

template <typename Text> void Win32DialogView<Text>::setFont(int id, const FontSpec<Text>& font) {
    ControlDecor& d = host_.decor(id);
    if (d.font)
        DeleteObject(d.font);
    d.font = makeFont(font);
    send<Text>(item(id), WM_SETFONT, reinterpret_cast<WPARAM>(d.font), TRUE);
}

template <typename Text>
void Win32DialogView<Text>::setTextColor(int id, Rgb colour, std::optional<Rgb> background) {
    ControlDecor& d = host_.decor(id);
    d.coloured = true;
    d.textColour = colourOf(colour);
    if (d.brush)
        DeleteObject(d.brush);
    d.brush = background ? CreateSolidBrush(colourOf(*background)) : nullptr;
    InvalidateRect(item(id), nullptr, TRUE);
}

template <typename Text> void Win32DialogView<Text>::useWindowColours(int id) {
    host_.decor(id).windowColours = true;
}

template <typename Text>
void Win32DialogView<Text>::setTooltip(int id, const Text& tip, int maxWidth) {
    if (host_.tooltip_ == nullptr) {
        host_.tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         host_.window_, nullptr, host_.instance_, nullptr);
        if (host_.tooltip_ == nullptr)
            return;
        send<Text>(host_.tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
    send<Text>(host_.tooltip_, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    if constexpr (wide<Text>) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V1_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = host_.window_;
        info.uId = reinterpret_cast<UINT_PTR>(item(id));
        info.lpszText = const_cast<wchar_t*>(chars(tip));
        send<Text>(host_.tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = host_.window_;
        info.uId = reinterpret_cast<UINT_PTR>(item(id));
        info.lpszText = const_cast<char*>(chars(tip));
        send<Text>(host_.tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

template <typename Text> void Win32DialogView<Text>::redraw(int id) {
    InvalidateRect(id == 0 ? host_.window_ : item(id), nullptr, TRUE);
}

template <typename Text> void Win32DialogView<Text>::setTextLimit(int id, int characters) {
    HWND control = item(id);
    send<Text>(control, kindOf(control) == Kind::Combo ? CB_LIMITTEXT : EM_LIMITTEXT,
               static_cast<WPARAM>(characters), 0);
}

template <typename Text> void Win32DialogView<Text>::setReadOnly(int id, bool readOnly) {
    send<Text>(item(id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

template <typename Text> void Win32DialogView<Text>::appendText(int id, const Text& text) {
    HWND edit = item(id);
    const int length = wide<Text> ? GetWindowTextLengthW(edit) : GetWindowTextLengthA(edit);
    send<Text>(edit, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    send<Text>(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(chars(text)));
    send<Text>(edit, EM_SCROLLCARET, 0, 0);
}

template <typename Text>
void Win32DialogView<Text>::filterCharacters(int id) {
    host_.decor(id).filtered = true;
    subclassEdit(item(id));
}

template <typename Text>
void Win32DialogView<Text>::wantAllKeys(int id) {
    host_.decor(id).allKeys = true;
    subclassEdit(item(id));
}

template <typename Text>
bool Win32DialogView<Text>::isKeyDown(int virtualKey) const {
    return GetKeyState(virtualKey) < 0;
}

template <typename Text>
void Win32DialogView<Text>::focusNextControl() {
    if constexpr (wide<Text>)
        PostMessageW(host_.window_, WM_NEXTDLGCTL, 0, FALSE);
    else
        PostMessageA(host_.window_, WM_NEXTDLGCTL, 0, FALSE);
}

template <typename Text>
void Win32DialogView<Text>::subclassEdit(HWND edit) {
    if (edit == nullptr || GetPropA(edit, filterProperty) != nullptr)
        return;
    LONG_PTR previous;
    if constexpr (wide<Text>)
        previous = SetWindowLongPtrW(
            edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogHost<Text>::filteredEditProc));
    else
        previous = SetWindowLongPtrA(
            edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogHost<Text>::filteredEditProc));
    SetPropA(edit, filterProperty, reinterpret_cast<HANDLE>(previous));
}

template <typename Text> void Win32DialogView<Text>::setChecked(int id, bool checked) {
    CheckDlgButton(host_.window_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

template <typename Text> bool Win32DialogView<Text>::isChecked(int id) const {
    return IsDlgButtonChecked(host_.window_, id) == BST_CHECKED;
}

template <typename Text> void Win32DialogView<Text>::checkRadio(int first, int last, int checked) {
    CheckRadioButton(host_.window_, first, last, checked);
}

template <typename Text> void Win32DialogView<Text>::clearItems(int id) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        send<Text>(control, CB_RESETCONTENT, 0, 0);
        break;
    case Kind::ListBox:
        send<Text>(control, LB_RESETCONTENT, 0, 0);
        break;
    case Kind::ListView:
        send<Text>(control, LVM_DELETEALLITEMS, 0, 0);
        break;
    case Kind::Tree:
        send<Text>(control, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        break;
    default:
        break;
    }
}

template <typename Text> int Win32DialogView<Text>::addItem(int id, const Text& text) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        return static_cast<int>(
            send<Text>(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(chars(text))));
    case Kind::ListBox:
        return static_cast<int>(
            send<Text>(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(chars(text))));
    case Kind::ListView:
        return insertItem(id, itemCount(id), text);
    default:
        return -1;
    }
}

template <typename Text>
int Win32DialogView<Text>::insertItem(int id, int index, const Text& text) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        return static_cast<int>(send<Text>(control, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(chars(text))));
    case Kind::ListBox:
        return static_cast<int>(send<Text>(control, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(chars(text))));
    case Kind::ListView: {
        if constexpr (wide<Text>) {
            LVITEMW row{};
            row.mask = LVIF_TEXT;
            row.iItem = index;
            row.pszText = const_cast<wchar_t*>(chars(text));
            return static_cast<int>(
                send<Text>(control, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
        } else {
            LVITEMA row{};
            row.mask = LVIF_TEXT;
            row.iItem = index;
            row.pszText = const_cast<char*>(chars(text));
            return static_cast<int>(
                send<Text>(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
        }
    }
    default:
        return -1;
    }
}

template <typename Text> void Win32DialogView<Text>::removeItem(int id, int index) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        send<Text>(control, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        break;
    case Kind::ListBox:
        send<Text>(control, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        break;
    case Kind::ListView:
        send<Text>(control, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
        break;
    default:
        break;
    }
}

template <typename Text> int Win32DialogView<Text>::itemCount(int id) const {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        return static_cast<int>(send<Text>(control, CB_GETCOUNT, 0, 0));
    case Kind::ListBox:
        return static_cast<int>(send<Text>(control, LB_GETCOUNT, 0, 0));
    case Kind::ListView:
        return static_cast<int>(send<Text>(control, LVM_GETITEMCOUNT, 0, 0));
    default:
        return 0;
    }
}

template <typename Text> Text Win32DialogView<Text>::itemText(int id, int index) const {
    HWND control = item(id);
    const Kind kind = kindOf(control);
    if (kind == Kind::ListView)
        return cell(id, index, 0);
    if (kind != Kind::Combo && kind != Kind::ListBox)
        return Text();
    const UINT lengthMessage = kind == Kind::Combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = kind == Kind::Combo ? CB_GETLBTEXT : LB_GETTEXT;
    const LRESULT length = send<Text>(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return Text();
    Text text(static_cast<std::size_t>(length) + 1, 0);
    const LRESULT got = send<Text>(control, textMessage, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return text;
}

template <typename Text> int Win32DialogView<Text>::selection(int id) const {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        return static_cast<int>(send<Text>(control, CB_GETCURSEL, 0, 0));
    case Kind::ListBox:
        return static_cast<int>(send<Text>(control, LB_GETCURSEL, 0, 0));
    case Kind::ListView:
        return static_cast<int>(
            send<Text>(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    default:
        return -1;
    }
}

template <typename Text> void Win32DialogView<Text>::select(int id, int index) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::Combo:
        send<Text>(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        break;
    case Kind::ListBox:
        send<Text>(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        break;
    case Kind::ListView: {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = 0;
        send<Text>(control, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&state));
        if (index >= 0) {
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            send<Text>(control, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&state));
            send<Text>(control, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
        }
        break;
    }
    default:
        break;
    }
}

template <typename Text>
int Win32DialogView<Text>::findItem(int id, int after, const Text& prefix) const {
    HWND control = item(id);
    const Kind kind = kindOf(control);
    if (kind != Kind::Combo && kind != Kind::ListBox)
        return -1;
    const LRESULT found =
        send<Text>(control, kind == Kind::Combo ? CB_FINDSTRING : LB_FINDSTRING,
                   static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(chars(prefix)));
    return found < 0 ? -1 : static_cast<int>(found);
}

template <typename Text>
void Win32DialogView<Text>::addColumn(int id, const Text& title, int width) {
    HWND control = item(id);
    HWND header = reinterpret_cast<HWND>(send<Text>(control, LVM_GETHEADER, 0, 0));
    const int at = header ? static_cast<int>(send<Text>(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    if constexpr (wide<Text>) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = width;
        column.iSubItem = at;
        column.pszText = const_cast<wchar_t*>(chars(title));
        send<Text>(control, LVM_INSERTCOLUMNW, static_cast<WPARAM>(at),
                   reinterpret_cast<LPARAM>(&column));
    } else {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = width;
        column.iSubItem = at;
        column.pszText = const_cast<char*>(chars(title));
        send<Text>(control, LVM_INSERTCOLUMNA, static_cast<WPARAM>(at),
                   reinterpret_cast<LPARAM>(&column));
    }
}

template <typename Text>
void Win32DialogView<Text>::setListStyle(int id, std::uint32_t extendedStyle) {
    send<Text>(item(id), LVM_SETEXTENDEDLISTVIEWSTYLE, extendedStyle, extendedStyle);
}

template <typename Text>
void Win32DialogView<Text>::setCell(int id, int row, int column, const Text& text) {
    if constexpr (wide<Text>) {
        LVITEMW cellItem{};
        cellItem.iSubItem = column;
        cellItem.pszText = const_cast<wchar_t*>(chars(text));
        send<Text>(item(id), LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&cellItem));
    } else {
        LVITEMA cellItem{};
        cellItem.iSubItem = column;
        cellItem.pszText = const_cast<char*>(chars(text));
        send<Text>(item(id), LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&cellItem));
    }
}

template <typename Text> Text Win32DialogView<Text>::cell(int id, int row, int column) const {
    // The message answers how much it copied; a full buffer may have cut.
    for (std::size_t size = 256;; size *= 4) {
        Text text(size, 0);
        LRESULT got;
        if constexpr (wide<Text>) {
            LVITEMW cellItem{};
            cellItem.iSubItem = column;
            cellItem.pszText = reinterpret_cast<wchar_t*>(text.data());
            cellItem.cchTextMax = static_cast<int>(size);
            got = send<Text>(item(id), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&cellItem));
        } else {
            LVITEMA cellItem{};
            cellItem.iSubItem = column;
            cellItem.pszText = text.data();
            cellItem.cchTextMax = static_cast<int>(size);
            got = send<Text>(item(id), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&cellItem));
        }
        if (got < static_cast<LRESULT>(size) - 1 || size >= 65536) {
            text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
            return text;
        }
    }
}

template <typename Text> void Win32DialogView<Text>::setRowChecked(int id, int row, bool checked) {
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    send<Text>(item(id), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&state));
}

template <typename Text> bool Win32DialogView<Text>::isRowChecked(int id, int row) const {
    const LRESULT state =
        send<Text>(item(id), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

template <typename Text>
void Win32DialogView<Text>::setTreeIcons(int id, const std::vector<int>& iconResourceIds) {
    HIMAGELIST list =
        ImageList_Create(16, 16, ILC_MASK, static_cast<int>(iconResourceIds.size()), 0);
    if (list == nullptr)
        return;
    for (int icon : iconResourceIds) {
        HICON loaded = static_cast<HICON>(
            LoadImageA(host_.instance_, MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, 0));
        if (loaded == nullptr)
            continue;
        ImageList_ReplaceIcon(list, -1, loaded);
        DestroyIcon(loaded);
    }
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(
        send<Text>(item(id), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list)));
    if (old != nullptr)
        ImageList_Destroy(old);
}

template <typename Text>
TreeItem Win32DialogView<Text>::addTreeItem(int id, TreeItem parent, const Text& text, int image) {
    HTREEITEM parentItem = parent == 0 ? TVI_ROOT : reinterpret_cast<HTREEITEM>(parent);
    LRESULT made;
    if constexpr (wide<Text>) {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<wchar_t*>(chars(text));
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        made = send<Text>(item(id), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    } else {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parentItem;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(chars(text));
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        made = send<Text>(item(id), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    return static_cast<TreeItem>(static_cast<std::uintptr_t>(made));
}

template <typename Text> void Win32DialogView<Text>::expandTreeItem(int id, TreeItem treeItem) {
    send<Text>(item(id), TVM_EXPAND, TVE_EXPAND,
               static_cast<LPARAM>(static_cast<std::uintptr_t>(treeItem)));
}

template <typename Text> void Win32DialogView<Text>::selectTreeItem(int id, TreeItem treeItem) {
    send<Text>(item(id), TVM_SELECTITEM, TVGN_CARET,
               static_cast<LPARAM>(static_cast<std::uintptr_t>(treeItem)));
}

template <typename Text> void Win32DialogView<Text>::setRange(int id, int minimum, int maximum) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::TrackBar: {
        send<Text>(control, TBM_SETRANGEMIN, FALSE, minimum);
        send<Text>(control, TBM_SETRANGEMAX, TRUE, maximum);
        // Wine places the thumb only when the position changes: move it away and
        // back, so that it stands where the new range puts the same position.
        const LRESULT at = send<Text>(control, TBM_GETPOS, 0, 0);
        send<Text>(control, TBM_SETPOS, FALSE, at == maximum ? minimum : maximum);
        send<Text>(control, TBM_SETPOS, TRUE, at);
        break;
    }
    case Kind::UpDown:
        send<Text>(control, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
        break;
    case Kind::Progress:
        send<Text>(control, PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
        break;
    default:
        break;
    }
}

template <typename Text> void Win32DialogView<Text>::setPosition(int id, int to) {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::TrackBar:
        send<Text>(control, TBM_SETPOS, TRUE, to);
        break;
    case Kind::UpDown:
        send<Text>(control, UDM_SETPOS32, 0, to);
        break;
    case Kind::Progress:
        send<Text>(control, PBM_SETPOS, static_cast<WPARAM>(to), 0);
        break;
    default:
        break;
    }
}

template <typename Text> int Win32DialogView<Text>::position(int id) const {
    HWND control = item(id);
    switch (kindOf(control)) {
    case Kind::TrackBar:
        return static_cast<int>(send<Text>(control, TBM_GETPOS, 0, 0));
    case Kind::UpDown:
        return static_cast<int>(send<Text>(control, UDM_GETPOS32, 0, 0));
    case Kind::Progress:
        return static_cast<int>(send<Text>(control, PBM_GETPOS, 0, 0));
    default:
        return 0;
    }
}

template <typename Text>
void Win32DialogView<Text>::setStepSizes(int id, int line, int page) {
    send<Text>(item(id), TBM_SETLINESIZE, 0, line);
    send<Text>(item(id), TBM_SETPAGESIZE, 0, page);
}

template <typename Text>
void Win32DialogView<Text>::setAddress(int id, const std::optional<Address>& value) {
    if (!value) {
        send<Text>(item(id), IPM_CLEARADDRESS, 0, 0);
        return;
    }
    const Address& a = *value;
    send<Text>(item(id), IPM_SETADDRESS, 0, MAKEIPADDRESS(a[0], a[1], a[2], a[3]));
}

template <typename Text> std::optional<Address> Win32DialogView<Text>::address(int id) const {
    HWND control = item(id);
    if (send<Text>(control, IPM_ISBLANK, 0, 0) != 0)
        return std::nullopt;
    DWORD packed = 0;
    send<Text>(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&packed));
    return Address{static_cast<std::uint8_t>(FIRST_IPADDRESS(packed)),
                   static_cast<std::uint8_t>(SECOND_IPADDRESS(packed)),
                   static_cast<std::uint8_t>(THIRD_IPADDRESS(packed)),
                   static_cast<std::uint8_t>(FOURTH_IPADDRESS(packed))};
}

template <typename Text> bool Win32DialogView<Text>::setPictureFile(int id, const Text& path) {
    HANDLE loaded;
    if constexpr (wide<Text>)
        loaded = LoadImageW(nullptr, chars(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    else
        loaded = LoadImageA(nullptr, chars(path), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (loaded == nullptr)
        return false;
    ControlDecor& d = host_.decor(id);
    if (d.bitmap)
        DeleteObject(d.bitmap);
    d.bitmap = static_cast<HBITMAP>(loaded);
    InvalidateRect(item(id), nullptr, TRUE);
    return true;
}

template <typename Text>
void Win32DialogView<Text>::setPictures(
    int id, const std::vector<std::pair<Picture, Placement>>& pictures) {
    ControlDecor& d = host_.decor(id);
    for (HBITMAP b : d.pictures)
        DeleteObject(b);
    d.pictures.clear();
    d.placements.clear();
    for (const auto& [picture, place] : pictures) {
        HBITMAP bitmap = bitmapOf(picture);
        if (bitmap == nullptr)
            continue;
        d.pictures.push_back(bitmap);
        d.placements.push_back({place.x, place.y, place.x + place.width, place.y + place.height});
    }
    InvalidateRect(item(id), nullptr, TRUE);
}

template <typename Text> std::pair<int, int> Win32DialogView<Text>::clientSize(int id) const {
    RECT r{};
    GetClientRect(id == 0 ? host_.window_ : item(id), &r);
    return {r.right - r.left, r.bottom - r.top};
}

template <typename Text>
void Win32DialogView<Text>::setPaintedText(const Text& text, const FontSpec<Text>& font, Rgb colour,
                                           Placement area) {
    host_.paintedText_ = text;
    if (host_.paintedFont_)
        DeleteObject(host_.paintedFont_);
    host_.paintedFont_ = makeFont(font);
    host_.paintedColour_ = colourOf(colour);
    host_.paintedArea_ = area;
    InvalidateRect(host_.window_, nullptr, TRUE);
}

template <typename Text>
void Win32DialogView<Text>::setTimer(unsigned timer, unsigned milliseconds) {
    SetTimer(host_.window_, timer, milliseconds, nullptr);
}

template <typename Text> void Win32DialogView<Text>::killTimer(unsigned timer) {
    KillTimer(host_.window_, timer);
}

template <typename Text>
DialogView<Text>& Win32DialogView<Text>::createChild(int templateId,
                                                     DialogController<Text>& controller, int area) {
    auto child = std::make_unique<DialogHost<Text>>(host_.instance_, controller);
    DialogHost<Text>& made = *child;
    host_.children_.push_back(std::move(child));
    HWND window = made.createModeless(templateId, host_.window_);
    RECT r{};
    if (window != nullptr && GetWindowRect(item(area), &r)) {
        MapWindowPoints(nullptr, host_.window_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return made.view();
}

template <typename Text>
int Win32DialogView<Text>::runModal(int templateId, DialogController<Text>& controller) {
    DialogHost<Text> modal(host_.instance_, controller);
    modal.modalRunner_ = host_.modalRunner_;
    return static_cast<int>(modal.runModal(templateId, host_.window_));
}

template <typename Text> void Win32DialogView<Text>::setChanged(bool changed) {
    send<Text>(GetParent(host_.window_), changed ? PSM_CHANGED : PSM_UNCHANGED,
               reinterpret_cast<WPARAM>(host_.window_), 0);
}

} // namespace ui::win32

#include "oemui/pages/watermark_page.h"

#include "oemui/bitmap_to_24.h"
#include "oemui/pages/graphics_choice.h"
#include "oemui/resource.h"
#include "oemui/watermark_preview.h"

#include <algorithm>
#include <array>
#include <vector>

namespace oemui::pages {
namespace {

using platform::PluginHost;

const std::array<const char16_t*, 8> texts = {u"CONFIDENTIAL", u"DO NOT COPY", u"TOP SECRET",
                                              u"DRAFT",        u"PROOF",       u"FINAL",
                                              u"COPY",         u"FILE COPY"};
const std::array<const char16_t*, 4> styles = {u"Regular", u"Italic", u"Bold", u"Bold Italic"};
const std::array<const char16_t*, 10> positions = {
    u"Left-Top",     u"Center-Top",  u"Right-Top",     u"Left-Middle",  u"Center-Middle",
    u"Right-Middle", u"Left-Bottom", u"Center-Bottom", u"Right-Bottom", u"Tiled"};

const char16_t* const noFileName = u"No filename is specified!";
const char16_t* const noPrivileges = u"Please check if user has administrator privileges!";
const char16_t* const wrongDepth = u"Make sure the specified bitmap is 1/8/24/ bits!";
const char16_t* const noSuchFile = u"The specified file does not exist!";
const char16_t* const tooBig = u"The bitmap you selected is too big!";
const char16_t* const pathTooLong = u"The path of the bitmap is too long!";

constexpr int textControls[] = {IDC_WM_TEXT,      IDC_WM_FONT,           IDC_WM_STYLE,
                                IDC_WM_FONT_SIZE, IDC_WM_FONT_SIZE_SPIN, IDC_WM_ANGLE};
constexpr int imageControls[] = {IDC_WM_BITMAP_PATH, IDC_WM_BROWSE};
constexpr int commonControls[] = {IDC_WM_POSITION, IDC_WM_SIZE, IDC_WM_BRIGHTNESS};

// The text field holds 15 characters and its terminator.
constexpr std::size_t textUnits = layout::watermarkTextUnits - 1;
constexpr int smallestFont = 8, largestFont = 72;

// Fills a list with `entries` and selects the row `chosen` (none when it has no such row).
template <std::size_t n>
void fillList(ui::DialogView<std::u16string>& view, int id,
              const std::array<const char16_t*, n>& entries, unsigned chosen) {
    view.clearItems(id);
    for (const char16_t* entry : entries) {
        view.addItem(id, entry);
    }
    view.select(id, chosen < n ? static_cast<int>(chosen) : -1);
}

std::u16string number(long value) {
    std::u16string out;
    const std::string digits = std::to_string(value);
    return out.assign(digits.begin(), digits.end());
}

} // namespace

WatermarkPage::WatermarkPage(PluginSettings settings, PluginHost& host, DocumentPageFlags& flags,
                             std::u16string printerName)
    : settings_(settings), host_(host), flags_(flags),
      pictureFile_(watermarkPictureFile(host, printerName)) {}

void WatermarkPage::showKind(View& view, WatermarkKind kind) {
    for (int id : textControls) {
        view.enable(id, kind == WatermarkKind::Text);
    }
    for (int id : imageControls) {
        view.enable(id, kind == WatermarkKind::Image);
    }
    for (int id : commonControls) {
        view.enable(id, kind != WatermarkKind::None);
    }
}

void WatermarkPage::onInit(View& view) {
    auto kind = static_cast<WatermarkKind>(settings_.watermarkKind());
    if (kind != WatermarkKind::Image && kind != WatermarkKind::Text) {
        kind = WatermarkKind::None;
    }
    view.setChecked(IDC_WM_NONE, kind == WatermarkKind::None);
    view.setChecked(IDC_WM_IMAGE, kind == WatermarkKind::Image);
    view.setChecked(IDC_WM_TEXT_RADIO, kind == WatermarkKind::Text);
    showKind(view, kind);

    view.setReadOnly(IDC_WM_BITMAP_PATH, true);
    view.setText(IDC_WM_BITMAP_PATH, settings_.watermarkPath());

    const std::u16string text = settings_.watermarkText();
    fillList(view, IDC_WM_TEXT, texts, text.empty() ? 0u : static_cast<unsigned>(texts.size()));
    view.setTextLimit(IDC_WM_TEXT, static_cast<int>(textUnits));
    view.setText(IDC_WM_TEXT, text.empty() ? std::u16string(texts[0]) : text);

    std::vector<std::u16string> faces;
    platform::LogFontW everyFace; // ANSI_CHARSET, no face name: each face once
    for (const platform::FontFamilyW& f : host_.EnumFontFamiliesExW(view.window(), everyFace)) {
        if ((f.fontType & PluginHost::trueTypeFontType) != 0 &&
            std::find(faces.begin(), faces.end(), f.font.faceName) == faces.end()) {
            faces.push_back(f.font.faceName);
        }
    }
    view.clearItems(IDC_WM_FONT);
    for (const std::u16string& face : faces) {
        view.addItem(IDC_WM_FONT, face);
    }
    view.select(IDC_WM_FONT, 0);
    const auto stored = std::find(faces.begin(), faces.end(), settings_.watermarkFont());
    if (stored != faces.end()) {
        view.select(IDC_WM_FONT, static_cast<int>(stored - faces.begin()));
    }

    fillList(view, IDC_WM_STYLE, styles, settings_.watermarkFontStyle());
    view.setTextLimit(IDC_WM_FONT_SIZE, 2);
    view.setRange(IDC_WM_FONT_SIZE_SPIN, smallestFont, largestFont);
    const int fontSize = std::clamp<int>(settings_.watermarkFontSize(), smallestFont, largestFont);
    view.setPosition(IDC_WM_FONT_SIZE_SPIN, fontSize);
    view.setText(IDC_WM_FONT_SIZE, number(fontSize));

    const struct {
        int slider, label, maximum, value;
    } sliders[] = {
        {IDC_WM_ANGLE, IDC_WM_ANGLE_VALUE, 360, settings_.watermarkAngle()},
        {IDC_WM_SIZE, IDC_WM_SIZE_VALUE, 100, settings_.watermarkSize()},
        {IDC_WM_BRIGHTNESS, IDC_WM_BRIGHTNESS_VALUE, 255, settings_.watermarkBrightness()}};
    for (const auto& s : sliders) {
        view.setRange(s.slider, 0, s.maximum);
        view.setPosition(s.slider, s.value);
        view.setText(s.label, number(view.position(s.slider)));
    }

    fillList(view, IDC_WM_POSITION, positions, settings_.watermarkPosition());
    ready_ = true;
    refreshPreview(view);
}

void WatermarkPage::chooseKind(View& view, WatermarkKind kind) {
    settings_.setWatermarkKind(static_cast<std::uint8_t>(kind));
    showKind(view, kind);
    if (kind == WatermarkKind::None) {
        settings_.setTextAsGraphics(0);
        flags_.graphicsResetPending = true;
        image_.reset();
        return;
    }
    forceTextAsGraphics(host_, view.window(), settings_);
    reloadImage_ = true;
}

void WatermarkPage::error(View& view, const char16_t* text) {
    host_.MessageBoxW(view.window(), text, u"Error", platform::mb::iconError);
}

void WatermarkPage::previewError(View& view, const char16_t* text) {
    // The preview is made again on every change; one message per process.
    if (!flags_.previewErrorShown) {
        flags_.previewErrorShown = true;
        error(view, text);
    }
}

bool WatermarkPage::browse(View& view) {
    platform::OpenFileRequest request;
    request.owner = view.window();
    request.filters = {{u"*.bmp", u"*.bmp"}};
    request.filterIndex = 1;
    request.flags = PluginHost::ofnHideReadOnly;
    platform::OpenFileResult chosen;
    if (!host_.GetOpenFileNameW(request, chosen)) {
        return false;
    }
    // A path the record cannot hold would later reload some other file.
    if (chosen.path.size() >= layout::watermarkPathUnits) {
        error(view, pathTooLong);
        return false;
    }
    const Convert24Result result = pictureFile_.empty()
                                       ? Convert24Result::CannotCreateTarget
                                       : ConvertBitmapTo24(host_, chosen.path, pictureFile_);
    if (result != Convert24Result::Converted) {
        error(view, result == Convert24Result::Refused ? wrongDepth : noPrivileges);
        return false;
    }
    view.setText(IDC_WM_BITMAP_PATH, chosen.path);
    if (chosen.path.empty()) {
        error(view, noFileName);
        return false;
    }
    settings_.setWatermarkPath(chosen.path);
    loadImage(view, false);
    return true;
}

void WatermarkPage::loadImage(View& view, bool convertAgain) {
    image_.reset();
    reloadImage_ = false;
    const std::u16string source = settings_.watermarkPath();
    if (source.empty()) {
        return; // nothing chosen yet
    }
    if (convertAgain) {
        const Convert24Result result = pictureFile_.empty()
                                           ? Convert24Result::CannotCreateTarget
                                           : ConvertBitmapTo24(host_, source, pictureFile_);
        if (result != Convert24Result::Converted) {
            previewError(view, result == Convert24Result::Refused ? noSuchFile : noPrivileges);
            return;
        }
    }
    platform::Bitmap32 picture;
    switch (loadPictureFile(host_, pictureFile_, picture)) {
    case PictureLoad::Loaded:
        image_ = std::move(picture);
        break;
    case PictureLoad::Missing:
        previewError(view, noSuchFile);
        break;
    case PictureLoad::TooBig:
        previewError(view, tooBig);
        break;
    }
}

void WatermarkPage::setFontSize(View& view, long size) {
    view.setPosition(IDC_WM_FONT_SIZE_SPIN, static_cast<int>(size));
    view.setText(IDC_WM_FONT_SIZE, number(size));
    settings_.setWatermarkFontSize(static_cast<std::uint8_t>(size));
}

void WatermarkPage::setSize(View& view, int size) {
    view.setPosition(IDC_WM_SIZE, size);
    view.setText(IDC_WM_SIZE_VALUE, number(size));
    settings_.setWatermarkSize(static_cast<std::uint8_t>(size));
}

void WatermarkPage::readSliders(View& view) {
    settings_.setWatermarkAngle(view.position(IDC_WM_ANGLE));
    settings_.setWatermarkBrightness(static_cast<std::uint8_t>(view.position(IDC_WM_BRIGHTNESS)));
    view.setText(IDC_WM_ANGLE_VALUE, number(view.position(IDC_WM_ANGLE)));
    view.setText(IDC_WM_BRIGHTNESS_VALUE, number(view.position(IDC_WM_BRIGHTNESS)));
    int size = view.position(IDC_WM_SIZE);
    if (settings_.watermarkPosition() == tiledPosition) {
        size = std::max<int>(size, smallestTiledSize);
    }
    setSize(view, size);
}

// True when the event changed something (the sheet is told, the preview made again).
bool WatermarkPage::handle(View& view, const ui::ControlEvent& event) {
    using ui::Notice;
    const bool clicked = event.notice == Notice::Clicked;
    const bool chosen = event.notice == Notice::SelectionChanged;
    switch (event.id) {
    case IDC_WM_NONE:
    case IDC_WM_IMAGE:
    case IDC_WM_TEXT_RADIO:
        if (clicked) {
            chooseKind(view, event.id == IDC_WM_NONE    ? WatermarkKind::None
                             : event.id == IDC_WM_IMAGE ? WatermarkKind::Image
                                                        : WatermarkKind::Text);
        }
        return clicked;
    case IDC_WM_BROWSE:
        return clicked && browse(view);
    case IDC_WM_TEXT:
        if (chosen && view.selection(IDC_WM_TEXT) >= 0) {
            // The edit shows the chosen row only after this notification.
            view.setText(IDC_WM_TEXT, view.itemText(IDC_WM_TEXT, view.selection(IDC_WM_TEXT)));
        } else if (event.notice != Notice::TextChanged) {
            return false;
        }
        settings_.setWatermarkText(
            std::u16string_view(view.text(IDC_WM_TEXT)).substr(0, textUnits));
        return true;
    case IDC_WM_FONT:
        if (chosen) {
            settings_.setWatermarkFont(view.text(IDC_WM_FONT));
        }
        return chosen;
    case IDC_WM_STYLE:
        if (chosen && view.selection(IDC_WM_STYLE) >= 0) {
            settings_.setWatermarkFontStyle(
                static_cast<std::uint8_t>(view.selection(IDC_WM_STYLE)));
        }
        return chosen;
    case IDC_WM_POSITION:
        if (!chosen || view.selection(IDC_WM_POSITION) < 0) {
            return false;
        }
        settings_.setWatermarkPosition(static_cast<std::uint8_t>(view.selection(IDC_WM_POSITION)));
        if (settings_.watermarkPosition() == tiledPosition &&
            settings_.watermarkSize() < smallestTiledSize) {
            setSize(view, smallestTiledSize);
        }
        return true;
    case IDC_WM_FONT_SIZE: {
        const std::optional<long> value = view.number(IDC_WM_FONT_SIZE, false);
        if (event.notice == Notice::TextChanged && value) {
            if (*value > largestFont) {
                setFontSize(view, largestFont);
            } else {
                settings_.setWatermarkFontSize(static_cast<std::uint8_t>(*value));
            }
            return true;
        }
        if (event.notice == Notice::FocusLost) {
            const long size = std::clamp<long>(value.value_or(0), smallestFont, largestFont);
            if (size != value) {
                setFontSize(view, size);
            }
            return size != value;
        }
        return false;
    }
    case IDC_WM_FONT_SIZE_SPIN:
        if (event.notice != Notice::Spin) {
            return false;
        }
        setFontSize(view, std::clamp<long>(view.number(IDC_WM_FONT_SIZE, false)
                                                   .value_or(view.position(IDC_WM_FONT_SIZE_SPIN)) +
                                               event.delta,
                                           smallestFont, largestFont));
        return true;
    case IDC_WM_ANGLE:
    case IDC_WM_SIZE:
    case IDC_WM_BRIGHTNESS:
        if (event.notice != Notice::Scrolled) {
            return false;
        }
        readSliders(view);
        return true;
    default:
        return false;
    }
}

void WatermarkPage::onEvent(View& view, const ui::ControlEvent& event) {
    // Filling the controls makes the edits report changes the user did not make.
    if (ready_ && handle(view, event)) {
        view.setChanged(true);
        refreshPreview(view);
    }
}

TextWatermark WatermarkPage::textWatermark(View& view) const {
    TextWatermark mark;
    mark.text = view.text(IDC_WM_TEXT).substr(0, textUnits);
    mark.face = view.text(IDC_WM_FONT);
    mark.fontSize = std::clamp<int>(settings_.watermarkFontSize(), smallestFont, largestFont);
    mark.style = settings_.watermarkFontStyle();
    mark.angle = settings_.watermarkAngle();
    return mark;
}

void WatermarkPage::refreshPreview(View& view) {
    const auto kind = static_cast<WatermarkKind>(settings_.watermarkKind());
    if (kind == WatermarkKind::Image && reloadImage_) {
        loadImage(view, true);
    }
    platform::Bitmap32 text;
    const platform::Bitmap32* source = nullptr;
    if (kind == WatermarkKind::Image && image_) {
        source = &*image_;
    } else if (kind == WatermarkKind::Text) {
        text = drawTextPicture(host_, view.window(), textWatermark(view));
        source = &text;
    }
    const PreviewLook look{settings_.watermarkBrightness(), settings_.watermarkSize(),
                           settings_.watermarkPosition()};
    const auto [width, height] = view.clientSize(IDC_WM_PREVIEW);
    view.setPictures(IDC_WM_PREVIEW,
                     {{composePreview(source, look, width, height), {0, 0, width, height}}});
}

bool WatermarkPage::onApply(View& view) {
    WatermarkKind kind = static_cast<WatermarkKind>(settings_.watermarkKind());
    if (view.isChecked(IDC_WM_NONE)) {
        kind = WatermarkKind::None;
    } else if (view.isChecked(IDC_WM_IMAGE) || view.isChecked(IDC_WM_TEXT_RADIO)) {
        kind = view.isChecked(IDC_WM_IMAGE) ? WatermarkKind::Image : WatermarkKind::Text;
        settings_.setTextAsGraphics(1);
    }
    settings_.setWatermarkKind(static_cast<std::uint8_t>(kind));
    if (view.selection(IDC_WM_POSITION) >= 0) {
        settings_.setWatermarkPosition(static_cast<std::uint8_t>(view.selection(IDC_WM_POSITION)));
    }
    settings_.setWatermarkSize(static_cast<std::uint8_t>(view.position(IDC_WM_SIZE)));
    settings_.setWatermarkBrightness(static_cast<std::uint8_t>(view.position(IDC_WM_BRIGHTNESS)));
    if (const std::optional<long> size = view.number(IDC_WM_FONT_SIZE, false)) {
        settings_.setWatermarkFontSize(
            static_cast<std::uint8_t>(std::clamp<long>(*size, smallestFont, largestFont)));
    }
    settings_.setWatermarkAngle(view.position(IDC_WM_ANGLE));
    if (view.selection(IDC_WM_STYLE) >= 0) {
        settings_.setWatermarkFontStyle(static_cast<std::uint8_t>(view.selection(IDC_WM_STYLE)));
    }
    if (kind == WatermarkKind::Image) {
        settings_.setWatermarkPath(view.text(IDC_WM_BITMAP_PATH));
    } else if (kind == WatermarkKind::Text) {
        const TextWatermark mark = textWatermark(view);
        settings_.setWatermarkFont(mark.face);
        settings_.setWatermarkText(mark.text);
        // Without its picture the watermark cannot be printed: the sheet stays
        // open and nothing is reported.
        if (pictureFile_.empty() ||
            !writePictureFile(host_, pictureFile_, drawTextPicture(host_, view.window(), mark))) {
            error(view, noPrivileges);
            return false;
        }
    }
    return true;
}

std::unique_ptr<PageController> makeWatermarkPage(const PageEnvironment& env) {
    if (env.document == nullptr || env.document->psParam == nullptr ||
        env.document->psParam->pOEMDM == nullptr) {
        return nullptr;
    }
    const char16_t* printer = env.document->psParam->pPrinterName;
    return std::make_unique<WatermarkPage>(PluginSettings(env.document->psParam->pOEMDM), env.host,
                                           env.sheet.documentPages, printer ? printer : u"");
}

} // namespace oemui::pages

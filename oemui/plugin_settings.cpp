#include "oemui/plugin_settings.h"

#include <algorithm>
#include <cstring>

namespace oemui {

namespace {

std::uint32_t load32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void store32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Symbologies of "1D Code1".."1D Code8" out of the box: UPC-A, UPC-E, EAN13,
// Code39, ITF, Codabar, Code93, Code128.
constexpr std::uint8_t defaultSymbology[layout::barcode1DCount] = {0, 1, 3, 4, 5, 6, 7, 8};

} // namespace

const layout::OperationLayout& operationLayout(Moment moment) {
    switch (moment) {
    case Moment::StartOfDocument:
        return layout::startOfDocument;
    case Moment::StartOfPage:
        return layout::startOfPage;
    case Moment::EndOfPage:
        return layout::endOfPage;
    case Moment::EndOfDocument:
        break;
    }
    return layout::endOfDocument;
}

std::uint32_t PluginSettings::u32(std::size_t at) const {
    return load32(bytes_ + at);
}

void PluginSettings::setU32(std::size_t at, std::uint32_t v) {
    store32(bytes_ + at, v);
}

OperationSettings PluginSettings::operation(Moment moment) const {
    const auto& o = operationLayout(moment);
    OperationSettings v;
    v.sendCommand = bytes_[o.sendCommand];
    v.feedBeforeCut = bytes_[o.feedBeforeCut];
    std::memcpy(v.command.data(), bytes_ + o.command, layout::commandBytes);
    v.commandLength = bytes_[o.commandLength];
    v.cashDrawer = bytes_[o.cashDrawer];
    v.paperCut = bytes_[o.paperCut];
    v.paperFeed = bytes_[o.paperFeed];
    v.buzzerVolume = bytes_[o.buzzerVolume];
    v.herald = bytes_[o.herald];
    v.drawerOrHerald = u32(o.drawerOrHerald);
    v.buzzer = bytes_[o.buzzer];
    v.logo = bytes_[o.logo];
    v.logoAlignment = bytes_[o.logoAlignment];
    v.logoPosition = bytes_[o.logoPosition];
    return v;
}

void PluginSettings::setOperation(Moment moment, const OperationSettings& v) {
    const auto& o = operationLayout(moment);
    bytes_[o.sendCommand] = v.sendCommand;
    bytes_[o.feedBeforeCut] = v.feedBeforeCut;
    std::memcpy(bytes_ + o.command, v.command.data(), layout::commandBytes);
    bytes_[o.commandLength] = v.commandLength;
    bytes_[o.cashDrawer] = v.cashDrawer;
    bytes_[o.paperCut] = v.paperCut;
    bytes_[o.paperFeed] = v.paperFeed;
    bytes_[o.buzzerVolume] = v.buzzerVolume;
    bytes_[o.herald] = v.herald;
    setU32(o.drawerOrHerald, v.drawerOrHerald);
    bytes_[o.buzzer] = v.buzzer;
    bytes_[o.logo] = v.logo;
    bytes_[o.logoAlignment] = v.logoAlignment;
    bytes_[o.logoPosition] = v.logoPosition;
}

Barcode1DSettings PluginSettings::barcode1D(std::size_t index) const {
    Barcode1DSettings v;
    if (index >= layout::barcode1DCount) {
        return v;
    }
    const std::size_t b = layout::barcode1DBase + layout::barcode1DStride * index;
    v.symbology = bytes_[b + layout::b1::symbology];
    v.moduleWidth = bytes_[b + layout::b1::moduleWidth];
    v.barHeight = u32(b + layout::b1::barHeight);
    v.hriPosition = bytes_[b + layout::b1::hriPosition];
    v.hriFont = bytes_[b + layout::b1::hriFont];
    v.charWidth = u32(b + layout::b1::charWidth);
    v.fontSize = u32(b + layout::b1::fontSize);
    v.gs1ModuleWidth = bytes_[b + layout::b1::gs1ModuleWidth];
    v.gs1RowHeight = u32(b + layout::b1::gs1RowHeight);
    v.gs1Row2DHeight = u32(b + layout::b1::gs1Row2DHeight);
    v.gs1SeparatorHeight = bytes_[b + layout::b1::gs1SeparatorHeight];
    v.gs1Hri = bytes_[b + layout::b1::gs1Hri];
    v.gs1ApplyAi = bytes_[b + layout::b1::gs1ApplyAi];
    return v;
}

void PluginSettings::setBarcode1D(std::size_t index, const Barcode1DSettings& v) {
    if (index >= layout::barcode1DCount) {
        return;
    }
    const std::size_t b = layout::barcode1DBase + layout::barcode1DStride * index;
    bytes_[b + layout::b1::symbology] = v.symbology;
    bytes_[b + layout::b1::moduleWidth] = v.moduleWidth;
    setU32(b + layout::b1::barHeight, v.barHeight);
    bytes_[b + layout::b1::hriPosition] = v.hriPosition;
    bytes_[b + layout::b1::hriFont] = v.hriFont;
    setU32(b + layout::b1::charWidth, v.charWidth);
    setU32(b + layout::b1::fontSize, v.fontSize);
    bytes_[b + layout::b1::gs1ModuleWidth] = v.gs1ModuleWidth;
    setU32(b + layout::b1::gs1RowHeight, v.gs1RowHeight);
    setU32(b + layout::b1::gs1Row2DHeight, v.gs1Row2DHeight);
    bytes_[b + layout::b1::gs1SeparatorHeight] = v.gs1SeparatorHeight;
    bytes_[b + layout::b1::gs1Hri] = v.gs1Hri;
    bytes_[b + layout::b1::gs1ApplyAi] = v.gs1ApplyAi;
}

Barcode2DSettings PluginSettings::barcode2D(std::size_t index) const {
    Barcode2DSettings v;
    if (index >= layout::barcode2DCount) {
        return v;
    }
    const std::size_t b = layout::barcode2DBase + layout::barcode2DStride * index;
    v.symbology = bytes_[b + layout::b2::symbology];
    v.pdfModuleWidth = bytes_[b + layout::b2::pdfModuleWidth];
    v.pdfRowHeight = bytes_[b + layout::b2::pdfRowHeight];
    v.pdfColumns = bytes_[b + layout::b2::pdfColumns];
    v.pdfRows = bytes_[b + layout::b2::pdfRows];
    v.pdfErrorLevel = bytes_[b + layout::b2::pdfErrorLevel];
    v.gs1ModuleWidth = bytes_[b + layout::b2::gs1ModuleWidth];
    v.gs1RowHeight = u32(b + layout::b2::gs1RowHeight);
    v.gs1Row2DHeight = u32(b + layout::b2::gs1Row2DHeight);
    v.gs1SeparatorHeight = bytes_[b + layout::b2::gs1SeparatorHeight];
    v.gs1Segments = bytes_[b + layout::b2::gs1Segments];
    v.gs1Hri = bytes_[b + layout::b2::gs1Hri];
    v.gs1ApplyAi = bytes_[b + layout::b2::gs1ApplyAi];
    v.qrModuleWidth = bytes_[b + layout::b2::qrModuleWidth];
    v.qrLanguage = bytes_[b + layout::b2::qrLanguage];
    v.qrModel = bytes_[b + layout::b2::qrModel];
    v.qrErrorLevel = bytes_[b + layout::b2::qrErrorLevel];
    return v;
}

void PluginSettings::setBarcode2D(std::size_t index, const Barcode2DSettings& v) {
    if (index >= layout::barcode2DCount) {
        return;
    }
    const std::size_t b = layout::barcode2DBase + layout::barcode2DStride * index;
    bytes_[b + layout::b2::symbology] = v.symbology;
    bytes_[b + layout::b2::pdfModuleWidth] = v.pdfModuleWidth;
    bytes_[b + layout::b2::pdfRowHeight] = v.pdfRowHeight;
    bytes_[b + layout::b2::pdfColumns] = v.pdfColumns;
    bytes_[b + layout::b2::pdfRows] = v.pdfRows;
    bytes_[b + layout::b2::pdfErrorLevel] = v.pdfErrorLevel;
    bytes_[b + layout::b2::gs1ModuleWidth] = v.gs1ModuleWidth;
    setU32(b + layout::b2::gs1RowHeight, v.gs1RowHeight);
    setU32(b + layout::b2::gs1Row2DHeight, v.gs1Row2DHeight);
    bytes_[b + layout::b2::gs1SeparatorHeight] = v.gs1SeparatorHeight;
    bytes_[b + layout::b2::gs1Segments] = v.gs1Segments;
    bytes_[b + layout::b2::gs1Hri] = v.gs1Hri;
    bytes_[b + layout::b2::gs1ApplyAi] = v.gs1ApplyAi;
    bytes_[b + layout::b2::qrModuleWidth] = v.qrModuleWidth;
    bytes_[b + layout::b2::qrLanguage] = v.qrLanguage;
    bytes_[b + layout::b2::qrModel] = v.qrModel;
    bytes_[b + layout::b2::qrErrorLevel] = v.qrErrorLevel;
}

std::u16string PluginSettings::text(std::size_t at, std::size_t units) const {
    std::u16string value;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(bytes_[at + 2 * i] | (bytes_[at + 2 * i + 1] << 8));
        if (unit == 0) {
            break;
        }
        value.push_back(unit);
    }
    return value;
}

bool PluginSettings::setText(std::size_t at, std::size_t units, std::u16string_view value) {
    if (value.size() >= units) {
        return false;
    }
    std::memset(bytes_ + at, 0, 2 * units);
    for (std::size_t i = 0; i < value.size(); ++i) {
        bytes_[at + 2 * i] = static_cast<std::uint8_t>(value[i]);
        bytes_[at + 2 * i + 1] = static_cast<std::uint8_t>(value[i] >> 8);
    }
    return true;
}

std::u16string PluginSettings::watermarkPath() const {
    return text(layout::watermarkPath, layout::watermarkPathUnits);
}
bool PluginSettings::setWatermarkPath(std::u16string_view v) {
    return setText(layout::watermarkPath, layout::watermarkPathUnits, v);
}
std::u16string PluginSettings::watermarkText() const {
    return text(layout::watermarkText, layout::watermarkTextUnits);
}
bool PluginSettings::setWatermarkText(std::u16string_view v) {
    return setText(layout::watermarkText, layout::watermarkTextUnits, v);
}
std::u16string PluginSettings::watermarkFont() const {
    return text(layout::watermarkFont, layout::watermarkFontUnits);
}
bool PluginSettings::setWatermarkFont(std::u16string_view v) {
    return setText(layout::watermarkFont, layout::watermarkFontUnits, v);
}
std::u16string PluginSettings::formName() const {
    return text(layout::formName, layout::formNameUnits);
}
bool PluginSettings::setFormName(std::u16string_view v) {
    return setText(layout::formName, layout::formNameUnits, v);
}

void writeDefaultFields(PluginSettings out) {
    // Everything past the header starts at zero, padding and reserved bytes
    // included, so that a default block is the same bytes whatever buffer the
    // host handed in.
    std::memset(out.data() + layout::headerSize, 0, layout::settingsSize - layout::headerSize);

    OperationSettings startOfDocument;
    startOfDocument.cashDrawer = 12; // "Cash Drawer #1+#2 Waiting 60ms"
    out.setOperation(Moment::StartOfDocument, startOfDocument);
    OperationSettings endOfDocument;
    endOfDocument.feedBeforeCut = 1;
    endOfDocument.paperCut = 1; // partial cut
    out.setOperation(Moment::EndOfDocument, endOfDocument);

    for (std::size_t i = 0; i < layout::barcode1DCount; ++i) {
        Barcode1DSettings b;
        b.symbology = defaultSymbology[i];
        b.moduleWidth = 3;
        b.barHeight = 163;
        b.charWidth = 24;
        b.fontSize = 163;
        b.gs1ModuleWidth = 2;
        b.gs1RowHeight = 100;
        b.gs1Row2DHeight = 2;
        b.gs1SeparatorHeight = 1;
        b.gs1Hri = 1;
        b.gs1ApplyAi = 1;
        out.setBarcode1D(i, b);
    }
    for (std::size_t j = 0; j < layout::barcode2DCount; ++j) {
        Barcode2DSettings b;
        b.pdfModuleWidth = 3;
        b.pdfRowHeight = 3;
        b.pdfColumns = 3;
        b.pdfRows = 3;
        b.pdfErrorLevel = 5;
        b.gs1ModuleWidth = 2;
        b.gs1RowHeight = 100;
        b.gs1Row2DHeight = 2;
        b.gs1SeparatorHeight = 2;
        b.gs1Segments = 4;
        b.gs1Hri = 1;
        b.gs1ApplyAi = 1;
        b.qrModuleWidth = 3;
        b.qrModel = 1;
        b.qrErrorLevel = 1;
        out.setBarcode2D(j, b);
    }

    out.setWatermarkFontSize(50);
    out.setWatermarkAngle(45);
    out.setWatermarkPosition(4); // centre-middle
    out.setWatermarkSize(100);
    out.setWatermarkBrightness(50);
    out.setZoomScale(100);
}

void writeDefaults(PluginSettings out) {
    out.setDwSize(static_cast<std::uint32_t>(layout::settingsSize));
    out.setSignature(layout::signature);
    out.setVersion(layout::version);
    writeDefaultFields(out);
}

void copySettings(const void* in, void* out) {
    if (in == nullptr || out == nullptr) {
        return;
    }
    const auto* source = static_cast<const std::uint8_t*>(in);
    PluginSettings target(out);
    if (target.signature() != load32(source + layout::dwSignature)) {
        // A foreign block is discarded.
        writeDefaults(target);
        return;
    }
    // The defaults fill the fields that a shorter, older block lacks; what the
    // block has is copied over them. The bytes are taken aside first because the
    // host may hand the same buffer in and out.
    const std::size_t count = std::min<std::size_t>(
        {load32(source + layout::dwSize), target.dwSize(), layout::settingsSize});
    SettingsBytes saved{};
    std::memcpy(saved.data(), source, count);
    writeDefaultFields(target);
    std::memcpy(target.data(), saved.data(), count);
    target.setDwSize(static_cast<std::uint32_t>(layout::settingsSize));
    target.setVersion(layout::version);
}

} // namespace oemui

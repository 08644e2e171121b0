// PluginSettings: typed access to the plug-in's 1464-byte block inside the
// host's DEVMODE buffer (layout in settings_layout.h). The block is read and
// written in place, byte by byte in little-endian order, so an unaligned buffer
// is fine and nothing depends on how the compiler lays out a struct.
#pragma once

#include "oemui/settings_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace oemui {

// The moments of a job, numbered as the operation page numbers its buttons.
// (The record stores the blocks in another order: see settings_layout.h.)
enum class Moment { StartOfDocument = 0, StartOfPage = 1, EndOfPage = 2, EndOfDocument = 3 };

const layout::OperationLayout& operationLayout(Moment moment);

struct OperationSettings {
    std::uint8_t sendCommand = 0;
    std::uint8_t feedBeforeCut = 0;
    std::array<std::uint8_t, layout::commandBytes> command{};
    std::uint8_t commandLength = 0;
    std::uint8_t cashDrawer = 0;
    std::uint8_t paperCut = 0;
    std::uint8_t paperFeed = 0;
    std::uint8_t buzzerVolume = 0;
    std::uint8_t herald = 0;
    std::uint32_t drawerOrHerald = 0;
    std::uint8_t buzzer = 0;
    std::uint8_t logo = 0;
    std::uint8_t logoAlignment = 0;
    std::uint8_t logoPosition = 0;
};

struct Barcode1DSettings {
    std::uint8_t symbology = 0;
    std::uint8_t moduleWidth = 0;
    std::uint32_t barHeight = 0;
    std::uint8_t hriPosition = 0;
    std::uint8_t hriFont = 0;
    std::uint32_t charWidth = 0;
    std::uint32_t fontSize = 0;
    std::uint8_t gs1ModuleWidth = 0;
    std::uint32_t gs1RowHeight = 0;
    std::uint32_t gs1Row2DHeight = 0;
    std::uint8_t gs1SeparatorHeight = 0;
    std::uint8_t gs1Hri = 0;
    std::uint8_t gs1ApplyAi = 0;
};

struct Barcode2DSettings {
    std::uint8_t symbology = 0;
    std::uint8_t pdfModuleWidth = 0;
    std::uint8_t pdfRowHeight = 0;
    std::uint8_t pdfColumns = 0;
    std::uint8_t pdfRows = 0;
    std::uint8_t pdfErrorLevel = 0;
    std::uint8_t gs1ModuleWidth = 0;
    std::uint32_t gs1RowHeight = 0;
    std::uint32_t gs1Row2DHeight = 0;
    std::uint8_t gs1SeparatorHeight = 0;
    std::uint8_t gs1Segments = 0;
    std::uint8_t gs1Hri = 0;
    std::uint8_t gs1ApplyAi = 0;
    std::uint8_t qrModuleWidth = 0;
    std::uint8_t qrLanguage = 0;
    std::uint8_t qrModel = 0;
    std::uint8_t qrErrorLevel = 0;
};

// A block of layout::settingsSize bytes that can hold a record.
using SettingsBytes = std::array<std::uint8_t, layout::settingsSize>;

class PluginSettings {
public:
    // bytes must point at layout::settingsSize writable bytes.
    explicit PluginSettings(void* bytes) : bytes_(static_cast<std::uint8_t*>(bytes)) {}
    explicit PluginSettings(SettingsBytes& block) : bytes_(block.data()) {}

    std::uint8_t* data() const { return bytes_; }

    std::uint32_t dwSize() const { return u32(layout::dwSize); }
    void setDwSize(std::uint32_t v) { setU32(layout::dwSize, v); }
    std::uint32_t signature() const { return u32(layout::dwSignature); }
    void setSignature(std::uint32_t v) { setU32(layout::dwSignature, v); }
    std::uint32_t version() const { return u32(layout::dwVersion); }
    void setVersion(std::uint32_t v) { setU32(layout::dwVersion, v); }
    std::int32_t hiddenValue() const { return static_cast<std::int32_t>(u32(layout::hiddenValue)); }
    void setHiddenValue(std::int32_t v) {
        setU32(layout::hiddenValue, static_cast<std::uint32_t>(v));
    }

    OperationSettings operation(Moment moment) const;
    void setOperation(Moment moment, const OperationSettings& value);

    // Index 0..7 ("1D Code1".."1D Code8") and 0..1 ("2D Code1", "2D Code2"); an
    // index outside the record reads as zeros and is not written.
    Barcode1DSettings barcode1D(std::size_t index) const;
    void setBarcode1D(std::size_t index, const Barcode1DSettings& value);
    Barcode2DSettings barcode2D(std::size_t index) const;
    void setBarcode2D(std::size_t index, const Barcode2DSettings& value);

    std::uint8_t textAsGraphics() const { return bytes_[layout::textAsGraphics]; }
    void setTextAsGraphics(std::uint8_t v) { bytes_[layout::textAsGraphics] = v; }
    std::uint8_t watermarkKind() const { return bytes_[layout::watermarkKind]; }
    void setWatermarkKind(std::uint8_t v) { bytes_[layout::watermarkKind] = v; }
    std::uint8_t watermarkFontSize() const { return bytes_[layout::watermarkFontSize]; }
    void setWatermarkFontSize(std::uint8_t v) { bytes_[layout::watermarkFontSize] = v; }
    std::uint8_t watermarkFontStyle() const { return bytes_[layout::watermarkFontStyle]; }
    void setWatermarkFontStyle(std::uint8_t v) { bytes_[layout::watermarkFontStyle] = v; }
    std::int32_t watermarkAngle() const {
        return static_cast<std::int32_t>(u32(layout::watermarkAngle));
    }
    void setWatermarkAngle(std::int32_t v) {
        setU32(layout::watermarkAngle, static_cast<std::uint32_t>(v));
    }
    std::uint8_t watermarkPosition() const { return bytes_[layout::watermarkPosition]; }
    void setWatermarkPosition(std::uint8_t v) { bytes_[layout::watermarkPosition] = v; }
    std::uint8_t watermarkSize() const { return bytes_[layout::watermarkSize]; }
    void setWatermarkSize(std::uint8_t v) { bytes_[layout::watermarkSize] = v; }
    std::uint8_t watermarkBrightness() const { return bytes_[layout::watermarkBrightness]; }
    void setWatermarkBrightness(std::uint8_t v) { bytes_[layout::watermarkBrightness] = v; }
    std::uint8_t zoomScale() const { return bytes_[layout::zoomScale]; }
    void setZoomScale(std::uint8_t v) { bytes_[layout::zoomScale] = v; }
    std::uint8_t rotate180() const { return bytes_[layout::rotate180]; }
    void setRotate180(std::uint8_t v) { bytes_[layout::rotate180] = v; }
    std::uint8_t zoomPrinting() const { return bytes_[layout::zoomPrinting]; }
    void setZoomPrinting(std::uint8_t v) { bytes_[layout::zoomPrinting] = v; }

    // Text fields. A reader stops at the terminator or at the end of the field,
    // whichever comes first, so a record from outside whose field lacks its
    // terminator is read as the field's full width and no further. A writer
    // zero-fills the whole field and refuses (returning false, field unchanged)
    // a text that would leave no room for the terminator.
    std::u16string watermarkPath() const;
    bool setWatermarkPath(std::u16string_view text);
    std::u16string watermarkText() const;
    bool setWatermarkText(std::u16string_view text);
    std::u16string watermarkFont() const;
    bool setWatermarkFont(std::u16string_view text);
    std::u16string formName() const;
    bool setFormName(std::u16string_view text);

private:
    std::uint32_t u32(std::size_t at) const;
    void setU32(std::size_t at, std::uint32_t v);
    std::u16string text(std::size_t at, std::size_t units) const;
    bool setText(std::size_t at, std::size_t units, std::u16string_view value);

    std::uint8_t* bytes_;
};

// The whole default block: header (1464, 'TAVO', 1) and every field.
void writeDefaults(PluginSettings out);

// Every default except the 12 header bytes, which are left as they are.
void writeDefaultFields(PluginSettings out);

// The copy rule of convert and merge. in and out may be the same block or
// overlap. From in it reads the header and at most min(in.dwSize, out.dwSize,
// 1464) bytes; out must hold 1464 bytes. Null pointers do nothing.
void copySettings(const void* in, void* out);

} // namespace oemui

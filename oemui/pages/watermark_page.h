// "Water Mark" (template 131): none, an image from a bitmap file or a text in a
// chosen font, with its position, size and brightness; the preview; and the
// watermark picture file the driver's rendering side prints.
#pragma once

#include "oemui/pages/page_factory.h"
#include "oemui/plugin_settings.h"
#include "oemui/watermark_picture.h"

#include <memory>
#include <optional>
#include <string>

namespace oemui::pages {

enum class WatermarkKind : std::uint8_t { None = 0, Image = 1, Text = 2 };

class WatermarkPage final : public PageController {
public:
    WatermarkPage(PluginSettings settings, platform::PluginHost& host, DocumentPageFlags& flags,
                  std::u16string printerName);

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    bool onApply(View& view) override;

private:
    void showKind(View& view, WatermarkKind kind);
    void chooseKind(View& view, WatermarkKind kind);
    bool handle(View& view, const ui::ControlEvent& event);
    bool browse(View& view);
    void setFontSize(View& view, long size);
    void setSize(View& view, int size);
    void readSliders(View& view);
    void loadImage(View& view, bool convertAgain);
    void previewError(View& view, const char16_t* text);
    void error(View& view, const char16_t* text);
    TextWatermark textWatermark(View& view) const;
    void refreshPreview(View& view);

    PluginSettings settings_;
    platform::PluginHost& host_;
    DocumentPageFlags& flags_;
    std::u16string pictureFile_;
    // The image watermark's picture, held only while the image is shown.
    std::optional<platform::Bitmap32> image_;
    bool reloadImage_ = true;
    bool ready_ = false; // onInit is done
};

std::unique_ptr<PageController> makeWatermarkPage(const PageEnvironment& env);

} // namespace oemui::pages

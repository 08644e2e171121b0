// The "Logo Download" group of the Download page: up to nine bitmap files in a
// list, each previewed as the printer will reproduce it with its own halftone,
// contrast and brightness, all sent in one raw job to the printer's logo memory as
// 1-bit or 16-level gray pictures; and a job that clears that memory.
//
// Every logo has a work bitmap beside its file (shop.bmp, shopTemp.bmp), made when
// the logo is added, when a preview mode is chosen, when its preview is drawn and
// before the logos are sent; the page removes the ones it made when a logo is
// deleted and when the sheet is applied, cancelled or closed.
#pragma once

#include "oemui/pages/page_factory.h"
#include "oemui/tools/bmp_image.h"
#include "oemui/tools/logo_settings.h"

#include <set>
#include <string>
#include <vector>

namespace oemui::pages {

enum class PreviewMode { Original, Transformation, Gray };

class LogoDownload {
public:
    LogoDownload(platform::PluginHost& host, platform::Handle printer)
        : host_(host), printer_(printer) {}

    void start(PageView& view);
    // True when the event was one of the group's.
    bool onEvent(PageView& view, const ui::ControlEvent& event);
    // The work bitmaps this page made, removed; the list stays.
    void removeWorkBitmaps();

    // What the page holds, for tests.
    struct Logo {
        std::u16string path;
        std::u16string name;
        int bitCount = 0;
        logo::LogoSettings settings;
    };
    const std::vector<Logo>& logos() const { return logos_; }
    PreviewMode mode() const { return mode_; }

private:
    void add(PageView& view);
    void remove(PageView& view);
    void chooseMode(PageView& view, PreviewMode mode);
    void chooseHalftone(PageView& view, int halftone);
    void slide(PageView& view);
    void showSelection(PageView& view);
    void draw(PageView& view);
    void downloadAll(PageView& view);
    void clearAll(PageView& view);

    int selected(const PageView& view) const;
    void showSettings(PageView& view, const logo::LogoSettings& settings);
    void enableModes(PageView& view);
    void enableTuning(PageView& view, bool halftone, bool sliders);
    // The work bitmap a logo needs in a mode, made with the given settings; None when
    // the mode needs none for it (a 1-bit source is its own monochrome picture).
    logo::ImageError makeWork(const Logo& logo, PreviewMode mode,
                              const logo::LogoSettings& settings);
    // Every logo's work bitmap for the current mode; false (with a message) when one
    // cannot be made.
    bool makeAllWork(PageView& view, const logo::LogoSettings* reset);
    void showPicture(PageView& view, const std::u16string& path);
    void showBlank(PageView& view);

    platform::PluginHost& host_;
    platform::Handle printer_;
    std::vector<Logo> logos_;
    PreviewMode mode_ = PreviewMode::Original;
    std::set<std::u16string> madeWork_; // the work bitmaps this page wrote
};

} // namespace oemui::pages

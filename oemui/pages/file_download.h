// The "File Download" group of the Download page: a file chosen with "Browse" is
// sent byte for byte to the printer as one raw job ("FIRMWARE"), in pieces of
// bounded size, so that a large firmware file never has to fit in memory.
#pragma once

#include "oemui/pages/page_factory.h"

#include <cstddef>

namespace oemui::pages {

class FileDownload {
public:
    // The bytes read and written at a time.
    static constexpr std::size_t kPieceBytes = 64 * 1024;

    FileDownload(platform::PluginHost& host, platform::Handle printer)
        : host_(host), printer_(printer) {}

    void start(PageView& view);
    // True when the event was one of the group's.
    bool onEvent(PageView& view, const ui::ControlEvent& event);

private:
    void browse(PageView& view);
    void download(PageView& view);

    platform::PluginHost& host_;
    platform::Handle printer_;
};

} // namespace oemui::pages

// The Download page's messages: the page as owner, OK only, texts assembled from
// the logo tools' reasons and the system's text for an error.
#pragma once

#include "oemui/pages/page_factory.h"
#include "oemui/raw_job.h"
#include "oemui/tools/bmp_image.h"
#include "platform/plugin_host.h"

#include <string>

namespace oemui::pages {

// The flags of the page's open-file dialogs.
inline constexpr std::uint32_t kOpenFileFlags =
    platform::PluginHost::ofnLongNames | platform::PluginHost::ofnCreatePrompt |
    platform::PluginHost::ofnPathMustExist | platform::PluginHost::ofnExtensionDifferent |
    platform::PluginHost::ofnHideReadOnly | platform::PluginHost::ofnOverwritePrompt;

// A text of the logo tools (plain ASCII) as the page shows it.
std::u16string widen(const char* text);

void showError(platform::PluginHost& host, const PageView& view, const std::u16string& text);

// Why a raw job did not go out: the step that failed, then the system's text.
std::u16string jobFailureText(platform::PluginHost& host, const RawJob::Failure& failure);

// Why a picture cannot be a logo, after the file's name: "shop.bmp is a compressed BMP."
std::u16string pictureProblemText(const std::u16string& name, logo::ImageError error, int bitCount);

// The host's printer handle of a device page; 0 when the sheet gave none.
platform::Handle printerOf(const PageEnvironment& env);

} // namespace oemui::pages

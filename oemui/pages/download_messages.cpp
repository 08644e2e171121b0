#include "oemui/pages/download_messages.h"

#include "oemui/tools/logo_texts.h"
#include "oemui/pages/download_texts.h"
#include "platform/plugin_host.h"

#include <cstring>

namespace oemui::pages {

std::u16string widen(const char* text) {
    return std::u16string(text, text + std::strlen(text));
}

void showError(platform::PluginHost& host, const PageView& view, const std::u16string& text) {
    host.MessageBoxW(view.window(), text, kCaptionError, platform::mb::ok);
}

std::u16string jobFailureText(platform::PluginHost& host, const RawJob::Failure& failure) {
    const std::string call = failure.call != nullptr ? failure.call : "";
    std::u16string text;
    if (call == "StartDocPrinterW") {
        text = u"the print job could not be started.";
    } else if (call == "StartPagePrinter") {
        text = u"the page of the print job could not be started.";
    } else if (call == "WritePrinter") {
        text = failure.error == 0 ? u"the spooler took only part of the data."
                                  : u"the data could not be written to the print job.";
    } else {
        text = u"the print job could not be finished.";
    }
    std::u16string reason;
    if (failure.error != 0 && host.FormatMessageW(failure.error, reason)) {
        while (!reason.empty() && (reason.back() == u'\n' || reason.back() == u'\r')) {
            reason.pop_back();
        }
        text += u"\n" + reason;
    }
    return text;
}

std::u16string pictureProblemText(const std::u16string& name, logo::ImageError error,
                                  int bitCount) {
    if (error == logo::ImageError::UnsupportedDepth) {
        return name + u" has " + widen(std::to_string(bitCount).c_str()) +
               u" bits per pixel; logos are made from BMP files of 24, 8 or 1 bits per pixel.";
    }
    return name + u" " + widen(logo::describeImageError(error)) + u".";
}

platform::Handle printerOf(const PageEnvironment& env) {
    if (env.device == nullptr || env.device->cuipParam == nullptr) {
        return 0;
    }
    return static_cast<platform::Handle>(
        reinterpret_cast<std::uintptr_t>(env.device->cuipParam->hPrinter));
}

} // namespace oemui::pages

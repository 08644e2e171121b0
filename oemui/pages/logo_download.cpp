#include "oemui/pages/logo_download.h"

#include "oemui/pages/download_messages.h"
#include "oemui/pages/download_texts.h"
#include "oemui/pages/host_logo_files.h"
#include "oemui/raw_job.h"
#include "oemui/resource.h"
#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_picture.h"
#include "oemui/tools/logo_file_check.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/logo_texts.h"
#include "oemui/tools/make_work_bitmap.h"

#include <algorithm>

namespace oemui::pages {

namespace {

using platform::PluginHost;

constexpr std::uint32_t kFullRowSelect = 0x20; // LVS_EX_FULLROWSELECT
constexpr logo::DepthSet kMonoDepths = logo::depthSet(24) | logo::depthSet(8);
constexpr logo::DepthSet kLogoDepths = kMonoDepths | logo::depthSet(1);
constexpr int kHalftoneRadios[] = {IDC_DL_HALFTONE_NONE, IDC_DL_HALFTONE_DITHER_M3,
                                   IDC_DL_HALFTONE_DITHER_M4, IDC_DL_HALFTONE_ERROR_DIFFUSE};
constexpr int kModeRadios[] = {IDC_DL_MODE_ORIGINAL, IDC_DL_MODE_TRANSFORMATION, IDC_DL_MODE_GRAY};

std::u16string number(long long value) {
    return widen(std::to_string(value).c_str());
}

std::u16string jobErrorText(const logo::LogoJobResult& result, const std::u16string& name) {
    switch (result.error) {
    case logo::LogoJobError::NoLogos:
        return widen(logo::kTextNoLogos);
    case logo::LogoJobError::TooManyLogos:
        return widen(logo::kTextTooManyLogos);
    case logo::LogoJobError::SizeUnknown:
        return widen(logo::kTextLogoSizeUnknown);
    case logo::LogoJobError::OverLogoMemory:
        return widen(logo::kTextLogosOver96k);
    case logo::LogoJobError::LogoTooBig:
        return widen(logo::kTextLogoTooBig);
    case logo::LogoJobError::LogoUnreadable:
        return kTextLogosNotSent + name + u" " + widen(logo::describeImageError(result.reason)) +
               u".";
    default:
        return kTextLogosNotSent + std::u16string(u"there is not enough memory.");
    }
}

} // namespace

void LogoDownload::start(PageView& view) {
    view.clearItems(IDC_DL_LOGO_LIST);
    view.setListStyle(IDC_DL_LOGO_LIST, kFullRowSelect);
    view.addColumn(IDC_DL_LOGO_LIST, u"ID", 30);
    view.addColumn(IDC_DL_LOGO_LIST, u"Name", 150);
    view.addColumn(IDC_DL_LOGO_LIST, u"Path", 300);
    view.checkRadio(IDC_DL_MODE_TRANSFORMATION, IDC_DL_MODE_GRAY, IDC_DL_MODE_ORIGINAL);
    for (int slider : {IDC_DL_CONTRAST, IDC_DL_BRIGHTNESS}) {
        view.setRange(slider, logo::kMinAdjustment, logo::kMaxAdjustment);
        view.setStepSizes(slider, 1, 20);
    }
    showSettings(view, logo::LogoSettings());
    view.enable(IDC_DL_LOGO_DOWNLOAD_ALL, false);
    showBlank(view);
}

bool LogoDownload::onEvent(PageView& view, const ui::ControlEvent& event) {
    using ui::Notice;
    if (event.id == IDC_DL_LOGO_LIST) {
        if (event.notice == Notice::Clicked || event.notice == Notice::ItemChanged) {
            showSelection(view);
        }
        return true;
    }
    if (event.notice == Notice::Scrolled &&
        (event.id == IDC_DL_CONTRAST || event.id == IDC_DL_BRIGHTNESS)) {
        slide(view);
        return true;
    }
    if (event.notice != Notice::Clicked) {
        return false;
    }
    for (int halftone = 0; halftone < 4; ++halftone) {
        if (event.id == kHalftoneRadios[halftone]) {
            chooseHalftone(view, halftone);
            return true;
        }
    }
    switch (event.id) {
    case IDC_DL_LOGO_ADD:
        add(view);
        return true;
    case IDC_DL_LOGO_DELETE:
        remove(view);
        return true;
    case IDC_DL_LOGO_DOWNLOAD_ALL:
        downloadAll(view);
        return true;
    case IDC_DL_LOGO_CLEAR_ALL:
        clearAll(view);
        return true;
    case IDC_DL_MODE_ORIGINAL:
        chooseMode(view, PreviewMode::Original);
        return true;
    case IDC_DL_MODE_TRANSFORMATION:
        chooseMode(view, PreviewMode::Transformation);
        return true;
    case IDC_DL_MODE_GRAY:
        chooseMode(view, PreviewMode::Gray);
        return true;
    default:
        return false;
    }
}

void LogoDownload::removeWorkBitmaps() {
    for (const std::u16string& path : madeWork_) {
        host_.DeleteFileW(path);
    }
    madeWork_.clear();
}

int LogoDownload::selected(const PageView& view) const {
    const int row = view.selection(IDC_DL_LOGO_LIST);
    return row >= 0 && row < static_cast<int>(logos_.size()) ? row : -1;
}

void LogoDownload::add(PageView& view) {
    if (logos_.size() >= static_cast<std::size_t>(logo::kMaxLogos)) {
        host_.MessageBoxW(view.window(), widen(logo::kTextTooManyLogos),
                          widen(logo::kCaptionTooManyLogos), platform::mb::ok);
        return;
    }
    platform::OpenFileRequest request;
    request.owner = view.window();
    request.title = kTitleChooseLogo;
    request.filters = {{u"*.bmp", u"*.bmp"}};
    request.flags = kOpenFileFlags;
    request.maxPath = 1024;
    platform::OpenFileResult chosen;
    if (!host_.GetOpenFileNameW(request, chosen)) {
        return;
    }
    Logo added{chosen.path, chosen.fileTitle, 0, logo::LogoSettings()};
    {
        // Read without sharing, as the page has always opened a chosen logo.
        std::unique_ptr<logo::ByteSource> file = openHostFile(host_, added.path, 0);
        const logo::LogoFileCheck check = logo::checkLogoFile(file.get());
        if (check != logo::LogoFileCheck::Accepted) {
            showError(host_, view, widen(logo::logoFileCheckText(check)));
            return;
        }
        logo::BmpHeaders headers;
        logo::readBmpHeaders(*file, headers);
        added.bitCount = headers.bitCount;
        logo::BmpLayout layout;
        const logo::ImageError error = logo::openBmp(*file, kLogoDepths, layout);
        if (error != logo::ImageError::None) {
            showError(host_, view,
                      kTextLogoUnusable + pictureProblemText(added.name, error, added.bitCount));
            return;
        }
    }
    if (mode_ == PreviewMode::Transformation) {
        added.settings.halftone = logo::kHalftoneDitherM3;
    }
    const logo::ImageError error = makeWork(added, mode_, added.settings);
    if (error != logo::ImageError::None) {
        showError(host_, view,
                  kTextLogoNotConverted + pictureProblemText(added.name, error, added.bitCount));
        return;
    }
    logos_.push_back(added);
    const int row = view.addItem(IDC_DL_LOGO_LIST, number(static_cast<long long>(logos_.size())));
    view.setCell(IDC_DL_LOGO_LIST, row, 1, added.name);
    view.setCell(IDC_DL_LOGO_LIST, row, 2, added.path);
    view.focus(IDC_DL_LOGO_LIST);
    enableModes(view);
}

void LogoDownload::remove(PageView& view) {
    const int row = selected(view);
    if (row < 0) {
        return;
    }
    const std::u16string path = logos_[static_cast<std::size_t>(row)].path;
    logos_.erase(logos_.begin() + row);
    // Another entry of the same file still needs the work bitmap.
    const bool shared = std::any_of(logos_.begin(), logos_.end(),
                                    [&](const Logo& other) { return other.path == path; });
    const std::optional<std::u16string> work = workBitmapPath(path);
    if (!shared && work && madeWork_.erase(*work) != 0) {
        host_.DeleteFileW(*work);
    }
    view.removeItem(IDC_DL_LOGO_LIST, row);
    for (int r = row; r < static_cast<int>(logos_.size()); ++r) {
        view.setCell(IDC_DL_LOGO_LIST, r, 0, number(r + 1));
    }
    view.focus(IDC_DL_LOGO_LIST);
    enableModes(view);
    if (selected(view) < 0) {
        showBlank(view);
    }
}

void LogoDownload::chooseMode(PageView& view, PreviewMode mode) {
    mode_ = mode;
    const bool any = !logos_.empty();
    view.enable(IDC_DL_LOGO_DOWNLOAD_ALL, any && mode != PreviewMode::Original);
    if (any && selected(view) >= 0) {
        // Choosing a mode starts every logo afresh in it.
        logo::LogoSettings fresh;
        if (mode == PreviewMode::Transformation) {
            fresh.halftone = logo::kHalftoneDitherM3;
        }
        if (mode == PreviewMode::Original) {
            for (Logo& each : logos_) {
                each.settings = fresh;
            }
        } else {
            makeAllWork(view, &fresh);
        }
        showSettings(view, fresh);
    }
    draw(view);
}

void LogoDownload::chooseHalftone(PageView& view, int halftone) {
    const int row = selected(view);
    if (row < 0) {
        return;
    }
    logos_[static_cast<std::size_t>(row)].settings.halftone = halftone;
    draw(view);
}

void LogoDownload::slide(PageView& view) {
    const int row = selected(view);
    if (row < 0) {
        return;
    }
    logo::LogoSettings& settings = logos_[static_cast<std::size_t>(row)].settings;
    settings.contrast = view.position(IDC_DL_CONTRAST);
    settings.brightness = view.position(IDC_DL_BRIGHTNESS);
    view.setText(IDC_DL_CONTRAST_VALUE, number(settings.contrast));
    view.setText(IDC_DL_BRIGHTNESS_VALUE, number(settings.brightness));
    view.setChanged(true);
    draw(view);
}

void LogoDownload::showSelection(PageView& view) {
    draw(view);
    const int row = selected(view);
    enableModes(view);
    if (row >= 0) {
        showSettings(view, logos_[static_cast<std::size_t>(row)].settings);
    }
}

void LogoDownload::showSettings(PageView& view, const logo::LogoSettings& settings) {
    view.setPosition(IDC_DL_CONTRAST, settings.contrast);
    view.setText(IDC_DL_CONTRAST_VALUE, number(settings.contrast));
    view.setPosition(IDC_DL_BRIGHTNESS, settings.brightness);
    view.setText(IDC_DL_BRIGHTNESS_VALUE, number(settings.brightness));
    const int halftone = std::clamp(settings.halftone, 0, 3);
    view.checkRadio(IDC_DL_HALFTONE_NONE, IDC_DL_HALFTONE_ERROR_DIFFUSE, kHalftoneRadios[halftone]);
}

void LogoDownload::enableModes(PageView& view) {
    const bool on = !logos_.empty() && selected(view) >= 0;
    for (int id : kModeRadios) {
        view.enable(id, on);
    }
}

void LogoDownload::enableTuning(PageView& view, bool halftone, bool sliders) {
    for (int id : kHalftoneRadios) {
        view.enable(id, halftone);
    }
    view.enable(IDC_DL_CONTRAST, sliders);
    view.enable(IDC_DL_BRIGHTNESS, sliders);
}

logo::ImageError LogoDownload::makeWork(const Logo& logo, PreviewMode mode,
                                        const logo::LogoSettings& settings) {
    const bool gray = mode == PreviewMode::Gray;
    if (!gray && logo.bitCount == 1) {
        return logo::ImageError::None;
    }
    HostLogoFiles files(host_, logo.path);
    if (!files.workPath()) {
        return logo::ImageError::CannotCreate;
    }
    const logo::ImageError error =
        gray ? logo::makeGrayWorkBitmap(files, kLogoDepths, settings.contrast, settings.brightness)
             : logo::makeMonoWorkBitmap(files, kMonoDepths, settings.halftone, settings.contrast,
                                        settings.brightness);
    if (error == logo::ImageError::None) {
        madeWork_.insert(*files.workPath());
    }
    return error;
}

bool LogoDownload::makeAllWork(PageView& view, const logo::LogoSettings* reset) {
    for (Logo& each : logos_) {
        const logo::ImageError error = makeWork(each, mode_, reset ? *reset : each.settings);
        if (error != logo::ImageError::None) {
            showError(host_, view,
                      kTextLogoNotConverted + pictureProblemText(each.name, error, each.bitCount));
            return false;
        }
        if (reset != nullptr) {
            each.settings = *reset;
        }
    }
    return true;
}

void LogoDownload::draw(PageView& view) {
    const int row = selected(view);
    if (row < 0) {
        showBlank(view);
        return;
    }
    const Logo& shown = logos_[static_cast<std::size_t>(row)];
    const bool converted =
        mode_ == PreviewMode::Gray || (mode_ == PreviewMode::Transformation && shown.bitCount != 1);
    enableTuning(view, converted && mode_ == PreviewMode::Transformation, converted);
    if (!converted) {
        showPicture(view, shown.path);
    } else if (makeWork(shown, mode_, shown.settings) == logo::ImageError::None) {
        showPicture(view, workBitmapPath(shown.path).value_or(shown.path));
    } else {
        showBlank(view);
    }
}

void LogoDownload::showPicture(PageView& view, const std::u16string& path) {
    const auto [width, height] = view.clientSize(IDC_DL_LOGO_PREVIEW);
    ui::Picture picture{width, height, {}};
    std::unique_ptr<logo::ByteSource> file = openHostFile(host_, path);
    if (!file || logo::drawBmp(*file, width, height, picture.pixels) != logo::ImageError::None) {
        showBlank(view);
        return;
    }
    view.setPictures(IDC_DL_LOGO_PREVIEW, {{picture, ui::Placement{0, 0, width, height}}});
}

void LogoDownload::showBlank(PageView& view) {
    const auto [width, height] = view.clientSize(IDC_DL_LOGO_PREVIEW);
    view.setPictures(IDC_DL_LOGO_PREVIEW,
                     {{ui::Picture{1, 1, {0xFFFFFFu}}, ui::Placement{0, 0, width, height}}});
}

namespace {

// One raw job; false with the page's message when it did not go out whole.
bool sendJob(PluginHost& host, platform::Handle printer, const logo::RawJob& pieces,
             const PageView& view, const char16_t* failed) {
    RawJob job(host, printer);
    if (job.start(widen(pieces.documentName.c_str()))) {
        for (const auto& piece : pieces.pieces) {
            if (!job.write(piece)) {
                break;
            }
        }
    }
    if (job.finish()) {
        return true;
    }
    showError(host, view, failed + jobFailureText(host, job.failure()));
    return false;
}

} // namespace

void LogoDownload::downloadAll(PageView& view) {
    if (logos_.empty()) {
        showError(host_, view, widen(logo::kTextNoLogos));
        return;
    }
    if (mode_ == PreviewMode::Original) {
        return;
    }
    // Sent as previewed: every work bitmap is made again from its logo's settings,
    // so that one removed by an applied sheet or a changed file is not missed.
    if (!makeAllWork(view, nullptr)) {
        return;
    }
    std::vector<HostLogoFiles> files;
    for (const Logo& each : logos_) {
        files.emplace_back(host_, each.path);
    }
    std::vector<logo::LogoFiles*> list;
    for (HostLogoFiles& each : files) {
        list.push_back(&each);
    }
    const logo::LogoJobResult result = logo::buildDownloadAllJob(
        mode_ == PreviewMode::Gray ? logo::LogoMode::Gray : logo::LogoMode::Transformation, list);
    if (result.error != logo::LogoJobError::None) {
        const std::size_t failed = std::min(result.failedLogo, logos_.size() - 1);
        showError(host_, view, jobErrorText(result, logos_[failed].name));
        return;
    }
    sendJob(host_, printer_, result.job, view, kTextLogosNotSent);
}

void LogoDownload::clearAll(PageView& view) {
    sendJob(host_, printer_, logo::buildClearAllLogosJob(), view, kTextClearNotSent);
}

} // namespace oemui::pages

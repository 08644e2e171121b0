#include "oemui/pages/main_page.h"

#include "oemui/pages/graphics_choice.h"
#include "oemui/resource.h"

#include <algorithm>

namespace oemui::pages {
namespace {

// CB_FINDSTRINGEXACT compares without regard to case.
bool sameName(const std::u16string& a, const std::u16string& b) {
    const auto fold = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

} // namespace

MainPage::MainPage(PluginSettings settings, std::unique_ptr<PaperSizeOptions> papers,
                   platform::PluginHost& host, DocumentPageFlags& flags)
    : settings_(settings), papers_(std::move(papers)), host_(host), flags_(flags) {}

bool MainPage::graphicsForced() const {
    return settings_.zoomPrinting() != 0 || settings_.rotate180() != 0 ||
           settings_.watermarkKind() != 0;
}

void MainPage::enableGraphicsChoice(View& view, bool enabled) {
    view.enable(IDC_MN_GRAPHICS_YES, enabled);
    view.enable(IDC_MN_GRAPHICS_NO, enabled);
}

void MainPage::lockGraphicsChoice(View& view) {
    view.setChecked(IDC_MN_GRAPHICS_YES, true);
    view.setChecked(IDC_MN_GRAPHICS_NO, false);
    enableGraphicsChoice(view, false);
}

void MainPage::forceGraphics(View& view) {
    forceTextAsGraphics(host_, view.window(), settings_);
}

void MainPage::onInit(View& view) {
    // A reset left over from an earlier sheet of this process is not this
    // sheet's: its watermark page has not been shown yet.
    flags_.graphicsResetPending = false;

    view.clearItems(IDC_MN_PAPER_SIZE);
    rows_.clear();
    for (std::size_t item = 0; item < papers_->itemCount(); ++item) {
        const std::vector<std::u16string> names = papers_->names(item);
        for (std::size_t k = 0; k < names.size(); ++k) {
            view.addItem(IDC_MN_PAPER_SIZE, names[k]);
            rows_.emplace_back(item, static_cast<int>(k));
        }
    }
    const std::u16string form = settings_.formName();
    int row = -1;
    for (int i = 0; !form.empty() && i < view.itemCount(IDC_MN_PAPER_SIZE) && row < 0; ++i) {
        if (sameName(view.itemText(IDC_MN_PAPER_SIZE, i), form)) {
            row = i;
        }
    }
    if (row >= 0) {
        view.select(IDC_MN_PAPER_SIZE, row);
    } else {
        selectDriverChoice(view);
    }

    view.setChecked(IDC_MN_ROTATE_NORMAL, settings_.rotate180() == 0);
    view.setChecked(IDC_MN_ROTATE_180, settings_.rotate180() != 0);
    view.setTextLimit(IDC_MN_ZOOM_SCALE, 3);
    view.setRange(IDC_MN_ZOOM_SPIN, 10, 100);
    view.setPosition(IDC_MN_ZOOM_SPIN, settings_.zoomScale());
    view.setChecked(IDC_MN_ZOOM, settings_.zoomPrinting() != 0);
    view.enable(IDC_MN_ZOOM_SCALE, settings_.zoomPrinting() != 0);
    view.enable(IDC_MN_ZOOM_SPIN, settings_.zoomPrinting() != 0);

    view.setChecked(IDC_MN_GRAPHICS_YES, settings_.textAsGraphics() != 0);
    view.setChecked(IDC_MN_GRAPHICS_NO, settings_.textAsGraphics() == 0);
    enableGraphicsChoice(view, !graphicsForced());

    // Zoom and rotation are not offered.
    view.setChecked(IDC_MN_ZOOM, false);
    for (int id : {IDC_MN_ZOOM, IDC_MN_ZOOM_SCALE, IDC_MN_ZOOM_SPIN, IDC_MN_ROTATE_180}) {
        view.enable(id, false);
    }
}

void MainPage::onPageShown(View& view) {
    if (graphicsForced()) {
        lockGraphicsChoice(view);
    } else {
        enableGraphicsChoice(view, true);
        if (flags_.graphicsResetPending) {
            view.setChecked(IDC_MN_GRAPHICS_NO, true);
            view.setChecked(IDC_MN_GRAPHICS_YES, false);
            flags_.graphicsResetPending = false;
        }
    }
    // The driver's own page may have changed the paper size meanwhile.
    selectDriverChoice(view);
}

void MainPage::selectDriverChoice(View& view) {
    std::size_t first = 0;
    for (std::size_t item = 0; item < papers_->itemCount(); ++item) {
        const int count = static_cast<int>(papers_->names(item).size());
        const int sel = papers_->selected(item);
        if (sel >= 0 && sel < count) {
            view.select(IDC_MN_PAPER_SIZE, static_cast<int>(first) + sel);
        }
        first += static_cast<std::size_t>(count);
    }
}

void MainPage::commitPaperSize(View& view) {
    const int row = view.selection(IDC_MN_PAPER_SIZE);
    if (row >= 0 && row < static_cast<int>(rows_.size())) {
        // Each item gets the chosen paper's index in its own list, never a row
        // of the combined list that the item does not have.
        const std::u16string name = view.itemText(IDC_MN_PAPER_SIZE, row);
        for (std::size_t item = 0; item < papers_->itemCount(); ++item) {
            const std::vector<std::u16string> names = papers_->names(item);
            int index =
                rows_[static_cast<std::size_t>(row)].first == item
                    ? rows_[static_cast<std::size_t>(row)].second
                    : static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
            if (index < static_cast<int>(names.size())) {
                papers_->choose(item, index);
            }
        }
    }
    // A name the field cannot hold is not cut to another paper's name: the
    // field stays empty and the driver's own selection speaks.
    settings_.setFormName(u"");
    if (row >= 0) {
        settings_.setFormName(view.itemText(IDC_MN_PAPER_SIZE, row));
    }
}

void MainPage::onZoomClicked(View& view) {
    const bool on = view.isChecked(IDC_MN_ZOOM);
    view.enable(IDC_MN_ZOOM_SCALE, on);
    view.enable(IDC_MN_ZOOM_SPIN, on);
    if (on) {
        forceGraphics(view);
        settings_.setZoomPrinting(1);
        lockGraphicsChoice(view);
        return;
    }
    settings_.setZoomPrinting(0);
    if (settings_.rotate180() == 0 && settings_.watermarkKind() == 0) {
        enableGraphicsChoice(view, true);
    }
}

void MainPage::onEvent(View& view, const ui::ControlEvent& event) {
    using ui::Notice;
    switch (event.id) {
    case IDC_MN_PAPER_SIZE:
        if (event.notice != Notice::SelectionChanged) {
            return;
        }
        commitPaperSize(view);
        break;
    case IDC_MN_GRAPHICS_YES:
    case IDC_MN_GRAPHICS_NO:
        if (event.notice != Notice::Clicked) {
            return;
        }
        settings_.setTextAsGraphics(event.id == IDC_MN_GRAPHICS_YES ? 1 : 0);
        break;
    case IDC_MN_ZOOM_SCALE: {
        if (event.notice != Notice::TextChanged) {
            return;
        }
        const std::optional<long> value = view.number(IDC_MN_ZOOM_SCALE, false);
        if (!value) {
            return;
        }
        if (*value > 100) {
            view.setPosition(IDC_MN_ZOOM_SPIN, 100);
        }
        settings_.setZoomScale(static_cast<std::uint8_t>(std::min(*value, 100L)));
        break;
    }
    case IDC_MN_ROTATE_NORMAL:
        if (event.notice != Notice::Clicked) {
            return;
        }
        settings_.setRotate180(0);
        if (settings_.zoomPrinting() == 0 && settings_.watermarkKind() == 0) {
            enableGraphicsChoice(view, true);
        }
        break;
    case IDC_MN_ROTATE_180:
        if (event.notice != Notice::Clicked) {
            return;
        }
        forceGraphics(view);
        settings_.setRotate180(1);
        lockGraphicsChoice(view);
        break;
    case IDC_MN_ZOOM:
        if (event.notice == Notice::Clicked) {
            onZoomClicked(view);
        }
        return; // the zoom check box leaves the sheet's changed state alone
    default:
        return;
    }
    view.setChanged(true);
}

bool MainPage::onApply(View& view) {
    if (view.isChecked(IDC_MN_ROTATE_NORMAL)) {
        settings_.setRotate180(0);
    } else if (view.isChecked(IDC_MN_ROTATE_180)) {
        settings_.setRotate180(1);
    }
    commitPaperSize(view);
    return true;
}

std::unique_ptr<PageController> makeMainPage(const PageEnvironment& env) {
    if (env.document == nullptr || env.document->psParam == nullptr ||
        env.document->psParam->pOEMDM == nullptr) {
        return nullptr;
    }
    return std::make_unique<MainPage>(PluginSettings(env.document->psParam->pOEMDM),
                                      std::make_unique<DriverPaperSizeOptions>(*env.document),
                                      env.host, env.sheet.documentPages);
}

} // namespace oemui::pages

#include "oemui/pages/operation_dialog.h"

#include "oemui/hex_command.h"
#include "oemui/pages/decimal_text.h"
#include "oemui/pages/edit_hex_command.h"
#include "oemui/resource.h"

#include <algorithm>
#include <vector>

namespace oemui::pages {
namespace {

using Names = std::vector<std::u16string>;

const Names cashDrawers = {u"No Cash Drawer",
                           u"Cash Drawer #1 Waiting 10ms",
                           u"Cash Drawer #1 Waiting 20ms",
                           u"Cash Drawer #1 Waiting 40ms",
                           u"Cash Drawer #1 Waiting 60ms",
                           u"Cash Drawer #2 Waiting 10ms",
                           u"Cash Drawer #2 Waiting 20ms",
                           u"Cash Drawer #2 Waiting 40ms",
                           u"Cash Drawer #2 Waiting 60ms",
                           u"Cash Drawer #1+#2 Waiting 10ms",
                           u"Cash Drawer #1+#2 Waiting 20ms",
                           u"Cash Drawer #1+#2 Waiting 40ms",
                           u"Cash Drawer #1+#2 Waiting 60ms"};
const Names heralds = {u"Enable", u"Disable"};
const Names paperCuts = {u"No Cut", u"Partial Cut", u"Full Cut"};
const Names buzzers = {u"Beep off",  u"Beep one", u"Beep three",
                       u"Beep five", u"Beep ten", u"Beep twenty"};
const Names logos = {u"Not Print Logo", u"Print Logo1", u"Print Logo2", u"Print Logo3",
                     u"Print Logo4",    u"Print Logo5", u"Print Logo6", u"Print Logo7",
                     u"Print Logo8",    u"Print Logo9"};

const char16_t* const titles[] = {u"Start Document Operation", u"Start Page Operation",
                                  u"End Page Operation", u"End Document Operation"};

constexpr unsigned maxFeed = 100;
constexpr unsigned maxVolume = 255;
constexpr int logoPlacement[] = {IDC_OPE_ALIGN_LEFT, IDC_OPE_ALIGN_CENTER, IDC_OPE_ALIGN_RIGHT,
                                 IDC_OPE_BEFORE_CUT, IDC_OPE_AFTER_CUT};

// A stored choice the list does not have shows no selection.
void fill(PageView& view, int id, const Names& names, unsigned stored) {
    view.clearItems(id);
    for (const auto& name : names) {
        view.addItem(id, name);
    }
    view.select(id, stored < names.size() ? static_cast<int>(stored) : -1);
}

// The choice of a list; without a selection the stored one stays.
std::uint8_t chosen(const PageView& view, int id, std::uint8_t stored) {
    const int index = view.selection(id);
    return index < 0 ? stored : static_cast<std::uint8_t>(index);
}

void showNumber(PageView& view, int edit, int spin, unsigned value) {
    view.setPosition(spin, static_cast<int>(value));
    view.setText(edit, decimalText(value));
}

// What an edit holds, held to its range: a text that is no number counts as 0.
unsigned heldTo(const PageView& view, int id, unsigned limit) {
    const long value = view.number(id, false).value_or(0);
    return static_cast<unsigned>(std::min<long>(value, limit));
}

void chooseDrawer(PageView& view, bool drawer) {
    view.checkRadio(IDC_OPE_OPEN_DRAWER, IDC_OPE_HERALD_RADIO,
                    drawer ? IDC_OPE_OPEN_DRAWER : IDC_OPE_HERALD_RADIO);
    view.enable(IDC_OPE_CASH_DRAWER, drawer);
    view.enable(IDC_OPE_HERALD, !drawer);
}

void enableVolume(PageView& view, bool enabled) {
    view.enable(IDC_OPE_VOLUME, enabled);
    view.enable(IDC_OPE_VOLUME_SPIN, enabled);
}

void enableLogoPlacement(PageView& view, bool enabled) {
    for (int id : logoPlacement) {
        view.enable(id, enabled);
    }
}

} // namespace

void OperationDialog::onInit(PageView& view) {
    const OperationSettings& w = work_.working;
    useEditHexCommand(view, IDC_OPE_COMMAND);
    // A record from elsewhere may claim more than the command bytes it has.
    view.setText(IDC_OPE_COMMAND,
                 FormatHexCommand(w.command.data(),
                                  std::min<std::size_t>(w.commandLength, maxCommandBytes)));
    view.setCaption(titles[static_cast<int>(work_.moment)]);
    view.setChecked(IDC_OPE_SEND_COMMAND, w.sendCommand == 1);
    view.enable(IDC_OPE_COMMAND, w.sendCommand == 1);
    view.setChecked(IDC_OPE_FEED_BEFORE_CUT, w.feedBeforeCut == 1);

    fill(view, IDC_OPE_CASH_DRAWER, cashDrawers, w.cashDrawer);
    fill(view, IDC_OPE_HERALD, heralds, w.herald);
    fill(view, IDC_OPE_PAPER_CUT, paperCuts, w.paperCut);
    fill(view, IDC_OPE_BUZZER, buzzers, w.buzzer);
    fill(view, IDC_OPE_LOGO, logos, w.logo);

    view.setTextLimit(IDC_OPE_PAPER_FEED, 3);
    view.setRange(IDC_OPE_PAPER_FEED_SPIN, 0, maxFeed);
    showNumber(view, IDC_OPE_PAPER_FEED, IDC_OPE_PAPER_FEED_SPIN,
               std::min<unsigned>(w.paperFeed, maxFeed));
    view.setTextLimit(IDC_OPE_VOLUME, 3);
    view.setRange(IDC_OPE_VOLUME_SPIN, 0, maxVolume);
    showNumber(view, IDC_OPE_VOLUME, IDC_OPE_VOLUME_SPIN, w.buzzerVolume);
    enableVolume(view, w.buzzer != 0);

    chooseDrawer(view, w.drawerOrHerald == 0);
    if (w.logoAlignment <= 2) {
        view.checkRadio(IDC_OPE_ALIGN_LEFT, IDC_OPE_ALIGN_RIGHT,
                        IDC_OPE_ALIGN_LEFT + w.logoAlignment);
    }
    view.checkRadio(IDC_OPE_BEFORE_CUT, IDC_OPE_AFTER_CUT,
                    w.logoPosition == 0 ? IDC_OPE_BEFORE_CUT : IDC_OPE_AFTER_CUT);
    enableLogoPlacement(view, w.logo != 0);
}

void OperationDialog::onEvent(PageView& view, const ui::ControlEvent& event) {
    using ui::Notice;
    switch (event.id) {
    case IDC_OPE_SEND_COMMAND:
        if (event.notice == Notice::Clicked) {
            view.enable(IDC_OPE_COMMAND, view.isChecked(IDC_OPE_SEND_COMMAND));
        }
        break;
    case IDC_OPE_PAPER_FEED:
        if (event.notice == Notice::TextChanged) {
            view.setPosition(IDC_OPE_PAPER_FEED_SPIN,
                             static_cast<int>(heldTo(view, IDC_OPE_PAPER_FEED, maxFeed)));
        }
        break;
    case IDC_OPE_VOLUME:
        if (event.notice == Notice::TextChanged) {
            view.setPosition(IDC_OPE_VOLUME_SPIN,
                             static_cast<int>(heldTo(view, IDC_OPE_VOLUME, maxVolume)));
        }
        break;
    case IDC_OPE_OPEN_DRAWER:
    case IDC_OPE_HERALD_RADIO:
        if (event.notice == Notice::Clicked) {
            chooseDrawer(view, event.id == IDC_OPE_OPEN_DRAWER);
        }
        break;
    case IDC_OPE_BUZZER:
        if (event.notice == Notice::SelectionChanged) {
            enableVolume(view, view.selection(IDC_OPE_BUZZER) > 0);
        }
        break;
    case IDC_OPE_LOGO:
        enableLogoPlacement(view, view.selection(IDC_OPE_LOGO) > 0);
        break;
    case IDC_OPE_DEFAULT:
        if (event.notice == Notice::Clicked) {
            showDefaults(view);
        }
        break;
    case ui::idOk:
        if (store(view)) {
            view.close(ui::idOk);
        }
        break;
    case ui::idCancel:
        view.close(ui::idCancel);
        break;
    default:
        break;
    }
}

bool OperationDialog::onCharacter(PageView& view, int id, unsigned character) {
    return id != IDC_OPE_COMMAND || EditHexCommand(view, character);
}

// The moment's defaults, shown only: nothing is stored until OK.
void OperationDialog::showDefaults(PageView& view) {
    const bool startOfDocument = work_.moment == Moment::StartOfDocument;
    const bool endOfDocument = work_.moment == Moment::EndOfDocument;
    view.setChecked(IDC_OPE_SEND_COMMAND, false);
    view.setText(IDC_OPE_COMMAND, u"");
    view.enable(IDC_OPE_COMMAND, false);
    view.setChecked(IDC_OPE_FEED_BEFORE_CUT, endOfDocument);
    view.select(IDC_OPE_CASH_DRAWER, startOfDocument ? 12 : 0);
    view.select(IDC_OPE_HERALD, 0);
    chooseDrawer(view, true);
    showNumber(view, IDC_OPE_PAPER_FEED, IDC_OPE_PAPER_FEED_SPIN, 0);
    view.select(IDC_OPE_PAPER_CUT, endOfDocument ? 1 : 0);
    view.select(IDC_OPE_BUZZER, 0);
    view.select(IDC_OPE_LOGO, 0);
    enableLogoPlacement(view, false);
    enableVolume(view, false);
    showNumber(view, IDC_OPE_VOLUME, IDC_OPE_VOLUME_SPIN, 0);
    view.checkRadio(IDC_OPE_ALIGN_LEFT, IDC_OPE_ALIGN_RIGHT, IDC_OPE_ALIGN_LEFT);
    view.checkRadio(IDC_OPE_BEFORE_CUT, IDC_OPE_AFTER_CUT, IDC_OPE_BEFORE_CUT);
}

bool OperationDialog::store(PageView& view) {
    const std::vector<std::uint8_t> command = ParseHexCommand(view.text(IDC_OPE_COMMAND));
    if (command.size() > maxCommandBytes) {
        host_.MessageBoxW(view.window(), u"Command length error", u"Error", platform::mb::ok);
        return false;
    }
    OperationSettings& w = work_.working;
    w.command.fill(0);
    std::copy(command.begin(), command.end(), w.command.begin());
    w.commandLength = static_cast<std::uint8_t>(command.size());
    w.sendCommand = view.isChecked(IDC_OPE_SEND_COMMAND) ? 1 : 0;
    w.feedBeforeCut = view.isChecked(IDC_OPE_FEED_BEFORE_CUT) ? 1 : 0;
    w.cashDrawer = chosen(view, IDC_OPE_CASH_DRAWER, w.cashDrawer);
    w.paperCut = chosen(view, IDC_OPE_PAPER_CUT, w.paperCut);
    w.paperFeed = static_cast<std::uint8_t>(heldTo(view, IDC_OPE_PAPER_FEED, maxFeed));
    w.buzzerVolume = static_cast<std::uint8_t>(heldTo(view, IDC_OPE_VOLUME, maxVolume));
    w.drawerOrHerald = view.isChecked(IDC_OPE_OPEN_DRAWER) ? 0 : 1;
    w.herald = chosen(view, IDC_OPE_HERALD, w.herald);
    w.buzzer = chosen(view, IDC_OPE_BUZZER, w.buzzer);
    w.logo = chosen(view, IDC_OPE_LOGO, w.logo);
    w.logoAlignment = view.isChecked(IDC_OPE_ALIGN_LEFT)     ? 0
                      : view.isChecked(IDC_OPE_ALIGN_CENTER) ? 1
                                                             : 2;
    w.logoPosition = view.isChecked(IDC_OPE_BEFORE_CUT) ? 0 : 1;
    return true;
}

} // namespace oemui::pages

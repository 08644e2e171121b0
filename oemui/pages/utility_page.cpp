#include "oemui/pages/utility_page.h"

#include "oemui/pages/control_table_dialogs.h"
#include "oemui/pages/decimal_text.h"
#include "oemui/pages/one_at_a_time.h"
#include "oemui/raw_job.h"
#include "oemui/resource.h"

#include <algorithm>
#include <vector>

namespace oemui::pages {
namespace {

using platform::FormInfo1W;
using Forms = std::vector<FormInfo1W>;

const std::u16string prefix = u"Custom Paper-";
const std::u16string defaultForm = u"Custom Paper-K500NX";
const std::u16string paperCaption = u"Custom Paper Size";

// Sizes are shown in tenths of a millimetre; the spooler keeps thousandths.
constexpr std::int32_t spoolerUnits = 100;
constexpr unsigned minWidth = 410, maxWidth = 800, minHeight = 254, maxHeight = 32760;

// The self-test page: three writes of one raw job.
const std::vector<std::vector<std::uint8_t>> selfTestPieces = {
    {0x1B, 0x63, 0x3B, 0x01}, {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02}, {0x1B, 0x63, 0x3B, 0x00}};

bool isCustom(const std::u16string& name) {
    return name.find(prefix) != std::u16string::npos;
}

// What the name box shows of a form's name: the part after "Custom Paper-".
std::u16string shortName(const std::u16string& name) {
    const std::size_t at = name.find(prefix);
    return at == std::u16string::npos ? name : name.substr(at + prefix.size());
}

const FormInfo1W* named(const Forms& forms, const std::u16string& name) {
    const auto it = std::find_if(forms.begin(), forms.end(),
                                 [&](const FormInfo1W& f) { return f.name == name; });
    return it == forms.end() ? nullptr : &*it;
}

FormInfo1W paperForm(const std::u16string& name, std::int32_t width, std::int32_t height) {
    return {0, name, width, height, 0, 0, width, height};
}

// A number typed into an edit, held to its range; the edit shows what is kept.
unsigned keptInRange(PageView& view, int id, unsigned low, unsigned high) {
    const long typed = view.number(id, false).value_or(0);
    const unsigned kept = static_cast<unsigned>(std::clamp<long>(typed, low, high));
    if (static_cast<long>(kept) != typed) {
        view.setText(id, decimalText(kept));
    }
    return kept;
}

} // namespace

platform::Handle UtilityPage::printer() const {
    const OEMCUIPPARAM* param = env_.device ? env_.device->cuipParam : nullptr;
    return param ? static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(param->hPrinter))
                 : 0;
}

void UtilityPage::onInit(PageView& view) {
    // The template keeps the way to the control-font table hidden; this page
    // is where an administrator edits the table, so it is shown.
    for (int id : {IDC_UT_CONTROL_FONT, IDC_UT_CONTROL_FONT_TITLE, IDC_UT_CONTROL_FONT_TEXT}) {
        view.show(id, true);
    }
    platform::PluginHost& host = env_.host;
    Forms forms;
    if (!host.EnumFormsW(printer(), forms)) {
        return;
    }
    if (named(forms, defaultForm) == nullptr &&
        !host.AddFormW(printer(), paperForm(defaultForm, 80000, 297000))) {
        return;
    }
    view.setTextLimit(IDC_UT_FORM_NAME, 18);
    view.setTextLimit(IDC_UT_WIDTH, 4);
    view.setTextLimit(IDC_UT_HEIGHT, 5);
    view.setRange(IDC_UT_WIDTH_SPIN, minWidth, maxWidth);
    view.setRange(IDC_UT_HEIGHT_SPIN, minHeight, maxHeight);
    view.setText(IDC_UT_WIDTH_RANGE, u"[ 410 - 800 (0.1mm) ]");
    view.setText(IDC_UT_HEIGHT_RANGE, u"[ 254 - 32760 (0.1mm) ]");
    if (!host.EnumFormsW(printer(), forms)) {
        return;
    }
    view.clearItems(IDC_UT_FORM_LIST);
    if (named(forms, defaultForm) != nullptr) {
        view.addItem(IDC_UT_FORM_LIST, defaultForm);
    }
    for (const FormInfo1W& form : forms) {
        if (form.name != defaultForm && isCustom(form.name)) {
            view.addItem(IDC_UT_FORM_LIST, form.name);
        }
    }
    view.select(IDC_UT_FORM_LIST, 0);
    showSelection(view);
}

void UtilityPage::onEvent(PageView& view, const ui::ControlEvent& event) {
    using ui::Notice;
    if (event.notice == Notice::Clicked) {
        switch (event.id) {
        case IDC_UT_SELF_TEST:
            printSelfTest(view);
            break;
        case IDC_UT_SAVE_PAPER:
            savePaper(view);
            break;
        case IDC_UT_DELETE_PAPER:
            deletePaper(view);
            break;
        case IDC_UT_CONTROL_FONT:
            editControlTable(view);
            break;
        default:
            break;
        }
    } else if (event.id == IDC_UT_FORM_LIST && event.notice == Notice::SelectionChanged) {
        showSelection(view);
    } else if (event.id == IDC_UT_FORM_NAME && event.notice == Notice::TextChanged) {
        enableDelete(view);
    }
}

// The selected entry: its name in the name box, its size in the size boxes.
void UtilityPage::showSelection(PageView& view) {
    const int selected = view.selection(IDC_UT_FORM_LIST);
    enableDelete(view);
    if (selected < 0) {
        return;
    }
    const std::u16string name = view.itemText(IDC_UT_FORM_LIST, selected);
    view.setText(IDC_UT_FORM_NAME, shortName(name));
    Forms forms;
    const FormInfo1W* form = env_.host.EnumFormsW(printer(), forms) ? named(forms, name) : nullptr;
    if (form == nullptr) {
        return;
    }
    const auto width = static_cast<unsigned>(form->width / spoolerUnits);
    const auto height = static_cast<unsigned>(form->height / spoolerUnits);
    // The up-down controls write their buddies; the edits then show the
    // form's own size even where it lies outside their range.
    view.setPosition(IDC_UT_WIDTH_SPIN, static_cast<int>(width));
    view.setPosition(IDC_UT_HEIGHT_SPIN, static_cast<int>(height));
    view.setText(IDC_UT_WIDTH, decimalText(width));
    view.setText(IDC_UT_HEIGHT, decimalText(height));
}

// The default form stays: it cannot be deleted.
void UtilityPage::enableDelete(PageView& view) {
    const int selected = view.selection(IDC_UT_FORM_LIST);
    view.enable(IDC_UT_DELETE_PAPER,
                selected >= 0 && view.itemText(IDC_UT_FORM_LIST, selected) != defaultForm);
}

void UtilityPage::printSelfTest(PageView& view) {
    RawJob job(env_.host, printer());
    bool sent = job.start(u"SELFTEST");
    for (const auto& piece : selfTestPieces) {
        sent = sent && job.write(piece);
    }
    if (!(sent && job.finish())) {
        tell(view,
             u"The self-test page could not be printed. The printer may be off line, or you "
             u"may not have the right to print to it.",
             job.error(), u"SelfTest");
    }
}

void UtilityPage::savePaper(PageView& view) {
    platform::PluginHost& host = env_.host;
    const std::int32_t width =
        static_cast<std::int32_t>(keptInRange(view, IDC_UT_WIDTH, minWidth, maxWidth)) *
        spoolerUnits;
    const std::int32_t height =
        static_cast<std::int32_t>(keptInRange(view, IDC_UT_HEIGHT, minHeight, maxHeight)) *
        spoolerUnits;
    Forms forms;
    if (!host.EnumFormsW(printer(), forms)) {
        return;
    }
    const std::u16string typed = view.text(IDC_UT_FORM_NAME).substr(0, 255);
    const auto existing = std::find_if(forms.begin(), forms.end(), [&](const FormInfo1W& f) {
        return isCustom(f.name) && shortName(f.name) == typed;
    });
    if (existing != forms.end()) {
        if (!host.SetFormW(printer(), existing->name, paperForm(existing->name, width, height))) {
            host.MessageBoxW(view.window(), u"Set custom paper size failed!", paperCaption,
                             platform::mb::iconError);
        }
        return;
    }
    const std::u16string name = prefix + typed;
    if (!host.AddFormW(printer(), paperForm(name, width, height))) {
        host.MessageBoxW(view.window(), u"Set Custom Paper failed!", paperCaption,
                         platform::mb::iconError);
        return;
    }
    view.select(IDC_UT_FORM_LIST, view.addItem(IDC_UT_FORM_LIST, name));
    view.enable(IDC_UT_DELETE_PAPER, true);
}

void UtilityPage::deletePaper(PageView& view) {
    const int selected = view.selection(IDC_UT_FORM_LIST);
    if (selected < 0) {
        return;
    }
    const std::u16string name = view.itemText(IDC_UT_FORM_LIST, selected);
    if (!env_.host.DeleteFormW(printer(), name)) {
        // The form is still there, so is its entry.
        tell(view, u"Delete custom paper size failed!", env_.host.GetLastError(), paperCaption);
        return;
    }
    view.removeItem(IDC_UT_FORM_LIST, selected);
    const int left = view.itemCount(IDC_UT_FORM_LIST);
    view.select(IDC_UT_FORM_LIST, selected < left ? selected : left - 1);
    showSelection(view);
}

void UtilityPage::editControlTable(PageView& view) {
    ControlFontWork& work = env_.sheet.controlFont;
    if (openElsewhere(view, env_.host, work.open, u"Control Font")) {
        return;
    }
    ControlTableDialog dialog(env_.host, work);
    OneAtATime guard(work.open);
    view.runModal(IDD_CONTROL_TABLE, dialog);
}

void UtilityPage::tell(PageView& view, const std::u16string& text, std::uint32_t error,
                       const std::u16string& caption) {
    std::u16string reason;
    std::u16string message = text;
    if (error != 0 && env_.host.FormatMessageW(error, reason)) {
        while (!reason.empty() && (reason.back() == u'\r' || reason.back() == u'\n')) {
            reason.pop_back();
        }
        message += u"\n\n" + reason;
    }
    env_.host.MessageBoxW(view.window(), message, caption, platform::mb::iconError);
}

} // namespace oemui::pages

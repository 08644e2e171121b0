#include "setup/pages/type_page.h"

#include "platform/machine.h"
#include "setup/res/resource.h"

namespace setup {
namespace {

struct TypeControls {
    PrinterType type;
    int button;
    int list;
    const char* key; // section Series
};

constexpr std::array<TypeControls, 4> controls = {{
    {PrinterType::Receipt, IDC_RECEIPT, IDC_RECEIPT_MODELS, "Receipt"},
    {PrinterType::Ticket, IDC_TICKET, IDC_TICKET_MODELS, "Ticket"},
    {PrinterType::Label, IDC_LABEL, IDC_LABEL_MODELS, "Label"},
    {PrinterType::Embedded, IDC_EMBEDDED, IDC_EMBEDDED_MODELS, "Embedded"},
}};

const TypeControls* controlsOf(PrinterType type) {
    for (const TypeControls& c : controls) {
        if (c.type == type)
            return &c;
    }
    return nullptr;
}

} // namespace

void TypePage::onInit(View& view) {
    SetupConfig config(context_.machine.profiles(), context_.programFolder, context_.wow64);
    const int count = config.modelCount();
    for (int i = 1; i <= count; ++i) {
        const ModelEntry entry = config.modelEntry(i);
        if (const TypeControls* c = controlsOf(entry.type))
            view.addItem(c->list, entry.name);
    }
    hasModels_ = false;
    for (const TypeControls& c : controls) {
        view.select(c.list, 0);
        view.enable(c.list, false);
        const bool any = view.itemCount(c.list) > 0;
        view.enable(c.button, any);
        hasModels_ = hasModels_ || any;
    }
    // The package's default model: its type checked, its list enabled.
    const ModelEntry preset = config.defaultModel();
    type_ = preset.type;
    model_.clear();
    if (const TypeControls* c = controlsOf(preset.type)) {
        view.checkRadio(IDC_RECEIPT, IDC_EMBEDDED, c->button);
        const int found = view.findItem(c->list, 0, preset.name);
        if (found >= 0)
            view.select(c->list, found);
        const int selected = view.selection(c->list);
        if (selected >= 0)
            model_ = view.itemText(c->list, selected);
        view.enable(c->list, true);
    }
    applyFont(view);
}

void TypePage::choose(View& view, PrinterType type) {
    const TypeControls* chosen = controlsOf(type);
    for (const TypeControls& c : controls)
        view.enable(c.list, false);
    const int selected = view.selection(chosen->list);
    model_ = selected >= 0 ? view.itemText(chosen->list, selected) : std::string();
    view.enable(chosen->list, true);
    type_ = type;
}

void TypePage::onEvent(View& view, const ui::ControlEvent& event) {
    for (const TypeControls& c : controls) {
        if (event.id == c.button && event.notice == ui::Notice::Clicked) {
            choose(view, c.type);
        } else if (event.id == c.list && event.notice == ui::Notice::SelectionChanged) {
            const int selected = view.selection(c.list);
            model_ = selected >= 0 ? view.itemText(c.list, selected) : std::string();
        }
    }
}

bool TypePage::store(View& view) {
    setAsDefault_ = view.isChecked(IDC_SET_DEFAULT);
    return true;
}

void TypePage::refreshTexts(View& view) {
    view.setText(IDC_SERIES_GROUP, text("Series", "Select"));
    for (const TypeControls& c : controls)
        view.setText(c.button, text("Series", c.key));
    view.setText(IDC_SET_DEFAULT, text("Series", "Default"));
}

} // namespace setup

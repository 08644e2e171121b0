#include "oemui/pages/barcode_page.h"

#include "oemui/raw_job.h"
#include "oemui/tools/barcode/barcode_texts.h"
#include "platform/plugin_host.h"

#include <algorithm>

namespace oemui::pages {

std::u16string widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string decimal(std::uint32_t value) {
    return widen(std::to_string(value));
}

namespace {

// The characters a number edit needs for the largest value of its range.
int digitsOf(std::uint32_t value) {
    return static_cast<int>(std::to_string(value).size());
}

} // namespace

template <typename Block, typename FieldId>
BarcodePage<Block, FieldId>::BarcodePage(const PageEnvironment& env, Controls controls)
    : env_(env), controls_(std::move(controls)) {
    // A sheet without a record (a host that offers none) edits a copy of the
    // defaults, so the page still works and nothing outside is touched.
    writeDefaults(PluginSettings(ownRecord_));
}

template <typename Block, typename FieldId>
PluginSettings BarcodePage<Block, FieldId>::record() const {
    const DocumentPageContext* document = env_.document;
    if (document != nullptr && document->psParam != nullptr &&
        document->psParam->pOEMDM != nullptr) {
        return PluginSettings(document->psParam->pOEMDM);
    }
    return PluginSettings(ownRecord_);
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::onInit(PageView& view) {
    Quiet quiet(*this);
    for (const auto& font : controls_.fonts) {
        view.addItem(controls_.fontCombo, font);
    }
    view.select(controls_.fontCombo, 0);
    for (const Choice& choice : controls_.choices) {
        for (const auto& row : choice.rows) {
            view.addItem(choice.combo, row);
        }
    }
    for (const NumberEdit& number : controls_.numbers) {
        const auto& field = fieldOf(number.field);
        view.setTextLimit(number.edit, digitsOf(field.maximum));
        view.setRange(number.spin, static_cast<int>(field.minimum),
                      static_cast<int>(field.maximum));
    }
    setUp(view);
    load(view);
}

template <typename Block, typename FieldId> void BarcodePage<Block, FieldId>::load(PageView& view) {
    Quiet quiet(*this);
    const Block block = shown();
    for (const NumberEdit& number : controls_.numbers) {
        showNumber(view, number.field, fieldOf(number.field).get(block));
    }
    for (const Choice& choice : controls_.choices) {
        view.select(choice.combo,
                    static_cast<int>(fieldOf(choice.field).get(block) - choice.firstValue));
    }
    loaded(view, block);
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::showNumber(PageView& view, FieldId field, std::uint32_t value) {
    Quiet quiet(*this);
    for (const NumberEdit& number : controls_.numbers) {
        if (number.field == field) {
            view.setText(number.edit, decimal(value));
            view.setPosition(number.spin, static_cast<int>(value));
        }
    }
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::setData(PageView& view, const std::u16string& text) {
    {
        Quiet quiet(*this);
        view.setText(controls_.data, text);
    }
    if (controls_.printNeedsData) {
        view.enable(controls_.print, !text.empty());
    }
}

template <typename Block, typename FieldId>
std::uint32_t BarcodePage<Block, FieldId>::shownValue(FieldId field) const {
    return fieldOf(field).get(shown());
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::store(PageView& view, FieldId field, std::uint32_t value) {
    Block block = stored();
    fieldOf(field).set(block, value);
    changed(view, field, block);
    write(record(), font_, block);
    view.setChanged(true);
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::typed(PageView& view, const NumberEdit& number) {
    // Whatever is typed is brought into the range (no number at all counts as
    // 0); the edit then shows what was stored, unless it was emptied to type anew.
    const auto& field = fieldOf(number.field);
    const std::uint32_t lowest = minimumOf(number.field);
    const auto typedValue = view.number(number.edit, false);
    const auto value =
        static_cast<std::uint32_t>(std::clamp<long>(typedValue.value_or(0), lowest, field.maximum));
    store(view, number.field, value);
    Quiet quiet(*this);
    view.setPosition(number.spin, static_cast<int>(value));
    if (typedValue && view.text(number.edit) != decimal(value)) {
        view.setText(number.edit, decimal(value));
    }
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::spun(PageView& view, const NumberEdit& number, int delta) {
    // The up-down control moves its own position; the page follows it with the
    // stored value and the edit's text.
    const std::uint32_t lowest = minimumOf(number.field);
    const long value = std::clamp<long>(static_cast<long>(shownValue(number.field)) + delta, lowest,
                                        fieldOf(number.field).maximum);
    store(view, number.field, static_cast<std::uint32_t>(value));
    Quiet quiet(*this);
    view.setText(number.edit, decimal(static_cast<std::uint32_t>(value)));
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::onEvent(PageView& view, const ui::ControlEvent& event) {
    if (quiet_) {
        return;
    }
    using ui::Notice;
    if (event.id == controls_.fontCombo && event.notice == Notice::SelectionChanged) {
        const int chosen = view.selection(controls_.fontCombo);
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < controls_.fonts.size()) {
            font_ = static_cast<std::size_t>(chosen);
            load(view);
        }
        return;
    }
    for (const NumberEdit& number : controls_.numbers) {
        if (event.id == number.edit && event.notice == Notice::TextChanged) {
            typed(view, number);
            return;
        }
        if (event.id == number.edit && event.notice == Notice::FocusLost) {
            Quiet quiet(*this);
            view.setText(number.edit, decimal(shownValue(number.field)));
            return;
        }
        if (event.id == number.spin && event.notice == Notice::Spin) {
            spun(view, number, event.delta);
            return;
        }
    }
    for (const Choice& choice : controls_.choices) {
        if (event.id == choice.combo && event.notice == Notice::SelectionChanged) {
            const int row = view.selection(choice.combo);
            if (row >= 0) {
                store(view, choice.field, choice.firstValue + static_cast<std::uint32_t>(row));
            }
            return;
        }
    }
    if (event.id == controls_.data && event.notice == Notice::TextChanged) {
        if (controls_.printNeedsData) {
            view.enable(controls_.print, !view.text(controls_.data).empty());
        }
        return;
    }
    if (event.id == controls_.print && event.notice == Notice::Clicked) {
        print(view);
        return;
    }
    handled(view, event);
}

template <typename Block, typename FieldId>
void BarcodePage<Block, FieldId>::print(PageView& view) {
    // The printer takes the data in the machine's ANSI code page, byte for byte.
    std::string ansi;
    TestPrint job;
    if (!env_.host.WideCharToMultiByte(platform::PluginHost::cpAcp, view.text(controls_.data),
                                       ansi)) {
        job.refusal = barcode::textDataError;
    } else {
        job = testPrint(stored(), barcode::Bytes(ansi.begin(), ansi.end()));
    }
    if (job.refusal != nullptr) {
        env_.host.MessageBoxW(view.window(), job.refusal, barcode::textError, platform::mb::ok);
        return;
    }
    const DocumentPageContext* document = env_.document;
    void* printer = document != nullptr && document->cuipParam != nullptr
                        ? document->cuipParam->hPrinter
                        : nullptr;
    // A spooler failure ends the job; the page has nothing to add to it.
    sendRawJob(env_.host, static_cast<platform::Handle>(reinterpret_cast<std::uintptr_t>(printer)),
               controls_.jobName, job.pieces);
}

template class BarcodePage<barcode::Block1D, barcode::Field1D>;
template class BarcodePage<barcode::Block2D, barcode::Field2D>;

} // namespace oemui::pages

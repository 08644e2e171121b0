// What the "1D Code" and "2D Code" pages share. Each edits the barcode blocks of
// its control fonts in the sheet's settings record: a font combo picks the block
// shown, number edits with up-down controls and combos edit its fields, and
// "Print" sends the data edit's text as a test symbol.
//
// A record written by another program may hold values outside the pages'
// ranges: the page shows each field brought into its range and prints with what
// it shows, but leaves the record as it was until the user changes that field.
#pragma once

#include "oemui/pages/page_factory.h"
#include "oemui/plugin_settings.h"
#include "oemui/tools/barcode/barcode_fields.h"
#include "oemui/tools/barcode/barcode_jobs.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oemui::pages {

std::u16string widen(const std::string& ascii);
std::u16string decimal(std::uint32_t value);

template <typename Block, typename FieldId> class BarcodePage : public PageController {
public:
    void onInit(PageView& view) override;
    void onEvent(PageView& view, const ui::ControlEvent& event) override;

protected:
    // A number edit and the up-down control beside it.
    struct NumberEdit {
        int edit;
        int spin;
        FieldId field;
    };
    // A combo whose row i stores firstValue + i.
    struct Choice {
        int combo;
        FieldId field;
        std::uint32_t firstValue;
        std::vector<std::u16string> rows;
    };
    struct Controls {
        int fontCombo;
        std::vector<std::u16string> fonts;
        int data;
        int print;
        bool printNeedsData; // "Print" is enabled only while the data edit holds text
        std::u16string jobName;
        std::vector<NumberEdit> numbers;
        std::vector<Choice> choices;
    };
    // What a test print sends, or why it is refused.
    struct TestPrint {
        const char16_t* refusal = nullptr;
        barcode::Pieces pieces;
    };

    BarcodePage(const PageEnvironment& env, Controls controls);

    // --- what each page supplies
    virtual Block read(const PluginSettings& record, std::size_t font) const = 0;
    virtual void write(PluginSettings record, std::size_t font, const Block& block) const = 0;
    virtual const barcode::Field<Block>& fieldOf(FieldId field) const = 0;
    virtual Block shownOf(const Block& stored) const = 0;
    virtual TestPrint testPrint(const Block& stored, const barcode::Bytes& data) const = 0;
    // The page's own set-up at start, before the first font is loaded.
    virtual void setUp(PageView&) {}
    // After a font's block was loaded into the controls.
    virtual void loaded(PageView& view, const Block& shown) = 0;
    // The user changed a field; the page may adjust the block before it is written.
    virtual void changed(PageView&, FieldId, Block&) {}
    // Controls of the page's own; true when the event was one of them.
    virtual bool handled(PageView&, const ui::ControlEvent&) { return false; }
    // The lowest value a number edit takes now (a page may narrow a range).
    virtual std::uint32_t minimumOf(FieldId field) const { return fieldOf(field).minimum; }

    // --- for the pages
    PluginSettings record() const;
    Block stored() const { return read(record(), font_); }
    Block shown() const { return shownOf(stored()); }
    void store(PageView& view, FieldId field, std::uint32_t value);
    void showNumber(PageView& view, FieldId field, std::uint32_t value);
    void setData(PageView& view, const std::u16string& text);

    // While the page fills its controls it does not take their notifications as
    // the user's edits (the Win32 edits report every SetWindowText).
    class Quiet {
    public:
        explicit Quiet(BarcodePage& page) : page_(page), was_(page.quiet_) { page.quiet_ = true; }
        ~Quiet() { page_.quiet_ = was_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        BarcodePage& page_;
        bool was_;
    };

    PageEnvironment env_;
    std::size_t font_ = 0;

private:
    void load(PageView& view);
    void typed(PageView& view, const NumberEdit& number);
    void spun(PageView& view, const NumberEdit& number, int delta);
    void print(PageView& view);
    std::uint32_t shownValue(FieldId field) const;

    Controls controls_;
    mutable SettingsBytes ownRecord_{};
    bool quiet_ = false;
};

} // namespace oemui::pages

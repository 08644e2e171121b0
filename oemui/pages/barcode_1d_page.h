// The "1D Code" page: the eight 1D barcode control fonts, the font size an
// application selects for each, and a test print.
#pragma once

#include "oemui/pages/barcode_page.h"

namespace oemui::pages {

class Barcode1DPage final : public BarcodePage<barcode::Block1D, barcode::Field1D> {
public:
    explicit Barcode1DPage(const PageEnvironment& env);
    bool onApply(PageView& view) override;

private:
    using Block = barcode::Block1D;
    using FieldId = barcode::Field1D;

    Block read(const PluginSettings& record, std::size_t font) const override;
    void write(PluginSettings record, std::size_t font, const Block& block) const override;
    const barcode::Field<Block>& fieldOf(FieldId field) const override;
    Block shownOf(const Block& stored) const override;
    TestPrint testPrint(const Block& stored, const barcode::Bytes& data) const override;
    void setUp(PageView& view) override;
    void loaded(PageView& view, const Block& shown) override;
    void changed(PageView& view, FieldId field, Block& block) override;
    bool handled(PageView& view, const ui::ControlEvent& event) override;

    void showFontSize(PageView& view, std::uint32_t fontSize);
    void showComposite(PageView& view, bool composite);
};

} // namespace oemui::pages

// The "2D Code" page: the two 2D barcode control fonts and a test print. The
// font size to select in an application is always 9.5 points.
#pragma once

#include "oemui/pages/barcode_page.h"

namespace oemui::pages {

class Barcode2DPage final : public BarcodePage<barcode::Block2D, barcode::Field2D> {
public:
    explicit Barcode2DPage(const PageEnvironment& env);

private:
    using Block = barcode::Block2D;
    using FieldId = barcode::Field2D;

    Block read(const PluginSettings& record, std::size_t font) const override;
    void write(PluginSettings record, std::size_t font, const Block& block) const override;
    const barcode::Field<Block>& fieldOf(FieldId field) const override;
    Block shownOf(const Block& stored) const override;
    TestPrint testPrint(const Block& stored, const barcode::Bytes& data) const override;
    void setUp(PageView& view) override;
    void loaded(PageView& view, const Block& shown) override;
    void changed(PageView& view, FieldId field, Block& block) override;
    bool handled(PageView& view, const ui::ControlEvent& event) override;
    std::uint32_t minimumOf(FieldId field) const override;

    void enableGroups(PageView& view, std::uint32_t symbology);
    void showComposite(PageView& view, bool composite);

    bool composite_ = false;
};

} // namespace oemui::pages

#include "oemui/pages/barcode_1d_page.h"

#include "oemui/resource.h"
#include "oemui/tools/barcode/barcode_font_size.h"
#include "oemui/tools/barcode/barcode_texts.h"

namespace oemui::pages {
namespace {

using barcode::Field1D;

std::vector<std::u16string> symbologyNames() {
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < barcode::symbology1DCount; ++i) {
        names.push_back(widen(barcode::symbology1D(i).name));
    }
    return names;
}

// The "Apply Application Identifier" choice is only GS1 DataBar Expanded's.
constexpr std::uint32_t expanded = 12;

} // namespace

Barcode1DPage::Barcode1DPage(const PageEnvironment& env)
    : BarcodePage(
          env, {IDC_1D_FONT_NAME,
                {u"1D Code1", u"1D Code2", u"1D Code3", u"1D Code4", u"1D Code5", u"1D Code6",
                 u"1D Code7", u"1D Code8"},
                IDC_1D_DATA,
                IDC_1D_PRINT,
                true,
                barcode::jobName1D,
                {{IDC_1D_MODULE_WIDTH, IDC_1D_MODULE_WIDTH_SPIN, Field1D::ModuleWidth},
                 {IDC_1D_BAR_HEIGHT, IDC_1D_BAR_HEIGHT_SPIN, Field1D::BarHeight},
                 {IDC_1D_GS1_MODULE_WIDTH, IDC_1D_GS1_MODULE_WIDTH_SPIN, Field1D::Gs1ModuleWidth},
                 {IDC_1D_GS1_ROW_HEIGHT, IDC_1D_GS1_ROW_HEIGHT_SPIN, Field1D::Gs1RowHeight},
                 {IDC_1D_GS1_ROW_2D_HEIGHT, IDC_1D_GS1_ROW_2D_HEIGHT_SPIN, Field1D::Gs1Row2DHeight},
                 {IDC_1D_GS1_SEPARATOR, IDC_1D_GS1_SEPARATOR_SPIN, Field1D::Gs1SeparatorHeight}},
                {{IDC_1D_TYPE, Field1D::Symbology, 0, symbologyNames()},
                 {IDC_1D_HRI_POSITION,
                  Field1D::HriPosition,
                  0,
                  {u"Not printed", u"Above the barcode", u"Below the barcode",
                   u"Both above and below the barcode"}},
                 {IDC_1D_GS1_HRI,
                  Field1D::Gs1Hri,
                  1,
                  {u"Primary and Secondary Data", u"Primary Data", u"Secondary Data", u"None"}},
                 {IDC_1D_GS1_APPLY_AI, Field1D::Gs1ApplyAi, 0, {u"No", u"Yes"}}}}) {}

Barcode1DPage::Block Barcode1DPage::read(const PluginSettings& record, std::size_t font) const {
    return record.barcode1D(font);
}

void Barcode1DPage::write(PluginSettings record, std::size_t font, const Block& block) const {
    record.setBarcode1D(font, block);
}

const barcode::Field<Barcode1DPage::Block>& Barcode1DPage::fieldOf(FieldId field) const {
    return barcode::field1D(field);
}

Barcode1DPage::Block Barcode1DPage::shownOf(const Block& stored) const {
    return barcode::shown1D(stored);
}

Barcode1DPage::TestPrint Barcode1DPage::testPrint(const Block& stored,
                                                  const barcode::Bytes& data) const {
    const barcode::DataCheck check = barcode::check1D(shownOf(stored).symbology, data);
    if (!check.passed()) {
        return {barcode::textDataError, {}};
    }
    return {nullptr, barcode::testPrint1D(stored, check.bytes)};
}

void Barcode1DPage::setUp(PageView& view) {
    view.setText(IDC_1D_RANGE_MODULE_WIDTH, u"[ 2. . 6 ]");
    view.setText(IDC_1D_RANGE_BAR_HEIGHT, u"[ 1 . . 255 ]");
    view.setText(IDC_1D_RANGE_GS1_MODULE_WIDTH, u"[ 1 . . 6 ]");
    view.setText(IDC_1D_RANGE_GS1_ROW_HEIGHT, u"[ 2 . . 250 ]");
    view.setText(IDC_1D_RANGE_GS1_ROW_2D_HEIGHT, u"[ 1 . . 10 ]");
    view.setText(IDC_1D_RANGE_GS1_SEPARATOR, u"[ 1 . . 10 ]");
    for (int id : {IDC_1D_SIZE_MM, IDC_1D_SIZE_POINT}) {
        view.setReadOnly(id, true);
        view.enable(id, false);
    }
}

void Barcode1DPage::loaded(PageView& view, const Block& shown) {
    showComposite(view, false);
    view.enable(IDC_1D_GS1_APPLY_AI, shown.symbology == expanded);
    view.checkRadio(IDC_1D_FONT_A, IDC_1D_FONT_B,
                    shown.hriFont == 0 ? IDC_1D_FONT_A : IDC_1D_FONT_B);
    view.enable(IDC_1D_FONT_A, shown.hriPosition != 0);
    view.enable(IDC_1D_FONT_B, shown.hriPosition != 0);
    setData(view, widen(barcode::symbology1D(shown.symbology).sample));
    showFontSize(view, stored().fontSize);
}

void Barcode1DPage::changed(PageView& view, FieldId field, Block& block) {
    const Block shown = shownOf(block);
    switch (field) {
    case Field1D::Symbology:
        view.enable(IDC_1D_GS1_APPLY_AI, shown.symbology == expanded);
        setData(view, widen(barcode::symbology1D(shown.symbology).sample));
        return;
    case Field1D::ModuleWidth:
        block.charWidth = shown.moduleWidth * 8u;
        return;
    case Field1D::HriPosition:
        view.enable(IDC_1D_FONT_A, shown.hriPosition != 0);
        view.enable(IDC_1D_FONT_B, shown.hriPosition != 0);
        break;
    case Field1D::BarHeight:
    case Field1D::HriFont:
        break;
    default:
        return;
    }
    // The size to select follows every change of what makes it up.
    block.fontSize = barcode::fontSize(shown.barHeight, shown.hriPosition, shown.hriFont);
    showFontSize(view, block.fontSize);
}

bool Barcode1DPage::handled(PageView& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked) {
        return false;
    }
    switch (event.id) {
    case IDC_1D_FONT_A:
    case IDC_1D_FONT_B:
        store(view, Field1D::HriFont, event.id == IDC_1D_FONT_A ? 0 : 1);
        return true;
    case IDC_1D_INDEPENDENCE:
    case IDC_1D_COMPOSITE:
        showComposite(view, event.id == IDC_1D_COMPOSITE);
        return true;
    default:
        return false;
    }
}

bool Barcode1DPage::onApply(PageView& view) {
    showFontSize(view, stored().fontSize);
    return true;
}

void Barcode1DPage::showFontSize(PageView& view, std::uint32_t fontSize) {
    Quiet quiet(*this);
    view.setText(IDC_1D_SIZE_MM, widen(barcode::fontSizeMillimetres(fontSize)));
    view.setText(IDC_1D_SIZE_POINT, widen(barcode::fontSizePoints(fontSize)));
}

// "Composite" symbols have a 2D part whose row height the page then offers.
void Barcode1DPage::showComposite(PageView& view, bool composite) {
    view.checkRadio(IDC_1D_INDEPENDENCE, IDC_1D_COMPOSITE,
                    composite ? IDC_1D_COMPOSITE : IDC_1D_INDEPENDENCE);
    view.enable(IDC_1D_GS1_ROW_2D_HEIGHT, composite);
    view.enable(IDC_1D_GS1_ROW_2D_HEIGHT_SPIN, composite);
}

} // namespace oemui::pages

#include "oemui/pages/barcode_2d_page.h"

#include "oemui/resource.h"
#include "oemui/tools/barcode/barcode_texts.h"

namespace oemui::pages {
namespace {

using barcode::Field2D;

std::vector<std::u16string> symbologyNames() {
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < barcode::symbology2DCount; ++i) {
        names.push_back(widen(barcode::symbology2D(i).name));
    }
    return names;
}

std::vector<std::u16string> pdfLevels() {
    std::vector<std::u16string> levels;
    for (std::uint32_t level = 0; level <= 8; ++level) {
        levels.push_back(u"Error Correction Level " + decimal(level));
    }
    return levels;
}

constexpr std::uint32_t pdf417 = 0;
constexpr std::uint32_t expandedStacked = 3;
// A composite symbol needs at least four segments.
constexpr std::uint32_t compositeSegments = 4;

} // namespace

Barcode2DPage::Barcode2DPage(const PageEnvironment& env)
    : BarcodePage(
          env, {IDC_2D_FONT_NAME,
                {u"2D Code1", u"2D Code2"},
                IDC_2D_DATA,
                IDC_2D_PRINT,
                false,
                barcode::jobName2D,
                {{IDC_2D_PDF_MODULE_WIDTH, IDC_2D_PDF_MODULE_WIDTH_SPIN, Field2D::PdfModuleWidth},
                 {IDC_2D_PDF_ROW_HEIGHT, IDC_2D_PDF_ROW_HEIGHT_SPIN, Field2D::PdfRowHeight},
                 {IDC_2D_PDF_COLUMNS, IDC_2D_PDF_COLUMNS_SPIN, Field2D::PdfColumns},
                 {IDC_2D_PDF_ROWS, IDC_2D_PDF_ROWS_SPIN, Field2D::PdfRows},
                 {IDC_2D_GS1_MODULE_WIDTH, IDC_2D_GS1_MODULE_WIDTH_SPIN, Field2D::Gs1ModuleWidth},
                 {IDC_2D_GS1_ROW_HEIGHT, IDC_2D_GS1_ROW_HEIGHT_SPIN, Field2D::Gs1RowHeight},
                 {IDC_2D_GS1_ROW_2D_HEIGHT, IDC_2D_GS1_ROW_2D_HEIGHT_SPIN, Field2D::Gs1Row2DHeight},
                 {IDC_2D_GS1_SEPARATOR, IDC_2D_GS1_SEPARATOR_SPIN, Field2D::Gs1SeparatorHeight},
                 {IDC_2D_GS1_SEGMENTS, IDC_2D_GS1_SEGMENTS_SPIN, Field2D::Gs1Segments},
                 {IDC_2D_QR_MODULE_WIDTH, IDC_2D_QR_MODULE_WIDTH_SPIN, Field2D::QrModuleWidth}},
                {{IDC_2D_TYPE, Field2D::Symbology, 0, symbologyNames()},
                 {IDC_2D_PDF_ERROR, Field2D::PdfErrorLevel, 0, pdfLevels()},
                 {IDC_2D_QR_LANGUAGE, Field2D::QrLanguage, 0, {u"Chinese", u"Japanese"}},
                 {IDC_2D_QR_MODEL, Field2D::QrModel, 1, {u"1", u"2"}},
                 {IDC_2D_QR_ERROR, Field2D::QrErrorLevel, 0, {u"L", u"M", u"H", u"Q"}},
                 {IDC_2D_GS1_HRI,
                  Field2D::Gs1Hri,
                  1,
                  {u"Primary and Secondary Data", u"Primary Data", u"Secondary Data", u"None"}},
                 {IDC_2D_GS1_APPLY_AI, Field2D::Gs1ApplyAi, 0, {u"No", u"Yes"}}}}) {}

Barcode2DPage::Block Barcode2DPage::read(const PluginSettings& record, std::size_t font) const {
    return record.barcode2D(font);
}

void Barcode2DPage::write(PluginSettings record, std::size_t font, const Block& block) const {
    record.setBarcode2D(font, block);
}

const barcode::Field<Barcode2DPage::Block>& Barcode2DPage::fieldOf(FieldId field) const {
    return barcode::field2D(field);
}

Barcode2DPage::Block Barcode2DPage::shownOf(const Block& stored) const {
    return barcode::shown2D(stored);
}

Barcode2DPage::TestPrint Barcode2DPage::testPrint(const Block& stored,
                                                  const barcode::Bytes& data) const {
    const barcode::DataCheck check = barcode::check2D(shownOf(stored).symbology, data);
    if (!check.passed()) {
        return {barcode::textDataError, {}};
    }
    barcode::TestPrint2D job = barcode::testPrint2D(stored, check.bytes);
    if (job.refused) {
        return {barcode::textQrLevelError, {}};
    }
    return {nullptr, std::move(job.pieces)};
}

void Barcode2DPage::setUp(PageView& view) {
    view.enable(IDC_2D_FONT_SIZE, false);
    view.setReadOnly(IDC_2D_FONT_SIZE, true);
    view.setText(IDC_2D_FONT_SIZE, u"9.5");
    view.setText(IDC_2D_RANGE_PDF_MODULE_WIDTH, u"[ 1. . 7 ]");
    view.setText(IDC_2D_RANGE_PDF_ROW_HEIGHT, u"[ 2 . . 25 ]");
    view.setText(IDC_2D_RANGE_PDF_COLUMNS, u"[ 1. . 30 ]");
    view.setText(IDC_2D_RANGE_PDF_ROWS, u"[ 3 . . 90 ]");
}

void Barcode2DPage::loaded(PageView& view, const Block& shown) {
    showComposite(view, false);
    enableGroups(view, shown.symbology);
    setData(view, widen(barcode::sample2D));
}

void Barcode2DPage::changed(PageView& view, FieldId field, Block& block) {
    if (field == Field2D::Symbology) {
        enableGroups(view, shownOf(block).symbology);
        setData(view, widen(barcode::sample2D));
    }
}

bool Barcode2DPage::handled(PageView& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked ||
        (event.id != IDC_2D_INDEPENDENCE && event.id != IDC_2D_COMPOSITE)) {
        return false;
    }
    showComposite(view, event.id == IDC_2D_COMPOSITE);
    if (composite_ && shown().gs1Segments < compositeSegments) {
        store(view, Field2D::Gs1Segments, compositeSegments);
        showNumber(view, Field2D::Gs1Segments, compositeSegments);
    }
    return true;
}

std::uint32_t Barcode2DPage::minimumOf(FieldId field) const {
    if (field == Field2D::Gs1Segments && composite_) {
        return compositeSegments;
    }
    return fieldOf(field).minimum;
}

void Barcode2DPage::enableGroups(PageView& view, std::uint32_t symbology) {
    for (int id : {IDC_2D_PDF_MODULE_WIDTH, IDC_2D_PDF_MODULE_WIDTH_SPIN, IDC_2D_PDF_ROW_HEIGHT,
                   IDC_2D_PDF_ROW_HEIGHT_SPIN, IDC_2D_PDF_COLUMNS, IDC_2D_PDF_COLUMNS_SPIN,
                   IDC_2D_PDF_ROWS, IDC_2D_PDF_ROWS_SPIN, IDC_2D_PDF_ERROR}) {
        view.enable(id, symbology == pdf417);
    }
    for (int id : {IDC_2D_GS1_SEGMENTS, IDC_2D_GS1_SEGMENTS_SPIN, IDC_2D_GS1_APPLY_AI}) {
        view.enable(id, symbology == expandedStacked);
    }
}

// Composite symbols have a 2D part whose row height the page then offers, and
// need more segments.
void Barcode2DPage::showComposite(PageView& view, bool composite) {
    composite_ = composite;
    view.checkRadio(IDC_2D_INDEPENDENCE, IDC_2D_COMPOSITE,
                    composite ? IDC_2D_COMPOSITE : IDC_2D_INDEPENDENCE);
    view.enable(IDC_2D_GS1_ROW_2D_HEIGHT, composite);
    view.enable(IDC_2D_GS1_ROW_2D_HEIGHT_SPIN, composite);
    const std::uint32_t lowest = minimumOf(Field2D::Gs1Segments);
    view.setRange(IDC_2D_GS1_SEGMENTS_SPIN, static_cast<int>(lowest),
                  static_cast<int>(fieldOf(Field2D::Gs1Segments).maximum));
    view.setText(IDC_2D_RANGE_GS1_SEGMENTS, composite ? u"[ 4 . . 20 ]" : u"[ 2 . . 20 ]");
}

} // namespace oemui::pages

#include "oemui/tools/barcode/barcode_fields.h"

#include "oemui/tools/barcode/barcode_symbologies.h"

namespace barcode {
namespace {

using B1 = Block1D;
using B2 = Block2D;

// The QR letters are L, M, H, Q: a stored level past them shows as "M", the default.
constexpr std::int64_t qrDefaultLevel = 1;

const std::array<Field<B1>, 11> table1D = {{
    field<B1, &B1::symbology>("symbology", 0, symbology1DCount - 1),
    field<B1, &B1::moduleWidth>("module-width", 2, 6),
    field<B1, &B1::barHeight>("bar-height", 1, 255),
    field<B1, &B1::hriPosition>("hri-position", 0, 3),
    field<B1, &B1::hriFont>("hri-font", 0, 1),
    field<B1, &B1::gs1ModuleWidth>("gs1-module-width", 1, 6),
    field<B1, &B1::gs1RowHeight>("gs1-row-height", 2, 250),
    field<B1, &B1::gs1Row2DHeight>("gs1-row2d-height", 1, 10),
    field<B1, &B1::gs1SeparatorHeight>("gs1-separator-height", 1, 10),
    field<B1, &B1::gs1Hri>("gs1-hri", 1, 4),
    field<B1, &B1::gs1ApplyAi>("gs1-apply-ai", 0, 1),
}};

const std::array<Field<B2>, 17> table2D = {{
    field<B2, &B2::symbology>("symbology", 0, symbology2DCount - 1),
    field<B2, &B2::pdfModuleWidth>("pdf-module-width", 1, 7),
    field<B2, &B2::pdfRowHeight>("pdf-row-height", 2, 25),
    field<B2, &B2::pdfColumns>("pdf-columns", 1, 30),
    field<B2, &B2::pdfRows>("pdf-rows", 3, 90),
    field<B2, &B2::pdfErrorLevel>("pdf-error-level", 0, 8),
    field<B2, &B2::gs1ModuleWidth>("gs1-module-width", 1, 6),
    field<B2, &B2::gs1RowHeight>("gs1-row-height", 2, 250),
    field<B2, &B2::gs1Row2DHeight>("gs1-row2d-height", 1, 10),
    field<B2, &B2::gs1SeparatorHeight>("gs1-separator-height", 1, 10),
    field<B2, &B2::gs1Segments>("gs1-segments", 2, 20),
    field<B2, &B2::gs1Hri>("gs1-hri", 1, 4),
    field<B2, &B2::gs1ApplyAi>("gs1-apply-ai", 0, 1),
    field<B2, &B2::qrModuleWidth>("qr-module-width", 1, 24),
    field<B2, &B2::qrLanguage>("qr-language", 0, 1),
    field<B2, &B2::qrModel>("qr-model", 1, 2),
    field<B2, &B2::qrErrorLevel>("qr-error-level", 0, 3, qrDefaultLevel),
}};

template <typename Block, std::size_t N>
Block shown(const std::array<Field<Block>, N>& fields, const Block& stored) {
    Block block = stored;
    for (const auto& f : fields) {
        f.set(block, f.clamp(f.get(stored)));
    }
    return block;
}

} // namespace

const std::array<Field<B1>, 11>& fields1D() {
    return table1D;
}

const std::array<Field<B2>, 17>& fields2D() {
    return table2D;
}

Block1D shown1D(const Block1D& stored) {
    return shown(table1D, stored);
}

Block2D shown2D(const Block2D& stored) {
    return shown(table2D, stored);
}

Block1D firstDefault1D() {
    oemui::SettingsBytes record{};
    oemui::writeDefaults(oemui::PluginSettings(record));
    return oemui::PluginSettings(record).barcode1D(0);
}

Block2D firstDefault2D() {
    oemui::SettingsBytes record{};
    oemui::writeDefaults(oemui::PluginSettings(record));
    return oemui::PluginSettings(record).barcode2D(0);
}

} // namespace barcode

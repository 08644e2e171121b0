#include "oemui/pages/paper_size_options.h"

namespace oemui::pages {

DriverPaperSizeOptions::DriverPaperSizeOptions(const DocumentPageContext& context)
    : context_(context) {
    const OEMCUIPPARAM* param = context.cuipParam;
    if (param == nullptr || param->pDrvOptItems == nullptr) {
        return;
    }
    for (std::uint32_t i = 0; i < param->cDrvOptItems; ++i) {
        OptItem& item = param->pDrvOptItems[i];
        if (item.DMPubID == dmpubFormName) {
            items_.push_back(&item);
        }
    }
}

std::vector<std::u16string> DriverPaperSizeOptions::names(std::size_t item) const {
    std::vector<std::u16string> out;
    const OptType* type = items_.at(item)->pOptType;
    if (type == nullptr || type->pOptParam == nullptr) {
        return out;
    }
    for (std::uint16_t k = 0; k < type->Count; ++k) {
        const char16_t* name = type->pOptParam[k].pData;
        out.emplace_back(name != nullptr ? name : u"");
    }
    return out;
}

int DriverPaperSizeOptions::selected(std::size_t item) const {
    // Sel shares its place with pSel; for a list item it is the LONG below.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(items_.at(item)->Sel));
}

void DriverPaperSizeOptions::choose(std::size_t item, int index) {
    OptItem& option = *items_.at(item);
    option.Sel = index;
    option.Flags |= optifChanged;
    if (context_.driverUi != nullptr && context_.cuipParam != nullptr) {
        context_.driverUi->DrvUpdateUISetting(context_.cuipParam->poemuiobj, &option, 0,
                                              OEMCUIP_DOCPROP);
    }
}

} // namespace oemui::pages

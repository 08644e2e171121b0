// The paper size is not the plug-in's setting but the universal driver's: its
// option items whose DMPubID is DMPUB_FORMNAME. The "Main" page reads their
// paper names and selections and changes them through the host, behind this
// interface so that tests can stand in for the host.
#pragma once

#include "oemui/page_context.h"

#include <cstddef>
#include <string>
#include <vector>

namespace oemui::pages {

class PaperSizeOptions {
public:
    virtual ~PaperSizeOptions() = default;
    // The paper-size items, in the host's order.
    virtual std::size_t itemCount() const = 0;
    virtual std::vector<std::u16string> names(std::size_t item) const = 0;
    // The item's Sel; -1 or any other index outside its names when it has none.
    virtual int selected(std::size_t item) const = 0;
    // Sel = index, OPTIF_CHANGED, then DrvUpdateUISetting so the driver's own
    // pages follow.
    virtual void choose(std::size_t item, int index) = 0;
};

// The items of the document sheet's OEMCUIPPARAM, changed through its
// IPrintOemDriverUI.
class DriverPaperSizeOptions final : public PaperSizeOptions {
public:
    explicit DriverPaperSizeOptions(const DocumentPageContext& context);
    std::size_t itemCount() const override { return items_.size(); }
    std::vector<std::u16string> names(std::size_t item) const override;
    int selected(std::size_t item) const override;
    void choose(std::size_t item, int index) override;

private:
    const DocumentPageContext& context_;
    std::vector<OptItem*> items_;
};

} // namespace oemui::pages

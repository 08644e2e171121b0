#include "setup/engine/setup_config.h"

namespace setup {

ModelEntry parseModelEntry(const std::string& entry) {
    static const struct {
        const char* suffix;
        PrinterType type;
    } suffixes[] = {{"-ReceiptPrinter", PrinterType::Receipt},
                    {"-TicketPrinter", PrinterType::Ticket},
                    {"-LabelPrinter", PrinterType::Label},
                    {"-EmbeddedPrinter", PrinterType::Embedded}};
    ModelEntry model;
    model.text = entry;
    // The order of the suffixes decides, not where they stand in the text.
    for (const auto& s : suffixes) {
        const std::size_t at = entry.find(s.suffix);
        if (at == std::string::npos)
            continue;
        // A suffix alone names no model: there would be no section to read.
        if (at == 0)
            return model;
        model.name = entry.substr(0, at);
        model.type = s.type;
        return model;
    }
    return model;
}

} // namespace setup

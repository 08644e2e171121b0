// 57KXCONTROL.dat as it may lie in the driver folder: any bytes, read through
// the simulated profile functions. Every character gets an entry of at most
// 128 bytes or is refused whole; saving what was read and reading it again
// gives the same commands.
#include "oemui/control_font_table.h"
#include "platform/sim/sim_plugin_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::sim::SimPluginHost host;
    const std::u16string path = oemui::controlTablePath(host);
    host.putFile(path, std::vector<std::uint8_t>(data, data + size));
    const oemui::ControlFontTable table = oemui::loadControlTable(host, path);

    std::vector<oemui::TableRow> rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const oemui::ControlFontEntry& entry = table[i];
        check(entry.character == oemui::firstTableCharacter + i);
        check(entry.command.size() <= oemui::maxCommandBytes);
        check(entry.refusedText.empty() || entry.command.empty());
        rows.push_back({oemui::tableKey(entry.character),
                        entry.refusedText.empty() ? oemui::FormatHexCommand(entry.command)
                                                  : entry.refusedText});
    }
    check(oemui::saveControlTable(host, path, rows));
    const oemui::ControlFontTable again = oemui::loadControlTable(host, path);
    // A refused value goes back as it was read; the profile functions may
    // then read it otherwise (a value quoted twice loses its quotes once more).
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].refusedText.empty()) {
            check(again[i].command == table[i].command && again[i].refusedText.empty());
        }
    }
    return 0;
}

#include "platform/sim/pe_machine.h"

namespace platform::sim {

ExecutableHeader readExecutableHeader(const std::uint8_t* data, std::size_t size) {
    auto u16 = [data](std::size_t at) {
        return static_cast<std::uint16_t>(data[at] | data[at + 1] << 8);
    };
    ExecutableHeader header;
    if (size < 0x40 || u16(0) != 0x5A4D) // "MZ"
        return header;
    header.kind = ExecutableKind::OldFormat;
    const std::size_t pe = u16(0x3C) | static_cast<std::size_t>(u16(0x3E)) << 16;
    if (pe > size || size - pe < 6 || u16(pe) != 0x4550 || u16(pe + 2) != 0) // "PE\0\0"
        return header;
    header.kind = ExecutableKind::Pe;
    header.machine = u16(pe + 4);
    return header;
}

} // namespace platform::sim

#include "platform/sim/sim_guid.h"

#include "platform/sim/sim_text.h"

#include <cstdio>

namespace platform::sim {
namespace {

// `digits` hex digits starting at text[pos].
bool readHex(std::string_view text, std::size_t pos, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hexDigit(text[pos + static_cast<std::size_t>(i)]);
        if (d < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return true;
}

} // namespace

bool parseGuid(std::string_view text, Guid& guid) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return false;
    Guid g;
    std::uint32_t v = 0;
    if (!readHex(text, 1, 8, g.data1))
        return false;
    if (!readHex(text, 10, 4, v))
        return false;
    g.data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 15, 4, v))
        return false;
    g.data3 = static_cast<std::uint16_t>(v);
    static const std::size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(text, bytePos[i], 2, v))
            return false;
        g.data4[i] = static_cast<std::uint8_t>(v);
    }
    guid = g;
    return true;
}

std::string formatGuid(const Guid& g) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                  static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                  g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

} // namespace platform::sim

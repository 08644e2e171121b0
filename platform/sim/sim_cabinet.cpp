#include "platform/sim/sim_cabinet.h"

namespace platform::sim {
namespace {

const std::string header = "SIMCAB\n";
const std::string fileTag = "FILE ";

} // namespace

std::string makeCabinet(const std::vector<SimCabinetMember>& members) {
    std::string out = header;
    for (const SimCabinetMember& m : members)
        out += fileTag + std::to_string(m.bytes.size()) + " " + m.name + "\n" + m.bytes + "\n";
    return out;
}

bool readCabinet(const std::string& bytes, std::vector<SimCabinetMember>& members) {
    members.clear();
    if (bytes.compare(0, header.size(), header) != 0)
        return false;
    std::size_t pos = header.size();
    while (pos < bytes.size()) {
        const std::size_t eol = bytes.find('\n', pos);
        if (eol == std::string::npos || bytes.compare(pos, fileTag.size(), fileTag) != 0)
            return false;
        std::size_t p = pos + fileTag.size();
        std::size_t size = 0;
        const std::size_t digitsStart = p;
        while (p < eol && bytes[p] >= '0' && bytes[p] <= '9') {
            if (size > (bytes.size() - eol) / 10 + 1)
                return false; // more than the file can hold
            size = size * 10 + static_cast<std::size_t>(bytes[p] - '0');
            ++p;
        }
        if (p == digitsStart || p >= eol || bytes[p] != ' ' || p + 1 == eol)
            return false;
        SimCabinetMember m;
        m.name = bytes.substr(p + 1, eol - p - 1);
        const std::size_t data = eol + 1;
        if (size > bytes.size() - data || bytes.size() - data - size < 1 ||
            bytes[data + size] != '\n')
            return false;
        m.bytes = bytes.substr(data, size);
        members.push_back(std::move(m));
        pos = data + size + 1;
    }
    return true;
}

} // namespace platform::sim

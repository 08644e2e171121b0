// The simulated machine's cabinet files. A cabinet is one file in this format:
//   "SIMCAB\n", then for each member "FILE <size> <name>\n", <size> bytes, "\n".
// Tests and tools build one with makeCabinet; SetupIterateCabinetA reads it.
#pragma once

#include <string>
#include <vector>

namespace platform::sim {

struct SimCabinetMember {
    std::string name;
    std::string bytes;
};

std::string makeCabinet(const std::vector<SimCabinetMember>& members);
// False on anything malformed (wrong header, a size beyond the end, an empty name...).
bool readCabinet(const std::string& bytes, std::vector<SimCabinetMember>& members);

} // namespace platform::sim

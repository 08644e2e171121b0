// The simulated machine's cabinet reader on arbitrary bytes: no read out of
// bounds, and what it reads writes back to the same bytes.
#include "platform/sim/sim_cabinet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<platform::sim::SimCabinetMember> members;
    if (platform::sim::readCabinet(bytes, members) &&
        platform::sim::makeCabinet(members) != bytes) {
        // Sizes may be written with leading zeros; anything else must round-trip.
        std::vector<platform::sim::SimCabinetMember> again;
        if (!platform::sim::readCabinet(platform::sim::makeCabinet(members), again) ||
            again.size() != members.size())
            std::abort();
    }
    return 0;
}

// The machine type of executables: drvsim check reads whatever a package holds.
#include "platform/sim/pe_machine.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::sim::readExecutableHeader(data, size);
    return 0;
}

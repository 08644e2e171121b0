// Version resources of executables: the simulated GetFileVersionInfoA reads
// whatever file a package or a machine folder holds.
#include "platform/sim/pe_version.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string version;
    platform::sim::readFileVersion(data, size, version);
    return 0;
}

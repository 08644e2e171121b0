// The standard TCP/IP port monitor's AddPort record, as programs hand it to
// the simulated XcvDataW.
#include "platform/sim/tcp_port_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    platform::sim::TcpPortRecord record;
    platform::sim::parsePortData1(bytes, record);
    return 0;
}

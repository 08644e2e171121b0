// The simulated machine's INF reader on arbitrary text: no read out of bounds,
// and every parsed line can be walked the way the device installation walks it.
#include "platform/sim/sim_inf_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::sim::InfFile inf;
    std::uint32_t error = 0, line = 0;
    if (!inf.parse(text, error, line)) {
        check(error != 0 && line >= 1);
        return 0;
    }
    for (const auto& section : inf.sections()) {
        check(section.name.size() <= 255);
        for (const auto& l : section.lines)
            check(!l.fields.empty());
    }
    for (bool is64 : {false, true}) {
        for (const char* id : {"USB\\VID_2E7A&PID_2E7A", "ROOT\\NKVVCOM", ""}) {
            if (const auto model = platform::sim::findInfModel(inf, id, is64)) {
                if (const auto* install =
                        platform::sim::findInstallSection(inf, model->installSection, is64))
                    platform::sim::infCopyFiles(inf, *install);
            }
        }
    }
    inf.value("Version", "Class");
    return 0;
}

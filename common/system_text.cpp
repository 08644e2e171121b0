#include "common/system_text.h"

#include "platform/machine.h"

namespace common {

std::string systemText(platform::Machine& machine, std::uint32_t code) {
    std::string value;
    if (code == 0 || !machine.system().FormatMessageA(code, value))
        return {};
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' '))
        value.pop_back();
    return value;
}

} // namespace common

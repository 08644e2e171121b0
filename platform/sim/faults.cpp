#include "platform/sim/faults.h"

#include "platform/machine.h"
#include "platform/sim/sim_text.h"

#include <cstdlib>
#include <istream>
#include <ostream>

namespace platform::sim {

void Faults::failCall(const std::string& call, std::uint32_t error, unsigned times,
                      unsigned after) {
    pending_[call] = Pending{error, times, after};
}

std::uint32_t Faults::failCode(const std::string& call) {
    ++counts_[call];
    auto it = pending_.find(call);
    if (it == pending_.end())
        return 0;
    if (it->second.after != 0) {
        --it->second.after;
        return 0;
    }
    const std::uint32_t error = it->second.error;
    if (it->second.remaining != 0 && --it->second.remaining == 0)
        pending_.erase(it);
    return error;
}

bool Faults::fail(const std::string& call, Machine& machine) {
    const std::uint32_t error = failCode(call);
    if (error == 0)
        return false;
    machine.SetLastError(error);
    return true;
}

std::vector<Faults::PendingFault> Faults::pending() const {
    std::vector<PendingFault> list;
    for (const auto& [call, p] : pending_)
        list.push_back(PendingFault{call, p.error, p.remaining});
    return list;
}

void Faults::save(std::ostream& out) const {
    for (const auto& [call, p] : pending_)
        out << joinFields({"fault", call, std::to_string(p.error), std::to_string(p.remaining)})
            << '\n';
}

void Faults::load(std::istream& in) {
    pending_.clear();
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitFields(line);
        if (f.size() == 4 && f[0] == "fault")
            pending_[f[1]] =
                Pending{static_cast<std::uint32_t>(std::strtoul(f[2].c_str(), nullptr, 10)),
                        static_cast<unsigned>(std::strtoul(f[3].c_str(), nullptr, 10))};
    }
}

} // namespace platform::sim

// Fault injection: any seam call of the simulated machine can be told to fail
// with a given Win32 error, once or a number of times.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace platform::sim {

class Faults {
public:
    // The next `times` calls of `call` (the API's name, e.g. "CopyFileA") fail
    // with `error`; times 0 means every call from now on. With `after`, that
    // many calls go ahead first (a disk that fills up half-way); a saved state
    // keeps only the failures, not the calls still to wait for.
    void failCall(const std::string& call, std::uint32_t error, unsigned times = 1,
                  unsigned after = 0);
    void clear() { pending_.clear(); }

    // The failures still to come, by call name.
    struct PendingFault {
        std::string call;
        std::uint32_t error = 0;
        unsigned remaining = 0; // 0: for ever
    };
    std::vector<PendingFault> pending() const;

    // Called at the top of every simulated call: true when this call must fail,
    // with the error set as the machine's last error.
    bool fail(const std::string& call, Machine& machine);
    // The same for calls that return their error (the registry functions):
    // 0 when the call goes ahead, else the error to return.
    std::uint32_t failCode(const std::string& call);

    // Calls that asked, in order, for tests that walk every call of a scenario.
    const std::map<std::string, unsigned>& callCounts() const { return counts_; }

    void save(std::ostream& out) const;
    void load(std::istream& in);

private:
    struct Pending {
        std::uint32_t error = 0;
        unsigned remaining = 0; // 0: for ever
        unsigned after = 0;     // calls that still go ahead first
    };
    std::map<std::string, Pending> pending_;
    std::map<std::string, unsigned> counts_;
};

} // namespace platform::sim

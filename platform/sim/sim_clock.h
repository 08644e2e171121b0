#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace platform::sim {

// Virtual time: Sleep advances it at once and counts what the real machine
// would have waited.
class SimClock : public Clock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        now_ += milliseconds;
        waited_ += milliseconds;
    }
    std::uint32_t GetTickCount() override { return static_cast<std::uint32_t>(now_); }
    // The simulated day begins at 08:00 on 1 March 2010 and runs on with the virtual time.
    LocalTime GetLocalTime() override;

    std::uint64_t now() const { return now_; }
    std::uint64_t waited() const { return waited_; }
    void restore(std::uint64_t now, std::uint64_t waited) {
        now_ = now;
        waited_ = waited;
    }

private:
    std::uint64_t now_ = 1000;
    std::uint64_t waited_ = 0;
};

} // namespace platform::sim

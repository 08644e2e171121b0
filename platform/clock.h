#pragma once

#include <cstdint>

namespace platform {

// SYSTEMTIME, the fields a log line shows.
struct LocalTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// All waiting goes through here, so a simulated machine can run a sequence
// full of pauses in no time and still tell how long the real one would wait.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t GetTickCount() = 0;
    // GetLocalTime: the wall-clock time, for logs that people read later.
    virtual LocalTime GetLocalTime() = 0;
};

} // namespace platform

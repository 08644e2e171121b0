#pragma once

#include <cstdint>

namespace platform {

// All waiting goes through here, so a simulated machine can run a sequence
// full of pauses in no time and still tell how long the real one would wait.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual std::uint32_t GetTickCount() = 0;
};

} // namespace platform

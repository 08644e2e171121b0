// The progress dialog's behaviour: a waiting text and a bar that climbs while
// the installation worker is busy and, once it reports, runs to its end
// (success) or back to zero (failure). The bar is an animation, not a measure.
#pragma once

#include "common/os_variant.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace platform {
class Clock;
}

namespace setup {

// Set once by the worker at its end; read by the dialog at every step.
enum class WorkerStatus : int { Running = 0, Failed = 1, Succeeded = 2 };

class ProgressController {
public:
    static constexpr int rangeMin = 0;
    static constexpr int rangeMax = 100;
    static constexpr std::uint32_t timerPeriodMs = 100;
    static constexpr int holdPosition = 90; // a long installation waits here
    // The waiting text: section "Progress", key "Wait"; font height 20, weight
    // 700, character set 0, face "System"; colour 0x00, 0x33, 0x99 (RGB).
    static constexpr int fontHeight = 20;
    static constexpr int fontWeight = 700;
    static constexpr const char* fontFace = "System";
    static constexpr std::uint8_t textRed = 0x00, textGreen = 0x33, textBlue = 0x99;

    ProgressController(platform::Clock& clock, common::OsVariant osCode);

    // The worker's one write; the dialog thread reads it without a lock.
    void setStatus(WorkerStatus status) { status_.store(static_cast<int>(status)); }
    WorkerStatus status() const { return static_cast<WorkerStatus>(status_.load()); }
    common::OsVariant osCode() const { return osCode_; }

    // Bottom of the rectangle the waiting text is centred in: two thirds of the
    // client height, rounded towards zero.
    static int textAreaBottom(int clientHeight) { return clientHeight * 2 / 3; }

    // The whole animation, run inside the dialog's first timer tick: moves the
    // bar through `setPosition`, pausing on the clock, until the worker has
    // reported and the bar has run out. Returns the status it ended on; the
    // dialog then closes as accepted.
    WorkerStatus animate(const std::function<void(int)>& setPosition);

private:
    platform::Clock& clock_;
    common::OsVariant osCode_;
    std::atomic<int> status_{0};
};

} // namespace setup

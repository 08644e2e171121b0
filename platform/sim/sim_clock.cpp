#include "platform/sim/sim_clock.h"

namespace platform::sim {

LocalTime SimClock::GetLocalTime() {
    constexpr std::uint64_t msPerDay = 24ull * 3600 * 1000;
    const std::uint64_t sinceStart = now_ + 8ull * 3600 * 1000;
    std::uint64_t ms = sinceStart % msPerDay;
    // Days counted from 1 March 2000, so that leap days fall at the end of each year.
    const std::uint64_t days = 3652 + sinceStart / msPerDay;
    const std::uint64_t era = days / 146097;
    const std::uint64_t dayOfEra = days % 146097;
    const std::uint64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint64_t monthIndex = (5 * dayOfYear + 2) / 153; // 0 is March
    LocalTime t;
    t.day = static_cast<std::uint16_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = static_cast<std::uint16_t>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = static_cast<std::uint16_t>(2000 + era * 400 + yearOfEra + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<std::uint16_t>(ms / 3600000);
    ms %= 3600000;
    t.minute = static_cast<std::uint16_t>(ms / 60000);
    ms %= 60000;
    t.second = static_cast<std::uint16_t>(ms / 1000);
    t.milliseconds = static_cast<std::uint16_t>(ms % 1000);
    return t;
}

} // namespace platform::sim

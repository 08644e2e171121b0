#include "platform/sim/saved_state.h"

#include "platform/sim/sim_text.h"

#include <istream>

namespace platform::sim {

bool SavedLines::next(std::vector<std::string>& fields) {
    std::string line;
    while (std::getline(in_, line)) {
        ++line_;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        fields = splitFields(line);
        if (!fields.empty())
            return true;
    }
    return false;
}

bool SavedLines::refuse(std::string& error, const std::string& why) const {
    error = "line " + std::to_string(line_) + ": " + why;
    return false;
}

bool parseNumber(const std::string& text, std::uint64_t max, std::uint64_t& value) {
    if (text.empty() || text.size() > 20)
        return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (v > (max - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    value = v;
    return true;
}

bool parseNumber32(const std::string& text, std::uint32_t& value) {
    std::uint64_t v = 0;
    if (!parseNumber(text, 0xFFFFFFFFu, v))
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

} // namespace platform::sim

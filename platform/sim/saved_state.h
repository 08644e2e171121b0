// Reading back the simulated machine's saved state: one record a line, its
// fields percent-escaped (sim_text.h). Readers refuse what they do not
// recognise and say on which line.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace platform::sim {

class SavedLines {
public:
    explicit SavedLines(std::istream& in) : in_(in) {}
    // The fields of the next non-empty line; false at the end.
    bool next(std::vector<std::string>& fields);
    // Writes "line N: why" into `error` and answers false, for `return lines.refuse(...)`.
    bool refuse(std::string& error, const std::string& why) const;

private:
    std::istream& in_;
    std::size_t line_ = 0;
};

// Decimal digits only, at most `max`.
bool parseNumber(const std::string& text, std::uint64_t max, std::uint64_t& value);
bool parseNumber32(const std::string& text, std::uint32_t& value);

// hexBytes and parseHexBytes: platform/sim/sim_text.h.

} // namespace platform::sim

// Text helpers of the simulated machine: Windows compares names without regard
// to case, and the saved state escapes its fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::sim {

std::string upper(std::string_view text);
bool equalNoCase(std::string_view a, std::string_view b);
// Windows wildcard match (* and ?), without regard to case; "*.*" matches every name.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// A hexadecimal digit's value, or -1.
int hexDigit(char c);
// Bytes as upper-case hexadecimal text, and back (false on anything else).
std::string hexBytes(const std::vector<std::uint8_t>& bytes);
bool parseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes);

// Fields of a saved-state line: percent-escaped, separated by single spaces.
std::string escapeField(std::string_view field);
std::string unescapeField(std::string_view field);
std::vector<std::string> splitFields(std::string_view line);
std::string joinFields(const std::vector<std::string>& fields);

} // namespace platform::sim

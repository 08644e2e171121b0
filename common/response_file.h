// The response file of a quiet run: an INI file with one section whose keys
// answer what the program would otherwise ask. It comes from outside, so
// everything that is not plainly one of the section's keys with a value is
// refused with the line it is on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace common {

struct ResponseValue {
    std::string key; // as the program spells it
    std::string value;
    int line = 0;
};

struct ResponseFile {
    std::vector<ResponseValue> values; // in file order
    std::string error;                 // empty when the file is usable

    bool ok() const { return error.empty(); }
    const ResponseValue* find(const std::string& key) const;
};

inline constexpr std::size_t maxResponseFileSize = 64 * 1024;
inline constexpr std::size_t maxResponseLine = 1024;

// `section` is the one section; `keys` are the keys it may hold. Keys and the
// section name match without regard to case; blanks around them and around
// values are dropped, as are double quotes around a value; lines starting
// with ';' or '#' are comments.
ResponseFile readResponseFile(const std::vector<std::uint8_t>& bytes, const std::string& section,
                              const std::vector<std::string>& keys);

// "yes", "no", "1", "0", "true", "false", any case.
std::optional<bool> responseFlag(const std::string& value);

// What a response value says wrong, naming its line and key.
std::string responseError(const ResponseValue& v, const std::string& why);

} // namespace common

#pragma once

#include <string>
#include <string_view>

namespace platform {
class ProfileFiles;
}

namespace common {

// atoi on a configuration value: optional blanks and sign, then the leading
// decimal digits; anything else gives 0. Values beyond int saturate.
int atoiDecimal(std::string_view text);

// Reads the key with the default "0" (a 200-byte read) and converts it.
int readConfigInt(platform::ProfileFiles& profiles, const std::string& file,
                  const std::string& section, const std::string& key);

} // namespace common

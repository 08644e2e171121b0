// The English texts of the engine's messages, shown when the language file
// has none for a key (a missing or damaged file), so that a failure is never
// reported by an empty box or a bare key.
#pragma once

#include <string>

namespace setup {

// Empty when the key is not one of the engine's.
std::string fallbackText(const std::string& key);

} // namespace setup

#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace logo {

// The callers' path buffers are MAX_PATH bytes, terminator included.
constexpr std::size_t kWorkPathBufferSize = 260;

// The work bitmap lives beside its source: the source path without its last four
// characters (the extension), followed by "Temp.bmp"; shop.bmp gives shopTemp.bmp.
// Nothing when the source path has fewer than four characters or the result would
// not fit a path buffer.
std::optional<std::string> workBitmapPath(const std::string& source);

} // namespace logo

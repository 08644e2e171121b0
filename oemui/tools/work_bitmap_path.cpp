#include "oemui/tools/work_bitmap_path.h"

namespace logo {

std::optional<std::string> workBitmapPath(const std::string& source) {
    static const char kSuffix[] = "Temp.bmp";
    if (source.size() < 4) {
        return std::nullopt;
    }
    std::string path = source.substr(0, source.size() - 4) + kSuffix;
    if (path.size() >= kWorkPathBufferSize) {
        return std::nullopt;
    }
    return path;
}

} // namespace logo

// ConvertBitmapTo24 over arbitrary files. Whatever it accepts must give a
// well-formed 24-bit file of exactly the size its header states, the same
// bytes whether it is read from memory or through the plug-in's seam; whatever
// it refuses must leave the target as it was.
#include "oemui/bitmap_to_24.h"
#include "platform/sim/sim_plugin_host.h"

#include <cstdlib>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class Collect final : public oemui::ByteSink {
public:
    bool write(const std::uint8_t* bytes, std::size_t count) override {
        out.insert(out.end(), bytes, bytes + count);
        return true;
    }
    std::vector<std::uint8_t> out;
};

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    oemui::MemorySource memory(data, size);
    const std::optional<oemui::SourceBitmap> bitmap = oemui::checkSourceBitmap(memory);
    Collect converted;
    if (bitmap) {
        check(bitmap->width > 0 && bitmap->height > 0);
        check(oemui::writeAs24(*bitmap, memory, converted) == oemui::Convert24Result::Converted);
        const std::uint64_t expected =
            54 + oemui::stride24(bitmap->width) * static_cast<std::uint64_t>(bitmap->height);
        check(converted.out.size() == expected && read32(converted.out, 2) == expected);
        check(read32(converted.out, 10) == 54 && converted.out[28] == 24);
    }

    const std::u16string source = u"C:\\in.bmp";
    const std::u16string target = u"C:\\Users\\User\\AppData\\Local\\Temp\\P1.bmp";
    platform::sim::SimPluginHost host;
    host.putFile(source, std::vector<std::uint8_t>(data, data + size));
    host.putFile(target, {7});
    const oemui::Convert24Result result = oemui::ConvertBitmapTo24(host, source, target);
    check(host.openHandles() == 0);
    if (!bitmap) {
        check(result == oemui::Convert24Result::Refused);
        check(host.fileBytes(target) == std::vector<std::uint8_t>{7});
    } else {
        check(result == oemui::Convert24Result::Converted);
        check(host.fileBytes(target) ==
              (bitmap->asItIs ? std::vector<std::uint8_t>(data, data + size) : converted.out));
    }
    return 0;
}

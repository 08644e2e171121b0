// DevMode over whatever a DEVMODE may carry. The input chooses the mode, the
// host's cbBufSize, whether input and output are the same buffer, and the bytes
// of both records. The input buffer is exactly as long as its record claims
// (never less than its header, never more than the 1464 bytes the plug-in
// reads), and the output buffer exactly cbBufSize, so the sanitizers see any
// read or write past what the host handed in. The checks after the call are
// what the host and the rendering side rely on.
#include "oemui/dev_mode.h"
#include "oemui/plugin_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::uint32_t read32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t control = 7;
    if (size < control) {
        return 0;
    }
    // Low three bits: the mode (two of them invalid); high bits: the buffers.
    const std::uint32_t modes[] = {
        oemui::OEMDM_SIZE,    oemui::OEMDM_DEFAULT, oemui::OEMDM_CONVERT, oemui::OEMDM_MERGE, 0, 5,
        oemui::OEMDM_CONVERT, oemui::OEMDM_MERGE};
    const std::uint32_t mode = modes[data[0] & 0x07];
    const bool noInput = (data[0] & 0x40) != 0;
    const bool sameBuffer = (data[0] & 0x80) != 0;
    // cbBufSize around the record's size, or anything up to 8 KiB.
    std::uint32_t room = read32(data + 1);
    room = (data[0] & 0x20) != 0 ? room % 8193 : 1400 + room % 200;
    const std::size_t split = data[5] | (data[6] << 8);
    const std::uint8_t* body = data + control;
    const std::size_t bodySize = size - control;
    const std::size_t inBytes = std::min(split, bodySize);

    // The input record: its own header says how long it is.
    std::vector<std::uint8_t> inSource(std::max<std::size_t>(inBytes, 12), 0);
    std::copy(body, body + inBytes, inSource.begin());
    const std::size_t claimed =
        std::clamp<std::size_t>(read32(inSource.data()), 12, oemui::layout::settingsSize);
    std::vector<std::uint8_t> in(claimed, 0);
    std::copy(inSource.begin(), inSource.begin() + std::min(claimed, inSource.size()), in.begin());

    // The host's output buffer, exactly cbBufSize long.
    std::vector<std::uint8_t> out(room, 0xA5);
    for (std::size_t i = 0; i < out.size() && inBytes + i < bodySize; ++i) {
        out[i] = body[inBytes + i];
    }
    const bool inPlace = sameBuffer && out.size() >= oemui::layout::settingsSize;
    if (inPlace) {
        std::copy(in.begin(), in.end(), out.begin());
    }
    const std::vector<std::uint8_t> before = out;

    oemui::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.pOEMDMIn = noInput ? nullptr : inPlace ? static_cast<void*>(out.data()) : in.data();
    param.pOEMDMOut = out.empty() ? nullptr : out.data();
    param.cbBufSize = room;
    const oemui::Outcome result = oemui::devMode(mode, &param);

    const bool wholeBuffer =
        param.pOEMDMOut != nullptr && out.size() >= oemui::layout::settingsSize;
    if (mode == oemui::OEMDM_SIZE) {
        check(result.result == oemui::hr::ok && param.cbBufSize == oemui::layout::settingsSize);
        return 0;
    }
    if (result.result != oemui::hr::ok) {
        check(out == before);
        return 0;
    }
    check(mode != 0 && mode != 5);
    if (!wholeBuffer) {
        return 0;
    }
    const oemui::PluginSettings settings(out.data());
    if (mode == oemui::OEMDM_DEFAULT || mode == oemui::OEMDM_MERGE ||
        (mode == oemui::OEMDM_CONVERT && !noInput)) {
        check(settings.dwSize() == oemui::layout::settingsSize);
        check(settings.version() == oemui::layout::version);
    }
    if (mode == oemui::OEMDM_MERGE) {
        check(settings.signature() == oemui::layout::signature);
        check(settings.hiddenValue() <= 100);
    }
    // Whatever came in, every field reads back inside the record.
    check(settings.watermarkPath().size() <= oemui::layout::watermarkPathUnits);
    check(settings.watermarkText().size() <= oemui::layout::watermarkTextUnits);
    check(settings.watermarkFont().size() <= oemui::layout::watermarkFontUnits);
    check(settings.formName().size() <= oemui::layout::formNameUnits);
    for (std::size_t i = 0; i < 9; ++i) {
        (void)settings.barcode1D(i);
    }
    (void)settings.barcode2D(2);
    (void)settings.operation(oemui::Moment::EndOfPage);
    return 0;
}

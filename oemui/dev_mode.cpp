#include "oemui/dev_mode.h"

#include "oemui/plugin_settings.h"
#include "platform/win_types.h"

namespace oemui {

Outcome devMode(std::uint32_t mode, OEMDMPARAM* param) {
    if (param == nullptr) {
        return failed(platform::err::invalidParameter);
    }
    constexpr auto blockSize = static_cast<std::uint32_t>(layout::settingsSize);
    switch (mode) {
    case OEMDM_SIZE:
        param->cbBufSize = blockSize;
        return succeeded();
    case OEMDM_DEFAULT:
        if (param->pOEMDMOut == nullptr) {
            return failed(platform::err::invalidParameter);
        }
        break;
    case OEMDM_CONVERT:
    case OEMDM_MERGE:
        break;
    default:
        return failed(platform::err::invalidParameter);
    }
    if (param->pOEMDMOut != nullptr && param->cbBufSize < blockSize) {
        // The host sized the buffer from OEMDM_SIZE; anything smaller is not
        // ours to fill.
        return failed(platform::err::insufficientBuffer);
    }

    if (mode == OEMDM_DEFAULT) {
        writeDefaults(PluginSettings(param->pOEMDMOut));
        return succeeded();
    }
    copySettings(param->pOEMDMIn, param->pOEMDMOut);
    if (mode == OEMDM_MERGE && param->pOEMDMOut != nullptr) {
        PluginSettings out(param->pOEMDMOut);
        out.setDwSize(blockSize);
        out.setSignature(layout::signature);
        out.setVersion(layout::version);
        if (out.hiddenValue() > 100) {
            out.setHiddenValue(0);
        }
    }
    return succeeded();
}

} // namespace oemui

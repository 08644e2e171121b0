#pragma once

#include "oemui/oem_ui_records.h"
#include "oemui/outcome.h"

#include <cstdint>

namespace oemui {

// IPrintOemUI::DevMode over the host's OEMDMPARAM: size, default, convert and
// merge of the PluginSettings block. The output buffer is written only when the
// host says (cbBufSize) that it holds a whole block.
Outcome devMode(std::uint32_t mode, OEMDMPARAM* param);

} // namespace oemui

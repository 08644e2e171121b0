// What an interface operation answers: its HRESULT and, on failure, the error
// code it leaves as the thread's last error (0: it leaves the last error alone).
// The operations decide; the interface object applies the last error.
#pragma once

#include "oemui/com_types.h"

#include <cstdint>

namespace oemui {

struct Outcome {
    HResult result = hr::ok;
    std::uint32_t lastError = 0;
};

inline Outcome succeeded() {
    return {hr::ok, 0};
}
inline Outcome failed(std::uint32_t lastError) {
    return {hr::fail, lastError};
}

} // namespace oemui

#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class UsbInterfaceLibrary {
public:
    virtual ~UsbInterfaceLibrary() = default;
};

}  // namespace platform

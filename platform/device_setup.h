#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class DeviceSetup {
public:
    virtual ~DeviceSetup() = default;
};

}  // namespace platform

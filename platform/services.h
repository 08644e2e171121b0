#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Services {
public:
    virtual ~Services() = default;
};

}  // namespace platform

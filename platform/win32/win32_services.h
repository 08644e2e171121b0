#pragma once

#include "platform/services.h"

namespace platform::win32 {

class Win32Services : public Services {};

}  // namespace platform::win32

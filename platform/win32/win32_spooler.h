#pragma once

#include "platform/spooler.h"

namespace platform::win32 {

class Win32Spooler : public Spooler {};

}  // namespace platform::win32

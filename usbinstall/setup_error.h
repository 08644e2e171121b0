// How Install reports a failed SetupAPI step: the system's text for the error
// when it has one, else the error's name from SetupAPI's header, in a message box.
#pragma once

#include "platform/win_types.h"

#include <cstdint>
#include <string>

namespace platform {
class Machine;
}

namespace usbinstall {

// SetupAPI's name of a code ("ERROR_NO_SUCH_DEVINST"), or null when it is not one of them.
const char* setupErrorName(std::uint32_t code);

// "Error <code> in <operation>: <system text>" when the system has a text;
// otherwise the code in eight hex digits with its SetupAPI name, or alone.
std::string setupErrorText(platform::Machine& machine, const std::string& operation,
                           std::uint32_t code);

// Shows setupErrorText in a message box with an OK button.
void reportSetupError(platform::Machine& machine, platform::Handle owner,
                      const std::string& operation, std::uint32_t code);

} // namespace usbinstall

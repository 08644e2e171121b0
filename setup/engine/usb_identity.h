// The identity number (1-8) of the USB printer attached while installing,
// read and set through the maker's USB interface library KvUsbInt.dll.
#pragma once

#include "platform/win_types.h"

#include <array>
#include <cstdint>

namespace platform {
class Machine;
}
namespace common {
class LanguageText;
}

namespace setup {

inline constexpr int noUsbPrinter = -1;
inline constexpr int severalUsbPrinters = -2;

// The identity word (device release number) of the one attached printer;
// noUsbPrinter when none is found or the library fails (after its message),
// severalUsbPrinters when more than one is attached (after IDS_ERR_ONEPRINTER).
int readUsbPrinterId(platform::Machine& machine, const common::LanguageText& messages,
                     platform::Handle owner);

// (identity word mod 8) + 1.
inline int usbPrinterNumber(int identityWord) {
    return identityWord % 8 + 1;
}

// The command that gives a printer the identity number `number` (1-8).
std::array<std::uint8_t, 10> setIdentityCommand(int number);

enum class SetIdResult {
    Sent,
    Refused, // a number outside 1-8: nothing was tried, nothing shown
    Failed,  // the library or the printer failed; a message box said so
};

SetIdResult setUsbPrinterId(platform::Machine& machine, int number, platform::Handle owner);

} // namespace setup

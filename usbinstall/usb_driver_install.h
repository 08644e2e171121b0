// Operations "1" and "2": the driver of an attached USB printer, or its
// pre-installation for a printer that is plugged in later.
#pragma once

#include "usbinstall/install_context.h"

namespace usbinstall {

enum class UsbDriver {
    virtualCom, // "1": USBVCOM.INF
    printer,    // "2": KVPUSB.INF
};

void installUsbDriver(InstallContext& context, UsbDriver driver);

} // namespace usbinstall

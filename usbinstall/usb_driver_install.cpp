#include "usbinstall/usb_driver_install.h"

#include "platform/machine.h"
#include "usbinstall/install_tables.h"

namespace usbinstall {

void installUsbDriver(InstallContext& context, UsbDriver driver) {
    platform::Machine& machine = context.machine;
    platform::DeviceSetup& setup = machine.deviceSetup();
    context.log.write("start install the device drivers.\r\n");
    const std::string inf =
        context.packageFile(driver == UsbDriver::printer ? usbPrinterInf : usbVcomInf);

    bool updated = false;
    for (const char* hardwareId : printerHardwareIds) {
        bool rebootRequired = false;
        if (setup.UpdateDriverForPlugAndPlayDevicesA(
                context.window, hardwareId, inf, platform::installflag::force, rebootRequired)) {
            updated = true;
            break;
        }
    }
    if (updated || machine.GetLastError() == 0) {
        context.log.write("usb device already exist, start to install drivers.\r\n");
        return;
    }

    context.log.write(driver == UsbDriver::printer
                          ? "USB device no exist, start to preinstall.\r\n"
                          : "usb device no exist, start to preinstall.\r\n");
    // With the INF in the system's inf folder Windows finds the driver by
    // itself when the printer is plugged in. A failure here leaves nothing to
    // report: the printer can still be given its driver by hand.
    setup.SetupCopyOEMInfA(inf, context.packageFolder, platform::spost::path,
                           platform::spcopy::noOverwrite);
}

} // namespace usbinstall

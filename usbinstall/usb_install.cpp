#include "usbinstall/usb_install.h"

#include "platform/machine.h"
#include "usbinstall/command_line.h"
#include "usbinstall/driver_removal.h"
#include "usbinstall/network_vcom_install.h"
#include "usbinstall/usb_driver_install.h"

namespace usbinstall {

int runUsbInstall(platform::Machine& machine, const std::string& argument,
                  const std::string& packageFolder, LogSink& log, platform::Handle window) {
    InstallContext context{machine, packageFolder, log, window};
    const InstallRequest request = parseInstallArgument(argument);
    switch (request.operation) {
    case 1:
        installUsbDriver(context, UsbDriver::virtualCom);
        return usbInstallDone;
    case 2:
        installUsbDriver(context, UsbDriver::printer);
        return usbInstallDone;
    case 8:
        return installNetworkVcom(context, request.deviceCount) ? usbInstallDone : usbInstallFailed;
    case 11:
        removeDriver(context, usbVcomRemoval);
        return usbInstallDone;
    case 22:
        removeDriver(context, usbPrinterRemoval);
        return usbInstallDone;
    case 88:
        removeDriver(context, networkVcomRemoval);
        return usbInstallDone;
    default:
        return usbInstallUnknownArgument;
    }
}

std::string programFolder(platform::Machine& machine) {
    std::string path;
    if (!machine.system().GetModuleFileNameA(path))
        return {};
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace usbinstall

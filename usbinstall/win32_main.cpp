// Install: the USB device-driver installer's entry point. The setup program
// and the uninstaller start it with one word ("2", "22"...) and wait until its
// window, titled "Device driver setup", has gone.
#include "platform/win32/win32_machine.h"
#include "usbinstall/command_line.h"
#include "usbinstall/win32_install_dialog.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platform::win32::Win32Machine machine;
    usbinstall::runInstallDialog(instance, machine, usbinstall::installArgument(GetCommandLineA()));
    return 0;
}

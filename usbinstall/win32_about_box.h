// The About box of Install's system menu.
#pragma once

#include <windows.h>

namespace usbinstall {

void showAboutBox(HINSTANCE instance, HWND owner);

} // namespace usbinstall

// What a model's ".PORT" section of its type file says it supports: the keys
// the wizard pages, the start-up port check and the Install action read.
#pragma once

#include <string>

namespace platform {
class ProfileFiles;
}

namespace setup {

// Every key reads with the default "0" and its leading decimal digits.
struct ModelSupport {
    int usb = 0;           // USBSUPPORTED
    int lpt = 0;           // LPTSUPPORTED
    int com = 0;           // COMSUPPORTED
    int net = 0;           // NETSUPPORTED
    int lptDefault = 0;    // LPTDEFAULT
    int rasterHidden = 0;  // RASTERVISIABLE: 0 shows the Raster check box, 1 hides it
    int advancedSetup = 0; // AdvancedSetup: 0 offers the typical mode only
    int systemNt = 0;      // SystemNTSupported
    int system2003 = 0;    // System2003Supported
    int systemVista = 0;   // SystemVistaSupported
    int system2008 = 0;    // System2008Supported
    int systemWin7 = 0;    // SystemWin7Supported
    int baudRate = 0;      // BaudRate
};

// typeFile: the type file as the caller names it (the wizard uses the
// capitalised names, which open the same files).
ModelSupport readModelSupport(platform::ProfileFiles& profiles, const std::string& typeFile,
                              const std::string& model);

} // namespace setup

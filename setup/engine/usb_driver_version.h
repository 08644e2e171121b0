// Whether the package's USB device driver must be (re)installed: the packaged
// and the installed KVPUSB.sys compared by their version resources.
#pragma once

#include "common/usb_installer.h"
#include "platform/win_types.h"

#include <string>

namespace platform {
class Machine;
}

namespace setup {

// The FileVersion text of a file, "0.0.0.0" when the file or its version
// resource is missing.
std::string readFileVersion(platform::Machine& machine, const std::string& path);

// -1 when the installed version reads as none, 1 when it is older than the
// packaged one, 0 otherwise (equal texts, or a newer driver installed).
// Versions compare part by part, so "1.10.0.0" is newer than "1.9.0.0".
int compareVersionTexts(const std::string& installed, const std::string& packaged);

// The packaged driver (program folder + "\USBDRV\USBDriver\KVPUSB.sys", or
// "USBDriver_x64" on 64-bit Windows) against Windows folder +
// "\system32\drivers\KVPUSB.sys", read in the native system folder.
int compareUsbDriverVersions(platform::Machine& machine, const std::string& programFolder,
                             bool wow64, platform::Handle owner);

using common::usbDriverFolder;

} // namespace setup

// What Install knows about the package's device drivers: their INF and driver
// files, the printers' hardware ids, and how each driver is found for removal.
#pragma once

#include "platform/device_setup.h"

namespace usbinstall {

// The window title; the setup program and the uninstaller wait for a window of
// this title to go away.
inline constexpr const char* installerCaption = "Device driver setup";

inline constexpr const char* usbVcomInf = "USBVCOM.INF";
inline constexpr const char* usbPrinterInf = "KVPUSB.INF";
inline constexpr const char* networkVcomInf = "NKVVCOM.INF";

// The printers' hardware ids, in the order the USB installs try them.
inline constexpr const char* printerHardwareIds[] = {
    "USB\\VID_2E7A&PID_2E7A", "USB\\VID_05d1&PID_05d1", "USB\\VID_2e7a&PID_1000",
    "USB\\VID_2e7a&PID_1001", "USB\\VID_0BB3&PID_030A",
};

// The Provider string of the package's own USB printer INF. The removal scan
// takes a USB-class INF for the package's only when its strings carry this
// value, so that no other maker's driver goes with it.
inline constexpr const char* packageInfProvider = "KORVANE";

inline constexpr platform::Guid usbClassGuid = {
    0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr platform::Guid portsClassGuid = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// Which INF files of the Windows inf folder the scan deletes.
enum class InfOwnership {
    usbPrinter, // Version Class "USB" and the package's provider in Strings
    tavoPorts,  // Version Class "Ports" and a Strings Mfg containing "TAVO"
};

// One driver the removal operations take away.
struct RemovalSelector {
    platform::Guid classGuid;
    const char* descriptionText; // present devices whose description contains it go
    const char* const* infFiles;
    const char* const* driverFiles; // both lists end with a null
    InfOwnership ownership;
};

inline constexpr const char* usbVcomInfs[] = {"USBVCOM.INF", nullptr};
inline constexpr const char* usbVcomFiles[] = {"USBVCOM.SYS", nullptr};
inline constexpr const char* usbPrinterInfs[] = {"KVPUSB.INF", "BULKUSB.INF", nullptr};
inline constexpr const char* usbPrinterFiles[] = {"KVPUSB.SYS", "BULKUSB.SYS", nullptr};
inline constexpr const char* networkVcomInfs[] = {"NKVVCOM.INF", nullptr};
inline constexpr const char* networkVcomFiles[] = {"NKVVCOM.SYS", nullptr};

// Selectors u ("11"), p ("22") and v ("88").
inline constexpr RemovalSelector usbVcomRemoval = {portsClassGuid, "USBVCOM", usbVcomInfs,
                                                   usbVcomFiles, InfOwnership::tavoPorts};
inline constexpr RemovalSelector usbPrinterRemoval = {usbClassGuid, "USB Device Driver for",
                                                      usbPrinterInfs, usbPrinterFiles,
                                                      InfOwnership::usbPrinter};
inline constexpr RemovalSelector networkVcomRemoval = {portsClassGuid, "TAVO VCOM", networkVcomInfs,
                                                       networkVcomFiles, InfOwnership::tavoPorts};

} // namespace usbinstall

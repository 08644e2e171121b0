// Port kinds, printer names and port names an installation derives from the
// port the user chose.
#include "setup/engine/port_naming.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(InstallNaming, PortKindIsTakenFromTheFirstMarkerInPriorityOrder) {
    EXPECT_EQ(portKindOf("USB_QRT-K500NX_1"), PortKind::Usb);
    EXPECT_EQ(portKindOf("KVCOM3:"), PortKind::Serial);
    EXPECT_EQ(portKindOf("COM1:"), PortKind::Serial);
    EXPECT_EQ(portKindOf("LPT2:"), PortKind::Parallel);
    EXPECT_EQ(portKindOf("NET:"), PortKind::Network);
    // A USB port of a model whose name holds another kind's letters stays USB.
    EXPECT_EQ(portKindOf("USB_COMPACT_1"), PortKind::Usb);
    EXPECT_EQ(portKindOf("FILE:"), std::nullopt);
    EXPECT_EQ(portKindOf(""), std::nullopt);
    // Markers are case-sensitive, as the port list writes them.
    EXPECT_EQ(portKindOf("usb_x_1"), std::nullopt);
}

TEST(InstallNaming, PrinterNameCarriesThePortKindAndUsbNumber) {
    EXPECT_EQ(printerNameFor("QRT-K500NX", PortKind::Serial, "KVCOM1:"), "QRT-K500NX(S)");
    EXPECT_EQ(printerNameFor("QRT-K500NX", PortKind::Parallel, "LPT1:"), "QRT-K500NX(P)");
    EXPECT_EQ(printerNameFor("QRT-K500NX", PortKind::Network, "NET:"), "QRT-K500NX(E)");
    EXPECT_EQ(printerNameFor("QRT-K500NX", PortKind::Usb, "USB_QRT-K500NX_1"), "QRT-K500NX(U) 1");
    EXPECT_EQ(printerNameFor("QRT-K500NX", PortKind::Usb, "USB_QRT-K500NX_4"), "QRT-K500NX(U) 4");
}

TEST(InstallNaming, UsbNumberComesFromThePortsEndNotFromTheModelName) {
    EXPECT_EQ(usbPortNumber("USB_QRT-K500NX_3"), 3);
    EXPECT_EQ(usbPortNumber("USB_M_2_1"), 1);
    EXPECT_EQ(printerNameFor("M_2", PortKind::Usb, "USB_M_2_1"), "M_2(U) 1");
    EXPECT_EQ(usbPortNumber("USB_X_5"), 0);
    EXPECT_EQ(usbPortNumber("USB_X"), 0);
    EXPECT_EQ(usbPortNumber("1"), 0);
    EXPECT_EQ(usbPortNumber(""), 0);
}

TEST(InstallNaming, PortNameOfNetworkAndQrtL7Printers) {
    EXPECT_EQ(portNameFor(PortKind::Network, "NET:", "192.168.1.251"), "IP_192.168.1.251");
    EXPECT_EQ(portNameFor(PortKind::Usb, "USB_QRT-L7A_3", ""), "USB_QRT-L7_3");
    EXPECT_EQ(portNameFor(PortKind::Usb, "USB_QRT-L7_2", ""), "USB_QRT-L7_2");
    EXPECT_EQ(portNameFor(PortKind::Usb, "USB_QRT-L80_2", ""), "USB_QRT-L80_2");
    // Only USB ports are renamed.
    EXPECT_EQ(portNameFor(PortKind::Serial, "KVCOM1:", ""), "KVCOM1:");
}

} // namespace
} // namespace setup

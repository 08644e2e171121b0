// Port kinds, printer names and port names an installation derives from the
// port the user chose.
#include "setup/engine/port_naming.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(InstallNaming, UsbPortsOfModelsNamedLikeOtherKindsStayUsb) {
    EXPECT_EQ(portKindOf("USB_COMPACT_1"), PortKind::Usb);
    EXPECT_EQ(portKindOf("USB_NETTO_2"), PortKind::Usb);
    EXPECT_EQ(portKindOf("KVCOM3:"), PortKind::Serial);
    EXPECT_EQ(portKindOf("FILE:"), std::nullopt);
    // Markers are case-sensitive, as the port list writes them.
    EXPECT_EQ(portKindOf("usb_x_1"), std::nullopt);
}

TEST(InstallNaming, UsbNumberComesFromThePortsEndNotFromTheModelName) {
    EXPECT_EQ(usbPortNumber("USB_M_2_1"), 1);
    EXPECT_EQ(printerNameFor("M_2", PortKind::Usb, "USB_M_2_1"), "M_2(U) 1");
    EXPECT_EQ(usbPortNumber("USB_X_5"), 0);
    EXPECT_EQ(usbPortNumber("USB_X"), 0);
    EXPECT_EQ(usbPortNumber(""), 0);
}

} // namespace
} // namespace setup

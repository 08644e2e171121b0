// Reading and setting the attached USB printer's identity through the maker's
// library: numbers from identity words, one printer only, the bytes sent, and
// handles and the library released on every path.
#include "common/language_text.h"
#include "setup/engine/usb_identity.h"
#include "tests/sim/install_scenario.h"

#include <gtest/gtest.h>

namespace installtest {
namespace {

using namespace setup;

class UsbIdentity : public ::testing::Test {
protected:
    SimMachine& m() { return s.machine(); }
    int read() {
        const common::LanguageText messages(m().profiles(), "E:\\Package\\language\\setup.ini",
                                            "Message");
        return readUsbPrinterId(m(), messages, 0);
    }
    std::vector<std::string> shown() { return m().simDesktop().messageTexts(); }
    void expectReleased() {
        EXPECT_EQ(m().simUsb().openDevices(), 0u);
        EXPECT_EQ(m().simSystem().loadedModules(), 0u);
    }
    Scenario s{WindowsVariant::Win7, 64};
};

TEST_F(UsbIdentity, NumberIsTheIdentityWordModEightPlusOne) {
    EXPECT_EQ(usbPrinterNumber(0x0102), 3);
    EXPECT_EQ(usbPrinterNumber(0x0107), 8);
    EXPECT_EQ(usbPrinterNumber(0x0108), 1);
    m().simUsb().attachPrinter(0x0102);
    EXPECT_EQ(read(), 0x0102);
    EXPECT_TRUE(shown().empty());
    expectReleased();
}

TEST_F(UsbIdentity, TwoPrintersAreReportedOnce) {
    m().simUsb().attachPrinter(8);
    m().simUsb().attachPrinter(9);
    m().simUsb().attachPrinter(10);
    EXPECT_EQ(read(), severalUsbPrinters);
    EXPECT_EQ(shown(), std::vector<std::string>{s.text("IDS_ERR_ONEPRINTER")});
    expectReleased();
}

TEST_F(UsbIdentity, SetSendsTheCommandWithTheNumberLessOne) {
    m().simUsb().attachPrinter(8);
    EXPECT_EQ(setUsbPrinterId(m(), 3, 0), SetIdResult::Sent);
    const std::vector<std::uint8_t> expected = {0x1B, 0x73, 0x5A, 0x31, 0xC4,
                                                0x7E, 0x1D, 0x49, 0x20, 0x02};
    EXPECT_EQ(m().simUsb().printers()[0].writes, std::vector<std::vector<std::uint8_t>>{expected});
    EXPECT_EQ(usbPrinterNumber(m().simUsb().printers()[0].identityWord()), 3);
    expectReleased();
}

TEST_F(UsbIdentity, SetRefusesNumbersOutsideOneToEightWithoutTryingAnything) {
    m().simUsb().attachPrinter(8);
    EXPECT_EQ(setUsbPrinterId(m(), 0, 0), SetIdResult::Refused);
    EXPECT_EQ(setUsbPrinterId(m(), 9, 0), SetIdResult::Refused);
    EXPECT_TRUE(m().simUsb().printers()[0].writes.empty());
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(m().faults().callCounts().count("OpenDeviceX"), 0u);
}

TEST_F(UsbIdentity, SetFailuresSayWhich) {
    EXPECT_EQ(setUsbPrinterId(m(), 2, 0), SetIdResult::Failed);
    m().simUsb().attachPrinter(8);
    m().faults().failCall("uWrite", 31);
    EXPECT_EQ(setUsbPrinterId(m(), 2, 0), SetIdResult::Failed);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Can not find USB device.", "write ID error"}));
    expectReleased();
}

} // namespace
} // namespace installtest

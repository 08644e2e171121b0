// The maker's USB library on the simulated machine, called as the setup does:
// loaded by name, functions looked up, printers opened by index.
#include "platform/sim/sim_machine.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace platform;
using platform::sim::SimMachine;
using platform::sim::WindowsVariant;

namespace {

const std::vector<std::uint8_t> setIdentity2 = {0x1B, 0x73, 0x5A, 0x31, 0xC4,
                                                0x7E, 0x1D, 0x49, 0x20, 0x02};

class UsbLibrary : public ::testing::Test {
protected:
    UsbLibrary() : m(testsupport::simConfig(dir, WindowsVariant::Win7, 64)) {}
    testsupport::TempDir dir;
    SimMachine m;
};

} // namespace

TEST_F(UsbLibrary, OpensAttachedPrintersByIndexAndReadsTheirDescriptor) {
    m.simUsb().attachPrinter(0x0102);
    m.simUsb().attachPrinter(0x0108);
    const Handle lib = m.system().LoadLibraryA("KvUsbInt.dll");
    ASSERT_NE(0u, lib);
    for (const char* f : {"OpenDeviceX", "GetDescriptor", "uWrite", "CloseDevice"})
        EXPECT_TRUE(m.system().GetProcAddress(lib, f)) << f;
    UsbInterfaceLibrary& usb = m.usb();
    const std::int32_t first = usb.OpenDeviceX(lib, 0), second = usb.OpenDeviceX(lib, 1);
    EXPECT_NE(0, first);
    EXPECT_NE(-1, first);
    EXPECT_NE(first, second);
    EXPECT_EQ(-1, usb.OpenDeviceX(lib, 2));
    EXPECT_EQ(-1, usb.OpenDeviceX(lib, 8));
    std::vector<std::uint8_t> d;
    ASSERT_NE(0, usb.GetDescriptor(lib, second, d));
    ASSERT_EQ(20u, d.size());
    EXPECT_EQ(18, d[0]);
    EXPECT_EQ(1, d[1]);
    EXPECT_EQ(0x08, d[12]);
    EXPECT_EQ(0x01, d[13]);
    usb.CloseDevice(lib, first);
    usb.CloseDevice(lib, second);
    EXPECT_EQ(0, usb.GetDescriptor(lib, second, d)) << "a closed handle";
    EXPECT_EQ(0u, m.simUsb().openDevices());
    EXPECT_TRUE(m.system().FreeLibrary(lib));
    EXPECT_EQ(-1, usb.OpenDeviceX(lib, 0)) << "a released library";
}

TEST_F(UsbLibrary, SetIdentityCommandChangesTheIdentityWordLikeThePrinter) {
    m.simUsb().attachPrinter(0x0108); // number 1
    const Handle lib = m.system().LoadLibraryA("KvUsbInt.dll");
    const std::int32_t h = m.usb().OpenDeviceX(lib, 0);
    EXPECT_EQ(10, m.usb().uWrite(lib, h, 0, setIdentity2));
    EXPECT_EQ(2, m.simUsb().printers()[0].identityWord() % 8);
    EXPECT_EQ(0x010A, m.simUsb().printers()[0].identityWord());
    // Other bytes are recorded and change nothing.
    EXPECT_EQ(3, m.usb().uWrite(lib, h, 0, {0x1B, 0x40, 0x0A}));
    std::vector<std::uint8_t> wrongCode = setIdentity2;
    wrongCode[2] = 0x00;
    m.usb().uWrite(lib, h, 0, wrongCode);
    EXPECT_EQ(0x010A, m.simUsb().printers()[0].identityWord());
    ASSERT_EQ(3u, m.simUsb().printers()[0].writes.size());
    EXPECT_EQ(setIdentity2, m.simUsb().printers()[0].writes[0]);
}

TEST_F(UsbLibrary, MissingLibraryFunctionsAndInjectedFailures) {
    m.simUsb().setLibraryPresent(false);
    EXPECT_EQ(0u, m.system().LoadLibraryA("KvUsbInt.dll"));
    EXPECT_EQ(err::modNotFound, m.GetLastError());
    m.simUsb().setLibraryPresent(true);
    m.simUsb().removeFunction("GetDescriptor");
    const Handle lib = m.system().LoadLibraryA("KVUSBINT.DLL");
    ASSERT_NE(0u, lib);
    EXPECT_FALSE(m.system().GetProcAddress(lib, "GetDescriptor"));
    EXPECT_EQ(err::procNotFound, m.GetLastError());

    m.simUsb().attachPrinter(1);
    m.faults().failCall("OpenDeviceX", err::notReady);
    EXPECT_EQ(-1, m.usb().OpenDeviceX(lib, 0));
    const std::int32_t h = m.usb().OpenDeviceX(lib, 0);
    m.faults().failCall("uWrite", err::notReady);
    EXPECT_EQ(0, m.usb().uWrite(lib, h, 0, setIdentity2));
    EXPECT_TRUE(m.simUsb().printers()[0].writes.empty());
}

TEST_F(UsbLibrary, PrintersAndWritesSurviveSaveAndLoad) {
    m.simUsb().attachPrinter(0x0009);
    m.simUsb().removeFunction("uWrite");
    const Handle lib = m.system().LoadLibraryA("KvUsbInt.dll");
    m.usb().uWrite(lib, m.usb().OpenDeviceX(lib, 0), 0, {0x1B, 0x40});
    std::stringstream saved;
    m.simUsb().save(saved);
    testsupport::TempDir other;
    SimMachine copy(testsupport::simConfig(other, WindowsVariant::Win7, 64));
    std::string error;
    ASSERT_TRUE(copy.simUsb().load(saved, error)) << error;
    ASSERT_EQ(1u, copy.simUsb().printers().size());
    EXPECT_EQ(9, copy.simUsb().printers()[0].identityWord());
    EXPECT_EQ(1u, copy.simUsb().printers()[0].writes.size());
    EXPECT_FALSE(copy.simUsb().hasFunction("uWrite"));
    std::istringstream bad("printer 1201\n");
    EXPECT_FALSE(copy.simUsb().load(bad, error));
    EXPECT_EQ("line 1: a device descriptor is 18 bytes in hex", error);
}

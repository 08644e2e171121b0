// The serial settings string, the Windows 9x DCB and the TCP/IP port record:
// byte layouts other programs read.
#include "setup/engine/port_setup.h"
#include "setup/engine/tcpip_port.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

std::uint32_t dwordAt(const std::uint8_t* bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::string utf16At(const std::vector<std::uint8_t>& record, std::size_t at) {
    std::string text;
    for (std::size_t i = at; i + 1 < record.size() && (record[i] || record[i + 1]); i += 2)
        text += static_cast<char>(record[i]);
    return text;
}

TEST(SerialSettingsText, StopBitsKeepTheirFractionOnlyForOneAndAHalf) {
    EXPECT_EQ(serialSettingsText({9600, 8, 1.5, 'n', 'x'}), "9600,n,8,1.5,x");
    EXPECT_EQ(serialSettingsText({9600, 7, 2.0, 'e', 'p'}), "9600,e,7,2,p");
    EXPECT_EQ(serialSettingsText({9600, 8, 1.0, 'o', 'p'}), "9600,o,8,1,p");
    EXPECT_EQ(serialSettingsText({115200, 8, 1.0, 'N', ' '}), "115200,n,8,1, ");
}

TEST(SerialDcb, FieldsAndFlagsFollowTheSettings) {
    const auto none = serialDcb({9600, 8, 1.0, 'n', ' '});
    EXPECT_EQ(dwordAt(none.data(), 0), 28u);
    EXPECT_EQ(dwordAt(none.data(), 4), 9600u);
    EXPECT_EQ(dwordAt(none.data(), 8), 0x0001u); // binary only
    EXPECT_EQ(none[18], 8);
    EXPECT_EQ(none[19], 0);
    EXPECT_EQ(none[20], 0);

    const auto hardware = serialDcb({19200, 7, 1.5, 'E', 'p'});
    EXPECT_EQ(dwordAt(hardware.data(), 8), 0x0001u | 0x0002u | 0x0400u | 0x0004u | 0x1000u);
    EXPECT_EQ(hardware[19], 2);
    EXPECT_EQ(hardware[20], 1);
    EXPECT_EQ(hardware[21], 0);

    const auto xon = serialDcb({4800, 8, 2.0, 's', 'x'});
    EXPECT_EQ(dwordAt(xon.data(), 8), 0x0001u | 0x0002u | 0x0400u | 0x0100u | 0x0200u);
    EXPECT_EQ(xon[19], 4);
    EXPECT_EQ(xon[20], 2);
    EXPECT_EQ(xon[21], 17);
    EXPECT_EQ(xon[22], 19);

    EXPECT_EQ(serialDcb({9600, 8, 1.0, 'o', ' '})[19], 1);
    EXPECT_EQ(serialDcb({9600, 8, 1.0, 'm', ' '})[19], 3);
}

TEST(TcpIpPortRecord, LayoutOfPortData1) {
    const std::vector<std::uint8_t> r = tcpIpPortRecord("IP_192.168.1.251", "192.168.1.251");
    ASSERT_EQ(r.size(), 964u);
    EXPECT_EQ(utf16At(r, 0), "IP_192.168.1.251");
    EXPECT_EQ(dwordAt(r.data(), 128), 1u);   // version
    EXPECT_EQ(dwordAt(r.data(), 132), 1u);   // raw
    EXPECT_EQ(dwordAt(r.data(), 136), 964u); // size
    EXPECT_EQ(utf16At(r, 144), "192.168.1.251");
    EXPECT_EQ(utf16At(r, 242), "public");
    EXPECT_EQ(dwordAt(r.data(), 308), 1u); // double spool
    EXPECT_EQ(dwordAt(r.data(), 952), 9100u);
    EXPECT_EQ(dwordAt(r.data(), 956), 0u); // SNMP off
    EXPECT_EQ(dwordAt(r.data(), 960), 1u); // SNMP device index
}

TEST(TcpIpPortRecord, RefusesWhatDoesNotFitItsFields) {
    EXPECT_FALSE(tcpIpPortRecord(std::string(63, 'P'), "1.2.3.4").empty());
    EXPECT_TRUE(tcpIpPortRecord(std::string(64, 'P'), "1.2.3.4").empty());
    EXPECT_TRUE(tcpIpPortRecord("IP_x", std::string(49, '1')).empty());
    EXPECT_TRUE(tcpIpPortRecord("IP_\xE9", "1.2.3.4").empty());
}

TEST(TcpIpPortRecord, DottedAddress) {
    EXPECT_EQ(dottedAddress({192, 168, 1, 251}), "192.168.1.251");
    EXPECT_EQ(dottedAddress({0, 0, 0, 0}), "0.0.0.0");
}

} // namespace
} // namespace setup

// The machine type of executables, and what is not a PE image at all.
#include "platform/sim/pe_machine.h"
#include "tests/support/pe_file.h"

#include <gtest/gtest.h>

using platform::sim::ExecutableKind;
using platform::sim::readExecutableHeader;

TEST(PeMachine, TellsBothMachinesAndRefusesWhatIsNoImageWithoutReadingPastTheEnd) {
    for (const bool pe32Plus : {false, true}) {
        const std::vector<std::uint8_t> pe = testsupport::peWithFileVersion("1.0.0.1", pe32Plus);
        const auto header = readExecutableHeader(pe.data(), pe.size());
        EXPECT_EQ(ExecutableKind::Pe, header.kind);
        EXPECT_EQ(pe32Plus ? platform::sim::peMachineAmd64 : platform::sim::peMachineI386,
                  header.machine);

        // The PE header's offset at the very end, or beyond it: a DOS program.
        std::vector<std::uint8_t> cut = pe;
        const std::size_t at = cut[0x3C] | cut[0x3D] << 8;
        cut.resize(at + 5);
        EXPECT_EQ(ExecutableKind::OldFormat, readExecutableHeader(cut.data(), cut.size()).kind);
        cut[0x3C] = 0xFF;
        cut[0x3F] = 0x7F;
        EXPECT_EQ(ExecutableKind::OldFormat, readExecutableHeader(cut.data(), cut.size()).kind);
    }
    const std::string text = "Placeholder for a driver-set file that comes from outside.\r\n";
    EXPECT_EQ(
        ExecutableKind::NotExecutable,
        readExecutableHeader(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()).kind);
    const std::uint8_t mz[2] = {'M', 'Z'};
    EXPECT_EQ(ExecutableKind::NotExecutable, readExecutableHeader(mz, sizeof mz).kind);
}

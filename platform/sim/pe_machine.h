// The machine type in a Windows executable's file header: what a package's
// folder for 32-bit or 64-bit Windows must hold.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::sim {

inline constexpr std::uint16_t peMachineI386 = 0x014C;
inline constexpr std::uint16_t peMachineAmd64 = 0x8664;

enum class ExecutableKind {
    NotExecutable, // no "MZ" header: a data file or a stand-in text
    OldFormat,     // "MZ" without a PE header (16-bit Windows and DOS programs)
    Pe,            // a PE image; the machine type is set
};

struct ExecutableHeader {
    ExecutableKind kind = ExecutableKind::NotExecutable;
    std::uint16_t machine = 0;
};

// Never reads outside the bytes.
ExecutableHeader readExecutableHeader(const std::uint8_t* data, std::size_t size);

} // namespace platform::sim

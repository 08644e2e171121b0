#pragma once

#include "platform/usb_library.h"

#include <array>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

class SimMachine;

// A printer of the family attached by USB: its standard device descriptor,
// whose release number (bytes 12-13) is the printer's identity word, and
// every write it received.
struct SimUsbPrinter {
    std::array<std::uint8_t, 18> descriptor{};
    std::vector<std::vector<std::uint8_t>> writes;

    std::uint16_t identityWord() const {
        return static_cast<std::uint16_t>(descriptor[12] | descriptor[13] << 8);
    }
};

// The set-identity command: 1B 73, the setting access code 5A 31 C4 7E,
// 1D 49 20, then the new number minus one.
inline constexpr std::array<std::uint8_t, 9> setIdentityPrefix = {0x1B, 0x73, 0x5A, 0x31, 0xC4,
                                                                  0x7E, 0x1D, 0x49, 0x20};

// The maker's USB library KvUsbInt.dll as the simulated machine has it: present
// or not, with some functions missing if asked, and the printers it finds,
// index 0 first. A printer that receives the set-identity command takes an
// identity word whose value mod 8 is the command's last byte, as the real
// printer does.
class SimUsbLibrary : public UsbInterfaceLibrary {
public:
    explicit SimUsbLibrary(SimMachine& machine) : machine_(machine) {}

    std::int32_t OpenDeviceX(Handle library, std::int32_t index) override;
    std::int32_t GetDescriptor(Handle library, std::int32_t device,
                               std::vector<std::uint8_t>& descriptor) override;
    std::int32_t uWrite(Handle library, std::int32_t device, std::int32_t reserved,
                        const std::vector<std::uint8_t>& bytes) override;
    void CloseDevice(Handle library, std::int32_t device) override;

    // Whether KvUsbInt.dll can be loaded, and which of its functions it exports.
    bool libraryPresent() const { return present_; }
    void setLibraryPresent(bool present) { present_ = present; }
    bool hasFunction(const std::string& name) const;
    void removeFunction(const std::string& name) { missing_.insert(name); }

    // A printer of the family with this identity word; answers its index.
    std::size_t attachPrinter(std::uint16_t identityWord);
    std::size_t attachPrinter(const std::array<std::uint8_t, 18>& descriptor);
    void detachPrinter(std::size_t index);
    const std::vector<SimUsbPrinter>& printers() const { return printers_; }
    std::size_t openDevices() const { return open_.size(); }

    void save(std::ostream& out) const;
    bool load(std::istream& in, std::string& error);

private:
    bool fromLibrary(Handle library) const;
    SimUsbPrinter* device(std::int32_t handle);

    SimMachine& machine_;
    bool present_ = true;
    std::set<std::string> missing_;
    std::vector<SimUsbPrinter> printers_;
    std::map<std::int32_t, std::size_t> open_; // device handle -> printer index
    std::int32_t nextDevice_ = 0x100;
};

} // namespace platform::sim

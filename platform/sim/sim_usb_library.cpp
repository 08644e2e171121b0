#include "platform/sim/sim_usb_library.h"

#include "platform/sim/saved_state.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace platform::sim {
namespace {

// The library opens a printer by index and answers INVALID_HANDLE_VALUE when
// there is none.
constexpr std::int32_t noDevice = -1;

} // namespace

bool SimUsbLibrary::hasFunction(const std::string& name) const {
    const bool exported = name == "OpenDeviceX" || name == "GetDescriptor" || name == "uWrite" ||
                          name == "CloseDevice";
    return exported && missing_.count(name) == 0;
}

bool SimUsbLibrary::fromLibrary(Handle library) const {
    return present_ && machine_.simSystem().moduleName(library) == "KVUSBINT.DLL";
}

SimUsbPrinter* SimUsbLibrary::device(std::int32_t handle) {
    auto it = open_.find(handle);
    if (it == open_.end() || it->second >= printers_.size())
        return nullptr;
    return &printers_[it->second];
}

std::int32_t SimUsbLibrary::OpenDeviceX(Handle library, std::int32_t index) {
    if (machine_.faults().fail("OpenDeviceX", machine_) || !fromLibrary(library))
        return noDevice;
    if (index < 0 || index > 7 || static_cast<std::size_t>(index) >= printers_.size())
        return noDevice;
    const std::int32_t handle = nextDevice_++;
    open_[handle] = static_cast<std::size_t>(index);
    return handle;
}

std::int32_t SimUsbLibrary::GetDescriptor(Handle library, std::int32_t handle,
                                          std::vector<std::uint8_t>& descriptor) {
    if (machine_.faults().fail("GetDescriptor", machine_) || !fromLibrary(library))
        return 0;
    const SimUsbPrinter* printer = device(handle);
    if (printer == nullptr)
        return 0;
    // The caller's buffer is 20 bytes; the descriptor fills the first 18.
    descriptor.assign(20, 0);
    std::copy(printer->descriptor.begin(), printer->descriptor.end(), descriptor.begin());
    return 1;
}

std::int32_t SimUsbLibrary::uWrite(Handle library, std::int32_t handle, std::int32_t /*reserved*/,
                                   const std::vector<std::uint8_t>& bytes) {
    if (machine_.faults().fail("uWrite", machine_) || !fromLibrary(library))
        return 0;
    SimUsbPrinter* printer = device(handle);
    if (printer == nullptr || bytes.empty())
        return 0;
    printer->writes.push_back(bytes);
    if (bytes.size() == setIdentityPrefix.size() + 1 &&
        std::equal(setIdentityPrefix.begin(), setIdentityPrefix.end(), bytes.begin()) &&
        bytes.back() <= 7) {
        const std::uint16_t word =
            static_cast<std::uint16_t>((printer->identityWord() & ~7u) | bytes.back());
        printer->descriptor[12] = static_cast<std::uint8_t>(word & 0xFF);
        printer->descriptor[13] = static_cast<std::uint8_t>(word >> 8);
    }
    return static_cast<std::int32_t>(bytes.size());
}

void SimUsbLibrary::CloseDevice(Handle /*library*/, std::int32_t handle) {
    open_.erase(handle);
}

std::size_t SimUsbLibrary::attachPrinter(std::uint16_t identityWord) {
    // A standard device descriptor of a USB 2.0 printer-class device.
    std::array<std::uint8_t, 18> d = {18,   1,    0x00, 0x02, 0x00, 0x00, 0x00, 64, 0x7A,
                                      0x2E, 0x7A, 0x2E, 0,    0,    1,    2,    3,  1};
    d[12] = static_cast<std::uint8_t>(identityWord & 0xFF);
    d[13] = static_cast<std::uint8_t>(identityWord >> 8);
    return attachPrinter(d);
}

std::size_t SimUsbLibrary::attachPrinter(const std::array<std::uint8_t, 18>& descriptor) {
    printers_.push_back(SimUsbPrinter{descriptor, {}});
    return printers_.size() - 1;
}

void SimUsbLibrary::detachPrinter(std::size_t index) {
    if (index >= printers_.size())
        return;
    printers_.erase(printers_.begin() + static_cast<std::ptrdiff_t>(index));
    // Handles to the printer that went are dead; later ones now point one lower.
    for (auto it = open_.begin(); it != open_.end();) {
        if (it->second == index) {
            it = open_.erase(it);
        } else {
            if (it->second > index)
                --it->second;
            ++it;
        }
    }
}

void SimUsbLibrary::save(std::ostream& out) const {
    out << joinFields({"library", present_ ? "present" : "absent"}) << '\n';
    for (const std::string& name : missing_)
        out << joinFields({"missing", name}) << '\n';
    for (const SimUsbPrinter& p : printers_) {
        out << joinFields({"printer", hexBytes({p.descriptor.begin(), p.descriptor.end()})})
            << '\n';
        for (const auto& w : p.writes)
            out << joinFields({"write", hexBytes(w)}) << '\n';
    }
}

bool SimUsbLibrary::load(std::istream& in, std::string& error) {
    bool present = true;
    std::set<std::string> missing;
    std::vector<SimUsbPrinter> printers;
    SavedLines lines(in);
    std::vector<std::string> f;
    while (lines.next(f)) {
        std::vector<std::uint8_t> bytes;
        if (f[0] == "library" && f.size() == 2 && (f[1] == "present" || f[1] == "absent")) {
            present = f[1] == "present";
        } else if (f[0] == "missing" && f.size() == 2) {
            missing.insert(f[1]);
        } else if (f[0] == "printer" && f.size() == 2) {
            if (!parseHexBytes(f[1], bytes) || bytes.size() != 18)
                return lines.refuse(error, "a device descriptor is 18 bytes in hex");
            SimUsbPrinter p;
            std::copy(bytes.begin(), bytes.end(), p.descriptor.begin());
            printers.push_back(p);
        } else if (f[0] == "write" && f.size() == 2) {
            if (printers.empty())
                return lines.refuse(error, "a write before any printer");
            if (!parseHexBytes(f[1], bytes))
                return lines.refuse(error, "written bytes are not hex");
            printers.back().writes.push_back(bytes);
        } else {
            return lines.refuse(error, "not a USB line ('" + f[0] + "')");
        }
    }
    present_ = present;
    missing_ = std::move(missing);
    printers_ = std::move(printers);
    open_.clear();
    return true;
}

} // namespace platform::sim

// The saved state of a simulated machine: every part's reader and the
// configuration reader get the same bytes, as if a machine folder's file had
// been damaged or written by hand.
#include "platform/sim/sim_machine.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::sim;
    static const std::string root =
        (std::filesystem::temp_directory_path() / ("pkgfuzz-state-" + std::to_string(::getpid())))
            .string();
    static const struct Cleanup {
        ~Cleanup() {
            std::error_code ec;
            std::filesystem::remove_all(root, ec);
        }
    } cleanup;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    SimConfig config;
    SimMachine::parseConfig(text, root, config, error);

    SimConfig c;
    c.root = root;
    SimMachine machine(c);
    auto feed = [&](auto&& read) {
        std::istringstream in(text);
        read(in);
    };
    feed([&](std::istream& in) { machine.simRegistry().load(in); });
    feed([&](std::istream& in) { machine.simFiles().load(in); });
    feed([&](std::istream& in) { machine.simDesktop().load(in); });
    feed([&](std::istream& in) { machine.simSpooler().load(in, error); });
    feed([&](std::istream& in) { machine.simServices().load(in, error); });
    feed([&](std::istream& in) { machine.simUsb().load(in, error); });
    feed([&](std::istream& in) { machine.simDeviceSetup().load(in); });
    // Whatever was taken must still be usable.
    std::vector<std::string> names;
    machine.spooler().EnumPortsA(names);
    std::vector<platform::PrinterInfo2> printers;
    machine.spooler().EnumPrintersA(printers);
    return 0;
}

// drvsim's command line: a command word, then options of the form
// "--name value" (or "--name=value") and flags.
#pragma once

#include "platform/sim/windows_variant.h"
#include "setup/engine/setup_config.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace drvsim {

enum class Command { Init, Setup, Uninstall, Fail, Show, UsbDriver, Check, Help };

// --device CLASS:DESCRIPTION:HWID
struct DeviceSpec {
    std::string className;
    std::string description;
    std::string hardwareId;
};

struct Options {
    Command command = Command::Help;
    // help: the command it tells about; Help itself for the overview.
    Command helpFor = Command::Help;
    std::string machine; // the machine folder

    // init
    platform::sim::WindowsVariant os = platform::sim::WindowsVariant::Win7;
    int bits = 0;
    bool user = false; // not an administrator
    std::vector<std::uint16_t> usbPrinters;
    std::vector<std::string> inUse;
    std::vector<DeviceSpec> devices;
    bool force = false;
    bool noUsbLibrary = false;
    unsigned spoolerStartDelay = 0;
    std::uint32_t spoolerRefusal = 0;

    // setup (and the --package of uninstall and usbdriver)
    std::string package; // empty: the sample package
    setup::PrinterType type = setup::PrinterType::None;
    std::string model;
    std::string port;
    // What the port page shows is kept for what is not given.
    std::optional<bool> raster;
    bool advanced = false;
    bool setDefault = false;
    std::optional<int> baud;
    std::optional<int> dataBits;
    std::optional<std::string> stopBits; // "1", "1.5", "2"
    std::optional<char> parity;
    std::optional<char> flow;
    std::optional<std::array<std::uint8_t, 4>> ip;
    std::vector<bool> answers; // true: Yes (setup's questions, uninstall's restart)
    // setup and uninstall: a response file, run as the program's /quiet run takes it
    std::string response;

    // uninstall
    std::vector<std::string> items; // rows to tick; none: every row
    bool usbDriver = false;
    bool listOnly = false;

    // fail
    std::string call;
    std::uint32_t error = 0;
    unsigned times = 1;
    bool clearFaults = false;

    // show and check
    bool json = false;

    // usbdriver
    std::string argument;
};

struct ParsedCommandLine {
    Options options;
    std::string error; // empty when the command line is usable
    bool ok() const { return error.empty(); }
};

// The arguments after the program's name.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The overview: every command's synopsis.
std::string usage();
// One command's synopsis and what it does; the overview for Command::Help.
std::string commandHelp(Command command);

// The calls of the simulated machine that fail can make fail, sorted.
const std::vector<std::string>& failableCalls();

} // namespace drvsim

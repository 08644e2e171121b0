#include "tools/drvsim/drvsim_options.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

namespace drvsim {
namespace {

using platform::sim::WindowsVariant;

// Unsigned decimal, or hexadecimal with 0x, within `max`.
bool number(const std::string& text, std::uint64_t max, std::uint64_t& value) {
    std::size_t i = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    }
    if (i >= text.size() || text.size() - i > 16)
        return false;
    std::uint64_t v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (v > max)
            return false;
    }
    value = v;
    return true;
}

bool ipAddress(const std::string& text, std::array<std::uint8_t, 4>& bytes) {
    std::size_t part = 0, digits = 0;
    unsigned value = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '.') {
            if (digits == 0 || part > 3)
                return false;
            bytes[part++] = static_cast<std::uint8_t>(value);
            value = 0;
            digits = 0;
        } else if (text[i] >= '0' && text[i] <= '9' && digits < 3) {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            ++digits;
            if (value > 255)
                return false;
        } else {
            return false;
        }
    }
    return part == 4;
}

struct Parser {
    Options& o;
    std::string error;

    bool fail(const std::string& why) {
        if (error.empty())
            error = why;
        return false;
    }
    bool count(const std::string& name, const std::string& v, std::uint64_t max,
               std::uint64_t& out) {
        return number(v, max, out) ||
               fail(name + " wants a number up to " + std::to_string(max) + ", not '" + v + "'");
    }
    bool oneOf(const std::string& name, const std::string& v,
               const std::set<std::string>& allowed) {
        if (allowed.count(v) != 0)
            return true;
        std::string list;
        for (const std::string& a : allowed)
            list += (list.empty() ? "" : ", ") + a;
        return fail(name + " is one of " + list + ", not '" + v + "'");
    }

    // One option with a value, of the command being parsed.
    bool option(const std::string& name, const std::string& v) {
        std::uint64_t n = 0;
        if (name == "--machine") {
            if (o.command == Command::Check)
                return fail("check reads a package folder (--package), not a machine");
            o.machine = v;
            return !v.empty() || fail("--machine wants a folder");
        }
        if (name == "--package") {
            if (o.command != Command::Setup && o.command != Command::Uninstall &&
                o.command != Command::UsbDriver && o.command != Command::Check)
                return fail("--package belongs to setup, uninstall, usbdriver and check");
            o.package = v;
            return !v.empty() || fail("--package wants a folder");
        }
        if (name == "--response" &&
            (o.command == Command::Setup || o.command == Command::Uninstall)) {
            o.response = v;
            return !v.empty() || fail("--response wants a response file");
        }
        // The setup's questions, the uninstaller's restart dialog.
        if (name == "--answer" &&
            (o.command == Command::Setup || o.command == Command::Uninstall)) {
            if (!oneOf(name, v, {"yes", "no"}))
                return false;
            o.answers.push_back(v == "yes");
            return true;
        }
        switch (o.command) {
        case Command::Init:
            if (name == "--os") {
                const auto os = platform::sim::parseWindowsVariant(v);
                if (!os)
                    return fail("--os is one of " + platform::sim::windowsVariantNames(", ") +
                                ", not '" + v + "'");
                o.os = *os;
                return true;
            }
            if (name == "--bits") {
                if (!oneOf(name, v, {"32", "64"}))
                    return false;
                o.bits = v == "32" ? 32 : 64;
                return true;
            }
            if (name == "--usb-printer") {
                if (!count(name, v, 0xFFFF, n))
                    return false;
                o.usbPrinters.push_back(static_cast<std::uint16_t>(n));
                return true;
            }
            if (name == "--in-use") {
                if (v.size() < 3 || v[1] != ':' || (v[2] != '\\' && v[2] != '/'))
                    return fail("--in-use wants a Windows path such as C:\\WINDOWS\\x.dll, not '" +
                                v + "'");
                o.inUse.push_back(v);
                return true;
            }
            if (name == "--device") {
                const std::size_t a = v.find(':');
                const std::size_t b = a == std::string::npos ? a : v.find(':', a + 1);
                if (b == std::string::npos || a == 0 || b == a + 1 || b + 1 == v.size())
                    return fail("--device wants CLASS:DESCRIPTION:HWID, not '" + v + "'");
                o.devices.push_back(
                    DeviceSpec{v.substr(0, a), v.substr(a + 1, b - a - 1), v.substr(b + 1)});
                return true;
            }
            if (name == "--spooler-start-delay") {
                if (!count(name, v, 1000, n))
                    return false;
                o.spoolerStartDelay = static_cast<unsigned>(n);
                return true;
            }
            if (name == "--spooler-refuses") {
                if (!count(name, v, 0xFFFFFFFF, n) || n == 0)
                    return fail("--spooler-refuses wants a non-zero Win32 error number");
                o.spoolerRefusal = static_cast<std::uint32_t>(n);
                return true;
            }
            break;
        case Command::Setup:
            if (name == "--type") {
                static const std::map<std::string, setup::PrinterType> types = {
                    {"receipt", setup::PrinterType::Receipt},
                    {"ticket", setup::PrinterType::Ticket},
                    {"label", setup::PrinterType::Label},
                    {"embedded", setup::PrinterType::Embedded}};
                if (!oneOf(name, v, {"receipt", "ticket", "label", "embedded"}))
                    return false;
                o.type = types.at(v);
                return true;
            }
            if (name == "--model") {
                o.model = v;
                return !v.empty() || fail("--model wants a model name");
            }
            if (name == "--port") {
                o.port = v;
                return !v.empty() || fail("--port wants the port list's text");
            }
            if (name == "--baud") {
                if (!count(name, v, 4000000, n) || n == 0)
                    return fail("--baud wants a positive number");
                o.baud = static_cast<int>(n);
                return true;
            }
            if (name == "--data-bits") {
                if (!oneOf(name, v, {"5", "6", "7", "8"}))
                    return false;
                o.dataBits = v[0] - '0';
                return true;
            }
            if (name == "--stop-bits") {
                if (!oneOf(name, v, {"1", "1.5", "2"}))
                    return false;
                o.stopBits = v;
                return true;
            }
            if (name == "--parity") {
                if (!oneOf(name, v, {"n", "e", "o", "m", "s"}))
                    return false;
                o.parity = v[0];
                return true;
            }
            if (name == "--flow") {
                if (!oneOf(name, v, {"x", "p", "n"}))
                    return false;
                // The port page's value for "None" is a space.
                o.flow = v == "n" ? ' ' : v[0];
                return true;
            }
            if (name == "--ip") {
                std::array<std::uint8_t, 4> bytes{};
                if (!ipAddress(v, bytes))
                    return fail("--ip wants A.B.C.D with numbers up to 255, not '" + v + "'");
                o.ip = bytes;
                return true;
            }
            break;
        case Command::Uninstall:
            if (name == "--item") {
                o.items.push_back(v);
                return !v.empty() || fail("--item wants the text of a row of the list");
            }
            break;
        case Command::Fail:
            if (name == "--call") {
                o.call = v;
                if (v.empty())
                    return fail("--call wants the API's name, e.g. AddPrinterA");
                const std::vector<std::string>& calls = failableCalls();
                if (std::binary_search(calls.begin(), calls.end(), v))
                    return true;
                std::string list, line;
                for (const std::string& call : calls) {
                    if (!line.empty() && line.size() + call.size() > 78) {
                        list += "\n " + line;
                        line.clear();
                    }
                    line += " " + call;
                }
                list += "\n " + line;
                return fail("the machine has no call '" + v + "' that can fail; these can:" + list);
            }
            if (name == "--error") {
                if (!count(name, v, 0xFFFFFFFF, n) || n == 0)
                    return fail("--error wants a non-zero Win32 error number");
                o.error = static_cast<std::uint32_t>(n);
                return true;
            }
            if (name == "--times") {
                if (!count(name, v, 1000000, n))
                    return false;
                o.times = static_cast<unsigned>(n);
                return true;
            }
            break;
        default:
            break;
        }
        return fail("unknown option " + name + " for this command");
    }

    bool flag(const std::string& name) {
        if (o.command == Command::Init) {
            if (name == "--user")
                return o.user = true;
            if (name == "--force")
                return o.force = true;
            if (name == "--no-usb-library")
                return o.noUsbLibrary = true;
        }
        if (o.command == Command::Setup) {
            if (name == "--raster" || name == "--no-raster") {
                o.raster = name == "--raster";
                return true;
            }
            if (name == "--advanced")
                return o.advanced = true;
            if (name == "--default")
                return o.setDefault = true;
        }
        if (o.command == Command::Uninstall) {
            if (name == "--usb-driver")
                return o.usbDriver = true;
            if (name == "--list")
                return o.listOnly = true;
        }
        if ((o.command == Command::Show || o.command == Command::Check) && name == "--json")
            return o.json = true;
        if (o.command == Command::Fail && name == "--clear")
            return o.clearFaults = true;
        return false;
    }
};

bool takesValue(Command command, const std::string& name) {
    static const std::set<std::string> common = {"--machine", "--package"};
    static const std::map<Command, std::set<std::string>> valued = {
        {Command::Init,
         {"--os", "--bits", "--usb-printer", "--in-use", "--device", "--spooler-start-delay",
          "--spooler-refuses"}},
        {Command::Setup,
         {"--type", "--model", "--port", "--baud", "--data-bits", "--stop-bits", "--parity",
          "--flow", "--ip", "--answer", "--response"}},
        {Command::Uninstall, {"--item", "--answer", "--response"}},
        {Command::Fail, {"--call", "--error", "--times"}},
    };
    if (common.count(name) != 0)
        return true;
    auto it = valued.find(command);
    return it != valued.end() && it->second.count(name) != 0;
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    Options& o = parsed.options;
    if (arguments.empty()) {
        parsed.error = "no command given";
        return parsed;
    }
    static const std::map<std::string, Command> commands = {
        {"init", Command::Init},   {"setup", Command::Setup}, {"uninstall", Command::Uninstall},
        {"fail", Command::Fail},   {"show", Command::Show},   {"usbdriver", Command::UsbDriver},
        {"check", Command::Check}, {"help", Command::Help},   {"--help", Command::Help},
        {"-h", Command::Help}};
    auto command = commands.find(arguments[0]);
    if (command == commands.end()) {
        parsed.error = "unknown command '" + arguments[0] + "'";
        return parsed;
    }
    o.command = command->second;
    if (o.command == Command::Help) {
        // help COMMAND tells about one command.
        if (arguments.size() > 2)
            parsed.error = "help takes one command at most";
        else if (arguments.size() == 2 && commands.count(arguments[1]) == 0)
            parsed.error = "unknown command '" + arguments[1] + "'";
        else if (arguments.size() == 2)
            o.helpFor = commands.at(arguments[1]);
        return parsed;
    }
    // COMMAND --help, wherever it stands, asks for that command's help.
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            o.helpFor = o.command;
            o.command = Command::Help;
            return parsed;
        }
    }

    Parser p{o, {}};
    bool osGiven = false, timesGiven = false;
    for (std::size_t i = 1; i < arguments.size() && p.error.empty(); ++i) {
        const std::string& a = arguments[i];
        if (a.rfind("--", 0) != 0) {
            // usbdriver's one word for Install; it may begin with a single dash.
            if (o.command == Command::UsbDriver && o.argument.empty() && !a.empty()) {
                o.argument = a;
                continue;
            }
            p.fail("unexpected argument '" + a + "'");
            break;
        }
        std::string name = a, value;
        const std::size_t equals = a.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            name = a.substr(0, equals);
            value = a.substr(equals + 1);
        }
        if (takesValue(o.command, name)) {
            if (!inlineValue) {
                if (i + 1 >= arguments.size()) {
                    p.fail(name + " wants a value");
                    break;
                }
                value = arguments[++i];
            }
            osGiven = osGiven || name == "--os";
            timesGiven = timesGiven || name == "--times";
            p.option(name, value);
        } else if (inlineValue || !p.flag(name)) {
            p.fail("unknown option " + name + " for " + arguments[0]);
        }
    }
    if (p.error.empty()) {
        if (o.machine.empty() && o.command != Command::Check)
            p.fail("--machine is required");
        else if (o.command == Command::Init && (!osGiven || o.bits == 0))
            p.fail("init needs --os and --bits");
        else if (o.command == Command::Init && !platform::sim::supportsBits(o.os, o.bits))
            p.fail("Windows " + platform::sim::windowsVariantName(o.os) + " does not exist with " +
                   std::to_string(o.bits) + " bits");
        else if (o.command == Command::Setup && !o.response.empty() &&
                 (o.type != setup::PrinterType::None || !o.model.empty() || !o.port.empty() ||
                  o.raster || o.advanced || o.setDefault || o.baud || o.dataBits || o.stopBits ||
                  o.parity || o.flow || o.ip || !o.answers.empty()))
            p.fail("setup --response takes every choice and answer from the file; it takes no "
                   "other choice or --answer");
        else if (o.command == Command::Uninstall && !o.response.empty() &&
                 (!o.items.empty() || o.usbDriver || o.listOnly || !o.answers.empty()))
            p.fail("uninstall --response takes the items from the file; it takes no --item, "
                   "--usb-driver, --list or --answer");
        else if (o.command == Command::Setup && o.response.empty() &&
                 (o.type == setup::PrinterType::None || o.model.empty() || o.port.empty()))
            p.fail("setup needs --type, --model and --port, or --response FILE");
        else if (o.command == Command::Uninstall && o.listOnly &&
                 (!o.items.empty() || o.usbDriver || !o.answers.empty()))
            p.fail("uninstall --list only lists; it takes no --item, --usb-driver or --answer");
        else if (o.command == Command::Fail && o.clearFaults &&
                 (!o.call.empty() || o.error != 0 || timesGiven))
            p.fail("fail --clear removes every pending fault; it takes no --call, --error or "
                   "--times");
        else if (o.command == Command::Fail && !o.clearFaults && (o.call.empty() || o.error == 0))
            p.fail("fail needs --call and --error (or --clear)");
        else if (o.command == Command::UsbDriver && o.argument.empty())
            p.fail("usbdriver needs Install's argument, e.g. 2");
    }
    parsed.error = p.error;
    return parsed;
}

} // namespace drvsim

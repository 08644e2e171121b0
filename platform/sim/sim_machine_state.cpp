// A simulated machine kept in a folder between runs.
#include "platform/sim/saved_state.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace platform::sim {
namespace {

constexpr const char* configFile = "machine.txt";
constexpr const char* formatVersion = "1";

// One part's state, written beside the others. A part's file is replaced in
// one step, so a machine interrupted while saving keeps its previous file.
bool writeState(const std::string& folder, const std::string& name,
                const std::function<void(std::ostream&)>& write, std::string& error) {
    const fs::path target = fs::path(folder) / name;
    const fs::path temporary = fs::path(folder) / (name + ".new");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot write " + temporary.string();
            return false;
        }
        write(out);
        out.flush();
        if (!out) {
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        error = "cannot replace " + target.string() + ": " + ec.message();
        return false;
    }
    return true;
}

bool readState(const std::string& folder, const std::string& name, std::stringstream& text,
               std::string& error) {
    std::ifstream in(fs::path(folder) / name, std::ios::binary);
    if (!in) {
        error = name + " is missing from " + folder;
        return false;
    }
    text << in.rdbuf();
    return true;
}

// The faults file is checked here: the fault list itself takes what it can.
bool checkFaults(std::istream& in, std::string& error) {
    SavedLines lines(in);
    std::vector<std::string> f;
    std::uint32_t number = 0;
    while (lines.next(f)) {
        if (f.size() != 4 || f[0] != "fault" || f[1].empty() || !parseNumber32(f[2], number) ||
            number == 0 || !parseNumber32(f[3], number))
            return lines.refuse(error, "not a fault line (fault CALL ERROR TIMES)");
    }
    return true;
}

} // namespace

bool SimMachine::readConfig(const std::string& folder, SimConfig& config, std::string& error) {
    std::stringstream text;
    if (!readState(folder, configFile, text, error))
        return false;
    return parseConfig(text.str(), folder, config, error);
}

bool SimMachine::parseConfig(const std::string& configText, const std::string& folder,
                             SimConfig& config, std::string& error) {
    std::istringstream text(configText);
    SimConfig c;
    c.root = folder;
    c.packageDir.clear();
    bool sawFormat = false, sawOs = false;
    SavedLines lines(text);
    std::vector<std::string> f;
    std::string why;
    while (lines.next(f)) {
        const std::string& key = f[0];
        const std::string value = f.size() == 2 ? f[1] : std::string();
        std::uint32_t n = 0;
        if (f.size() != 2) {
            why = "expected a name and a value";
        } else if (key == "format") {
            sawFormat = value == formatVersion;
            if (!sawFormat)
                why = "unknown format '" + value + "'";
        } else if (key == "os") {
            const std::optional<WindowsVariant> os = parseWindowsVariant(value);
            sawOs = os.has_value();
            if (os)
                c.os = *os;
            else
                why = "unknown Windows variant '" + value + "'";
        } else if (key == "bits" || key == "process-bits") {
            if (!parseNumber32(value, n) || (n != 32 && n != 64))
                why = key + " must be 32 or 64";
            else
                (key == "bits" ? c.bits : c.processBits) = static_cast<int>(n);
        } else if (key == "administrator") {
            if (value != "0" && value != "1")
                why = "administrator must be 0 or 1";
            c.administrator = value == "1";
        } else if (key == "package") {
            c.packageDir = value;
        } else if (key == "program-folder") {
            c.programFolder = value;
        } else if (key == "program-name") {
            c.programName = value;
        } else {
            why = "unknown setting '" + key + "'";
        }
        if (!why.empty()) {
            lines.refuse(error, why);
            error = std::string(configFile) + ": " + error;
            return false;
        }
    }
    if (!sawFormat || !sawOs) {
        error = std::string(configFile) + ": the format and the Windows variant must be given";
        return false;
    }
    if (!supportsBits(c.os, c.bits) || c.processBits > c.bits) {
        error = std::string(configFile) + ": " + windowsVariantName(c.os) +
                " does not exist with " + std::to_string(c.bits) + " bits for a " +
                std::to_string(c.processBits) + "-bit program";
        return false;
    }
    if (c.programFolder.size() < 3 || c.programFolder[1] != ':' || c.programName.empty()) {
        error = std::string(configFile) + ": the program folder must be a Windows path";
        return false;
    }
    config = c;
    return true;
}

bool SimMachine::save(std::string& error) const {
    const std::string& folder = config_.root;
    const SimConfig& c = config_;
    using Writer = std::function<void(std::ostream&)>;
    const std::vector<std::pair<const char*, Writer>> parts = {
        {configFile,
         [&](std::ostream& out) {
             out << joinFields({"format", formatVersion}) << '\n'
                 << joinFields({"os", windowsVariantName(c.os)}) << '\n'
                 << joinFields({"bits", std::to_string(c.bits)}) << '\n'
                 << joinFields({"process-bits", std::to_string(c.processBits)}) << '\n'
                 << joinFields({"administrator", c.administrator ? "1" : "0"}) << '\n'
                 << joinFields({"package", c.packageDir}) << '\n'
                 << joinFields({"program-folder", c.programFolder}) << '\n'
                 << joinFields({"program-name", c.programName}) << '\n';
         }},
        {"registry.txt", [&](std::ostream& out) { registry_->save(out); }},
        {"files.txt", [&](std::ostream& out) { files_->save(out); }},
        {"desktop.txt", [&](std::ostream& out) { desktop_->save(out); }},
        {"clock.txt",
         [&](std::ostream& out) {
             out << joinFields(
                        {"clock", std::to_string(clock_->now()), std::to_string(clock_->waited())})
                 << '\n';
         }},
        {"faults.txt", [&](std::ostream& out) { faults_.save(out); }},
        {"spooler.txt", [&](std::ostream& out) { spooler_->save(out); }},
        {"services.txt", [&](std::ostream& out) { services_->save(out); }},
        {"usb.txt", [&](std::ostream& out) { usb_->save(out); }},
        {"devices.txt", [&](std::ostream& out) { deviceSetup_->save(out); }},
    };
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const auto& [name, write] : parts) {
        if (!writeState(folder, name, write, error))
            return false;
    }
    return true;
}

bool SimMachine::load(std::string& error) {
    const std::string& folder = config_.root;
    // Each part: its file and how to read it; false with `why` set when refused.
    using Reader = std::function<bool(std::istream&, std::string&)>;
    auto plain = [](const std::function<bool(std::istream&)>& read) {
        return [read](std::istream& in, std::string& why) {
            if (read(in))
                return true;
            // These readers stop on the line they refuse: the lines read so far tell which.
            in.clear();
            const std::streamoff at = in.tellg();
            const auto* text = dynamic_cast<const std::stringstream*>(&in);
            std::size_t line = 0;
            if (text != nullptr && at > 0) {
                const std::string all = text->str();
                const std::size_t end = std::min(static_cast<std::size_t>(at), all.size());
                line = static_cast<std::size_t>(std::count(all.begin(), all.begin() + end, '\n'));
                if (end > 0 && all[end - 1] != '\n')
                    ++line;
            }
            why = (line > 0 ? "line " + std::to_string(line) + ": " : std::string()) +
                  "not in the expected form";
            return false;
        };
    };
    const std::vector<std::pair<const char*, Reader>> parts = {
        {"registry.txt", plain([&](std::istream& in) { return registry_->load(in); })},
        {"files.txt", plain([&](std::istream& in) { return files_->load(in); })},
        {"desktop.txt", plain([&](std::istream& in) { return desktop_->load(in); })},
        {"clock.txt",
         [&](std::istream& in, std::string& why) {
             SavedLines lines(in);
             std::vector<std::string> f;
             std::uint64_t now = 0, waited = 0;
             if (!lines.next(f) || f.size() != 3 || f[0] != "clock" ||
                 !parseNumber(f[1], UINT64_MAX, now) || !parseNumber(f[2], UINT64_MAX, waited))
                 return lines.refuse(why, "expected: clock NOW WAITED");
             clock_->restore(now, waited);
             return true;
         }},
        {"faults.txt",
         [&](std::istream& in, std::string& why) {
             std::stringstream copy;
             copy << in.rdbuf();
             if (!checkFaults(copy, why))
                 return false;
             copy.clear();
             copy.seekg(0);
             faults_.load(copy);
             return true;
         }},
        {"spooler.txt",
         [&](std::istream& in, std::string& why) { return spooler_->load(in, why); }},
        {"services.txt",
         [&](std::istream& in, std::string& why) { return services_->load(in, why); }},
        {"usb.txt", [&](std::istream& in, std::string& why) { return usb_->load(in, why); }},
        {"devices.txt", plain([&](std::istream& in) { return deviceSetup_->load(in); })},
    };
    for (const auto& [name, read] : parts) {
        std::stringstream text;
        if (!readState(folder, name, text, error))
            return false;
        std::string why;
        if (!read(text, why)) {
            error = std::string(name) + ": " + why;
            return false;
        }
    }
    return true;
}

} // namespace platform::sim

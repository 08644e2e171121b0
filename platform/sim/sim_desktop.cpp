#include "platform/sim/sim_desktop.h"

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <cstdlib>
#include <istream>
#include <ostream>

namespace platform::sim {

SimDesktop::SimDesktop(SimMachine& machine) : machine_(machine) {}

void SimDesktop::expireWindows() {
    const std::uint64_t now = machine_.simClock().now();
    windows_.erase(
        std::remove_if(windows_.begin(), windows_.end(),
                       [&](const Window& w) { return w.closesAt && *w.closesAt <= now; }),
        windows_.end());
}

Handle SimDesktop::CreateMutexA(const std::string& name, bool /*initialOwner*/) {
    if (machine_.faults().fail("CreateMutexA", machine_))
        return 0;
    // A named mutex that exists already is opened, and the call says so.
    const bool existed = !mutexes_.insert(name).second;
    machine_.SetLastError(existed ? err::alreadyExists : err::success);
    return 0x2000 + mutexes_.size();
}

Handle SimDesktop::FindWindowA(const std::string& title) {
    if (machine_.faults().fail("FindWindowA", machine_))
        return 0;
    expireWindows();
    for (const Window& w : windows_) {
        if (equalNoCase(w.title, title))
            return w.handle;
    }
    machine_.SetLastError(err::success);
    return 0;
}

bool SimDesktop::SetForegroundWindow(Handle window) {
    if (machine_.faults().fail("SetForegroundWindow", machine_))
        return false;
    if (this->window(window) == nullptr)
        return false;
    foreground_ = window;
    return true;
}

bool SimDesktop::IsIconic(Handle window) {
    const Window* w = this->window(window);
    return w != nullptr && w->iconic;
}

bool SimDesktop::ShowWindow(Handle window, int command) {
    if (machine_.faults().fail("ShowWindow", machine_))
        return false;
    for (Window& w : windows_) {
        if (w.handle != window)
            continue;
        const bool wasVisible = !w.iconic;
        if (command == sw::restore || command == sw::showNormal)
            w.iconic = false;
        else if (command == sw::minimize)
            w.iconic = true;
        return wasVisible;
    }
    return false;
}

int SimDesktop::MessageBoxA(Handle /*owner*/, const std::string& text, const std::string& caption,
                            std::uint32_t type) {
    if (machine_.faults().fail("MessageBoxA", machine_))
        return 0;
    int answer = mb::idOk;
    const std::uint32_t buttons = type & 0xF;
    if (buttons == mb::yesNo || buttons == 3 /* yes, no, cancel */ || buttons == mb::okCancel) {
        const int no = buttons == mb::okCancel ? mb::idCancel : mb::idNo;
        answer = no;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    boxes_.push_back(MessageBox{text, caption, type, answer});
    return answer;
}

std::uintptr_t SimDesktop::ShellExecuteA(Handle /*owner*/, const std::string& verb,
                                         const std::string& file, const std::string& parameters,
                                         const std::string& directory, int show) {
    if (machine_.faults().fail("ShellExecuteA", machine_))
        return 2;
    Launch launch{verb, file, parameters, directory, show};
    launches_.push_back(launch);
    std::string name = file;
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    if (!machine_.simFiles().exists(file))
        return 2; // SE_ERR_FNF
    auto it = programs_.find(upper(name));
    if (it != programs_.end())
        return it->second(machine_, launch);
    return 42;
}

bool SimDesktop::BroadcastWinIniChange(const std::string& text, std::uint32_t /*timeoutMs*/) {
    if (machine_.faults().fail("SendMessageTimeoutA", machine_))
        return false;
    broadcasts_.push_back(text);
    return true;
}

bool SimDesktop::ExitWindowsEx(std::uint32_t flags) {
    if (machine_.faults().fail("ExitWindowsEx", machine_))
        return false;
    exits_.push_back(flags);
    return true;
}

Handle SimDesktop::addWindow(const std::string& title, bool iconic,
                             std::optional<std::uint64_t> closesAt) {
    const Handle h = nextWindow_;
    nextWindow_ += 0x10;
    windows_.push_back(Window{h, title, iconic, closesAt});
    return h;
}

void SimDesktop::closeWindow(Handle handle) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const Window& w) { return w.handle == handle; }),
                   windows_.end());
}

const SimDesktop::Window* SimDesktop::window(Handle handle) const {
    for (const Window& w : windows_) {
        if (w.handle == handle)
            return &w;
    }
    return nullptr;
}

void SimDesktop::queueAnswers(const std::vector<int>& answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<std::string> SimDesktop::messageTexts() const {
    std::vector<std::string> texts;
    for (const MessageBox& b : boxes_)
        texts.push_back(b.text);
    return texts;
}

void SimDesktop::setProgram(const std::string& fileName, ProgramHandler handler) {
    programs_[upper(fileName)] = std::move(handler);
}

void SimDesktop::save(std::ostream& out) const {
    for (const std::string& m : mutexes_)
        out << joinFields({"mutex", m}) << '\n';
    for (const Window& w : windows_)
        out << joinFields({"window", std::to_string(w.handle), w.title, w.iconic ? "1" : "0",
                           w.closesAt ? std::to_string(*w.closesAt) : "-"})
            << '\n';
    for (const MessageBox& b : boxes_)
        out << joinFields(
                   {"box", b.text, b.caption, std::to_string(b.type), std::to_string(b.answer)})
            << '\n';
    for (const Launch& l : launches_)
        out << joinFields(
                   {"launch", l.verb, l.file, l.parameters, l.directory, std::to_string(l.show)})
            << '\n';
    for (const std::string& b : broadcasts_)
        out << joinFields({"broadcast", b}) << '\n';
    for (std::uint32_t e : exits_)
        out << joinFields({"exit", std::to_string(e)}) << '\n';
}

bool SimDesktop::load(std::istream& in) {
    auto number = [](const std::string& s) { return std::strtoull(s.c_str(), nullptr, 10); };
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitFields(line);
        if (f.size() == 2 && f[0] == "mutex") {
            mutexes_.insert(f[1]);
        } else if (f.size() == 5 && f[0] == "window") {
            Window w{number(f[1]), f[2], f[3] == "1", std::nullopt};
            if (f[4] != "-")
                w.closesAt = number(f[4]);
            nextWindow_ = std::max(nextWindow_, w.handle + 0x10);
            windows_.push_back(w);
        } else if (f.size() == 5 && f[0] == "box") {
            boxes_.push_back(MessageBox{f[1], f[2], static_cast<std::uint32_t>(number(f[3])),
                                        static_cast<int>(number(f[4]))});
        } else if (f.size() == 6 && f[0] == "launch") {
            launches_.push_back(Launch{f[1], f[2], f[3], f[4], static_cast<int>(number(f[5]))});
        } else if (f.size() == 2 && f[0] == "broadcast") {
            broadcasts_.push_back(f[1]);
        } else if (f.size() == 1 && f[0] == "broadcast") {
            broadcasts_.push_back("");
        } else if (f.size() == 2 && f[0] == "exit") {
            exits_.push_back(static_cast<std::uint32_t>(number(f[1])));
        } else if (!line.empty()) {
            return false;
        }
    }
    return true;
}

} // namespace platform::sim

#pragma once

#include "platform/desktop.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::sim {

class SimMachine;

// The desktop of the simulated machine: named mutexes, top-level windows (which
// may close by themselves at a given virtual time), message boxes answered from a
// script and recorded, programs started, broadcasts and restart requests.
class SimDesktop : public Desktop {
public:
    struct Window {
        Handle handle = 0;
        std::string title;
        bool iconic = false;
        std::optional<std::uint64_t> closesAt; // virtual time the window goes away
    };
    struct MessageBox {
        std::string text;
        std::string caption;
        std::uint32_t type = 0;
        int answer = 0;
    };
    struct Launch {
        std::string verb, file, parameters, directory;
        int show = 0;
    };
    // What starting a program does on this machine; returns ShellExecute's result.
    using ProgramHandler = std::function<std::uintptr_t(SimMachine&, const Launch&)>;

    explicit SimDesktop(SimMachine& machine);

    Handle CreateMutexA(const std::string& name, bool initialOwner) override;
    Handle FindWindowA(const std::string& title) override;
    bool SetForegroundWindow(Handle window) override;
    bool IsIconic(Handle window) override;
    bool ShowWindow(Handle window, int command) override;
    int MessageBoxA(Handle owner, const std::string& text, const std::string& caption,
                    std::uint32_t type) override;
    std::uintptr_t ShellExecuteA(Handle owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory,
                                 int show) override;
    bool BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) override;
    bool ExitWindowsEx(std::uint32_t flags) override;

    // Arranging and inspecting.
    Handle addWindow(const std::string& title, bool iconic = false,
                     std::optional<std::uint64_t> closesAt = std::nullopt);
    void closeWindow(Handle window);
    const Window* window(Handle handle) const;
    const std::vector<Window>& windows() const { return windows_; }
    Handle foreground() const { return foreground_; }
    void addMutex(const std::string& name) { mutexes_.insert(name); }
    // The program that held it has ended.
    void removeMutex(const std::string& name) { mutexes_.erase(name); }
    // Answers for the Yes/No (and OK/Cancel) questions, in order; a question
    // with no answer left gets No (Cancel).
    void queueAnswers(const std::vector<int>& answers);
    const std::vector<MessageBox>& messageBoxes() const { return boxes_; }
    std::vector<std::string> messageTexts() const;
    void setProgram(const std::string& fileName, ProgramHandler handler);
    const std::vector<Launch>& launches() const { return launches_; }
    const std::vector<std::string>& broadcasts() const { return broadcasts_; }
    const std::vector<std::uint32_t>& exitRequests() const { return exits_; }

    void save(std::ostream& out) const;
    bool load(std::istream& in);

private:
    void expireWindows();

    SimMachine& machine_;
    std::set<std::string> mutexes_;
    std::vector<Window> windows_;
    Handle nextWindow_ = 0x10010;
    Handle foreground_ = 0;
    std::deque<int> answers_;
    std::vector<MessageBox> boxes_;
    std::map<std::string, ProgramHandler> programs_; // by upper-case file name
    std::vector<Launch> launches_;
    std::vector<std::string> broadcasts_;
    std::vector<std::uint32_t> exits_;
};

} // namespace platform::sim

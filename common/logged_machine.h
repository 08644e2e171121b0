// The machine as a logged run sees it: every message box goes into the run
// log with the button that answered it. In a quiet run no box is shown at
// all: a notice is only logged, a question takes the answer the response file
// gave for its text or else the safe one (No, Cancel), and Windows is never
// restarted; the run reports instead that a restart is needed.
#pragma once

#include "common/run_log.h"
#include "platform/machine.h"

#include <string>
#include <vector>

namespace common {

// A question's answer in a quiet run, recognised by the question's text.
struct QuietAnswer {
    std::string question;
    bool yes = false;
    std::string source;          // why this answer, for the log ("ChangeIdentity=yes")
    bool noMeansRestart = false; // No leaves a restart to be done (the restart question)
};

class LoggedDesktop : public platform::Desktop {
public:
    LoggedDesktop(platform::Desktop& inner, RunLog& log, bool quiet);

    void setAnswers(std::vector<QuietAnswer> answers) { answers_ = std::move(answers); }
    bool quiet() const { return quiet_; }
    // A quiet run left a restart to be done.
    bool restartNeeded() const { return restartNeeded_; }
    void setRestartNeeded() { restartNeeded_ = true; }
    // The last question asked was answered No (or Cancel).
    bool lastAnswerWasNo() const { return lastAnswerWasNo_; }

    platform::Handle CreateMutexA(const std::string& name, bool initialOwner) override;
    platform::Handle FindWindowA(const std::string& title) override;
    bool SetForegroundWindow(platform::Handle window) override;
    bool IsIconic(platform::Handle window) override;
    bool ShowWindow(platform::Handle window, int command) override;
    int MessageBoxA(platform::Handle owner, const std::string& text, const std::string& caption,
                    std::uint32_t type) override;
    std::uintptr_t ShellExecuteA(platform::Handle owner, const std::string& verb,
                                 const std::string& file, const std::string& parameters,
                                 const std::string& directory, int show) override;
    bool BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) override;
    bool ExitWindowsEx(std::uint32_t flags) override;

private:
    int quietAnswer(const std::string& text, std::uint32_t buttons);

    platform::Desktop& inner_;
    RunLog& log_;
    bool quiet_;
    std::vector<QuietAnswer> answers_;
    bool restartNeeded_ = false;
    bool lastAnswerWasNo_ = false;
};

// Every area of `inner`, with the logged desktop in place of its own.
class LoggedMachine : public platform::Machine {
public:
    LoggedMachine(platform::Machine& inner, RunLog& log, bool quiet)
        : inner_(inner), desktop_(inner.desktop(), log, quiet) {}

    LoggedDesktop& loggedDesktop() { return desktop_; }

    platform::Registry& registry() override { return inner_.registry(); }
    platform::Files& files() override { return inner_.files(); }
    platform::SystemInfo& system() override { return inner_.system(); }
    platform::Desktop& desktop() override { return desktop_; }
    platform::ProfileFiles& profiles() override { return inner_.profiles(); }
    platform::Clock& clock() override { return inner_.clock(); }
    platform::Spooler& spooler() override { return inner_.spooler(); }
    platform::Services& services() override { return inner_.services(); }
    platform::DeviceSetup& deviceSetup() override { return inner_.deviceSetup(); }
    platform::UsbInterfaceLibrary& usb() override { return inner_.usb(); }
    std::uint32_t GetLastError() override { return inner_.GetLastError(); }
    void SetLastError(std::uint32_t code) override { inner_.SetLastError(code); }

private:
    platform::Machine& inner_;
    LoggedDesktop desktop_;
};

} // namespace common

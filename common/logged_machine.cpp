#include "common/logged_machine.h"

namespace common {
namespace {

constexpr std::uint32_t buttonsMask = 0xF;
constexpr std::uint32_t abortRetryIgnore = 0x2;
constexpr std::uint32_t yesNoCancel = 0x3;
constexpr int idAbort = 3;

bool isQuestion(std::uint32_t buttons) {
    return buttons != platform::mb::ok;
}

std::string answerName(int answer) {
    switch (answer) {
    case platform::mb::idOk:
        return "OK";
    case platform::mb::idYes:
        return "Yes";
    case platform::mb::idNo:
        return "No";
    case idAbort:
        return "Abort";
    case platform::mb::idCancel:
        return "Cancel";
    default:
        return "button " + std::to_string(answer);
    }
}

} // namespace

LoggedDesktop::LoggedDesktop(platform::Desktop& inner, RunLog& log, bool quiet)
    : inner_(inner), log_(log), quiet_(quiet) {}

platform::Handle LoggedDesktop::CreateMutexA(const std::string& name, bool initialOwner) {
    return inner_.CreateMutexA(name, initialOwner);
}

platform::Handle LoggedDesktop::FindWindowA(const std::string& title) {
    return inner_.FindWindowA(title);
}

bool LoggedDesktop::SetForegroundWindow(platform::Handle window) {
    return inner_.SetForegroundWindow(window);
}

bool LoggedDesktop::IsIconic(platform::Handle window) {
    return inner_.IsIconic(window);
}

bool LoggedDesktop::ShowWindow(platform::Handle window, int command) {
    return inner_.ShowWindow(window, command);
}

int LoggedDesktop::quietAnswer(const std::string& text, std::uint32_t buttons) {
    for (const QuietAnswer& a : answers_) {
        if (a.question != text)
            continue;
        if (a.yes && (buttons == platform::mb::yesNo || buttons == yesNoCancel)) {
            log_.question(text, "Yes (" + a.source + ")");
            return platform::mb::idYes;
        }
        if (a.noMeansRestart)
            restartNeeded_ = true;
        log_.question(text, "No (" + a.source + ")");
        return platform::mb::idNo;
    }
    // Nothing is done that nobody asked for.
    int answer = platform::mb::idCancel;
    if (buttons == platform::mb::yesNo)
        answer = platform::mb::idNo;
    else if (buttons == abortRetryIgnore)
        answer = idAbort;
    log_.question(text, answerName(answer) + " (the safe answer of a quiet run)");
    return answer;
}

int LoggedDesktop::MessageBoxA(platform::Handle owner, const std::string& text,
                               const std::string& caption, std::uint32_t type) {
    const std::uint32_t buttons = type & buttonsMask;
    if (!isQuestion(buttons)) {
        log_.message(text);
        return quiet_ ? platform::mb::idOk : inner_.MessageBoxA(owner, text, caption, type);
    }
    const int answer =
        quiet_ ? quietAnswer(text, buttons) : inner_.MessageBoxA(owner, text, caption, type);
    if (!quiet_)
        log_.question(text, answerName(answer));
    lastAnswerWasNo_ = answer != platform::mb::idYes && answer != platform::mb::idOk;
    return answer;
}

std::uintptr_t LoggedDesktop::ShellExecuteA(platform::Handle owner, const std::string& verb,
                                            const std::string& file, const std::string& parameters,
                                            const std::string& directory, int show) {
    log_.note("starting " + file + (parameters.empty() ? "" : " " + parameters));
    return inner_.ShellExecuteA(owner, verb, file, parameters, directory, show);
}

bool LoggedDesktop::BroadcastWinIniChange(const std::string& text, std::uint32_t timeoutMs) {
    return inner_.BroadcastWinIniChange(text, timeoutMs);
}

bool LoggedDesktop::ExitWindowsEx(std::uint32_t flags) {
    if (!quiet_) {
        log_.note("restarting Windows");
        return inner_.ExitWindowsEx(flags);
    }
    restartNeeded_ = true;
    log_.note("Windows is not restarted in a quiet run; a restart is needed");
    return true;
}

} // namespace common

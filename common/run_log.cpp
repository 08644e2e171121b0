#include "common/run_log.h"

#include "platform/machine.h"

#include <cstdio>

namespace common {
namespace {

const char* entryName(LogEntry entry) {
    switch (entry) {
    case LogEntry::Step:
        return "step";
    case LogEntry::Message:
        return "message";
    case LogEntry::Question:
        return "question";
    case LogEntry::Note:
        return "note";
    case LogEntry::Result:
        break;
    }
    return "result";
}

// A text of several lines stays on the log's one line.
std::string oneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            line += " | ";
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

RunLog::RunLog(platform::Machine& machine, std::string path)
    : machine_(machine), path_(std::move(path)) {}

void RunLog::step(const std::string& what) {
    lastStep_ = what;
    add(LogEntry::Step, what);
}

void RunLog::message(const std::string& text) {
    add(LogEntry::Message, text);
}

void RunLog::question(const std::string& text, const std::string& answer) {
    add(LogEntry::Question, text + " -> " + answer);
}

void RunLog::note(const std::string& text) {
    add(LogEntry::Note, text);
}

void RunLog::result(int exitCode, const std::string& text) {
    std::string line = std::to_string(exitCode) + " " + text;
    if (exitCode != 0 && exitCode != 3010 && !lastStep_.empty())
        line += " (in the step \"" + lastStep_ + "\")";
    add(LogEntry::Result, line);
}

void RunLog::add(LogEntry entry, const std::string& text) {
    const platform::LocalTime t = machine_.clock().GetLocalTime();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u  %-9s ", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, t.milliseconds, entryName(entry));
    lines_.push_back(stamp + oneLine(text));
    content_ += lines_.back() + "\r\n";
    if (path_.empty())
        return;
    // The log must not change what the run's next call reads as its last error.
    const std::uint32_t lastError = machine_.GetLastError();
    written_ = machine_.files().WriteFileBytes(
        path_, std::vector<std::uint8_t>(content_.begin(), content_.end()));
    writeError_ = written_ ? 0 : machine_.GetLastError();
    machine_.SetLastError(lastError);
}

std::string temporaryLogPath(platform::Machine& machine, const std::string& name) {
    std::string folder;
    if (!machine.system().GetTempPathA(folder) || folder.empty())
        return {};
    if (folder.back() != '\\')
        folder += '\\';
    return folder + name;
}

std::string pathFrom(const std::string& callerFolder, const std::string& path) {
    const bool absolute = (path.size() >= 2 && path[1] == ':') ||
                          (!path.empty() && (path[0] == '\\' || path[0] == '/'));
    if (absolute || callerFolder.empty())
        return path;
    const char last = callerFolder.back();
    return callerFolder + (last == '\\' || last == '/' ? "" : "\\") + path;
}

} // namespace common

// The run log: one line per step of a setup or removal run, with the time,
// what was done, every message the user saw (or, in a quiet run, would have
// seen) and the final result, so that a run nobody watched, or one that failed
// in front of a user, can be read afterwards. Written through the machine's
// files, whole, after every line: a run that ends abruptly leaves what it did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace common {

enum class LogEntry { Step, Message, Question, Note, Result };

class RunLog {
public:
    // An empty path keeps the lines in memory only.
    RunLog(platform::Machine& machine, std::string path);

    void step(const std::string& what);
    void message(const std::string& text);
    void question(const std::string& text, const std::string& answer);
    void note(const std::string& text);
    // The final line; names the step the run was in.
    void result(int exitCode, const std::string& text);

    const std::string& path() const { return path_; }
    const std::string& lastStep() const { return lastStep_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // Whether the last write of the file succeeded.
    bool written() const { return written_; }
    // Why the last write failed (a Win32 error number).
    std::uint32_t writeError() const { return writeError_; }

private:
    void add(LogEntry entry, const std::string& text);

    platform::Machine& machine_;
    std::string path_;
    std::string lastStep_;
    std::vector<std::string> lines_;
    std::string content_;
    bool written_ = false;
    std::uint32_t writeError_ = 0;
};

// The temporary folder followed by `name`; empty when the system has no
// temporary folder.
std::string temporaryLogPath(platform::Machine& machine, const std::string& name);

// A path as the caller meant it: relative ones are taken from `callerFolder`.
std::string pathFrom(const std::string& callerFolder, const std::string& path);

} // namespace common

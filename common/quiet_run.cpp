#include "common/quiet_run.h"

#include "common/system_text.h"
#include "platform/machine.h"

namespace common {

std::string interactiveLogPath(platform::Machine& machine, const std::string& callerFolder,
                               const QuietCommandLine& line, const std::string& logName) {
    if (line.ok() && !line.log.empty())
        return pathFrom(callerFolder, line.log);
    return temporaryLogPath(machine, logName);
}

int runQuiet(platform::Machine& machine, const std::string& callerFolder,
             const QuietCommandLine& line, const std::string& logName, bool responseRequired,
             const QuietRun& run) {
    RunLog log(machine, interactiveLogPath(machine, callerFolder, line, logName));
    auto refuse = [&log](const std::string& why) {
        log.result(exitCodeOf(QuietExit::BadInput), why);
        return exitCodeOf(QuietExit::BadInput);
    };
    log.step("Quiet run");
    if (!line.ok())
        return refuse("the command line cannot be used: " + line.error);
    if (!line.log.empty() && !log.written())
        return refuse("the log " + log.path() +
                      " cannot be written: " + systemText(machine, log.writeError()));
    if (line.response.empty()) {
        if (responseRequired)
            return refuse("the command line names no response file: /quiet /response FILE");
        return exitCodeOf(run("", {}, log));
    }
    const std::string path = pathFrom(callerFolder, line.response);
    std::vector<std::uint8_t> bytes;
    if (!machine.files().ReadFileBytes(path, bytes))
        return refuse("the response file " + path +
                      " cannot be read: " + systemText(machine, machine.GetLastError()));
    return exitCodeOf(run(path, bytes, log));
}

} // namespace common

// What Tessaly.exe and Uninstall.exe share in a quiet run: the log where the
// command line says (the temporary folder otherwise), the response file read
// through the machine, and 87 for a command line or file that cannot be used.
#pragma once

#include "common/quiet_command_line.h"
#include "common/quiet_exit.h"
#include "common/run_log.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace common {

// The program's own quiet run: the response file's name (empty when none was
// given) and bytes, and the log to write.
using QuietRun = std::function<QuietExit(const std::string& responseName,
                                         const std::vector<std::uint8_t>& response, RunLog& log)>;

// `callerFolder` is the folder the program was started from (relative file
// names are taken from it); `logName` the log's name in the temporary folder.
// Answers the exit code.
int runQuiet(platform::Machine& machine, const std::string& callerFolder,
             const QuietCommandLine& line, const std::string& logName, bool responseRequired,
             const QuietRun& run);

// The log of an interactive run: /log when the command line gives it, else
// the temporary folder's `logName`.
std::string interactiveLogPath(platform::Machine& machine, const std::string& callerFolder,
                               const QuietCommandLine& line, const std::string& logName);

} // namespace common

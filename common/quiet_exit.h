// The exit codes of a quiet run, in the convention deployment tools read.
#pragma once

namespace common {

enum class QuietExit : int {
    Done = 0,
    RestartNeeded = 3010, // done; Windows must be restarted for it to take effect
    Declined = 1602,      // a question's answer stopped the run
    Failed = 1603,
    NotSupported = 1633, // this Windows or its bitness is not supported
    BadInput = 87,       // the command line or the response file cannot be used
};

inline int exitCodeOf(QuietExit code) {
    return static_cast<int>(code);
}

} // namespace common

// The command line of Tessaly.exe and Uninstall.exe: "/quiet", "/response
// FILE" and "/log FILE" (switches in any case, with '/' or '-'; a file name
// with blanks in double quotes). Without /quiet the programs are their
// dialogs as ever, and only /log is taken from it.
#pragma once

#include <string>

namespace common {

struct QuietCommandLine {
    bool quiet = false;
    std::string response; // empty: not given
    std::string log;      // empty: the temporary folder's log
    std::string error;    // empty when the command line is usable
    bool ok() const { return error.empty(); }
};

// `arguments` is the command line after the program's name.
QuietCommandLine parseQuietCommandLine(const std::string& arguments);

} // namespace common

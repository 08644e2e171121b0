// logotool: converts logo pictures as the printer's logo page does and writes the
// printer jobs that store or clear logos, for people who prepare logos.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/logotool/logotool_commands.h"
#include "tools/logotool/logotool_options.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // Job bytes go to standard output unchanged: no LF to CR LF translation.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    const logotool::ParsedArguments parsed = logotool::parseArguments(args);
    if (!parsed.ok) {
        std::fprintf(stderr, "logotool: %s\n%s", parsed.error.c_str(), logotool::kUsage);
        return logotool::kExitUsage;
    }
    return logotool::runCommand(parsed.options, stdout, stderr);
}

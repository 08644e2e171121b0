// What drvsim tells about its own use: the overview and each command's help.
// The synopsis lines are the README's, word for word.
#include "tools/drvsim/drvsim_options.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace drvsim {

// The call names the simulated machine's sources give its fault checks,
// collected by CMake, one a line.
std::vector<std::string_view> simulatedCallNames();

namespace {

const char* const initSynopsis =
    "drvsim init  --machine DIR --os OS --bits {32|64} [--user] [--usb-printer IDWORD]...\n"
    "             [--in-use WINPATH]... [--device CLASS:DESCRIPTION:HWID]... [--no-usb-library]\n"
    "             [--spooler-start-delay QUERIES] [--spooler-refuses ERROR] [--force]\n";
const char* const setupSynopsis =
    "drvsim setup --machine DIR [--package PKGDIR] --type {receipt|ticket|label|embedded}\n"
    "             --model NAME --port PORTTEXT [--raster|--no-raster] [--advanced]\n"
    "             [--default] [--baud N] [--data-bits N] [--stop-bits {1|1.5|2}]\n"
    "             [--parity {n|e|o|m|s}] [--flow {x|p|n}] [--ip A.B.C.D]\n"
    "             [--answer {yes|no}]...\n"
    "drvsim setup --machine DIR [--package PKGDIR] --response FILE\n";
const char* const uninstallSynopsis =
    "drvsim uninstall --machine DIR [--package PKGDIR] [--item NAME]... [--usb-driver]\n"
    "             [--answer {yes|no}]...\n"
    "drvsim uninstall --machine DIR [--package PKGDIR] --response FILE\n"
    "drvsim uninstall --machine DIR [--package PKGDIR] --list\n";
const char* const failSynopsis = "drvsim fail  --machine DIR --call NAME --error CODE [--times N]\n"
                                 "drvsim fail  --machine DIR --clear\n";
const char* const showSynopsis = "drvsim show  --machine DIR [--json]\n";
const char* const usbDriverSynopsis = "drvsim usbdriver --machine DIR [--package PKGDIR] ARG\n";
const char* const checkSynopsis = "drvsim check [--package PKGDIR] [--json]\n";
const char* const helpSynopsis = "drvsim help [COMMAND]   (or: drvsim COMMAND --help)\n";

const char* const initText =
    "\n"
    "Creates a fresh machine in DIR: the edition's folders, registry, spooler and\n"
    "Spooler service. A folder that is not empty is refused; --force replaces a\n"
    "machine, never a folder of anything else.\n"
    "\n"
    "OS, with the package's Windows variant (the number and the section suffix of\n"
    "the configuration files the setup reads there):\n"
    "  95 98 me            0 .98    Windows 9x/Me (the setup refuses 98 and Me)\n"
    "  nt4                 1 .NT    Windows NT 4 (the setup refuses it)\n"
    "  2000                2 .2K    Windows 2000\n"
    "  xp xp64             3 .XP    Windows XP, XP x64\n"
    "  2003                4 .2003  Server 2003\n"
    "  vista               5 .Vista Windows Vista\n"
    "  2008 2008r2         6 .2008  Server 2008 and 2008 R2\n"
    "  2012 2012r2 2016 2019 2022\n"
    "                      6 .2008  later servers read as Server 2008\n"
    "  7                   7 .Win7  Windows 7\n"
    "  8 8.1 10 11         7 .Win7  later workstations read as Windows 7\n"
    "\n"
    "--usb-printer attaches a printer of the family with that identity word (decimal\n"
    "or 0x hex; its number is word mod 8 + 1). --in-use marks a file held open.\n"
    "--device adds an installed device (class USB, Ports, Printer...). --user takes\n"
    "administrator rights away. --no-usb-library leaves the maker's USB library out.\n";

const char* const setupText =
    "\n"
    "Goes through the wizard as a user does: the start-up checks, the model from the\n"
    "type's list, the mode, the Windows the machine runs, and a port the port page\n"
    "offers; settings not given keep what the page shows. --answer answers the Yes/No\n"
    "questions in order (No when none is left).\n"
    "\n"
    "PORTTEXT, as the port page lists it for the model:\n"
    "  USB_MODEL_1           USB; USB_MODEL_2 to _4 in advanced mode (--advanced)\n"
    "  LPT1: LPT2: LPT3:     parallel (Windows 9x: LPT1: only)\n"
    "  KVCOM1: to KVCOM8:    serial on 32-bit Windows; COM1: to COM8: on 64-bit\n"
    "                        Windows, COM1: and COM2: on Windows 9x\n"
    "  NET:                  network, with --ip A.B.C.D\n"
    "\n"
    "Exit code: 0 the printer was installed, 1 the choice is not offered or the\n"
    "installation stopped or failed, 2 bad usage or an unusable machine folder.\n"
    "\n"
    "With --response FILE it runs as the program's /quiet run takes the same file:\n"
    "no question is put, the run's log is printed and then its Windows exit code\n"
    "(0, 3010, 1602, 1603, 1633 or 87); drvsim then exits 0 for 0 and 3010, 2 for\n"
    "87 and 1 for the others.\n";

const char* const uninstallText =
    "\n"
    "Runs the uninstaller as a user does: it ticks the rows named by --item (every\n"
    "row without one) and the USB device-driver box, presses Uninstall and answers\n"
    "the restart dialog (No unless --answer yes). It prints the list, the message\n"
    "list's lines and what was removed. --list only prints the list.\n"
    "\n"
    "Exit code: 0 every ticked item was removed, 1 something stayed or the run\n"
    "stopped, 2 bad usage or an unusable machine folder.\n"
    "\n"
    "With --response FILE it runs as the program's /quiet run takes the same file:\n"
    "no question is put, the run's log is printed and then its Windows exit code\n"
    "(0, 3010, 1602, 1603, 1633 or 87); drvsim then exits 0 for 0 and 3010, 2 for\n"
    "87 and 1 for the others.\n";

const char* const failText =
    "\n"
    "Makes the next N calls (default 1; 0: every call) of a Windows function fail\n"
    "with a Win32 error, e.g. --call AddPrinterDriverA --error 5. A name the machine\n"
    "does not have is refused with the list of those it has. --clear removes every\n"
    "fault still pending; show lists them.\n";

const char* const showText =
    "\n"
    "Prints what the machine holds: printers, drivers, monitors, processors, ports,\n"
    "services, devices, the registry keys and files changed since init, the message\n"
    "boxes shown, the programs started and the faults still pending; with --json one\n"
    "object for scripts.\n";

const char* const usbDriverText =
    "\n"
    "Runs what Install.exe ARG does (e.g. 2, 22, 8-3) from the package's\n"
    "USBDRV\\USBDriver or USBDriver_x64 folder and prints its log.\n";

const char* const checkText =
    "\n"
    "Checks a package before it ships: every model of setup.ini has its type-file\n"
    "sections for every Windows and bitness it claims; every file those sections and\n"
    "the monitor sections name lies in W32\\ or W64\\ with that folder's machine type;\n"
    "numbers are numbers; every text the programs use is in language\\setup.ini and\n"
    "language\\uninstall.ini; the texts of Uninstall.ini match the drivers, monitors\n"
    "and print processors the setup installs and nothing of Windows' own; the\n"
    "device-driver INF files name the package's provider.\n"
    "\n"
    "Each finding names the file, the section and the key. Exit code: 0 no errors\n"
    "(warnings may be listed), 1 errors, 2 bad usage or no such folder.\n";

const char* const packageNote =
    "\n"
    "Without --package the package assembled by make package (out/package) is used,\n"
    "or package/ of the source tree when there is none.\n";

} // namespace

std::string usage() {
    return std::string("drvsim: try the driver package on a simulated Windows machine kept in a "
                       "folder.\n\n") +
           initSynopsis + setupSynopsis + uninstallSynopsis + failSynopsis + showSynopsis +
           usbDriverSynopsis + checkSynopsis + helpSynopsis +
           "\n"
           "drvsim help COMMAND tells more of one command: the --os names, the port texts,\n"
           "the exit codes.\n";
}

std::string commandHelp(Command command) {
    switch (command) {
    case Command::Init:
        return std::string(initSynopsis) + initText;
    case Command::Setup:
        return std::string(setupSynopsis) + setupText + packageNote;
    case Command::Uninstall:
        return std::string(uninstallSynopsis) + uninstallText + packageNote;
    case Command::Fail:
        return std::string(failSynopsis) + failText;
    case Command::Show:
        return std::string(showSynopsis) + showText;
    case Command::UsbDriver:
        return std::string(usbDriverSynopsis) + usbDriverText + packageNote;
    case Command::Check:
        return std::string(checkSynopsis) + checkText + packageNote;
    case Command::Help:
        break;
    }
    return usage();
}

const std::vector<std::string>& failableCalls() {
    static const std::vector<std::string> calls = [] {
        std::vector<std::string> names;
        for (std::string_view text : simulatedCallNames()) {
            while (!text.empty()) {
                const std::size_t end = std::min(text.find('\n'), text.size());
                if (end > 0)
                    names.emplace_back(text.substr(0, end));
                text.remove_prefix(std::min(end + 1, text.size()));
            }
        }
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        return names;
    }();
    return calls;
}

} // namespace drvsim

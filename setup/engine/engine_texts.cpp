#include "setup/engine/engine_texts.h"

#include <map>

namespace setup {

std::string fallbackText(const std::string& key) {
    static const std::map<std::string, const char*> texts = {
        {"IDS_NOTSUPPORTNT", "This printer does not support Windows NT 4.0."},
        {"IDS_NOTSUPPORT2003", "This printer does not support Windows Server 2003."},
        {"IDS_NOTSUPPORT2008", "This printer does not support Windows Server 2008."},
        {"IDS_NOTSUPPORTWin7", "This printer does not support Windows 7."},
        {"IDS_ERR_ONEPRINTER", "More than one USB printer is connected.\r\nConnect only one "
                               "printer during the installation."},
        {"IDS_ERR_SELPRINTER", "Please select a printer model first."},
        {"IDS_ERR_IPADDRISNULL", "Please enter the IP address of the network printer."},
        {"IDS_ERR_NOSUPPORTINTERFACE",
         "Installing the printer on this interface is not supported."},
        {"IDS_ERR_NOSUPPORTUSB", "Windows NT 4.0 and earlier versions do not support USB."},
        {"IDS_ERR_NOUSBDEVICE", "The printer driver must be installed with the USB printer "
                                "connected.\r\nConnect the printer, switch it on and try again."},
        {"IDS_ERR_ADDPORTERROR", "The network port could not be added."},
        {"IDS_INF_CHANGEID", "The printer's USB name will be changed to match the chosen USB "
                             "port.\r\nYes continues, No lets you choose another port."},
        {"IDS_INF_NTRESTART", "The printer driver has been installed."},
        {"IDS_INF_USBRESTART", "The printer driver has been installed.\r\nSwitch the USB printer "
                               "off and on again so that the new setting takes effect."},
        {"IDS_INF_RESTART",
         "Windows must be restarted for the settings to take effect. Restart now?"},
        {"IDS_ERR_EXITWIN", "Windows could not be restarted. Please restart it yourself."},
        {"IDS_ERR_NEEDRESTART",
         "A system error occurred. Restart Windows and install the driver again."},
        {"IDS_ERR_LOSTDRIVERFILE",
         "Driver files are missing from the package; the driver cannot be installed."},
        {"IDS_ERR_ADDPRINTER", "The printer could not be added."},
        {"IDS_ERR_TOOMANY", "The largest number of printers on the same port has been reached."},
        {"IDS_ERR_ADDPRNDRV3", "The printer driver could not be added."},
        {"IDS_ERR_ADDMONITOR", "The port monitor could not be added."},
        {"IDS_ERR_ADDPROCESSOR", "The print processor could not be added."},
        {"IDS_ERR_ALLOCMEMORY", "Not enough memory."},
        {"IDS_ERR_COPYFIEL", "Could not copy the driver file "},
        {"IDS_ERR_COPYFIEL1", "Close all other programs and install again."},
        {"IDS_ERR_DIRTYPE", "Unknown kind of destination folder."},
        {"IDS_ERR_GETCURDIR", "The current folder cannot be found."},
        {"IDS_ERR_GETWINDIR", "The Windows folder cannot be found."},
        {"IDS_ERR_GETSYSDIR", "The system folder cannot be found."},
        {"IDS_ERR_GETPRODIR", "The print processor folder cannot be found."},
        {"IDS_ERR_GETDRIVERDIR", "The printer driver folder cannot be found."},
    };
    const auto it = texts.find(key);
    return it == texts.end() ? std::string() : it->second;
}

} // namespace setup

// Uninstall.exe /quiet: the uninstaller run without a window, from an
// optional response file ([Uninstall] Items, USBDriver). The same start-up,
// list and removal run as in the dialog; an item the list does not offer is
// refused; the restart dialog is answered No and the run reports that a
// restart is needed instead.
#pragma once

#include "common/quiet_exit.h"
#include "common/response_file.h"
#include "common/run_log.h"
#include "uninstall/uninstall_script.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Machine;
}

namespace uninstall {

struct UninstallResponse {
    UninstallChoice choice;
    common::ResponseFile file;
    std::string error; // empty when usable
};

// Items: the list's texts separated by commas (none given: every item);
// USBDriver: yes removes the USB device driver where it is installed.
UninstallResponse readUninstallResponse(const std::vector<std::uint8_t>& bytes);

// `responseName` empty: no response file (every item, not the USB driver).
common::QuietExit runQuietUninstall(platform::Machine& machine, const std::string& responseName,
                                    const std::vector<std::uint8_t>& response, common::RunLog& log);

} // namespace uninstall

#include "common/redirection_switch.h"

#include "common/os_variant.h"
#include "platform/machine.h"

namespace common {
namespace {

const char* const disableName = "Wow64DisableWow64FsRedirection";
const char* const revertName = "Wow64RevertWow64FsRedirection";

} // namespace

RedirectionSwitch::RedirectionSwitch(platform::Machine& machine, bool wow64, platform::Handle owner,
                                     Mode mode)
    : machine_(machine) {
    if (!wow64 || is64BitProcess(machine))
        return;
    const bool announce = mode == Mode::Announced;
    auto say = [&](const char* text) {
        machine_.desktop().MessageBoxA(owner, text, "", platform::mb::ok);
    };
    kernel32_ = machine_.system().LoadLibraryA("Kernel32.dll");
    if (kernel32_ == 0) {
        if (announce)
            say("Can't Load Kernel32.dll");
        else
            ready_ = false;
        return;
    }
    const bool canDisable = machine_.system().GetProcAddress(kernel32_, disableName);
    if (!canDisable && announce)
        say("Can't Get Function Wow64DisableWow64FsRedirection Address");
    canRevert_ = machine_.system().GetProcAddress(kernel32_, revertName);
    if (!canRevert_ && announce)
        say("Can't Get Function Wow64RevertWow64FsRedirection Address");
    // Switching off without a way back would leave the whole thread redirected
    // off for the rest of the run.
    if (!canDisable || !canRevert_)
        return;
    if (machine_.files().Wow64DisableWow64FsRedirection(saved_)) {
        switchedOff_ = true;
    } else if (!announce) {
        machine_.system().FreeLibrary(kernel32_);
        kernel32_ = 0;
        ready_ = false;
    }
}

RedirectionSwitch::~RedirectionSwitch() {
    if (switchedOff_)
        machine_.files().Wow64RevertWow64FsRedirection(saved_);
    if (kernel32_ != 0)
        machine_.system().FreeLibrary(kernel32_);
}

} // namespace common

// File-system redirection switched off around one operation of a 32-bit
// program on 64-bit Windows, so that it reaches the native system folder. The
// functions are looked up by name because older systems lack them.
#pragma once

#include "platform/win_types.h"

namespace platform {
class Machine;
}

namespace common {

class RedirectionSwitch {
public:
    enum class Mode {
        // Staging: a kernel32 that cannot be loaded, or a disable call that
        // fails, means the operation must not run; a missing disable function
        // lets it run with redirection on (older 64-bit systems lack it).
        Quiet,
        // Maker keys and the USB driver check: every problem is shown in a
        // message box and the operation goes ahead with redirection on.
        Announced,
    };

    // Does nothing on 32-bit Windows (wow64 false) and in a 64-bit program.
    RedirectionSwitch(platform::Machine& machine, bool wow64, platform::Handle owner, Mode mode);
    ~RedirectionSwitch();
    RedirectionSwitch(const RedirectionSwitch&) = delete;
    RedirectionSwitch& operator=(const RedirectionSwitch&) = delete;

    // Whether the guarded operation may run.
    bool ready() const { return ready_; }
    bool switchedOff() const { return switchedOff_; }

private:
    platform::Machine& machine_;
    platform::Handle kernel32_ = 0;
    platform::Handle saved_ = 0;
    bool canRevert_ = false;
    bool switchedOff_ = false;
    bool ready_ = true;
};

} // namespace common

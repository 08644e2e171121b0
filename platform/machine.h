#pragma once

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/device_setup.h"
#include "platform/files.h"
#include "platform/profile_files.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/spooler.h"
#include "platform/system_info.h"
#include "platform/usb_library.h"

#include <cstdint>

namespace platform {

// The machine seam: one interface per operating-system area. Engines take a
// Machine& and never call the system any other way. platform/win32 implements it
// with the real calls, platform/sim with a simulated Windows machine.
class Machine {
public:
    virtual ~Machine() = default;
    virtual Registry& registry() = 0;
    virtual Files& files() = 0;
    virtual SystemInfo& system() = 0;
    virtual Desktop& desktop() = 0;
    virtual ProfileFiles& profiles() = 0;
    virtual Clock& clock() = 0;
    virtual Spooler& spooler() = 0;
    virtual Services& services() = 0;
    virtual DeviceSetup& deviceSetup() = 0;
    virtual UsbInterfaceLibrary& usb() = 0;
    // The calling thread's last error, as set by the calls above.
    virtual std::uint32_t GetLastError() = 0;
    virtual void SetLastError(std::uint32_t code) = 0;
};

} // namespace platform
